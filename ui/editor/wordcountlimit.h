#pragma once

#include <QtGlobal>

#include <functional>

// The word limits of checking: at most 10,000 words per check and 30,000 words per
// minute. The minute starts at construction and at every reset (the main window's
// 60-second timer); the clock is injectable for tests.
class WordCountLimit
{
public:
    static constexpr int WordsPerCheck = 10000;
    static constexpr int WordsPerMinute = 30000;
    static constexpr int MinuteMs = 60000;

    enum Verdict { Allowed, TooManyForOneCheck, TooManyThisMinute };

    // clockMs: a monotonic millisecond clock; empty means a steady system clock.
    explicit WordCountLimit(std::function<qint64()> clockMs = {});

    // Allowed adds the words to the minute's count.
    Verdict request(int words);
    // Words used = 0; the minute starts again.
    void reset();

    int usedWords() const { return m_used; }
    // What the count-down line shows: seconds left of the minute (60 − elapsed whole
    // seconds, at least 0) and words left (30,000 − used).
    int secondsLeft() const;
    int wordsLeft() const { return WordsPerMinute - m_used; }

private:
    std::function<qint64()> m_clock;
    qint64 m_minuteStart = 0;
    int m_used = 0;
};
