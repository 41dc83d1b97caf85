#include "wordcountlimit.h"

#include <QElapsedTimer>

#include <memory>

WordCountLimit::WordCountLimit(std::function<qint64()> clockMs)
    : m_clock(std::move(clockMs))
{
    if (!m_clock) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        m_clock = [timer] { return timer->elapsed(); };
    }
    m_minuteStart = m_clock();
}

WordCountLimit::Verdict WordCountLimit::request(int words)
{
    if (words > WordsPerCheck)
        return TooManyForOneCheck;
    if (qint64(m_used) + words > WordsPerMinute)
        return TooManyThisMinute;
    m_used += qMax(0, words);
    return Allowed;
}

void WordCountLimit::reset()
{
    m_used = 0;
    m_minuteStart = m_clock();
}

int WordCountLimit::secondsLeft() const
{
    const qint64 elapsed = (m_clock() - m_minuteStart) / 1000;
    return int(qBound(qint64(0), 60 - elapsed, qint64(60)));
}
