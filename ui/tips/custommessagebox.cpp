#include "custommessagebox.h"

#include "dialogframe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

CustomMessageBox::AutoAnswer &autoAnswer()
{
    static CustomMessageBox::AutoAnswer answer;
    return answer;
}

} // namespace

CustomMessageBox::CustomMessageBox(const QString &title, const QString &text, QWidget *parent)
    : QDialog(parent)
{
    build(title, text);
}

CustomMessageBox::CustomMessageBox(const QString &title, const QString &text,
                                   const QString &confirmText, QWidget *parent)
    : QDialog(parent)
{
    build(title, text);
    m_confirm->setText(confirmText);
    m_cancel->show();
}

CustomMessageBox::CustomMessageBox(const QString &title, const QString &text,
                                   const QString &confirmText, const QString &cancelText,
                                   QWidget *parent)
    : QDialog(parent)
{
    build(title, text);
    m_confirm->setText(confirmText);
    m_cancel->setText(cancelText);
    m_cancel->show();
}

CustomMessageBox::CustomMessageBox(const QString &title, const QString &text,
                                   const QString &confirmText, const QString &extraText,
                                   bool *flag, QWidget *parent)
    : QDialog(parent)
    , m_flag(flag)
{
    build(title, text);
    m_confirm->setText(confirmText);
    m_extra->setText(extraText);
    m_extra->show();
    m_cancel->show();
}

CustomMessageBox::~CustomMessageBox() = default;

void CustomMessageBox::build(const QString &title, const QString &text)
{
    setObjectName(QStringLiteral("CustomMsgBoxClass"));
    m_title = title;
    setWindowTitle(title);
    setModal(true);
    setStyleSheet(boxStyleSheet());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->setSpacing(12);
    m_text = new QLabel(text, this);
    m_text->setWordWrap(false);
    m_text->setStyleSheet(QStringLiteral("font-family: 微软雅黑; font-size: 13px; color: #333333;"));
    layout->addWidget(m_text);
    m_countDown = new QLabel(this);
    m_countDown->setStyleSheet(QStringLiteral("color: #D04605;"));
    m_countDown->hide();
    layout->addWidget(m_countDown);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_confirm = new QPushButton(QStringLiteral("确认"), this);
    m_confirm->setDefault(true);
    m_extra = new QPushButton(QStringLiteral("保存文本"), this);
    m_cancel = new QPushButton(QStringLiteral("返回"), this);
    m_extra->hide();
    m_cancel->hide();
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_extra);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    connect(m_confirm, &QPushButton::clicked, this, &CustomMessageBox::slotSumbmitClicked);
    connect(m_extra, &QPushButton::clicked, this, &CustomMessageBox::slotExtraClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &CustomMessageBox::slotCountDown);
    new DialogFrame(this, windowTitle()); // the program's frame: title bar, drag, fade
}

QString CustomMessageBox::text() const
{
    return m_text->text();
}

void CustomMessageBox::setText(const QString &text)
{
    m_text->setText(text);
}

bool CustomMessageBox::hasCancelButton() const
{
    return !m_cancel->isHidden();
}

bool CustomMessageBox::hasExtraButton() const
{
    return !m_extra->isHidden();
}

QString CustomMessageBox::countDownText() const
{
    return m_countDown->isHidden() ? QString() : m_countDown->text();
}

void CustomMessageBox::startCountDown(int seconds, int words)
{
    m_words = words;
    m_remaining = seconds + 1;
    m_countDown->show();
    showCountDown();
    m_timer.start();
}

void CustomMessageBox::showCountDown()
{
    m_countDown->setText(QStringLiteral("%1 s内还能检查%2词").arg(m_remaining).arg(m_words));
}

void CustomMessageBox::slotCountDown()
{
    --m_remaining;
    showCountDown();
    if (m_remaining < 1) {
        m_timer.stop();
        m_countDownEnded = true;
        accept();
    }
}

int CustomMessageBox::exec()
{
    if (const AutoAnswer &answer = autoAnswer()) {
        const int result = answer(*this);
        m_timer.stop();
        setResult(result);
        return result;
    }
    if (m_countDownEnded)
        return QDialog::Accepted; // the count-down ran out before the box was shown
    if (parentWidget()) {
        adjustSize();
        const QRect outer = parentWidget()->window()->geometry();
        move(outer.center() - rect().center());
    }
    return QDialog::exec();
}

QString CustomMessageBox::boxStyleSheet()
{
    return QStringLiteral(
        "QDialog { background: #f0f7fa; }"
        "QLabel, QCheckBox, QRadioButton { font-family: 微软雅黑; font-size: 13px; color: #333333; }"
        "QPushButton { font-family: 微软雅黑; font-size: 12px; color: #1f4e79; background: #ffffff;"
        " border: 1px solid #7d96aa; border-radius: 3px; padding: 4px 14px; min-width: 48px; }"
        "QPushButton:hover { background: #e3f0fa; }"
        "QPushButton:default { background: #2f7fc1; color: white; border-color: #2f6fa8; }"
        "QPushButton:flat { border: none; background: transparent; color: #2f7fc1; padding: 2px 4px; }");
}

void CustomMessageBox::setAutoAnswer(AutoAnswer answer)
{
    autoAnswer() = std::move(answer);
}

void CustomMessageBox::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}

void CustomMessageBox::slotSumbmitClicked()
{
    accept();
}

void CustomMessageBox::slotExtraClicked()
{
    if (m_flag)
        *m_flag = true;
    accept();
}
