#pragma once

#include <QList>

class ConfigStore;
class CorrectionPanel;
class CustomMenuBar;
class CustomWindow;
class Titlebar;
class QVBoxLayout;
class CustomTextEditor;
class LeftSideBar;
class QAction;
class QLabel;
class QMainWindow;
class QPushButton;
class QSplitter;
class QWidget;
class StatisticsStrip;
class WaitLabel;

// The widget tree of the main window: inside the shadow margin the title bar with the
// menu bar, the left side bar with the mode buttons, the tool row, the splitter
// "spHorizontal" with the editor and the correction panel inside the vertical splitter
// with the dictionary area, the statistics strip and the status line. The buttons trigger
// the menu bar's actions, whose shortcuts and hot keys work anywhere in the window. All
// widgets are children of the window.
class MainWindowForm
{
public:
    void setupUi(CustomWindow *window, ConfigStore &prefs, const QString &webHost);

    // Check and accept-all of the current mode shown, the other pair hidden.
    void showModeButtons(bool polish);
    // Hot keys from the "hk_*" settings.
    void applyHotKeys(ConfigStore &prefs);
    // Accept-all of the current mode enabled when `enabled`, the other pair disabled.
    void setAcceptAllEnabled(bool enabled, bool polish);
    void setPrevNextEnabled(bool previous, bool next);
    void setHistoryEnabled(bool undo, bool redo);
    void setTextActionsEnabled(bool hasText);

    QVBoxLayout *mainLayout = nullptr;
    Titlebar *titlebar = nullptr;
    CustomMenuBar *menuBar = nullptr;
    LeftSideBar *sideBar = nullptr;
    CustomTextEditor *editor = nullptr;
    CorrectionPanel *panel = nullptr;
    QSplitter *spHorizontal = nullptr;
    QSplitter *spVertical = nullptr;
    QWidget *dictionaryArea = nullptr;
    StatisticsStrip *strip = nullptr;
    QLabel *wordCountLabel = nullptr;
    QLabel *connectionLabel = nullptr;
    WaitLabel *waiting = nullptr;

    QPushButton *checkButton = nullptr;
    QPushButton *improveButton = nullptr;
    QPushButton *correctAllButton = nullptr;
    QPushButton *improveAllButton = nullptr;
    QPushButton *prevButton = nullptr;
    QPushButton *nextButton = nullptr;
    QPushButton *undoButton = nullptr;
    QPushButton *redoButton = nullptr;
    QPushButton *copyButton = nullptr;
    QPushButton *clearButton = nullptr;

    QAction *checkAction = nullptr;
    QAction *improveAction = nullptr;
    QAction *correctAllAction = nullptr;
    QAction *improveAllAction = nullptr;
    QAction *copyAction = nullptr;
    QAction *clearAction = nullptr;
    QAction *prevAction = nullptr;
    QAction *nextAction = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;

private:
    QPushButton *makeButton(QWidget *parent, const QString &text, const QString &objectName);
    QAction *bindAction(int index, QPushButton *button);
};
