#include "searchwindow.h"

#include "completionlabel.h"
#include "dialogframe.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

SearchWindow::SearchWindow(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("SearchWndClass"));
    setWindowTitle(QStringLiteral("查找"));
    setModal(false);
    setStyleSheet(QStringLiteral("QLabel, QCheckBox, QRadioButton, QGroupBox { font-family: 微软雅黑; font-size: 12px; }"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 14, 12, 12);
    grid->addWidget(new QLabel(QStringLiteral("查找的内容："), this), 0, 0);
    m_edit = new QLineEdit(this);
    grid->addWidget(m_edit, 0, 1, 1, 2);
    m_find = new QPushButton(QStringLiteral("查找下一个"), this);
    m_find->setDefault(true);
    grid->addWidget(m_find, 0, 3);
    m_case = new QCheckBox(QStringLiteral("区分大小写"), this);
    grid->addWidget(m_case, 2, 0, 1, 2, Qt::AlignBottom);
    auto *direction = new QGroupBox(QStringLiteral("方向："), this);
    auto *row = new QHBoxLayout(direction);
    m_up = new QRadioButton(QStringLiteral("向上"), direction);
    m_down = new QRadioButton(QStringLiteral("向下"), direction);
    m_down->setChecked(true);
    row->addWidget(m_up);
    row->addWidget(m_down);
    grid->addWidget(direction, 1, 2, 2, 1);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    grid->addWidget(cancel, 1, 3);
    grid->setRowMinimumHeight(1, 40);
    // A strip of its own under the controls for the completion line, which covers nothing.
    grid->setRowMinimumHeight(3, CompletionLabel::Height);
    setFixedSize(430, 130 + CompletionLabel::Height + 6);

    connect(m_edit, &QLineEdit::textChanged, this, &SearchWindow::slotInputChanged);
    m_edit->setFocus();
    connect(m_find, &QPushButton::clicked, this, &SearchWindow::slotSearch);
    connect(cancel, &QPushButton::clicked, this, &SearchWindow::slotClose);
    slotInputChanged();
    new DialogFrame(this, windowTitle()); // its own title bar: close and drag
}

QString SearchWindow::searchText() const
{
    return m_edit->text();
}

bool SearchWindow::caseSensitive() const
{
    return m_case->isChecked();
}

bool SearchWindow::downward() const
{
    return m_down->isChecked();
}

void SearchWindow::showNotFound()
{
    m_completion = CompletionLabel::replace(m_completion, this, QStringLiteral("已完成对文档的搜索"),
                                           CompletionLabel::bottomStripY(this));
}

void SearchWindow::showWrapped(bool downward)
{
    const QString text = downward ? QStringLiteral("已搜索到文档结尾，从开头继续搜索")
                                  : QStringLiteral("已搜索到文档开头，从结尾继续搜索");
    m_completion = CompletionLabel::replace(m_completion, this, text, CompletionLabel::bottomStripY(this));
}

void SearchWindow::hideCompletion()
{
    if (m_completion)
        m_completion->close();
}

QString SearchWindow::completionText() const
{
    return m_completion && m_completion->isVisible() ? m_completion->text() : QString();
}

void SearchWindow::slotSearch()
{
    if (!m_edit->text().isEmpty())
        emit signalSearch(this);
}

void SearchWindow::slotInputChanged()
{
    m_find->setEnabled(!m_edit->text().isEmpty());
    // A new search text makes the old message stale.
    if (m_completion)
        m_completion->close();
}

void SearchWindow::slotClose()
{
    close();
}

void SearchWindow::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}
