#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimeLine;
class QTimer;

namespace ZeltraLib {
class NetworkHelper;
}

// "网络诊断": first one test per configured service host (does the Pennova server there
// answer?), then name resolution and reach of a public web site. Every step runs and
// shows its mark. Internet access only informs: when every service host answers (a local
// or school server), a failure there is shown as a note, not as an error. The hint mark
// of a failed step explains it in a bubble. Every step fails when it has no answer
// within its time limit.
class DiagnosisWindow : public QDialog
{
    Q_OBJECT
public:
    struct Options
    {
        // "host:port" of the services to test, each once; empty: the five configured hosts.
        QStringList serviceHosts;
        QString publicHost = QStringLiteral("www.bing.com");
        QString publicUrl = QStringLiteral("http://www.bing.com/");
        QString pingProgram;  // empty: the system ping
        int stepTimeoutMs = 10000;
        int animationMs = 500;
    };

    explicit DiagnosisWindow(QWidget *parent = nullptr);
    // The run starts at once.
    DiagnosisWindow(const Options &options, QWidget *parent = nullptr);

    // The configured service hosts, each once, `first` (a URL or "host:port") leading.
    static QStringList serviceHosts(const QString &first = QString());

    // Noted: a failed internet step while every service host answered.
    enum Mark { None, Passed, Failed, Noted };
    // Step 1 to stepCount(): the service hosts in order, then the two internet steps.
    Mark mark(int step) const;
    int stepCount() const { return int(m_steps.size()); }
    QString stepLabel(int step) const;
    bool isFinished() const { return m_step > stepCount(); }
    int progressTarget() const { return m_target; }
    QString infoText() const;
    // The verdict under the steps once finished.
    QString summaryText() const;
    QString bubbleText() const;
    bool bubbleVisible() const;

Q_SIGNALS:
    void signalFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Kind { Service, PublicName, PublicSite };
    struct Step
    {
        Kind kind = Kind::Service;
        QString host; // of a service step
        QLabel *passed = nullptr;
        QLabel *failed = nullptr;
        QLabel *noted = nullptr;
        QLabel *hint = nullptr;
    };

    void build();
    void runStep();
    void stepDone(bool ok);
    void animateTo(int percent);
    void finish();
    bool servicesAnswered() const;

    Options m_options;
    QList<Step> m_steps;
    ZeltraLib::NetworkHelper *m_helper = nullptr; // child; replaced after a time-out
    QTimer *m_limit = nullptr;                    // child
    QTimeLine *m_timeLine = nullptr;              // child
    QProgressBar *m_bar = nullptr;
    QLabel *m_info = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_bubble = nullptr;
    QPushButton *m_close = nullptr;
    int m_step = 1;
    int m_target = 0;
};
