#include "detectwordthread.h"

#include "wordcounter.h"

namespace ZeltraLib {

DetectWordThread::DetectWordThread(QObject *parent, int delayMs)
    : QThread(parent), m_delayMs(qMax(0, delayMs))
{
}

DetectWordThread::~DetectWordThread()
{
    wait();
}

bool DetectWordThread::start(const QString &text)
{
    if (isRunning())
        return false;
    m_text = text;
    QThread::start(QThread::InheritPriority);
    return true;
}

void DetectWordThread::run()
{
    if (m_delayMs > 0)
        QThread::msleep(static_cast<unsigned long>(m_delayMs));
    m_wordCount = countTextWords(m_text);
    // The text is not needed once counted; a long essay would stay in memory until the
    // next check.
    m_text.clear();
}

} // namespace ZeltraLib
