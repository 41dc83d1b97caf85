#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QStackedWidget;

// The updater's first page: checking (with a progress bar), up to date, or failed.
class CheckFrame : public QWidget
{
    Q_OBJECT
public:
    enum class View { Checking, Finished, Failed };

    explicit CheckFrame(QWidget *parent = nullptr);

    void showView(View view);
    View view() const { return m_view; }
    // An extra line under the failure text (for example why nothing could be installed).
    void setFailureNote(const QString &text);
    QString failureNote() const;
    int progress() const;

public Q_SLOTS:
    void slotSetProgress(int value);

private:
    QStackedWidget *m_stack;      // child
    QProgressBar *m_progress;     // child
    QLabel *m_failureNote;        // child
    View m_view = View::Checking;
};
