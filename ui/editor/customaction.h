#pragma once

#include <QAction>

// A menu entry that reports its index (a candidate's place) when triggered.
class CustomAction : public QAction
{
    Q_OBJECT
public:
    CustomAction(int index, const QString &text, QObject *parent = nullptr);
    int index() const { return m_index; }

Q_SIGNALS:
    void signalClicked(int nIndex);

public Q_SLOTS:
    void slotTriggered();

private:
    int m_index;
};
