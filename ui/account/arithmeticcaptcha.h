#pragma once

#include <QPixmap>
#include <QString>
#include <QtGlobal>

// A small sum drawn as a picture (90 x 26): "a + b = ?" or "a - b = ?" with single digits;
// the answer is 0 to 18 and never negative.
class ArithmeticCaptcha
{
public:
    static constexpr int Width = 90;
    static constexpr int Height = 26;

    // Seeded with the current second x 1000 + millisecond.
    ArithmeticCaptcha();
    explicit ArithmeticCaptcha(quint32 seed);

    const QPixmap &picture() const { return m_picture; }
    // The expected answer as decimal text.
    QString answer() const { return m_answer; }
    int firstOperand() const { return m_first; }
    int secondOperand() const { return m_second; }
    bool isAddition() const { return m_addition; }

    // Seed of the default constructor.
    static quint32 timeSeed();

private:
    void draw(quint32 seed);

    QPixmap m_picture;
    QString m_answer;
    int m_first = 0;
    int m_second = 0;
    bool m_addition = true;
};
