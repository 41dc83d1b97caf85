#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>

#include <functional>

class QLabel;
class QPushButton;

// The program's question and information box: a title, a message, a confirm button and,
// by variant, a cancel and an extra button; optionally a count-down line. Accepted when
// confirm or extra was pressed (or the count-down ran out), rejected otherwise.
class CustomMessageBox : public QDialog
{
    Q_OBJECT
public:
    // Information box: only the confirm button ("确认").
    CustomMessageBox(const QString &title, const QString &text, QWidget *parent = nullptr);
    // Confirm and cancel ("返回").
    CustomMessageBox(const QString &title, const QString &text, const QString &confirmText,
                     QWidget *parent = nullptr);
    // Confirm and cancel with both texts.
    CustomMessageBox(const QString &title, const QString &text, const QString &confirmText,
                     const QString &cancelText, QWidget *parent = nullptr);
    // Confirm, extra and cancel; the extra button sets *flag (not owned) and accepts.
    CustomMessageBox(const QString &title, const QString &text, const QString &confirmText,
                     const QString &extraText, bool *flag, QWidget *parent = nullptr);
    ~CustomMessageBox() override;

    QString title() const { return m_title; }
    QString text() const;
    void setText(const QString &text);
    // Interval of the count-down ticks (1000 ms); tests pass a short one.
    void setCountDownIntervalMs(int ms) { m_timer.setInterval(ms); }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *extraButton() const { return m_extra; }
    bool hasCancelButton() const;
    bool hasExtraButton() const;
    // The count-down line as shown ("%1 s内还能检查%2词"); empty while hidden.
    QString countDownText() const;
    int remainingSeconds() const { return m_remaining; }

    // Shows the count-down: remaining = seconds + 1 at once, then one less every second;
    // the box accepts itself when the remaining time falls below 1.
    void startCountDown(int seconds, int words);

    // Modal run; with an auto answer installed, the answer is returned at once instead.
    int exec() override;

    // Test hook: every box about to run is handed to `answer`, whose return value
    // becomes the result (it may press buttons itself). Empty: boxes run normally.
    using AutoAnswer = std::function<int(CustomMessageBox &box)>;
    static void setAutoAnswer(AutoAnswer answer);

    // The look the program's own boxes share (this box, the close question, the about box).
    static QString boxStyleSheet();

public Q_SLOTS:
    void slotMove(int dx, int dy);
    void slotSumbmitClicked();
    void slotExtraClicked();
    void slotCountDown();

private:
    void build(const QString &title, const QString &text);
    void showCountDown();

    QString m_title;
    QLabel *m_text = nullptr;
    QLabel *m_countDown = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_extra = nullptr;
    QPushButton *m_cancel = nullptr;
    QTimer m_timer;
    int m_remaining = 0;
    int m_words = 0;
    bool m_countDownEnded = false;
    bool *m_flag = nullptr; // not owned
};
