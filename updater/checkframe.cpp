#include "checkframe.h"

#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
const QString SocialPage = QStringLiteral("http://weibo.com/pennova");
const QString DownloadPage = QStringLiteral("http://www.pennova.cn/download");

QLabel *label(const QString &text, QWidget *parent, int pointSize = 0, bool bold = false)
{
    auto *item = new QLabel(text, parent);
    item->setWordWrap(true);
    item->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = item->font();
    if (pointSize > 0)
        font.setPointSize(pointSize);
    font.setBold(bold);
    item->setFont(font);
    return item;
}

QWidget *page(QWidget *parent, const QList<QWidget *> &items)
{
    auto *result = new QWidget(parent);
    auto *layout = new QVBoxLayout(result);
    layout->setContentsMargins(24, 16, 24, 16);
    for (QWidget *item : items) {
        item->setParent(result);
        layout->addWidget(item);
    }
    layout->addStretch();
    return result;
}
} // namespace

CheckFrame::CheckFrame(QWidget *parent)
    : QWidget(parent)
    , m_stack(new QStackedWidget(this))
    , m_progress(new QProgressBar(this))
    , m_failureNote(label(QString(), this))
{
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_failureNote->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_failureNote->hide();
    m_stack->addWidget(page(m_stack, {label(QStringLiteral("正在检查更新，请稍等..."), this, 14, true),
                                      label(QStringLiteral("欢迎使用在线升级"), this),
                                      label(QStringLiteral("正在检查最新版本及组件，请稍等。"), this), m_progress,
                                      label(QStringLiteral("该过程可能需要几分钟..."), this)}));
    m_stack->addWidget(page(m_stack, {label(QStringLiteral("您的Pennova已经是最新版本了，无需升级!"), this, 14, true),
                                      label(QStringLiteral("想了解更多的Pennova的最新发布动态，请关注："), this),
                                      label(SocialPage, this)}));
    m_stack->addWidget(page(m_stack, {label(QStringLiteral("抱歉，更新过程出现错误..."), this, 14, true),
                                      label(QStringLiteral("提示"), this, 0, true),
                                      label(QStringLiteral("您可以登录Pennova官网下载最新版本并手动安装"), this),
                                      label(DownloadPage, this),
                                      m_failureNote}));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
}

void CheckFrame::showView(View view)
{
    m_view = view;
    m_stack->setCurrentIndex(int(view));
}

void CheckFrame::setFailureNote(const QString &text)
{
    m_failureNote->setText(text);
    m_failureNote->setVisible(!text.isEmpty());
}

QString CheckFrame::failureNote() const
{
    return m_failureNote->text();
}

int CheckFrame::progress() const
{
    return m_progress->value();
}

void CheckFrame::slotSetProgress(int value)
{
    m_progress->setValue(qBound(0, value, 100));
}
