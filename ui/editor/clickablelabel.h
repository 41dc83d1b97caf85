#pragma once

#include <QLabel>

// Preview of a finding's first candidate, drawn in the line gap under the word.
// Bold while hovered; a mouse release on it emits signalClicked().
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

    // Font for the label: the editor font one point smaller.
    void setPreviewFont(const QString &family, int pointSize);

signals:
    void signalClicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setBold(bool bold);
};
