#include "linkbutton.h"

LinkButton::LinkButton(const QString &text, const QString &objectName, QWidget *parent)
    : QPushButton(text, parent)
{
    setObjectName(objectName);
    setFlat(true);
    setAutoDefault(false);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("QPushButton { color: #1F6FC5; border: none; padding: 0 2px; "
                                 "text-align: left; }"
                                 "QPushButton:hover { text-decoration: underline; }"
                                 "QPushButton:disabled { color: #9AA5B1; }"));
}
