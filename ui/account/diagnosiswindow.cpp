#include "diagnosiswindow.h"

#include "dialogframe.h"
#include "networkhelper.h"
#include "servicehosts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimeLine>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char *const StepLabels[] = {"域名解析是否正常", "是否连接至互联网", "Pennova域名解析是否正常",
                                  "是否连接至Pennova服务器"};
const QString NetworkBubble = QStringLiteral("无法连接至互联网，\n您需要处于联网状态才能使用Pennova。");
const QString ServerBubble = QStringLiteral("暂时无法连接至Pennova服务器，\n您可以稍后再试或体验在线版。");

QLabel *markLabel(QWidget *parent, const QString &text, const QString &color, const QString &name)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(color));
    label->hide();
    return label;
}
} // namespace

DiagnosisWindow::DiagnosisWindow(QWidget *parent)
    : DiagnosisWindow(Options(), parent)
{
}

DiagnosisWindow::DiagnosisWindow(const Options &options, QWidget *parent)
    : QDialog(parent)
    , m_options(options)
{
    if (m_options.serviceUrl.isEmpty())
        m_options.serviceUrl = QStringLiteral("http://") + ZeltraLib::CheckHost() + QStringLiteral("/apps_compressed/");
    if (m_options.checkHost.isEmpty())
        m_options.checkHost = ZeltraLib::CheckHost();
    build();
    m_limit = new QTimer(this);
    m_limit->setSingleShot(true);
    connect(m_limit, &QTimer::timeout, this, [this] {
        // No answer: drop the helper (its requests and ping go with it) and fail the step.
        m_helper->disconnect(this);
        m_helper->deleteLater();
        m_helper = nullptr;
        stepDone(false);
    });
    runStep();
    new DialogFrame(this, windowTitle()); // the program's frame: title bar, drag, fade
}

void DiagnosisWindow::build()
{
    setWindowTitle(QStringLiteral("网络诊断"));
    setObjectName(QStringLiteral("DiagnosisWindow"));
    auto *layout = new QVBoxLayout(this);
    m_info = new QLabel(QStringLiteral("正在诊断网络连接问题..."), this);
    m_info->setObjectName(QStringLiteral("infoLabel"));
    layout->addWidget(m_info);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    layout->addWidget(m_bar);
    auto *grid = new QGridLayout;
    for (int i = 0; i < StepCount; ++i) {
        const QString n = QString::number(i + 1);
        grid->addWidget(new QLabel(QString::fromUtf8(StepLabels[i]), this), i, 0);
        Row row;
        row.passed = markLabel(this, QStringLiteral("✔"), QStringLiteral("#2e9d3a"), QStringLiteral("passed") + n);
        row.failed = markLabel(this, QStringLiteral("✘"), QStringLiteral("#d0312d"), QStringLiteral("failed") + n);
        row.hint = markLabel(this, QStringLiteral("?"), QStringLiteral("#2a6fbf"), QStringLiteral("hint") + n);
        row.hint->installEventFilter(this);
        row.hint->setCursor(Qt::WhatsThisCursor);
        grid->addWidget(row.passed, i, 1);
        grid->addWidget(row.failed, i, 1);
        grid->addWidget(row.hint, i, 2);
        m_rows.append(row);
    }
    grid->setColumnStretch(0, 1);
    layout->addLayout(grid);
    m_close = new QPushButton(QStringLiteral("取消"), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(m_close, 0, Qt::AlignRight);

    m_bubble = new QLabel(this);
    m_bubble->setObjectName(QStringLiteral("bubble"));
    m_bubble->setStyleSheet(QStringLiteral("background: #fffbe0; border: 1px solid #c8b560; padding: 4px;"));
    m_bubble->hide();

    m_timeLine = new QTimeLine(qMax(1, m_options.animationMs), this);
    m_timeLine->setEasingCurve(QEasingCurve::Linear);
    connect(m_timeLine, &QTimeLine::frameChanged, m_bar, &QProgressBar::setValue);
    resize(360, 220);
}

DiagnosisWindow::Mark DiagnosisWindow::mark(int step) const
{
    if (step < 1 || step > StepCount)
        return None;
    const Row &row = m_rows.at(step - 1);
    if (!row.passed->isHidden())
        return Passed;
    return row.failed->isHidden() ? None : Failed;
}

QString DiagnosisWindow::infoText() const
{
    return m_info->text();
}

QString DiagnosisWindow::bubbleText() const
{
    return m_bubble->text();
}

bool DiagnosisWindow::bubbleVisible() const
{
    return !m_bubble->isHidden();
}

void DiagnosisWindow::runStep()
{
    if (!m_helper) {
        m_helper = new ZeltraLib::NetworkHelper(this);
        if (!m_options.pingProgram.isEmpty())
            m_helper->setPingProgram(m_options.pingProgram);
        connect(m_helper, &ZeltraLib::NetworkHelper::signalPingFinished, this,
                [this](int time) { stepDone(time != -1); });
        connect(m_helper, &ZeltraLib::NetworkHelper::signalCheckHttpFinished, this,
                &DiagnosisWindow::stepDone);
    }
    m_limit->start(m_options.stepTimeoutMs);
    switch (m_step) {
    case 1:
        m_helper->ping(m_options.publicHost, 2);
        break;
    case 2:
        m_helper->checkHttp(m_options.publicUrl);
        break;
    case 3:
        m_helper->ping(m_options.checkHost, 2);
        break;
    default:
        m_helper->checkHttp(m_options.serviceUrl);
        break;
    }
}

void DiagnosisWindow::stepDone(bool ok)
{
    if (isFinished())
        return;
    m_limit->stop();
    const Row &row = m_rows.at(m_step - 1);
    row.passed->setVisible(ok);
    row.failed->setVisible(!ok);
    row.hint->setVisible(!ok);
    if (!ok) {
        finish();
        return;
    }
    animateTo(m_step * 25);
    ++m_step;
    if (isFinished())
        finish();
    else
        runStep();
}

void DiagnosisWindow::animateTo(int percent)
{
    m_timeLine->stop();
    m_timeLine->setFrameRange(m_bar->value(), percent);
    m_target = percent;
    m_timeLine->start();
}

void DiagnosisWindow::finish()
{
    m_step = StepCount + 1;
    animateTo(100);
    m_info->setText(QStringLiteral("诊断完毕"));
    m_close->setText(QStringLiteral("确定"));
    Q_EMIT signalFinished();
}

bool DiagnosisWindow::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (watched != m_rows.at(i).hint)
            continue;
        if (event->type() == QEvent::Enter) {
            m_bubble->setText(i < 2 ? NetworkBubble : ServerBubble);
            m_bubble->adjustSize();
            const QWidget *hint = m_rows.at(i).hint;
            // Beside the mark, to its left, so that the marks stay in sight.
            const QPoint at = hint->mapTo(this, QPoint(0, 0));
            m_bubble->move(qMax(0, at.x() - m_bubble->width() - 24), at.y() - m_bubble->height() / 2);
            m_bubble->raise();
            m_bubble->show();
        } else if (event->type() == QEvent::Leave) {
            m_bubble->hide();
        }
    }
    return QDialog::eventFilter(watched, event);
}
