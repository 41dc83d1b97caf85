#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPropertyAnimation>
#include <QTimer>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The modal progress dialog of a check: the bar walks towards the target the main
// window reports (one step per tick interval, at least to 5) and the dialog fades out and closes
// as accepted when it reaches 100; "取消" fades it out and closes it as rejected, and a
// failed check closes it as rejected at once. Closing does not delete it; a creator that
// wants that sets Qt::WA_DeleteOnClose.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int AnimationMs = 15;
    static constexpr int FadeMs = 300;

    // Tick and fade intervals; tests pass short ones.
    struct Timings
    {
        int stepMs = AnimationMs;
        int fadeMs = FadeMs;
    };

    // polish: the label and the picture of the polish mode.
    explicit ProgressWindow(bool polish, QWidget *parent = nullptr);
    ProgressWindow(bool polish, const Timings &timings, QWidget *parent = nullptr);
    ~ProgressWindow() override;

    void setTarget(int target);
    int target() const { return m_target; }
    int value() const;
    // Target 100: the dialog closes as accepted once the bar gets there.
    void finish();
    // Closes at once as rejected (a failed or refused check).
    void closeAsFailed();
    // True from "取消" on: later targets change nothing and the dialog ends rejected.
    bool isCancelled() const { return m_cancelled; }
    QString labelText() const;
    QPushButton *cancelButton() const { return m_cancel; }
    // The clock the ticks read (milliseconds, never going back); tests pass their own.
    void setClock(std::function<qint64()> clock);

signals:
    void signalFinished();
    // "取消" was pressed; the dialog is fading out and will close as rejected.
    void signalCancelled();

public Q_SLOTS:
    void slotCancel();
    // One step of the bar.
    void slotAnimate();
    // The timer's tick: one step for every interval since the last step, so that ticks
    // the event loop delays (results arriving) do not slow the walk down; with an
    // interval of 0, one step.
    void slotTick();

private:
    void fadeOutAndClose(int result);

    QLabel *m_label = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
    QTimer m_timer;
    QElapsedTimer m_steady;
    std::function<qint64()> m_clock;
    qint64 m_lastTickMs = 0;
    qint64 m_owedMs = 0; // time since the last tick not yet walked
    QPropertyAnimation m_fade;
    Timings m_timings;
    int m_target = 0;
    bool m_cancelled = false;
    bool m_closing = false;
};
