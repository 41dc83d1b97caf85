#include "replaceaction.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {
// The row of a replacement word; a click outside the button chooses the word.
class ReplaceRow : public QFrame
{
public:
    ReplaceRow(ReplaceAction *action, QWidget *parent)
        : QFrame(parent), m_action(action)
    {
        setObjectName(QStringLiteral("replaceRow"));
        setMinimumHeight(24);
        setAttribute(Qt::WA_Hover);
        auto *layout = new QHBoxLayout(this);
        layout->setSpacing(5);
        layout->setContentsMargins(5, 0, 5, 0);
        auto *compare = new QPushButton(this);
        compare->setObjectName(QStringLiteral("compareButton"));
        compare->setFixedSize(16, 16);
        compare->setIcon(QIcon(QStringLiteral(":/MainWindow/Resources/dict_compare.svg")));
        compare->setIconSize(QSize(14, 14));
        compare->setFlat(true);
        compare->setToolTip(QStringLiteral("在词典中对比"));
        compare->setCursor(Qt::PointingHandCursor);
        connect(compare, &QPushButton::clicked, action, &ReplaceAction::slotClicked);
        auto *label = new QLabel(action->word(), this);
        label->setObjectName(QStringLiteral("wordLabel"));
        QFont font(QStringLiteral("微软雅黑"));
        label->setFont(font);
        layout->addWidget(compare);
        layout->addWidget(label, 1);
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_action->trigger();
        QFrame::mouseReleaseEvent(event);
    }

private:
    ReplaceAction *m_action; // owns nothing; the action outlives its rows
};
} // namespace

ReplaceAction::ReplaceAction(const QString &word, QObject *parent)
    : QWidgetAction(parent), m_word(word)
{
    setText(word);
    connect(this, &QAction::triggered, this, &ReplaceAction::slotTriggered);
}

QWidget *ReplaceAction::createWidget(QWidget *parent)
{
    return new ReplaceRow(this, parent);
}

void ReplaceAction::slotClicked()
{
    emit signalCompare(m_word);
}

void ReplaceAction::slotTriggered()
{
    emit signalReplace(m_word);
}
