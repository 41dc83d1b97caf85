#include "customaction.h"

CustomAction::CustomAction(int index, const QString &text, QObject *parent)
    : QAction(text, parent), m_index(index)
{
    connect(this, &QAction::triggered, this, &CustomAction::slotTriggered);
}

void CustomAction::slotTriggered()
{
    emit signalClicked(m_index);
}
