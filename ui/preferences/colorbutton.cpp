#include "colorbutton.h"

#include <QColorDialog>

ColorButton::ColorButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setAutoDefault(false);
}

void ColorButton::setColor(const QString &color)
{
    m_color = color;
    setStyleSheet(QStringLiteral("background-color:") + color);
}

QString ColorButton::format(const QColor &color)
{
    return QString::asprintf("#%02X%02X%02X", color.red(), color.green(), color.blue());
}

void ColorButton::pick()
{
    const QColor chosen = QColorDialog::getColor(QColor::fromString(m_color), window());
    if (!chosen.isValid())
        return;
    setColor(format(chosen));
    Q_EMIT colorPicked();
}
