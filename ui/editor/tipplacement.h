#pragma once

#include "tippresenter.h"

#include <QList>

class QPushButton;
class QRect;
class QWidget;
class QTextEdit;

// Where the main window's first-use tips go: next to what they explain, inside the window.
class TipPlacement
{
public:
    // Beside the button's toolbar row, in the free space after its last visible button,
    // so that neither the buttons nor the text are covered; where that space is too
    // narrow, next to the button as besideControl places it. Neither is owned; both must
    // outlive the tip.
    static TipPresenter::Placement besideToolbar(QPushButton *button, QTextEdit *editor);
    // Under the line of text `position` of the editor; no place (the tip closes) once
    // that line has scrolled out of the visible part. The editor must outlive the tip.
    static TipPresenter::Placement underText(QTextEdit *editor, int position);
    // Next to `control`, pointing at it: right of it, else left, above or below, the
    // first place inside the window that covers neither the control nor a visible line
    // of the editor's text; when every place covers text, the one that covers least.
    // No place while the control is hidden. Neither is owned; both must outlive the tip.
    static TipPresenter::Placement besideControl(QWidget *control, QTextEdit *editor);
    // The global rectangles of the editor's visible lines of text.
    static QList<QRect> visibleTextLines(const QTextEdit *editor);
};
