#pragma once

#include "tippresenter.h"

class QPushButton;
class QTextEdit;

// Where the main window's first-use tips go: next to what they explain, inside the window.
class TipPlacement
{
public:
    // Beside the button's toolbar row, in the free space after its last visible button,
    // so that neither the buttons nor the text are covered; under the button when that
    // space is too narrow. The button is not owned and must outlive the tip.
    static TipPresenter::Placement besideToolbar(QPushButton *button);
    // Under the line of text `position` of the editor; no place (the tip closes) once
    // that line has scrolled out of the visible part. The editor must outlive the tip.
    static TipPresenter::Placement underText(QTextEdit *editor, int position);
};
