#pragma once

#include <QLabel>
#include <QPropertyAnimation>

// The one-line completion message of the search and replace windows ("已完成对文档的搜索"):
// a 31-pixel line across the window at a given height that fades in; showing a new one
// closes the previous one. The windows keep a strip under their controls for it.
class CompletionLabel : public QLabel
{
    Q_OBJECT
public:
    static constexpr int Height = 31;
    static constexpr int FadeMs = 400;

    // The top of the strip at the bottom of `window` that the line fills.
    static int bottomStripY(const QWidget *window);

    // Closes `previous` (may be null) and shows `text` at y inside `window`.
    static CompletionLabel *replace(CompletionLabel *previous, QWidget *window, const QString &text, int y,
                                    int fadeMs = FadeMs);

private:
    CompletionLabel(const QString &text, QWidget *window, int y, int fadeMs);

    QPropertyAnimation m_fade;
};
