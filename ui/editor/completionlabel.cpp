#include "completionlabel.h"

#include <QGraphicsOpacityEffect>

CompletionLabel::CompletionLabel(const QString &text, QWidget *window, int y, int fadeMs)
    : QLabel(text, window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The controls under the line stay usable.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("QLabel { background: #fff7d6; border: 1px solid #e0b84c; color: #8a5a00;"
                                 " font-family: 微软雅黑; font-size: 12px; }"));
    setGeometry(8, y, qMax(40, window->width() - 16), Height);
    auto *effect = new QGraphicsOpacityEffect(this);
    effect->setOpacity(0.0);
    setGraphicsEffect(effect);
    m_fade.setTargetObject(effect);
    m_fade.setPropertyName("opacity");
    m_fade.setDuration(qMax(1, fadeMs));
    m_fade.setStartValue(0.0);
    m_fade.setEndValue(1.0);
    show();
    raise();
    m_fade.start();
}

int CompletionLabel::bottomStripY(const QWidget *window)
{
    return window->height() - Height - 8;
}

CompletionLabel *CompletionLabel::replace(CompletionLabel *previous, QWidget *window, const QString &text, int y,
                                          int fadeMs)
{
    if (previous)
        previous->close();
    return new CompletionLabel(text, window, y, fadeMs);
}
