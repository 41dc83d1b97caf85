#include "detectsentencethread.h"

#include "paragraphsource.h"
#include "sentencesplitter.h"

namespace ZeltraLib {

DetectSentenceThread::DetectSentenceThread(QObject *parent) : QThread(parent) {}

DetectSentenceThread::~DetectSentenceThread()
{
    wait();
}

bool DetectSentenceThread::start(const ParagraphSource *source, int englishLevel)
{
    if (isRunning())
        return false;
    m_positions.clear();
    m_texts.clear();
    m_isTitle.clear();
    m_boundaries.clear();
    m_englishLevel = englishLevel;
    if (source) {
        const QList<ParagraphBlock> blocks = source->blocks();
        for (const ParagraphBlock &block : blocks) {
            if (block.text.trimmed().isEmpty())
                continue;
            m_positions.append(block.position);
            m_texts.append(block.text);
            m_isTitle.append(!isSentenceParagraph(block.text));
        }
    }
    QThread::start(QThread::InheritPriority);
    return true;
}

QList<int> DetectSentenceThread::paragraphBoundaries(const QString &text, bool title)
{
    if (title)
        return {-1, int(text.size())};
    return splitSentences(text);
}

void DetectSentenceThread::run()
{
    QList<QList<int>> boundaries;
    boundaries.reserve(m_texts.size());
    for (qsizetype i = 0; i < m_texts.size(); ++i)
        boundaries.append(paragraphBoundaries(m_texts.at(i), m_isTitle.at(i)));
    m_boundaries = boundaries;
}

} // namespace ZeltraLib
