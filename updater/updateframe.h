#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QStackedWidget;
class QTextBrowser;

// The updater's second page: the new version with its release notes and the question,
// or the progress of the update.
class UpdateFrame : public QWidget
{
    Q_OBJECT
public:
    enum class View { Found, Progress };

    explicit UpdateFrame(QWidget *parent = nullptr);

    void showView(View view);
    View view() const { return m_view; }
    // Forced: the version is too old to go on without updating.
    void setForced(bool forced);
    void setNotes(const QString &notes);
    void setStatus(const QString &text);
    QString title() const;
    QString status() const;
    int progress() const;

public Q_SLOTS:
    void slotSetProgress(int value);

private:
    QStackedWidget *m_stack;    // child
    QLabel *m_title;            // child
    QTextBrowser *m_notes;      // child
    QLabel *m_status;           // child
    QProgressBar *m_progress;   // child
    View m_view = View::Found;
};
