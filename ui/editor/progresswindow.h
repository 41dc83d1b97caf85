#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The modal progress dialog of a check: the bar walks towards the target the main
// window reports (one step every 15 ms, at least to 5) and the dialog closes as
// accepted when it reaches 100; "取消" or a failed check close it as rejected.
// Deletes itself when closed.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int AnimationMs = 15;

    // polish: the label and the picture of the polish mode.
    explicit ProgressWindow(bool polish, QWidget *parent = nullptr);
    ~ProgressWindow() override;

    void setTarget(int target);
    int target() const { return m_target; }
    int value() const;
    // Target 100: the dialog closes as accepted once the bar gets there.
    void finish();
    // Closes at once as rejected (a failed or refused check).
    void closeAsFailed();
    QString labelText() const;

signals:
    void signalFinished();

public Q_SLOTS:
    void slotCancel();
    void slotAnimate();

private:
    QLabel *m_label = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
    QTimer m_timer;
    int m_target = 0;
};
