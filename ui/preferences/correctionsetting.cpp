#include "correctionsetting.h"

#include "colorbutton.h"
#include "configstore.h"
#include "levelbox.h"
#include "pagefields.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

CorrectionSetting::CorrectionSetting(ConfigStore &prefs, QWidget *parent)
    : QWidget(parent)
    , m_fields(std::make_unique<PageFields>(prefs, [this] { ChangeMaked(); }))
{
    auto *layout = new QVBoxLayout(this);
    auto *level = new LevelBox(QStringLiteral("纠错灵敏度设置"), QStringLiteral("纠错灵敏度："),
                               {QStringLiteral("高"), QStringLiteral("中"), QStringLiteral("低")},
                               QStringLiteral("您选择的纠错灵敏度越高，\nPennova尝试做出的修改也越多。\n（高灵敏度可能会造成一定误报）"),
                               this);
    m_fields->addChoice(level->group(), QStringLiteral("enlish_level"),
                        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}, -1, QStringLiteral("1"));
    layout->addWidget(level);

    auto *kinds = new QGroupBox(QStringLiteral("错误显示类型"), this);
    auto *grid = new QGridLayout(kinds);
    const struct
    {
        const char *name, *colorText, *key;
    } rows[] = {{"拼写错误", "拼写错误颜色", "spelling"}, {"语法错误", "语法错误颜色", "grammar"},
                {"样式错误", "样式错误颜色", "style"},    {"句子不完整", "句子不完整颜色", "suggestion"}};
    void (CorrectionSetting::*const clicked[])() = {
        &CorrectionSetting::BtnSpellingClicked, &CorrectionSetting::BtnGrammarClicked,
        &CorrectionSetting::BtnStyleClicked, &CorrectionSetting::slotSuggestionColorClicked};
    for (int i = 0; i < 4; ++i) {
        const QString key = QString::fromLatin1(rows[i].key);
        auto *on = new QCheckBox(QString::fromUtf8(rows[i].name), kinds);
        m_colors[i] = new ColorButton(QString::fromUtf8(rows[i].colorText), kinds);
        m_colors[i]->setObjectName(key + QStringLiteral("Color"));
        grid->addWidget(on, i, 0);
        grid->addWidget(m_colors[i], i, 1);
        m_fields->addCheck(on, QStringLiteral("display_%1_enabled").arg(key));
        m_fields->addColor(m_colors[i], QStringLiteral("display_%1_color").arg(key));
        connect(m_colors[i], &QPushButton::clicked, this, clicked[i]);
    }
    grid->setColumnStretch(2, 1);
    layout->addWidget(kinds);

    auto *report = new QGroupBox(QStringLiteral("全文统计设置"), this);
    auto *reportLayout = new QVBoxLayout(report);
    auto *showReport = new QCheckBox(QStringLiteral("检查完毕自动弹出统计窗口"), report);
    reportLayout->addWidget(showReport);
    m_fields->addCheck(showReport, QStringLiteral("show_report"), false);
    auto *dict = new QPushButton(QStringLiteral("编辑我的词库"), report);
    dict->setAutoDefault(false);
    connect(dict, &QPushButton::clicked, this, &CorrectionSetting::slotEditDict);
    reportLayout->addWidget(dict, 0, Qt::AlignLeft);
    layout->addWidget(report);
    layout->addStretch();
    load(false);
}

CorrectionSetting::~CorrectionSetting() = default;

void CorrectionSetting::load(bool useDefaults)
{
    m_fields->load(useDefaults);
}

void CorrectionSetting::save()
{
    m_findingChanged = m_findingChanged || m_fields->differs();
    m_fields->save();
}

void CorrectionSetting::BtnSpellingClicked() { m_colors[0]->pick(); }
void CorrectionSetting::BtnGrammarClicked() { m_colors[1]->pick(); }
void CorrectionSetting::BtnStyleClicked() { m_colors[2]->pick(); }
void CorrectionSetting::slotSuggestionColorClicked() { m_colors[3]->pick(); }

void CorrectionSetting::ChangeMaked()
{
    Q_EMIT ValueChange();
}

void CorrectionSetting::slotEditDict()
{
    if (m_dictUrl)
        QDesktopServices::openUrl(QUrl(m_dictUrl()));
}
