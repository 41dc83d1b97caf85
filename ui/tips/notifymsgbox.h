#pragma once

#include <QDialog>

class ConfigStore;
class QCheckBox;
class QRadioButton;

// The question when the user closes the main window: hide to the tray or quit, and
// whether to ask again. Accepted by "确定", rejected by "取消" or closing.
class NotifyMsgBox : public QDialog
{
    Q_OBJECT
public:
    // prefs: read for "click_close_level" ("1" preselects hiding); not owned.
    explicit NotifyMsgBox(ConfigStore &prefs, QWidget *parent = nullptr);

    bool doNotAskAgain() const;
    bool exitChosen() const;
    QRadioButton *hideOption() const { return m_hide; }
    QRadioButton *exitOption() const { return m_exit; }
    QCheckBox *doNotAskBox() const { return m_noAsk; }

    // After acceptance: "show_close_tip" = "False" when not to ask again, and
    // "click_close_level" = "2" (quit) or "1" (hide). Returns true when quitting.
    bool storeChoice(ConfigStore &prefs) const;

public Q_SLOTS:
    void slotSubmitClick();
    void slotExitClick();
    void slotClose();
    void slotMove(int dx, int dy);

private:
    QRadioButton *m_hide = nullptr;
    QRadioButton *m_exit = nullptr;
    QCheckBox *m_noAsk = nullptr;
};
