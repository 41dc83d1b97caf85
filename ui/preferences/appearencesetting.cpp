#include "appearencesetting.h"

#include "colorbutton.h"
#include "configstore.h"
#include "pagefields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

AppearenceSetting::AppearenceSetting(ConfigStore &prefs, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
    , m_fields(std::make_unique<PageFields>(prefs, [this] { ChangeMaked(); }))
{
    auto *layout = new QVBoxLayout(this);
    auto *text = new QGroupBox(QStringLiteral("文本框"), this);
    auto *form = new QFormLayout(text);
    m_font = new QFontComboBox(text);
    m_font->setObjectName(QStringLiteral("fontBox"));
    form->addRow(QStringLiteral("字体："), m_font);
    m_size = new QComboBox(text);
    m_size->setObjectName(QStringLiteral("sizeBox"));
    for (int size = 8; size <= 20; ++size)
        m_size->addItem(QString::number(size));
    form->addRow(QStringLiteral("字号："), m_size);
    m_foreground = new ColorButton(QStringLiteral("字体颜色"), text);
    m_foreground->setObjectName(QStringLiteral("foregroundButton"));
    form->addRow(QStringLiteral("字体颜色："), m_foreground);
    auto *background = new QCheckBox(QStringLiteral("使用背景颜色"), text);
    m_background = new ColorButton(QStringLiteral("背景颜色"), text);
    m_background->setObjectName(QStringLiteral("backgroundButton"));
    form->addRow(background, m_background);
    auto *highlight = new QCheckBox(QStringLiteral("当前句子高亮"), text);
    m_highlight = new ColorButton(QStringLiteral("句子颜色"), text);
    m_highlight->setObjectName(QStringLiteral("highlightButton"));
    form->addRow(highlight, m_highlight);
    layout->addWidget(text);

    auto *guide = new QGroupBox(QStringLiteral("写作向导设置"), this);
    auto *guideLayout = new QVBoxLayout(guide);
    auto *exportOpen = new QCheckBox(QStringLiteral("导出模板后自动打开"), guide);
    guideLayout->addWidget(exportOpen);
    layout->addWidget(guide);
    layout->addStretch();

    m_fields->addColor(m_foreground, QStringLiteral("display_text_color"));
    m_fields->addCheck(background, QStringLiteral("display_background_enabled"));
    m_fields->addColor(m_background, QStringLiteral("display_background_color"));
    m_fields->addCheck(highlight, QStringLiteral("display_highlight_enabled"));
    m_fields->addColor(m_highlight, QStringLiteral("display_highlight_color"));
    m_fields->addCheck(exportOpen, QStringLiteral("export_open_document"), false);

    connect(m_foreground, &QPushButton::clicked, this, &AppearenceSetting::BtnForeGroundClicked);
    connect(m_background, &QPushButton::clicked, this, &AppearenceSetting::BtnBackGroundClicked);
    connect(m_highlight, &QPushButton::clicked, this, &AppearenceSetting::HilightColorClicked);
    load(false);
    connect(m_font, &QFontComboBox::currentIndexChanged, this, &AppearenceSetting::ComboBoxCurrentIndexChanged);
    connect(m_size, &QComboBox::currentIndexChanged, this, &AppearenceSetting::ChangeMaked);
}

AppearenceSetting::~AppearenceSetting() = default;

void AppearenceSetting::load(bool useDefaults)
{
    m_fields->load(useDefaults);
    const QFont font(m_prefs.value(QStringLiteral("display_text_font"), useDefaults));
    m_font->setCurrentFont(font);
    // A family the system lacks still shows (and saves) under its own name.
    m_font->setEditText(font.family());
    m_font->setFont(QFont(font.family(), m_font->font().pointSize()));
    const int size = m_size->findText(m_prefs.value(QStringLiteral("display_text_font_size"), useDefaults));
    m_size->setCurrentIndex(size >= 0 ? size : m_size->findText(QStringLiteral("13")));
}

void AppearenceSetting::save()
{
    const QString family = m_font->currentText();
    const QString size = m_size->currentText();
    m_textChanged = m_textChanged || m_fields->differs()
        || family != m_prefs.value(QStringLiteral("display_text_font"))
        || size != m_prefs.value(QStringLiteral("display_text_font_size"));
    m_fields->save();
    m_prefs.setValue(QStringLiteral("display_text_font"), family);
    m_prefs.setValue(QStringLiteral("display_text_font_size"), size);
}

void AppearenceSetting::BtnForeGroundClicked()
{
    m_foreground->pick();
}

void AppearenceSetting::BtnBackGroundClicked()
{
    m_background->pick();
}

void AppearenceSetting::HilightColorClicked()
{
    m_highlight->pick();
}

void AppearenceSetting::ComboBoxCurrentIndexChanged(int)
{
    m_font->setFont(QFont(m_font->currentFont().family(), m_font->font().pointSize()));
    Q_EMIT ValueChange();
}

void AppearenceSetting::ChangeMaked()
{
    Q_EMIT ValueChange();
}
