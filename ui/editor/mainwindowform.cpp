#include "mainwindowform.h"

#include "configstore.h"
#include "correctionpanel.h"
#include "custommenubar.h"
#include "customtexteditor.h"
#include "customwindow.h"
#include "leftsidebar.h"
#include "statisticsstrip.h"
#include "titlebar.h"
#include "waitlabel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

// "ctrl|alt|C" -> "Ctrl+Alt+C".
QKeySequence hotKey(const QString &stored)
{
    QStringList parts = stored.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (QString &part : parts) {
        if (part.size() > 1)
            part = part.at(0).toUpper() + part.mid(1).toLower();
    }
    return QKeySequence::fromString(parts.join(QLatin1Char('+')));
}

const char *const Style =
    "#MainCentral { background: #e8f0f5; }"
    "QPushButton { font-family: 微软雅黑; font-size: 13px; padding: 4px 12px; color: #1f4f75;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dde8f0);"
    " border: 1px solid #9fb3c4; border-radius: 3px; }"
    "QPushButton:hover { background: #ffffff; }"
    "QPushButton:disabled { color: #a0a0a0; }"
    "#pb_check, #pb_improve { color: white; font-weight: bold;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a9ad6, stop:1 #2f6f9f); }"
    "#pb_check:hover, #pb_improve:hover { background: #4a9ad6; }";

} // namespace

QPushButton *MainWindowForm::makeButton(QWidget *parent, const QString &text, const QString &objectName)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QAction *MainWindowForm::bindAction(int index, QPushButton *button)
{
    QAction *action = menuBar->action(index);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    return action;
}

void MainWindowForm::setupUi(CustomWindow *window, ConfigStore &prefs, const QString &webHost)
{
    auto *root = new QWidget(window);
    root->setObjectName(QStringLiteral("MainRoot"));
    mainLayout = new QVBoxLayout(root);
    mainLayout->setSpacing(0);
    window->setShadowLayout(mainLayout);
    titlebar = new Titlebar(root);
    titlebar->setTitle(QStringLiteral("Pennova"));
    menuBar = new CustomMenuBar(prefs, webHost, titlebar);
    titlebar->addCenterWidget(menuBar);
    window->attachTitlebar(titlebar);
    mainLayout->addWidget(titlebar);
    // Shortcuts work wherever the menus are (folded or not).
    window->addActions(menuBar->actionList());

    auto *central = new QWidget(root);
    central->setObjectName(QStringLiteral("MainCentral"));
    central->setStyleSheet(QString::fromUtf8(Style));
    auto *outer = new QHBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    sideBar = new LeftSideBar(central);
    outer->addWidget(sideBar);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(6, 6, 6, 0);
    body->setSpacing(4);
    outer->addLayout(body, 1);

    auto *tools = new QHBoxLayout;
    tools->setSpacing(4);
    checkButton = makeButton(central, QStringLiteral("检查"), QStringLiteral("pb_check"));
    improveButton = makeButton(central, QStringLiteral("润色"), QStringLiteral("pb_improve"));
    correctAllButton = makeButton(central, QStringLiteral("全部改正"), QStringLiteral("pb_correct_all"));
    improveAllButton = makeButton(central, QStringLiteral("全部采纳"), QStringLiteral("pb_improve_all"));
    prevButton = makeButton(central, QStringLiteral("上一个"), QStringLiteral("pb_prev"));
    nextButton = makeButton(central, QStringLiteral("下一个"), QStringLiteral("pb_next"));
    undoButton = makeButton(central, QStringLiteral("撤销"), QStringLiteral("pb_undo"));
    redoButton = makeButton(central, QStringLiteral("重做"), QStringLiteral("pb_redo"));
    copyButton = makeButton(central, QStringLiteral("复制全文"), QStringLiteral("pb_copy_all"));
    clearButton = makeButton(central, QStringLiteral("清除"), QStringLiteral("pb_clear"));
    for (QPushButton *b : {checkButton, improveButton, correctAllButton, improveAllButton, prevButton,
                           nextButton, undoButton, redoButton, copyButton, clearButton})
        tools->addWidget(b);
    tools->addStretch(1);
    body->addLayout(tools);

    editor = new CustomTextEditor(prefs);
    panel = new CorrectionPanel(prefs);
    panel->setMinimumWidth(180);
    spHorizontal = new QSplitter(Qt::Horizontal);
    spHorizontal->setObjectName(QStringLiteral("spHorizontal"));
    spHorizontal->addWidget(editor);
    spHorizontal->addWidget(panel);
    spHorizontal->setStretchFactor(0, 1);
    spHorizontal->setStretchFactor(1, 0);
    spVertical = new QSplitter(Qt::Vertical);
    spVertical->setObjectName(QStringLiteral("spVertical"));
    spVertical->addWidget(spHorizontal);
    dictionaryArea = new QWidget;
    spVertical->addWidget(dictionaryArea);
    dictionaryArea->hide();
    body->addWidget(spVertical, 1);

    strip = new StatisticsStrip(prefs, central);
    strip->hide();
    body->addWidget(strip);
    mainLayout->addWidget(central, 1);

    auto *status = new QWidget(root);
    status->setObjectName(QStringLiteral("StatusRow"));
    status->setStyleSheet(QStringLiteral("#StatusRow { background: #dde8f0; }"
                                         "QLabel { font-family: 微软雅黑; font-size: 12px; color: #333333; }"));
    auto *statusLayout = new QHBoxLayout(status);
    statusLayout->setContentsMargins(8, 2, 8, 2);
    wordCountLabel = new QLabel(QStringLiteral("单词数：0"), status);
    connectionLabel = new QLabel(status);
    connectionLabel->setObjectName(QStringLiteral("lb_connection"));
    statusLayout->addWidget(wordCountLabel);
    statusLayout->addStretch(1);
    statusLayout->addWidget(connectionLabel);
    mainLayout->addWidget(status);
    window->setCentralWidget(root);
    waiting = new WaitLabel(window);

    checkAction = bindAction(CustomMenuBar::ActCheck, checkButton);
    improveAction = bindAction(CustomMenuBar::ActImprove, improveButton);
    correctAllAction = bindAction(CustomMenuBar::ActCorrectAll, correctAllButton);
    improveAllAction = bindAction(CustomMenuBar::ActImproveAll, improveAllButton);
    prevAction = bindAction(CustomMenuBar::ActPrevious, prevButton);
    nextAction = bindAction(CustomMenuBar::ActNext, nextButton);
    undoAction = bindAction(CustomMenuBar::ActUndo, undoButton);
    redoAction = bindAction(CustomMenuBar::ActRedo, redoButton);
    copyAction = bindAction(CustomMenuBar::ActCopyToClip, copyButton);
    clearAction = bindAction(CustomMenuBar::ActClear, clearButton);

    setAcceptAllEnabled(false, false);
    setPrevNextEnabled(false, false);
    setHistoryEnabled(false, false);
    setTextActionsEnabled(false);
}

void MainWindowForm::showModeButtons(bool polish)
{
    checkButton->setVisible(!polish);
    correctAllButton->setVisible(!polish);
    improveButton->setVisible(polish);
    improveAllButton->setVisible(polish);
    checkAction->setVisible(!polish);
    correctAllAction->setVisible(!polish);
    improveAction->setVisible(polish);
    improveAllAction->setVisible(polish);
}

void MainWindowForm::applyHotKeys(ConfigStore &prefs)
{
    const struct
    {
        const char *enabled;
        const char *key;
        QAction *action;
    } keys[] = {
        {"hk_check_enabled", "hk_check_key", checkAction},
        {"hk_copy_enabled", "hk_copy_key", copyAction},
        {"hk_clear_enabled", "hk_clear_key", clearAction},
        {"hk_correct_all_enabled", "hk_correct_all_key", correctAllAction},
        {"hk_improve_enabled", "hk_improve_key", improveAction},
        {"hk_improve_all_enabled", "hk_improve_all_key", improveAllAction},
    };
    for (const auto &k : keys) {
        const bool on = prefs.value(QString::fromLatin1(k.enabled)) == QLatin1String("True");
        k.action->setShortcut(on ? hotKey(prefs.value(QString::fromLatin1(k.key))) : QKeySequence());
    }
}

void MainWindowForm::setAcceptAllEnabled(bool enabled, bool polish)
{
    correctAllButton->setEnabled(enabled && !polish);
    correctAllAction->setEnabled(enabled && !polish);
    improveAllButton->setEnabled(enabled && polish);
    improveAllAction->setEnabled(enabled && polish);
}

void MainWindowForm::setPrevNextEnabled(bool previous, bool next)
{
    prevButton->setEnabled(previous);
    prevAction->setEnabled(previous);
    nextButton->setEnabled(next);
    nextAction->setEnabled(next);
    panel->setPrevNextEnabled(previous, next);
}

void MainWindowForm::setHistoryEnabled(bool undo, bool redo)
{
    undoButton->setEnabled(undo);
    undoAction->setEnabled(undo);
    redoButton->setEnabled(redo);
    redoAction->setEnabled(redo);
}

void MainWindowForm::setTextActionsEnabled(bool hasText)
{
    copyButton->setEnabled(hasText);
    copyAction->setEnabled(hasText);
    clearButton->setEnabled(hasText);
}
