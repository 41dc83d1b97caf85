#pragma once

#include <QFrame>

class QButtonGroup;
class QToolButton;

// The left side bar: the two working-mode buttons, "纠错" (correct mode) and "润色"
// (polish mode), exclusive and checkable.
class LeftSideBar : public QFrame
{
    Q_OBJECT
public:
    explicit LeftSideBar(QWidget *parent = nullptr);

    QToolButton *correctModeButton() const { return m_correct; }
    QToolButton *polishModeButton() const { return m_polish; }

private:
    QToolButton *makeModeButton(const QString &text, const QString &tip);

    QToolButton *m_correct = nullptr;
    QToolButton *m_polish = nullptr;
    QButtonGroup *m_group = nullptr;
};
