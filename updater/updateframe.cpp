#include "updateframe.h"

#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
const QString FoundTitle = QStringLiteral("发现最新版本Pennova");
const QString ForcedTitle = QStringLiteral("当前版本过低，您只有更新后才能继续使用Pennova！");

QLabel *label(const QString &text, QWidget *parent, bool bold = false)
{
    auto *item = new QLabel(text, parent);
    item->setWordWrap(true);
    QFont font = item->font();
    font.setBold(bold);
    if (bold)
        font.setPointSize(14);
    item->setFont(font);
    return item;
}
} // namespace

UpdateFrame::UpdateFrame(QWidget *parent)
    : QWidget(parent)
    , m_stack(new QStackedWidget(this))
    , m_title(label(FoundTitle, this, true))
    , m_notes(new QTextBrowser(this))
    , m_status(label(QStringLiteral("正在获取新版本信息..."), this))
    , m_progress(new QProgressBar(this))
{
    // Release notes are shown as text with their formatting; no link is followed.
    m_notes->setOpenLinks(false);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);

    auto *found = new QWidget(m_stack);
    auto *foundLayout = new QVBoxLayout(found);
    foundLayout->setContentsMargins(24, 16, 24, 16);
    foundLayout->addWidget(m_title);
    foundLayout->addWidget(m_notes, 1);
    foundLayout->addWidget(label(QStringLiteral("发现最新版本Pennova，是否更新？"), found));
    QLabel *warning = label(QStringLiteral("安装过程中会自动关闭Pennova，更新前请保存您的文档。"), found);
    warning->setStyleSheet(QStringLiteral("color: #d0021b;"));
    foundLayout->addWidget(warning);

    auto *progress = new QWidget(m_stack);
    auto *progressLayout = new QVBoxLayout(progress);
    progressLayout->setContentsMargins(24, 16, 24, 16);
    progressLayout->addWidget(label(QStringLiteral("正在更新至最新版Pennova..."), progress, true));
    m_status->setParent(progress);
    progressLayout->addWidget(m_status);
    m_progress->setParent(progress);
    progressLayout->addWidget(m_progress);
    progressLayout->addStretch();

    m_stack->addWidget(found);
    m_stack->addWidget(progress);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
}

void UpdateFrame::showView(View view)
{
    m_view = view;
    m_stack->setCurrentIndex(int(view));
}

void UpdateFrame::setForced(bool forced)
{
    m_title->setText(forced ? ForcedTitle : FoundTitle);
}

void UpdateFrame::setNotes(const QString &notes)
{
    m_notes->setHtml(notes);
}

void UpdateFrame::setStatus(const QString &text)
{
    m_status->setText(text);
}

QString UpdateFrame::title() const
{
    return m_title->text();
}

QString UpdateFrame::status() const
{
    return m_status->text();
}

int UpdateFrame::progress() const
{
    return m_progress->value();
}

void UpdateFrame::slotSetProgress(int value)
{
    m_progress->setValue(qBound(0, value, 100));
}
