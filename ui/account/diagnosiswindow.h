#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimeLine;
class QTimer;

namespace ZeltraLib {
class NetworkHelper;
}

// "网络诊断": four connection tests in a row (name resolution and reach of a public web
// site, then of the service), each ending with a success or failure mark. The first
// failure stops the run; the hint mark of a failed step explains it in a bubble.
// Every step fails when it has no answer within its time limit.
class DiagnosisWindow : public QDialog
{
    Q_OBJECT
public:
    struct Options
    {
        QString serviceUrl;   // step 4; empty: "http://" + CheckHost + "/apps_compressed/"
        QString publicHost = QStringLiteral("www.bing.com");
        QString publicUrl = QStringLiteral("http://www.bing.com/");
        QString checkHost;    // step 3; empty: CheckHost
        QString pingProgram;  // empty: the system ping
        int stepTimeoutMs = 10000;
        int animationMs = 500;
    };

    explicit DiagnosisWindow(QWidget *parent = nullptr);
    // The run starts at once.
    DiagnosisWindow(const Options &options, QWidget *parent = nullptr);

    enum Mark { None, Passed, Failed };
    // Step 1 to 4.
    Mark mark(int step) const;
    bool isFinished() const { return m_step > StepCount; }
    int progressTarget() const { return m_target; }
    QString infoText() const;
    QString bubbleText() const;
    bool bubbleVisible() const;

    static constexpr int StepCount = 4;

Q_SIGNALS:
    void signalFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void runStep();
    void stepDone(bool ok);
    void animateTo(int percent);
    void finish();

    struct Row
    {
        QLabel *passed = nullptr;
        QLabel *failed = nullptr;
        QLabel *hint = nullptr;
    };

    Options m_options;
    QList<Row> m_rows;
    ZeltraLib::NetworkHelper *m_helper = nullptr; // child; replaced after a time-out
    QTimer *m_limit = nullptr;                    // child
    QTimeLine *m_timeLine = nullptr;              // child
    QProgressBar *m_bar = nullptr;
    QLabel *m_info = nullptr;
    QLabel *m_bubble = nullptr;
    QPushButton *m_close = nullptr;
    int m_step = 1;
    int m_target = 0;
};
