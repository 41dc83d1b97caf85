#pragma once

#include <QFrame>

class QLabel;

// One clickable row of the correction panel: text on the left, key hint on the
// right. Releasing the mouse on it emits signalClicked() and signalClicked(index).
class CustomMenuItem : public QFrame
{
    Q_OBJECT
public:
    // index: the candidate index, or -1 for the fixed rows.
    CustomMenuItem(int index, const QString &text, const QString &hint, QWidget *parent = nullptr);

    int index() const { return m_index; }
    QString text() const;
    void setText(const QString &text);
    QString hint() const;
    void setHint(const QString &hint);

signals:
    void signalClicked();
    void signalClicked(int index);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
    QLabel *m_textLabel; // child
    QLabel *m_hintLabel; // child
};
