#pragma once

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPropertyAnimation;
class QPushButton;
class QVBoxLayout;

// "待填字段": a small frameless window over the writing guide that lists every key
// word of the template with a field for its value.
class KeyWordWindow : public QWidget
{
    Q_OBJECT
public:
    explicit KeyWordWindow(QWidget *parent = nullptr);

    // Rebuilds the list: one label and field per key, in order.
    void setKeys(const QStringList &keys, const QHash<QString, QString> &values);
    // Puts a value into the key's field without signalling.
    void setValue(const QString &key, const QString &value);
    QString value(const QString &key) const;
    QLineEdit *field(const QString &key) const;
    QStringList keys() const { return m_keys; }

    // The label text of a key: brackets removed, cut before a full-width comma after
    // the first character, at most 10 characters and "...".
    static QString shortForm(const QString &key, int maxLength = 10);

    // Opens from / closes to the strip `from` (global coordinates), fading.
    void animateOpen(const QRect &from, const QRect &to);
    void animateClose(const QRect &to);
    // Length of the open and close animations (tests: 0).
    void setAnimationMs(int ms) { m_animationMs = ms; }

Q_SIGNALS:
    void signalClose();
    void signalEditValueChanged(QString key, QString value);
    void signalPreClose();

public Q_SLOTS:
    void slotLineEditReturnPressed();
    void slotClose();
    void slotAnimationFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void animate(const QRect &from, const QRect &to, double opacityFrom, double opacityTo);

    QStringList m_keys;
    QList<QLineEdit *> m_fields;    // children of the list
    QWidget *m_list = nullptr;      // child
    QVBoxLayout *m_layout = nullptr;
    int m_focused = -1;             // index of the field with focus
    QString m_focusedText;          // its trimmed text when it got focus
    QPropertyAnimation *m_geometry = nullptr; // child
    QPropertyAnimation *m_opacity = nullptr;  // child
    int m_animationMs = 200;
    QPoint m_dragOffset;
};
