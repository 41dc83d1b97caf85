#pragma once

#include <QPushButton>

// A small button showing a colour as its background; its text becomes the tool tip. pick() opens the colour dialog on the
// current colour; an accepted choice becomes the colour ("#RRGGBB", upper case) and is
// announced with colorPicked(). A cancelled dialog changes nothing.
class ColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit ColorButton(const QString &text, QWidget *parent = nullptr);

    QString color() const { return m_color; }
    // Sets the colour and the style sheet "background-color:" + colour (and a border).
    void setColor(const QString &color);

    // "#%02X%02X%02X" of red, green and blue.
    static QString format(const QColor &color);

public Q_SLOTS:
    void pick();

Q_SIGNALS:
    void colorPicked();

private:
    QString m_color;
};
