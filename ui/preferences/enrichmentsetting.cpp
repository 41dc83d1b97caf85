#include "enrichmentsetting.h"

#include "colorbutton.h"
#include "configstore.h"
#include "pagefields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

EnrichmentSetting::EnrichmentSetting(ConfigStore &prefs, QWidget *parent)
    : QWidget(parent)
    , m_fields(std::make_unique<PageFields>(prefs, [this] { Q_EMIT signalValueChanged(); }))
{
    auto *layout = new QVBoxLayout(this);
    auto *level = new QGroupBox(QStringLiteral("润色程度设置"), this);
    auto *levelLayout = new QHBoxLayout(level);
    levelLayout->addWidget(new QLabel(QStringLiteral("润色程度："), level));
    m_level = new QButtonGroup(this);
    const char *const levels[] = {"轻度修饰", "中度修饰", "重度修饰"};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QRadioButton(QString::fromUtf8(levels[i]), level);
        button->installEventFilter(this);
        m_level->addButton(button, i);
        levelLayout->addWidget(button);
    }
    levelLayout->addStretch();
    // Anything but "3" or "2" reads as the strongest level.
    m_fields->addChoice(m_level, QStringLiteral("enrichment_level"),
                        {QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}, 2, QStringLiteral("1"));
    layout->addWidget(level);
    m_explain = new QLabel(QStringLiteral("您选择的修饰程度越高，\nPennova给出的润色建议就越多。"), this);
    m_explain->hide();
    layout->addWidget(m_explain);

    auto *style = new QGroupBox(QStringLiteral("润色样式设置"), this);
    auto *styleLayout = new QHBoxLayout(style);
    auto *on = new QCheckBox(QStringLiteral("润色建议"), style);
    m_color = new ColorButton(QStringLiteral("润色建议颜色"), style);
    m_color->setObjectName(QStringLiteral("enrichmentColor"));
    styleLayout->addWidget(on);
    styleLayout->addWidget(m_color);
    styleLayout->addStretch();
    layout->addWidget(style);
    layout->addStretch();
    m_fields->addCheck(on, QStringLiteral("display_enrichment_enabled"));
    m_fields->addColor(m_color, QStringLiteral("display_enrichment_color"));
    connect(m_color, &QPushButton::clicked, this, &EnrichmentSetting::slotEnrichmentColorClicked);
    load(false);
}

EnrichmentSetting::~EnrichmentSetting() = default;

void EnrichmentSetting::load(bool useDefaults)
{
    m_fields->load(useDefaults);
}

bool EnrichmentSetting::save()
{
    const bool changed = m_fields->differs();
    m_fields->save();
    return changed;
}

void EnrichmentSetting::slotEnrichmentColorClicked()
{
    m_color->pick();
}

void EnrichmentSetting::slotEnrichLevelChanged()
{
    Q_EMIT signalValueChanged();
}

bool EnrichmentSetting::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter)
        m_explain->show();
    else if (event->type() == QEvent::Leave)
        m_explain->hide();
    return QWidget::eventFilter(watched, event);
}
