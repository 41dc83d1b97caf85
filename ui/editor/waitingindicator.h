#pragma once

#include <QLabel>

// The waiting indicator shown over the main window while all findings are accepted.
class WaitingIndicator : public QLabel
{
    Q_OBJECT
public:
    explicit WaitingIndicator(QWidget *parent);
    // Centred over the parent, raised and painted at once.
    void showCentered();
};
