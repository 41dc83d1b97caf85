#include "replacewindow.h"

#include "completionlabel.h"
#include "dialogframe.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ReplaceWindow::ReplaceWindow(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("ReplaceWndClass"));
    setWindowTitle(QStringLiteral("替换"));
    setModal(false);
    setStyleSheet(QStringLiteral("QLabel, QCheckBox { font-family: 微软雅黑; font-size: 12px; }"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 14, 12, 12);
    grid->addWidget(new QLabel(QStringLiteral("查找内容："), this), 0, 0);
    m_search = new QLineEdit(this);
    grid->addWidget(m_search, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("替换为："), this), 1, 0);
    m_replace = new QLineEdit(this);
    grid->addWidget(m_replace, 1, 1);
    m_case = new QCheckBox(QStringLiteral("区分大小写"), this);
    grid->addWidget(m_case, 3, 0, 1, 2, Qt::AlignBottom);
    const char *const texts[] = {"查找下一个", "替换", "全部替换"};
    for (int code = 0; code < 3; ++code) {
        m_buttons[code] = new QPushButton(QString::fromUtf8(texts[code]), this);
        grid->addWidget(m_buttons[code], code, 2);
    }
    m_buttons[FindNext]->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    grid->addWidget(cancel, 3, 2);
    // A strip of its own under the controls for the completion line, which covers nothing.
    grid->setRowMinimumHeight(4, CompletionLabel::Height);
    setFixedSize(420, 160 + CompletionLabel::Height + 6);

    connect(m_search, &QLineEdit::textChanged, this, &ReplaceWindow::slotInputChanged);
    m_search->setFocus();
    connect(m_buttons[FindNext], &QPushButton::clicked, this, &ReplaceWindow::slotSearch);
    connect(m_buttons[ReplaceOne], &QPushButton::clicked, this, &ReplaceWindow::slotReplace);
    connect(m_buttons[ReplaceAll], &QPushButton::clicked, this, &ReplaceWindow::slotReplaceAll);
    connect(cancel, &QPushButton::clicked, this, &ReplaceWindow::slotClose);
    slotInputChanged();
    new DialogFrame(this, windowTitle()); // its own title bar: close and drag
}

QString ReplaceWindow::searchText() const
{
    return m_search->text();
}

QString ReplaceWindow::replaceText() const
{
    return m_replace->text();
}

bool ReplaceWindow::caseSensitive() const
{
    return m_case->isChecked();
}

void ReplaceWindow::showCompletion(int code)
{
    static const char *const texts[] = {"已完成对文档的搜索", "已完成对文档的替换", "全部替换完成"};
    const int c = qBound(0, code, 2);
    m_completion = CompletionLabel::replace(m_completion, this, QString::fromUtf8(texts[c]),
                                           CompletionLabel::bottomStripY(this));
}

void ReplaceWindow::showWrapped()
{
    m_completion = CompletionLabel::replace(m_completion, this, QStringLiteral("已搜索到文档结尾，从开头继续搜索"),
                                           CompletionLabel::bottomStripY(this));
}

void ReplaceWindow::hideCompletion()
{
    if (m_completion)
        m_completion->close();
}

QString ReplaceWindow::completionText() const
{
    return m_completion && m_completion->isVisible() ? m_completion->text() : QString();
}

int ReplaceWindow::completionY() const
{
    return m_completion ? m_completion->y() : -1;
}

void ReplaceWindow::request(int code)
{
    if (!m_search->text().isEmpty())
        emit signalReplace(code, this);
}

void ReplaceWindow::slotSearch()
{
    request(FindNext);
}

void ReplaceWindow::slotReplace()
{
    request(ReplaceOne);
}

void ReplaceWindow::slotReplaceAll()
{
    request(ReplaceAll);
}

void ReplaceWindow::slotInputChanged()
{
    const bool has = !m_search->text().isEmpty();
    for (QPushButton *b : m_buttons)
        b->setEnabled(has);
    // A new search text makes the old message stale.
    if (m_completion)
        m_completion->close();
}

void ReplaceWindow::slotClose()
{
    close();
}

void ReplaceWindow::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}
