#include "editorfixture.h"

#include "checkcodes.h"
#include "detectsentencethread.h"
#include "globalstores.h"
#include "sentenceentry.h"

#include <QSignalSpy>

std::unique_ptr<ConfigStore> makePreferences(const QTemporaryDir &dir)
{
    auto store = std::make_unique<ConfigStore>(dir.path(), PreferenceFileName);
    mergeDefaults(*store, preferenceDefaults());
    return store;
}

ZeltraLib::CorrectionRecord makeRecord(const QByteArray &errorType, int start, int end,
                                       const QList<QByteArray> &candidates,
                                       const QByteArray &candidateType)
{
    ZeltraLib::CorrectionRecord record;
    record.errorType = errorType;
    record.setCategory(ZeltraLib::categoryFromErrorType(errorType));
    record.start = start;
    record.end = end;
    record.explainType = "et_" + errorType.toLower();
    for (const QByteArray &text : candidates) {
        ZeltraLib::CandidateRecord candidate;
        candidate.correction = text;
        candidate.candidateType = candidateType;
        record.candidates.append(candidate);
    }
    return record;
}

EditorFixture::EditorFixture()
    : prefs(makePreferences(dir))
    , editor(std::make_unique<CustomTextEditor>(*prefs))
{
    editor->resize(600, 400);
    editor->setSentenceList(&sentences);
}

EditorFixture::~EditorFixture()
{
    editor->setFocusedFinding(nullptr);
    qDeleteAll(sentences);
    sentences.clear();
    editor.reset();
}

bool EditorFixture::load(const QString &text)
{
    editor->setFocusedFinding(nullptr);
    qDeleteAll(sentences);
    sentences.clear();
    editor->loadText(text);
    ZeltraLib::DetectSentenceThread thread;
    QSignalSpy finished(&thread, &QThread::finished);
    if (!thread.start(editor.get(), 2))
        return false;
    if (finished.isEmpty() && !finished.wait(10000))
        return false;
    editor->buildSentenceList(thread.positions(), thread.boundaries());
    return true;
}

CorrectionItem *EditorFixture::addFinding(int sentence, const ZeltraLib::CorrectionRecord &record)
{
    if (sentence < 0 || sentence >= sentences.size())
        return nullptr;
    return editor->insertResult(sentences.at(sentence), record);
}

QStringList EditorFixture::foundTexts() const
{
    QStringList found;
    for (const SentenceEntry *entry : sentences) {
        for (const CorrectionItem *item : entry->findings()) {
            found << (item->currentText() == item->foundText()
                          ? item->foundText()
                          : item->foundText() + QChar(0x2260) + item->currentText());
        }
    }
    return found;
}

int EditorFixture::positionOf(const QString &needle, int occurrence) const
{
    const QString text = editor->toPlainText();
    int pos = -1;
    for (int i = 0; i <= occurrence; ++i) {
        pos = text.indexOf(needle, pos + 1);
        if (pos < 0)
            return -1;
    }
    return pos;
}
