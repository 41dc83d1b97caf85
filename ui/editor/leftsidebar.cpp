#include "leftsidebar.h"

#include <QButtonGroup>
#include <QToolButton>
#include <QVBoxLayout>

LeftSideBar::LeftSideBar(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("LeftSideBar"));
    setFixedWidth(64);
    setStyleSheet(QStringLiteral(
        "#LeftSideBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f6f9f, stop:1 #1f4f75); }"
        "QToolButton { color: white; border: none; font-family: 微软雅黑; font-size: 14px;"
        " padding: 10px 0; }"
        "QToolButton:hover { background: rgba(255,255,255,40); }"
        "QToolButton:checked { background: #f0f7fa; color: #1f4f75; font-weight: bold; }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 12, 0, 12);
    layout->setSpacing(6);
    m_correct = makeModeButton(QStringLiteral("纠错"), QStringLiteral("纠错模式：检查拼写、语法和样式错误"));
    m_polish = makeModeButton(QStringLiteral("润色"), QStringLiteral("润色模式：改进用词"));
    m_correct->setObjectName(QStringLiteral("pb_correct_mode"));
    m_polish->setObjectName(QStringLiteral("pb_improve_mode"));
    layout->addWidget(m_correct);
    layout->addWidget(m_polish);
    layout->addStretch(1);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_group->addButton(m_correct);
    m_group->addButton(m_polish);
    m_correct->setChecked(true);
}

QToolButton *LeftSideBar::makeModeButton(const QString &text, const QString &tip)
{
    auto *button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setMinimumHeight(56);
    return button;
}
