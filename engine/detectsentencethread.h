#pragma once

#include <QList>
#include <QString>
#include <QThread>

namespace ZeltraLib {

class ParagraphSource;

// Cuts a document into titles and sentences off the main thread. start()
// collects the non-empty paragraphs in the calling thread, run() fills the
// boundaries; read the lists after finished(). Reused for every check.
class DetectSentenceThread : public QThread
{
    Q_OBJECT
public:
    explicit DetectSentenceThread(QObject *parent = nullptr);
    ~DetectSentenceThread() override;

    // Clears the previous results, collects the paragraphs from source (not
    // owned; only read during this call) and starts the thread with the
    // caller's priority. Returns false, changing nothing, while a run is on.
    bool start(const ParagraphSource *source, int englishLevel);

    // One element per non-empty paragraph, in document order.
    const QList<int> &positions() const { return m_positions; }
    const QList<QString> &texts() const { return m_texts; }
    const QList<bool> &isTitle() const { return m_isTitle; }
    // A title: (-1, its length). A sentence paragraph: the ascending inclusive
    // end offsets of its sentences, the last one its last character.
    const QList<QList<int>> &boundaries() const { return m_boundaries; }
    // The English level given to the last start().
    int englishLevel() const { return m_englishLevel; }

    // Boundaries of one paragraph, as run() computes them.
    static QList<int> paragraphBoundaries(const QString &text, bool title);

protected:
    void run() override;

private:
    QList<int> m_positions;
    QList<QString> m_texts;
    QList<bool> m_isTitle;
    QList<QList<int>> m_boundaries;
    int m_englishLevel = 2;
};

} // namespace ZeltraLib
