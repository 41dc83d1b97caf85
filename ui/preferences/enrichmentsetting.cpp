#include "enrichmentsetting.h"

#include "colorbutton.h"
#include "configstore.h"
#include "levelbox.h"
#include "pagefields.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

EnrichmentSetting::EnrichmentSetting(ConfigStore &prefs, QWidget *parent)
    : QWidget(parent)
    , m_fields(std::make_unique<PageFields>(prefs, [this] { Q_EMIT signalValueChanged(); }))
{
    auto *layout = new QVBoxLayout(this);
    auto *level = new LevelBox(QStringLiteral("润色程度设置"), QStringLiteral("润色程度："),
                               {QStringLiteral("轻度修饰"), QStringLiteral("中度修饰"), QStringLiteral("重度修饰")},
                               QStringLiteral("您选择的修饰程度越高，\nPennova给出的润色建议就越多。"), this);
    // Anything but "3" or "2" reads as the strongest level.
    m_fields->addChoice(level->group(), QStringLiteral("enrichment_level"),
                        {QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}, 2, QStringLiteral("1"));
    layout->addWidget(level);

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
