// Editor with a 10,000-word essay and about 2,000 findings: time to insert them, time
// per keystroke in the middle of the text (discard + edit + relayout + paint), time
// per scroll step, and peak memory. Runs offscreen unless a platform is set.
#include "pennovapaths.h"
#include "checkcodes.h"
#include "configstore.h"
#include "correctionrecord.h"
#include "customtexteditor.h"
#include "detectsentencethread.h"
#include "globalstores.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ZeltraLib;

namespace {

struct Stats
{
    double mean = 0, p50 = 0, p95 = 0, max = 0;
};

Stats summarize(std::vector<double> ms)
{
    Stats s;
    if (ms.empty())
        return s;
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    s.mean = sum / double(ms.size());
    s.p50 = ms[ms.size() / 2];
    s.p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
    s.max = ms.back();
    return s;
}

void print(const char *what, const Stats &s)
{
    std::printf("%-34s mean %7.3f ms  p50 %7.3f  p95 %7.3f  max %7.3f\n", what, s.mean, s.p50, s.p95, s.max);
}

long vmHwmKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

CorrectionRecord makeRecord(const QByteArray &type, int start, int end, const QByteArray &candidate)
{
    CorrectionRecord record;
    record.errorType = type;
    record.setCategory(categoryFromErrorType(type));
    record.start = start;
    record.end = end;
    CandidateRecord c;
    c.correction = candidate;
    c.candidateType = "REPLACE";
    record.candidates.append(c);
    return record;
}

// Sends one key press and release to the editor; the edit discards the findings it touches.
void typeKey(CustomTextEditor &editor, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &release);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(PENNOVA_SHARED_DIR "/bench-data/essay/essay10k.txt");
    const int wanted = argc > 2 ? QByteArray(argv[2]).toInt() : 2000;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QString text = QString::fromUtf8(file.readAll());

    QTemporaryDir dir;
    ConfigStore prefs(dir.path(), PreferenceFileName);
    mergeDefaults(prefs, preferenceDefaults());
    QList<SentenceEntry *> sentences;
    CustomTextEditor editor(prefs);
    editor.resize(900, 700);
    editor.setSentenceList(&sentences);
    editor.show();

    QElapsedTimer timer;
    timer.start();
    editor.loadText(text);
    const double loadMs = timer.nsecsElapsed() / 1e6;

    DetectSentenceThread detect;
    QEventLoop loop;
    QObject::connect(&detect, &QThread::finished, &loop, &QEventLoop::quit);
    timer.restart();
    if (detect.start(&editor, 2))
        loop.exec();
    editor.buildSentenceList(detect.positions(), detect.boundaries());
    const double detectMs = timer.nsecsElapsed() / 1e6;

    // Every 4th word of every sentence until the wanted count; a suggestion on every
    // 12th sentence.
    static const QByteArray types[] = {"NONWORD", "GRAMMAR", "STYLE", "IMPROVE", "REAL"};
    const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    QList<QPair<int, CorrectionRecord>> planned;
    for (int i = 0; i < sentences.size() && planned.size() < wanted; ++i) {
        const QString s = sentences.at(i)->text();
        int n = 0;
        for (auto it = word.globalMatch(s); it.hasNext() && planned.size() < wanted;) {
            const auto m = it.next();
            if (n++ % 4 != 1)
                continue;
            planned.append({i, makeRecord(types[planned.size() % 5], int(m.capturedStart()),
                                          int(m.capturedEnd()), m.captured().toUpper().toUtf8())});
        }
        if (i % 12 == 0)
            planned.append({i, makeRecord("SUGGESTION", 0, 0, QByteArray())});
    }
    timer.restart();
    // As the results arrive: one sentence at a time.
    int findings = 0;
    for (int i = 0; i < planned.size();) {
        const int sentence = planned.at(i).first;
        QList<CorrectionRecord> records;
        for (; i < planned.size() && planned.at(i).first == sentence; ++i)
            records.append(planned.at(i).second);
        findings += int(editor.insertResults(sentences.at(sentence), records).size());
    }
    const double insertMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    editor.revealFindings();
    const double revealMs = timer.nsecsElapsed() / 1e6;
    QApplication::processEvents();

    std::printf("text: %lld characters, %lld sentences, %d findings, %lld planned results\n",
                static_cast<long long>(text.size()), static_cast<long long>(sentences.size()), findings,
                static_cast<long long>(planned.size()));
    std::printf("%-34s %9.1f ms\n", "load text (with line gap, look)", loadMs);
    std::printf("%-34s %9.1f ms\n", "sentence detection + list", detectMs);
    std::printf("%-34s %9.1f ms  (%.3f ms per finding)\n", "insert findings", insertMs, insertMs / qMax(1, findings));
    std::printf("%-34s %9.1f ms\n", "reveal labels and lines", revealMs);

    // Keystrokes in the middle of the document, between findings.
    QScrollBar *bar = editor.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    QApplication::processEvents();
    QTextCursor caret = editor.cursorForPosition(editor.viewport()->rect().center());
    editor.setTextCursor(caret);
    std::vector<double> handle, withPaint, relayout;
    const QString typed = QStringLiteral("the quick brown fox jumps over ");
    for (int i = 0; i < 300; ++i) {
        const QChar c = typed.at(i % typed.size());
        const Qt::Key key = c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key(Qt::Key_A + (c.unicode() - 'a'));
        timer.restart();
        typeKey(editor, key, QString(c));
        handle.push_back(timer.nsecsElapsed() / 1e6);
        editor.viewport()->repaint();
        withPaint.push_back(timer.nsecsElapsed() / 1e6);
    }
    // Typing where every key lands inside a finding (discard removes one each time).
    int insideKeys = 0;
    std::vector<double> inside;
    for (SentenceEntry *entry : std::as_const(sentences)) {
        if (insideKeys >= 100)
            break;
        if (entry->findings().isEmpty() || entry->start() < editor.document()->characterCount() / 3)
            continue;
        QTextCursor tc = editor.textCursor();
        tc.setPosition(entry->findings().first()->start() + 1);
        editor.setTextCursor(tc);
        editor.ensureCursorVisible();
        QApplication::processEvents();
        timer.restart();
        typeKey(editor, Qt::Key_X, QStringLiteral("x"));
        editor.viewport()->repaint();
        inside.push_back(timer.nsecsElapsed() / 1e6);
        ++insideKeys;
    }
    for (int i = 0; i < 200; ++i) {
        timer.restart();
        editor.relayout();
        relayout.push_back(timer.nsecsElapsed() / 1e6);
    }
    print("keystroke (handling)", summarize(handle));
    print("keystroke (handling + paint)", summarize(withPaint));
    print("keystroke inside a finding", summarize(inside));
    print("relayout alone", summarize(relayout));
    std::printf("overlays placed per relayout: %d\n", editor.placedOverlayCount());

    std::vector<double> scroll;
    bar->setValue(0);
    QApplication::processEvents();
    for (int i = 0; i < 300 && bar->value() < bar->maximum(); ++i) {
        timer.restart();
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        editor.viewport()->repaint();
        scroll.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::vector<double> page;
    for (int i = 0; i < 100 && bar->value() < bar->maximum(); ++i) {
        timer.restart();
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        editor.viewport()->repaint();
        page.push_back(timer.nsecsElapsed() / 1e6);
    }
    print("scroll step (line, with paint)", summarize(scroll));
    print("scroll step (page, with paint)", summarize(page));
    std::printf("VmHWM: %ld kB\n", vmHwmKb());
    const Stats key = summarize(withPaint);
    std::printf("target keystroke < 16 ms (p95 with paint): %s\n", key.p95 < 16.0 ? "met" : "NOT met");

    editor.setFocusedFinding(nullptr);
    qDeleteAll(sentences);
    sentences.clear();
    return 0;
}
