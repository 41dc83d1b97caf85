#include "preferencewindow.h"

#include "appearencesetting.h"
#include "configstore.h"
#include "correctionsetting.h"
#include "dialogframe.h"
#include "enrichmentsetting.h"
#include "generalsetting.h"
#include "networksetting.h"
#include "networkwindow.h"
#include "servicehosts.h"
#include "updatesetting.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

PreferenceWindow::PreferenceWindow(ConfigStore &prefs, const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_prefs(prefs)
    , m_services(services)
{
    setObjectName(QStringLiteral("PreferWndClass"));
    setWindowTitle(QStringLiteral("设置"));
    if (m_services.proxyTestUrl.isEmpty())
        m_services.proxyTestUrl = QStringLiteral("http://") + ZeltraLib::AccountHost() + QStringLiteral("/test.htm");

    auto *layout = new QVBoxLayout(this);
    auto *body = new QHBoxLayout;
    auto *navColumn = new QVBoxLayout;
    m_nav = new QButtonGroup(this);
    const char *const titles[] = {"常规设置", "显示设置", "纠错设置", "润色设置", "网络连接", "软件升级"};
    for (int i = 0; i < PageCount; ++i) {
        auto *button = new QPushButton(QString::fromUtf8(titles[i]), this);
        button->setObjectName(QStringLiteral("nav%1").arg(i));
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setMinimumWidth(96);
        m_nav->addButton(button, i);
        navColumn->addWidget(button);
    }
    navColumn->addStretch();
    body->addLayout(navColumn);

    m_stack = new QStackedWidget(this);
    m_general = new GeneralSetting(prefs, m_stack);
    m_general->setMenuKeys(m_services.menuKeys);
    m_appearence = new AppearenceSetting(prefs, m_stack);
    m_correction = new CorrectionSetting(prefs, m_stack);
    m_correction->setDictionaryUrl(m_services.dictionaryUrl);
    m_enrichment = new EnrichmentSetting(prefs, m_stack);
    m_update = new UpdateSetting(prefs, m_stack);
    m_update->setCheckUpdate(m_services.checkUpdate);
    for (QWidget *page : {static_cast<QWidget *>(m_general), static_cast<QWidget *>(m_appearence),
                          static_cast<QWidget *>(m_correction), static_cast<QWidget *>(m_enrichment),
                          networkPage(), static_cast<QWidget *>(m_update)})
        m_stack->addWidget(page);
    body->addWidget(m_stack, 1);
    layout->addLayout(body);

    auto *buttons = new QHBoxLayout;
    auto *reset = new QPushButton(QStringLiteral("重置当前"), this);
    reset->setObjectName(QStringLiteral("resetButton"));
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    m_apply = new QPushButton(QStringLiteral("应用"), this);
    m_apply->setObjectName(QStringLiteral("applyButton"));
    buttons->addWidget(reset);
    buttons->addStretch();
    for (QPushButton *button : {ok, cancel, m_apply}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    bool number = false;
    const int index = m_prefs.value(QStringLiteral("Setting_Index")).toInt(&number);
    slotUpdatePanel(number && index >= 0 && index < PageCount ? index : 0);
    m_apply->setEnabled(false);

    connect(m_nav, &QButtonGroup::idClicked, this, &PreferenceWindow::slotUpdatePanel);
    connect(m_general, &GeneralSetting::ValueChange, this, &PreferenceWindow::EnableApplyButton);
    connect(m_appearence, &AppearenceSetting::ValueChange, this, &PreferenceWindow::EnableApplyButton);
    connect(m_correction, &CorrectionSetting::ValueChange, this, &PreferenceWindow::EnableApplyButton);
    connect(m_enrichment, &EnrichmentSetting::signalValueChanged, this, &PreferenceWindow::EnableApplyButton);
    connect(m_network, &NetworkSetting::signalValueChanged, this, &PreferenceWindow::EnableApplyButton);
    connect(m_update, &UpdateSetting::signalValueChanged, this, &PreferenceWindow::EnableApplyButton);
    connect(m_network, &NetworkSetting::signalCheckProxyFinished, this, &PreferenceWindow::slotCheckProxyFinished);
    connect(m_network, &NetworkSetting::signalTest, this, &PreferenceWindow::slotTestClicked);
    connect(reset, &QPushButton::clicked, this, &PreferenceWindow::ButtonResetClicked);
    connect(ok, &QPushButton::clicked, this, &PreferenceWindow::ButtonOkClicked);
    connect(cancel, &QPushButton::clicked, this, &PreferenceWindow::ButtonCannelClicked);
    connect(m_apply, &QPushButton::clicked, this, &PreferenceWindow::ButtonApplyClicked);
    resize(640, 520);
    new DialogFrame(this, windowTitle()); // the program's frame: title bar, drag, fade
}

PreferenceWindow::~PreferenceWindow() = default;

QWidget *PreferenceWindow::networkPage()
{
    auto *holder = new QWidget(m_stack);
    auto *layout = new QVBoxLayout(holder);
    m_network = new NetworkSetting(m_prefs, m_services.proxyTestUrl, holder);
    layout->addWidget(m_network);
    auto *diagnosis = new QGroupBox(QStringLiteral("网络诊断"), holder);
    auto *row = new QHBoxLayout(diagnosis);
    row->addWidget(new QLabel(QStringLiteral("点击开始诊断网络连接"), diagnosis));
    auto *start = new QPushButton(QStringLiteral("网络诊断"), diagnosis);
    start->setObjectName(QStringLiteral("diagnosisButton"));
    start->setAutoDefault(false);
    start->setEnabled(bool(m_services.showDiagnosis));
    connect(start, &QPushButton::clicked, this, &PreferenceWindow::slotDiagnosis);
    row->addStretch();
    row->addWidget(start);
    layout->addWidget(diagnosis);
    layout->addStretch();
    return holder;
}

int PreferenceWindow::currentPage() const
{
    return m_stack->currentIndex();
}

QWidget *PreferenceWindow::page(int n) const
{
    if (n == Network)
        return m_network;
    return m_stack->widget(n);
}

void PreferenceWindow::slotUpdatePanel(int n)
{
    if (n < 0 || n >= PageCount)
        return;
    m_nav->button(n)->setChecked(true);
    m_stack->setCurrentIndex(n);
    m_prefs.setValue(QStringLiteral("Setting_Index"), QString::number(n));
}

void PreferenceWindow::EnableApplyButton()
{
    m_apply->setEnabled(true);
}

void PreferenceWindow::apply()
{
    m_general->save();
    m_correction->save();
    m_appearence->save();
    m_network->save();
    m_update->save();
    const bool polishChanged = m_enrichment->save();
    m_prefs.save();
    Q_EMIT signalApplyChange(m_appearence->textChanged(), m_correction->findingChanged() || polishChanged);
}

void PreferenceWindow::ButtonApplyClicked()
{
    apply();
    m_appearence->clearTextChanged();
    m_correction->clearFindingChanged();
    m_apply->setEnabled(false);
}

void PreferenceWindow::ButtonOkClicked()
{
    apply();
    accept();
}

void PreferenceWindow::ButtonCannelClicked()
{
    reject();
}

void PreferenceWindow::slotClose()
{
    reject();
}

void PreferenceWindow::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}

void PreferenceWindow::ButtonResetClicked()
{
    switch (currentPage()) {
    case General:
        m_general->load(true);
        break;
    case Appearence:
        m_appearence->load(true);
        break;
    case Correction:
        m_correction->load(true);
        break;
    case Enrichment:
        m_enrichment->load(true);
        break;
    case Network:
        m_network->load(true);
        break;
    default:
        m_update->load(true);
        break;
    }
    EnableApplyButton();
}

void PreferenceWindow::slotCheckProxyFinished(bool bSucc)
{
    if (m_services.proxyResult)
        m_services.proxyResult(this, bSucc);
    else
        NetworkWindow::showProxyResult(this, bSucc);
    m_network->setEnabled(true);
}

void PreferenceWindow::slotDiagnosis()
{
    if (m_services.showDiagnosis)
        m_services.showDiagnosis(this);
}

void PreferenceWindow::slotTestClicked()
{
    if (m_services.countEvent)
        m_services.countEvent(QStringLiteral("Proxy_Test"));
}

int showPreferenceWindow(ConfigStore &prefs, const PreferenceWindow::Services &services,
                         QWidget *parent, const std::function<void(bool, bool)> &applied)
{
    PreferenceWindow window(prefs, services, parent);
    QObject::connect(&window, &PreferenceWindow::signalApplyChange, &window,
                     [&applied](bool text, bool error) {
                         if (applied)
                             applied(text, error);
                     });
    return window.exec();
}
