#include "generalsetting.h"

#include "configstore.h"
#include "pagefields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
struct RowInfo
{
    const char *title;
    const char *key;
};
const RowInfo Rows[] = {{"复制全文", "copy"},       {"清除全文", "clear"}, {"检查", "check"},
                        {"全部改正", "correct_all"}, {"润色", "improve"},   {"全部采纳", "improve_all"}};
// The order rows are compared in when looking for a clash.
const int ClashOrder[] = {GeneralSetting::Check, GeneralSetting::CorrectAll, GeneralSetting::Copy,
                          GeneralSetting::Clear, GeneralSetting::Improve, GeneralSetting::ImproveAll};

QCheckBox *addCheck(QLayout *layout, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    layout->addWidget(box);
    return box;
}
} // namespace

GeneralSetting::GeneralSetting(ConfigStore &prefs, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
    , m_fields(std::make_unique<PageFields>(prefs, [this] { ChangeMaked(); }))
{
    auto *layout = new QVBoxLayout(this);
    auto *start = new QGroupBox(QStringLiteral("启动设置"), this);
    auto *startLayout = new QVBoxLayout(start);
    m_fields->addCheck(addCheck(startLayout, QStringLiteral("启动时显示Pennova助手"), start),
                       QStringLiteral("display_tips"));
    m_fields->addCheck(addCheck(startLayout, QStringLiteral("启动时显示引导气泡"), start),
                       QStringLiteral("show_hint"));
    layout->addWidget(start);

    auto *other = new QGroupBox(QStringLiteral("其他设置"), this);
    auto *otherLayout = new QVBoxLayout(other);
    m_fields->addCheck(addCheck(otherLayout, QStringLiteral("处理完当前错误或润色建议自动跳到下一处"), other),
                       QStringLiteral("goto_next"));
    m_fields->addCheck(addCheck(otherLayout, QStringLiteral("使用Ctrl+数字键组合来改正错误或采纳润色"), other),
                       QStringLiteral("use_ctrl"));
    otherLayout->addWidget(new QLabel(QStringLiteral("关闭主面板时："), other));
    m_close = new QButtonGroup(this);
    auto *hide = new QRadioButton(QStringLiteral("隐藏到任务栏通知区域，不退出程序"), other);
    auto *quit = new QRadioButton(QStringLiteral("退出程序"), other);
    m_close->addButton(hide, 0);
    m_close->addButton(quit, 1);
    otherLayout->addWidget(hide);
    otherLayout->addWidget(quit);
    m_fields->addChoice(m_close, QStringLiteral("click_close_level"), {QStringLiteral("1"), QStringLiteral("2")},
                        0, QStringLiteral("1"));
    layout->addWidget(other);

    auto *keys = new QGroupBox(QStringLiteral("快捷键设置"), this);
    auto *grid = new QGridLayout(keys);
    void (GeneralSetting::*const typed[])(const QString &) = {
        &GeneralSetting::CopyTextChanged,    &GeneralSetting::ClearTextChanged,
        &GeneralSetting::CheckTextChanged,   &GeneralSetting::CorrectTextChanged,
        &GeneralSetting::ImproveTextChanged, &GeneralSetting::ImproveAllTextChanged};
    for (int i = 0; i < HotKeyCount; ++i) {
        Row row;
        row.title = QString::fromUtf8(Rows[i].title);
        row.key = QString::fromLatin1(Rows[i].key);
        row.enabled = new QCheckBox(row.title, keys);
        row.enabled->setObjectName(QStringLiteral("hk_%1_enabled").arg(row.key));
        row.ctrl = new QCheckBox(QStringLiteral("Ctrl+"), keys);
        row.alt = new QCheckBox(QStringLiteral("Alt+"), keys);
        row.ctrl->setObjectName(QStringLiteral("hk_%1_ctrl").arg(row.key));
        row.alt->setObjectName(QStringLiteral("hk_%1_alt").arg(row.key));
        row.edit = new QLineEdit(keys);
        row.edit->setObjectName(QStringLiteral("hk_%1_key").arg(row.key));
        row.edit->setFixedWidth(40);
        row.edit->installEventFilter(this);
        grid->addWidget(row.enabled, i, 0);
        grid->addWidget(row.ctrl, i, 1);
        grid->addWidget(row.alt, i, 2);
        grid->addWidget(row.edit, i, 3);
        m_fields->addCheck(row.enabled, QStringLiteral("hk_%1_enabled").arg(row.key));
        connect(row.edit, &QLineEdit::textEdited, this, typed[i]);
        for (QCheckBox *box : {row.ctrl, row.alt})
            connect(box, &QCheckBox::clicked, this, [this, i, box] { modifierToggled(i, box); });
        m_rows.append(row);
    }
    auto *reset = new QPushButton(QStringLiteral("重置热键"), keys);
    reset->setObjectName(QStringLiteral("resetHotKeys"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &GeneralSetting::ResetHotKeyClieked);
    grid->addWidget(reset, HotKeyCount, 3);
    m_message = new QLabel(keys);
    m_message->setObjectName(QStringLiteral("hotKeyMessage"));
    m_message->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_message->setWordWrap(true);
    grid->addWidget(m_message, HotKeyCount, 0, 1, 3);
    layout->addWidget(keys);
    layout->addStretch();
    load(false);
}

GeneralSetting::~GeneralSetting() = default;

void GeneralSetting::setMenuKeys(const QList<QPair<QKeySequence, QString>> &keys)
{
    m_menuKeys = keys;
}

void GeneralSetting::load(bool useDefaults)
{
    m_fields->load(useDefaults);
    loadHotKeys(useDefaults);
}

void GeneralSetting::loadHotKeys(bool useDefaults)
{
    m_message->clear();
    for (Row &row : m_rows) {
        const QString key = QStringLiteral("hk_%1_").arg(row.key);
        row.enabled->setChecked(m_prefs.value(key + QStringLiteral("enabled"), useDefaults) == QLatin1String("True"));
        const QStringList parts = m_prefs.value(key + QStringLiteral("key"), useDefaults).split(QLatin1Char('|'));
        row.ctrl->setChecked(parts.contains(QStringLiteral("ctrl")));
        row.alt->setChecked(parts.contains(QStringLiteral("alt")));
        row.edit->setText(parts.last().left(1).toUpper());
        row.shown = row.edit->text();
    }
}

void GeneralSetting::save()
{
    m_fields->save();
    for (int i = 0; i < m_rows.size(); ++i)
        m_prefs.setValue(QStringLiteral("hk_%1_key").arg(m_rows.at(i).key), combination(i));
}

QString GeneralSetting::combination(int row) const
{
    const Row &r = m_rows.at(row);
    return QStringLiteral("%1|%2|%3")
        .arg(r.ctrl->isChecked() ? QStringLiteral("ctrl") : QString(),
             r.alt->isChecked() ? QStringLiteral("alt") : QString(), r.edit->text());
}

QString GeneralSetting::portableText(const QString &keys)
{
    QStringList parts;
    for (const QString &part : keys.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        parts << (part.length() > 1 ? part.left(1).toUpper() + part.mid(1) : part);
    return QKeySequence::fromString(parts.join(QLatin1Char('+')), QKeySequence::PortableText)
        .toString(QKeySequence::PortableText);
}

QString GeneralSetting::owner(const QString &keys, int skip) const
{
    for (int i : ClashOrder) {
        if (i != skip && combination(i) == keys)
            return QStringLiteral("“%1”").arg(m_rows.at(i).title);
    }
    // The editor's own keys.
    const struct
    {
        QKeySequence::StandardKey key;
        const char *name;
    } editorKeys[] = {{QKeySequence::Copy, "复制"},   {QKeySequence::Paste, "粘贴"},
                      {QKeySequence::Cut, "剪切"},    {QKeySequence::Undo, "撤销"},
                      {QKeySequence::Redo, "重做"},   {QKeySequence::SelectAll, "全选"},
                      {QKeySequence::Find, "查找"},   {QKeySequence::Replace, "替换"},
                      {QKeySequence::Save, "保存"},   {QKeySequence::Open, "打开"},
                      {QKeySequence::New, "新建"},    {QKeySequence::Print, "打印"}};
    const QKeySequence wanted = QKeySequence::fromString(portableText(keys), QKeySequence::PortableText);
    for (const auto &k : editorKeys) {
        if (QKeySequence::keyBindings(k.key).contains(wanted))
            return QStringLiteral("编辑框的“%1”").arg(QString::fromUtf8(k.name));
    }
    // Alt+letter of a menu: the key would open the menu instead.
    for (const auto &menu : m_menuKeys) {
        if (menu.first == wanted)
            return QStringLiteral("菜单栏的“%1”菜单").arg(menu.second);
    }
    return QString();
}

QString GeneralSetting::message() const
{
    return m_message->text();
}

bool GeneralSetting::acceptCombination(int row)
{
    Row &r = m_rows[row];
    const QString keys = combination(row);
    QString refusal;
    if (!r.ctrl->isChecked() && !r.alt->isChecked())
        refusal = QStringLiteral("快捷键需要包含Ctrl或Alt。");
    else if (const QString who = owner(keys, row); !who.isEmpty())
        refusal = QStringLiteral("“%1”已被%2占用，请换一个。").arg(portableText(keys), who);
    m_message->setText(refusal);
    return refusal.isEmpty();
}

void GeneralSetting::modifierToggled(int row, QCheckBox *box)
{
    if (!acceptCombination(row)) {
        box->setChecked(!box->isChecked());
        return;
    }
    if (combination(row) != m_prefs.value(QStringLiteral("hk_%1_key").arg(m_rows.at(row).key)))
        Q_EMIT ValueChange();
}

void GeneralSetting::keyTyped(int row, const QString &text)
{
    // The first newly typed letter or digit replaces the key: Qt names those keys the same
    // on every platform. Anything else leaves the key as it was.
    Row &r = m_rows[row];
    QString typed = text;
    if (text.startsWith(r.shown))
        typed = text.mid(r.shown.length());
    else if (text.endsWith(r.shown))
        typed = text.left(text.length() - r.shown.length());
    QString key = text.isEmpty() ? QString() : r.shown;
    for (const QChar c : typed) {
        if (c.unicode() < 128 && c.isLetterOrNumber()) {
            key = c.toUpper();
            break;
        }
    }
    r.shown = key;
    if (r.edit->text() != key)
        r.edit->setText(key);
}

void GeneralSetting::CopyTextChanged(const QString &text) { keyTyped(Copy, text); }
void GeneralSetting::ClearTextChanged(const QString &text) { keyTyped(Clear, text); }
void GeneralSetting::CheckTextChanged(const QString &text) { keyTyped(Check, text); }
void GeneralSetting::CorrectTextChanged(const QString &text) { keyTyped(CorrectAll, text); }
void GeneralSetting::ImproveTextChanged(const QString &text) { keyTyped(Improve, text); }
void GeneralSetting::ImproveAllTextChanged(const QString &text) { keyTyped(ImproveAll, text); }

bool GeneralSetting::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        Row &r = m_rows[i];
        if (watched != r.edit)
            continue;
        if (event->type() == QEvent::FocusIn) {
            r.remembered = r.edit->text();
        } else if (event->type() == QEvent::FocusOut) {
            if (r.edit->text().isEmpty() || !acceptCombination(i)) {
                r.edit->setText(r.remembered);
                r.shown = r.remembered;
            }
            else if (combination(i) != m_prefs.value(QStringLiteral("hk_%1_key").arg(r.key)))
                Q_EMIT ValueChange();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GeneralSetting::ResetHotKeyClieked()
{
    loadHotKeys(true);
    Q_EMIT ValueChange();
}

void GeneralSetting::ChangeMaked()
{
    Q_EMIT ValueChange();
}

void GeneralSetting::RbtnChange(bool)
{
    if (m_fields->differs())
        Q_EMIT ValueChange();
}
