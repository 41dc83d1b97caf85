#include "updatesetting.h"

#include "configstore.h"
#include "pagefields.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

UpdateSetting::UpdateSetting(ConfigStore &prefs, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
    , m_fields(std::make_unique<PageFields>(prefs, [this] { Q_EMIT signalValueChanged(); }))
{
    auto *layout = new QVBoxLayout(this);
    m_type = new QButtonGroup(this);
    const struct
    {
        const char *name, *text;
    } rows[] = {{"rb_first", "启动时检查更新，并自动下载安装"},
                {"rb_second", "版本更新时通知我，但由我选择是否安装更新（推荐）"},
                {"rb_third", "仅在当前版本不可用时通知我（可能会影响您的使用体验）"}};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QRadioButton(QString::fromUtf8(rows[i].text), this);
        button->setObjectName(QString::fromLatin1(rows[i].name));
        m_type->addButton(button, i);
        layout->addWidget(button);
    }
    m_fields->addChoice(m_type, QStringLiteral("update_type"),
                        {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}, -1, QStringLiteral("0"));
    auto *check = new QPushButton(QStringLiteral("检查更新"), this);
    check->setObjectName(QStringLiteral("pb_check"));
    check->setAutoDefault(false);
    check->setEnabled(false);
    m_check = check;
    connect(check, &QPushButton::clicked, this, &UpdateSetting::slotCheckUpdate);
    layout->addWidget(check, 0, Qt::AlignLeft);
    layout->addStretch();
    load(false);
}

UpdateSetting::~UpdateSetting() = default;

void UpdateSetting::load(bool useDefaults)
{
    m_fields->load(useDefaults);
    // Text that is not a number reads as "0".
    bool number = false;
    m_prefs.value(QStringLiteral("update_type"), useDefaults).trimmed().toInt(&number);
    if (!number)
        PageFields::checkOnly(m_type, 0);
}

void UpdateSetting::save()
{
    m_fields->save();
}

void UpdateSetting::setCheckUpdate(std::function<void()> check)
{
    m_checkUpdate = std::move(check);
    m_check->setEnabled(bool(m_checkUpdate));
}

void UpdateSetting::slotCheckUpdate()
{
    if (m_checkUpdate)
        m_checkUpdate();
}
