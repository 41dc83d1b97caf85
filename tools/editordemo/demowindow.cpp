#include "demowindow.h"

#include "callbackobject.h"
#include "correctionpanel.h"
#include "customtexteditor.h"
#include "detectsentencethread.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSplitter>

using namespace ZeltraLib;

DemoWindow::DemoWindow(ConfigStore &prefs, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
    , m_editor(new CustomTextEditor(prefs))
    , m_panel(new CorrectionPanel(prefs))
{
    setWindowTitle(QStringLiteral("Pennova editor demo"));
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_editor);
    splitter->addWidget(m_panel);
    splitter->setStretchFactor(0, 1);
    m_panel->setMinimumWidth(200);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(splitter);
    m_editor->setSentenceList(&m_sentences);

    connect(m_editor, &QTextEdit::cursorPositionChanged, this, &DemoWindow::slotPositionChanged);
    connect(m_editor, &CustomTextEditor::signalOnPaste, this, &DemoWindow::slotOnPaste);
    connect(m_editor, &CustomTextEditor::signalFindingsDiscarded, this,
            [this](const QList<CorrectionItem *> &findings, const QList<SentenceEntry *> &) {
                if (findings.contains(m_panel->shownFinding()))
                    m_panel->showFinding(m_current, nullptr);
            });
    connect(&CallbackObject::instance(), &CallbackObject::signalCallback, this,
            &DemoWindow::slotCorrectByType);
    connect(m_panel, &CorrectionPanel::signalNextClicked, this, [this] {
        const QList<CorrectionItem *> all = allFindings();
        const int at = int(all.indexOf(m_editor->focusedFinding()));
        if (at + 1 < all.size())
            m_editor->placeCaretAtFinding(all.at(at + 1));
    });
    connect(m_panel, &CorrectionPanel::signalPrevClicked, this, [this] {
        const QList<CorrectionItem *> all = allFindings();
        const int at = int(all.indexOf(m_editor->focusedFinding()));
        if (at > 0)
            m_editor->placeCaretAtFinding(all.at(at - 1));
    });
    m_panel->slotDisplayPanel(1);
}

DemoWindow::~DemoWindow()
{
    clearSentences();
}

void DemoWindow::clearSentences()
{
    m_panel->showFinding(nullptr, nullptr);
    m_editor->setFocusedFinding(nullptr);
    m_current = nullptr;
    qDeleteAll(m_sentences);
    m_sentences.clear();
}

int DemoWindow::load(const QString &text, const QList<CResultState> &states)
{
    clearSentences();
    m_editor->loadText(text);
    DetectSentenceThread detect;
    QEventLoop loop;
    connect(&detect, &QThread::finished, &loop, &QEventLoop::quit);
    if (detect.start(m_editor, 2))
        loop.exec();
    m_editor->buildSentenceList(detect.positions(), detect.boundaries());
    int inserted = 0;
    for (const CResultState &state : states) {
        if (state.sentInd < 0 || state.sentInd >= m_sentences.size())
            continue;
        inserted += int(m_editor->insertResults(m_sentences.at(state.sentInd), state.corrections).size());
    }
    m_editor->revealFindings();
    return inserted;
}

QList<CorrectionItem *> DemoWindow::allFindings() const
{
    QList<CorrectionItem *> all;
    for (SentenceEntry *entry : m_sentences)
        all += entry->findings();
    return all;
}

void DemoWindow::focusFinding(int n)
{
    const QList<CorrectionItem *> all = allFindings();
    if (n >= 0 && n < all.size())
        m_editor->placeCaretAtFinding(all.at(n));
}

void DemoWindow::slotPositionChanged()
{
    const QTextCursor tc = m_editor->textCursor();
    if (tc.hasSelection())
        return;
    const int pos = tc.position();
    SentenceEntry *sentence = m_editor->sentenceAt(pos);
    if (sentence != m_current) {
        m_editor->highlightSentence(m_current, sentence);
        m_current = sentence;
    }
    CorrectionItem *found = nullptr;
    if (sentence) {
        for (CorrectionItem *item : sentence->findings()) {
            if (item->isVisible() && item->start() <= pos && pos <= item->end()) {
                found = item;
                break;
            }
        }
    }
    if (found != m_editor->focusedFinding())
        m_editor->setFocusedFinding(found);
    m_panel->showFinding(sentence, found);
    const QList<CorrectionItem *> all = allFindings();
    const int at = found ? int(all.indexOf(found)) : -1;
    m_panel->setPrevNextEnabled(at > 0, found && at + 1 < all.size());
}

void DemoWindow::removeFinding(CorrectionItem *item)
{
    if (m_panel->shownFinding() == item)
        m_panel->showFinding(m_current, nullptr);
    m_editor->removeFinding(item);
}

void DemoWindow::slotCorrectByType(CorrectionItem *item, MenuItemType type)
{
    switch (type) {
    case MenuItemIgnore:
        if (item)
            removeFinding(item);
        else if (m_current)
            m_current->clearSuggestion();
        break;
    case MenuItemAddToDictionary:
    case MenuItemIgnoreAll:
        if (item) {
            const int category = item->category();
            const QString found = item->foundText();
            for (CorrectionItem *other : allFindings()) {
                if (other != item && other->category() == category && other->foundText() == found)
                    removeFinding(other);
            }
            removeFinding(item);
        }
        break;
    case MenuItemApply:
    case MenuItemRevert:
        break;
    }
    m_editor->relayout();
    slotPositionChanged();
}

void DemoWindow::slotOnPaste(const QString &text)
{
    m_editor->replaceSelection(m_editor->textCursor(), text);
}
