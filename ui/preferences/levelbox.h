#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QLabel;

// A titled row of level radio buttons (ids 0, 1, ...) with an explanation that shows
// below while the mouse is over any of them.
class LevelBox : public QGroupBox
{
    Q_OBJECT
public:
    LevelBox(const QString &title, const QString &label, const QStringList &levels,
             const QString &explanation, QWidget *parent = nullptr);

    QButtonGroup *group() const { return m_group; }
    bool explanationShown() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QButtonGroup *m_group = nullptr;
    QLabel *m_explain = nullptr;
};
