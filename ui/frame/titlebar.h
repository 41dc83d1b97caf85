#pragma once

#include <QFrame>
#include <QPoint>

class QLabel;
class QPushButton;

// The title bar of a frameless window: icon, title and the window buttons the window
// needs. Dragging it moves the window (signalMove); a double click maximises or restores;
// a double click on the icon closes.
class Titlebar : public QFrame
{
    Q_OBJECT
public:
    enum Button { Minimize = 1, Maximize = 2, Close = 4, AllButtons = Minimize | Maximize | Close };
    Q_DECLARE_FLAGS(Buttons, Button)

    explicit Titlebar(QWidget *parent = nullptr, Buttons buttons = AllButtons);

    // The title bars' background (a style sheet value), for the windows that draw their
    // own bar, so that every window of the program wears the same colour.
    static QString background();

    void setTitle(const QString &title);
    // Puts `widget` (a menu bar) between the title and the window buttons.
    void addCenterWidget(QWidget *widget);
    QString title() const;
    QLabel *iconLabel() const { return m_icon; }
    QPushButton *minButton() const { return m_min; }
    QPushButton *maxButton() const { return m_max; }
    QPushButton *restoreButton() const { return m_restore; }
    QPushButton *closeButton() const { return m_close; }

Q_SIGNALS:
    void signalClose();
    void signalMax();
    void signalMin();
    void signalRestore();
    // The window's new top-left corner, in global coordinates.
    void signalMove(int x, int y);

public Q_SLOTS:
    void slotIsMaxmized(bool bMax);
    void slotMax();
    void slotMin();
    void slotRestore();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *makeButton(const QString &objectName, const QString &toolTip);

    QLabel *m_icon = nullptr;
    QLabel *m_title = nullptr;
    QPushButton *m_min = nullptr;
    QPushButton *m_max = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_close = nullptr;
    class QHBoxLayout *m_layout = nullptr;
    Buttons m_buttons;
    bool m_pressed = false;
    QPoint m_pressPoint; // press position relative to the window's top-left corner
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Titlebar::Buttons)
