#pragma once

#include <QString>
#include <QThread>

namespace ZeltraLib {

// Counts the words of a text off the main thread, after a pause that lets a
// burst of edits settle. Read wordCount() after finished(). Reused.
class DetectWordThread : public QThread
{
    Q_OBJECT
public:
    static constexpr int DefaultDelayMs = 200;

    // delayMs: the pause before counting (tests pass 0).
    explicit DetectWordThread(QObject *parent = nullptr, int delayMs = DefaultDelayMs);
    ~DetectWordThread() override;

    // Copies the text and starts the thread with the caller's priority.
    // Returns false, changing nothing, while a run is on.
    bool start(const QString &text);

    // The count of the last finished run; 0 before the first.
    int wordCount() const { return m_wordCount; }
    int delayMs() const { return m_delayMs; }

protected:
    void run() override;

private:
    QString m_text;
    int m_wordCount = 0;
    const int m_delayMs;
};

} // namespace ZeltraLib
