#pragma once

#include <QPushButton>

// A flat, link-coloured button ("快速注册", "忘记密码", "换一张", ...) that is never the
// default button of its dialog.
class LinkButton : public QPushButton
{
    Q_OBJECT
public:
    LinkButton(const QString &text, const QString &objectName, QWidget *parent = nullptr);
};
