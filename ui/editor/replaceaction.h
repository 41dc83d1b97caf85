#pragma once

#include <QWidgetAction>

// One replacement word of the "可替换词" submenu: a compare-in-dictionary button and the
// word. The button compares, the row replaces.
class ReplaceAction : public QWidgetAction
{
    Q_OBJECT
public:
    ReplaceAction(const QString &word, QObject *parent = nullptr);
    const QString &word() const { return m_word; }

Q_SIGNALS:
    void signalCompare(const QString &text);
    void signalReplace(const QString &text);

public Q_SLOTS:
    void slotClicked();
    void slotTriggered();

protected:
    QWidget *createWidget(QWidget *parent) override;

private:
    QString m_word;
};
