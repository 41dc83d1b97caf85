#include "arithmeticcaptcha.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRandomGenerator>
#include <QTime>

namespace {

// A random colour whose blue part keeps the sum of the three near 400 (readable on grey).
QColor randomColour(QRandomGenerator &random)
{
    const int red = int(random.generate() % 256);
    const int green = int(random.generate() % 256);
    const int blue = red + green > 400 ? 0 : qMin(255, 400 - red - green);
    return QColor(red, green, blue);
}

} // namespace

ArithmeticCaptcha::ArithmeticCaptcha()
{
    draw(timeSeed());
}

ArithmeticCaptcha::ArithmeticCaptcha(quint32 seed)
{
    draw(seed);
}

quint32 ArithmeticCaptcha::timeSeed()
{
    const QTime now = QTime::currentTime();
    return quint32(now.second() * 1000 + now.msec());
}

void ArithmeticCaptcha::draw(quint32 seed)
{
    QRandomGenerator random(seed);
    m_picture = QPixmap(Width, Height);
    m_picture.fill(QColor(205, 205, 205));
    QPainter painter(&m_picture);
    painter.setFont(QFont(QStringLiteral("Arial"), 12));

    m_first = int(random.generate() % 10);
    m_second = int(random.generate() % 10);
    painter.setPen(randomColour(random));
    painter.drawText(10, 20, QString::number(m_first));
    painter.setPen(randomColour(random));
    painter.drawText(39, 20, QString::number(m_second));
    painter.setPen(Qt::darkGreen);
    painter.drawText(53, 20, QStringLiteral("="));
    painter.setPen(Qt::red);
    painter.drawText(67, 20, QStringLiteral("?"));

    m_addition = m_first < m_second || random.generate() % 3 != 0;
    painter.setPen(Qt::darkGreen);
    if (m_addition) {
        painter.drawText(25, 20, QStringLiteral("+"));
        m_answer = QString::number(m_first + m_second);
    } else {
        painter.drawText(25, 18, QStringLiteral("-"));
        m_answer = QString::number(m_first - m_second);
    }
}
