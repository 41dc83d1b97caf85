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
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString NetworkBubble = QStringLiteral("无法连接至互联网，\n您需要处于联网状态才能使用Pennova。");
const QString ServerBubble = QStringLiteral("暂时无法连接至Pennova服务器，\n您可以稍后再试或体验在线版。");
const QString NotedBubble = QStringLiteral("无法连接至互联网。\nPennova服务器连接正常，使用本地或学校的\n服务器时不需要互联网。");

QLabel *markLabel(QWidget *parent, const QString &text, const QString &color, const QString &name)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(color));
    label->hide();
    return label;
}

// "host:port" of a URL, or the text itself when it is no URL.
QString authorityOf(const QString &text)
{
    const QUrl url(text);
    if (url.isValid() && !url.host().isEmpty())
        return url.port() > 0 ? url.host() + u':' + QString::number(url.port()) : url.host();
    return text;
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
    if (m_options.serviceHosts.isEmpty())
        m_options.serviceHosts = serviceHosts();
    m_options.serviceHosts.removeDuplicates();
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

QStringList DiagnosisWindow::serviceHosts(const QString &first)
{
    QStringList hosts;
    if (!first.isEmpty())
        hosts << authorityOf(first);
    hosts << ZeltraLib::CheckHost() << ZeltraLib::AccountHost() << ZeltraLib::WebHost() << ZeltraLib::ApiHost()
          << ZeltraLib::ExplainHost();
    hosts.removeDuplicates();
    return hosts;
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

    auto addStep = [this](Kind kind, const QString &host) {
        Step step;
        step.kind = kind;
        step.host = host;
        m_steps.append(step);
    };
    for (const QString &host : std::as_const(m_options.serviceHosts))
        addStep(Kind::Service, host);
    addStep(Kind::PublicName, QString());
    addStep(Kind::PublicSite, QString());
    auto *grid = new QGridLayout;
    for (int i = 0; i < m_steps.size(); ++i) {
        Step &step = m_steps[i];
        const QString n = QString::number(i + 1);
        grid->addWidget(new QLabel(stepLabel(i + 1), this), i, 0);
        step.passed = markLabel(this, QStringLiteral("✔"), QStringLiteral("#2e9d3a"), QStringLiteral("passed") + n);
        step.failed = markLabel(this, QStringLiteral("✘"), QStringLiteral("#d0312d"), QStringLiteral("failed") + n);
        step.noted = markLabel(this, QStringLiteral("–"), QStringLiteral("#8a8a8a"), QStringLiteral("noted") + n);
        step.hint = markLabel(this, QStringLiteral("?"), QStringLiteral("#2a6fbf"), QStringLiteral("hint") + n);
        step.hint->installEventFilter(this);
        step.hint->setCursor(Qt::WhatsThisCursor);
        grid->addWidget(step.passed, i, 1);
        grid->addWidget(step.failed, i, 1);
        grid->addWidget(step.noted, i, 1);
        grid->addWidget(step.hint, i, 2);
    }
    grid->setColumnStretch(0, 1);
    layout->addLayout(grid);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    m_summary->setWordWrap(true);
    m_summary->hide();
    layout->addWidget(m_summary);
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
    resize(400, 200 + 24 * int(m_steps.size()));
}

QString DiagnosisWindow::stepLabel(int step) const
{
    if (step < 1 || step > stepCount())
        return QString();
    const Step &s = m_steps.at(step - 1);
    switch (s.kind) {
    case Kind::Service:
        return QStringLiteral("是否连接至Pennova服务器（%1）").arg(s.host);
    case Kind::PublicName:
        return QStringLiteral("域名解析是否正常");
    case Kind::PublicSite:
        break;
    }
    return QStringLiteral("是否连接至互联网");
}

DiagnosisWindow::Mark DiagnosisWindow::mark(int step) const
{
    if (step < 1 || step > stepCount())
        return None;
    const Step &s = m_steps.at(step - 1);
    if (!s.passed->isHidden())
        return Passed;
    if (!s.noted->isHidden())
        return Noted;
    return s.failed->isHidden() ? None : Failed;
}

QString DiagnosisWindow::infoText() const
{
    return m_info->text();
}

QString DiagnosisWindow::summaryText() const
{
    return m_summary->text();
}

QString DiagnosisWindow::bubbleText() const
{
    return m_bubble->text();
}

bool DiagnosisWindow::bubbleVisible() const
{
    return !m_bubble->isHidden();
}

bool DiagnosisWindow::servicesAnswered() const
{
    for (const Step &step : m_steps) {
        if (step.kind == Kind::Service && step.passed->isHidden())
            return false;
    }
    return true;
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
    const Step &step = m_steps.at(m_step - 1);
    switch (step.kind) {
    case Kind::Service:
        m_helper->checkHttp(QStringLiteral("http://") + step.host + QStringLiteral("/test.htm"));
        break;
    case Kind::PublicName:
        m_helper->ping(m_options.publicHost, 2);
        break;
    case Kind::PublicSite:
        m_helper->checkHttp(m_options.publicUrl);
        break;
    }
}

void DiagnosisWindow::stepDone(bool ok)
{
    if (isFinished())
        return;
    m_limit->stop();
    const Step &step = m_steps.at(m_step - 1);
    step.passed->setVisible(ok);
    step.failed->setVisible(!ok);
    step.hint->setVisible(!ok);
    animateTo(m_step * 100 / stepCount());
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
    m_step = stepCount() + 1;
    const bool services = servicesAnswered();
    bool internet = true;
    for (const Step &step : std::as_const(m_steps)) {
        if (step.kind == Kind::Service || step.passed->isHidden() == false)
            continue;
        internet = false;
        // With the services answering, the internet is no error.
        if (services) {
            step.failed->hide();
            step.noted->show();
        }
    }
    if (!services)
        m_summary->setText(QStringLiteral("暂时无法连接至Pennova服务器，请检查网络或稍后再试。"));
    else if (internet)
        m_summary->setText(QStringLiteral("Pennova服务器连接正常。"));
    else
        m_summary->setText(QStringLiteral("Pennova服务器连接正常。无法连接至互联网，使用本地或学校的服务器时不影响使用。"));
    m_summary->show();
    animateTo(100);
    m_info->setText(QStringLiteral("诊断完毕"));
    m_close->setText(QStringLiteral("确定"));
    Q_EMIT signalFinished();
}

bool DiagnosisWindow::eventFilter(QObject *watched, QEvent *event)
{
    for (const Step &step : std::as_const(m_steps)) {
        if (watched != step.hint)
            continue;
        if (event->type() == QEvent::Enter) {
            if (step.kind == Kind::Service)
                m_bubble->setText(ServerBubble);
            else
                m_bubble->setText(step.noted->isHidden() ? NetworkBubble : NotedBubble);
            m_bubble->adjustSize();
            // Beside the mark, to its left, so that the marks stay in sight.
            const QPoint at = step.hint->mapTo(this, QPoint(0, 0));
            m_bubble->move(qMax(0, at.x() - m_bubble->width() - 24), at.y() - m_bubble->height() / 2);
            m_bubble->raise();
            m_bubble->show();
        } else if (event->type() == QEvent::Leave) {
            m_bubble->hide();
        }
    }
    return QDialog::eventFilter(watched, event);
}
