#include "levelbox.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

LevelBox::LevelBox(const QString &title, const QString &label, const QStringList &levels,
                   const QString &explanation, QWidget *parent)
    : QGroupBox(title, parent)
{
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(label, this), 0, 0);
    m_group = new QButtonGroup(this);
    for (int i = 0; i < levels.size(); ++i) {
        auto *button = new QRadioButton(levels.at(i), this);
        button->installEventFilter(this);
        m_group->addButton(button, i);
        grid->addWidget(button, 0, i + 1);
    }
    grid->setColumnStretch(int(levels.size()) + 1, 1);
    m_explain = new QLabel(explanation, this);
    m_explain->setStyleSheet(QStringLiteral("color: #555;"));
    m_explain->hide();
    grid->addWidget(m_explain, 1, 0, 1, int(levels.size()) + 2);
}

bool LevelBox::explanationShown() const
{
    return !m_explain->isHidden();
}

bool LevelBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter)
        m_explain->show();
    else if (event->type() == QEvent::Leave)
        m_explain->hide();
    return QGroupBox::eventFilter(watched, event);
}
