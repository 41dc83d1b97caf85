#include "colorbutton.h"

#include <QColorDialog>

ColorButton::ColorButton(const QString &text, QWidget *parent)
    : QPushButton(parent)
{
    // A swatch: the text would vanish on dark colours, so it names the button instead.
    setAccessibleName(text);
    setToolTip(text);
    setFixedSize(56, 22);
    setAutoDefault(false);
}

void ColorButton::setColor(const QString &color)
{
    m_color = color;
    setStyleSheet(QStringLiteral("background-color:") + color + QStringLiteral("; border: 1px solid #7d96aa;"));
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
