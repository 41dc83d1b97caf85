#pragma once

#include <QKeySequence>
#include <QList>
#include <QPair>
#include <QTimeLine>
#include <QUrl>
#include <QWidget>

#include <functional>

class ConfigStore;
class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;

namespace ZeltraLib {
class PageLinkClient;
}

// The main window's menu bar: the five menus over one action table (the main window
// connects to the actions by their index), the "反馈" and "分享" buttons and the
// product's web pages. It folds into a single menu button and unfolds again, animated;
// the state is kept as "Menu_Fold".
class CustomMenuBar : public QWidget
{
    Q_OBJECT
public:
    // Indexes of the action table.
    enum ActionIndex {
        ActHistory = 0, ActHelp, ActImprove, ActImproveAll, ActVideo, ActWriting, ActReserved,
        ActSave, ActSetting, ActQuit, ActOpen, ActUndo, ActRedo, ActCut, ActCopy, ActPaste,
        ActSearch, ActReplace, ActSelectAll, ActCheck, ActCorrectAll, ActPrevious, ActNext,
        ActCopyToClip, ActClear, ActCorrection, ActEnrichment, ActDictionary, ActHome, ActDic,
        ActLogout, ActVisit, ActUpdate, ActAbout, ActionCount
    };
    static constexpr int FoldDurationMs = 200;
    static constexpr int FoldedWidth = 60;

    // prefs holds "Menu_Fold" and outlives the bar; webHost is "host:port" of the product
    // web site.
    CustomMenuBar(ConfigStore &prefs, const QString &webHost, QWidget *parent = nullptr);

    QAction *action(int index) const { return m_actions.value(index); }
    const QList<QAction *> &actionList() const { return m_actions; }
    QList<QMenu *> menus() const { return m_menus; }
    QMenu *menu(int index) const { return m_menus.value(index); }
    // The Alt+letter each menu opens on, with the menu's title without its marker
    // (Alt+F, "文件").
    QList<QPair<QKeySequence, QString>> mnemonics() const;
    QMenuBar *menuBar() const { return m_menuBar; }
    QToolButton *foldedMenuButton() const { return m_foldedButton; }
    QPushButton *feedbackButton() const { return m_feedback; }
    QPushButton *shareButton() const { return m_share; }
    QToolButton *foldButton() const { return m_fold; }
    bool isFolded() const { return m_folded; }
    bool isAnimating() const { return m_timeLine.state() == QTimeLine::Running; }

    // The signed-in user and the session key with which the personal pages are opened
    // (through a one-time token; the key itself never goes into a URL).
    void setUser(const QString &userName, const QString &sessionKey);
    // Every usage event of the bar goes here.
    void setEventSink(std::function<void(const QString &name)> sink);
    // Opens the web pages; empty: the default browser.
    void setUrlOpener(std::function<void(const QUrl &url)> opener);
    void setFoldDuration(int ms);

public Q_SLOTS:
    void slotUserHome();
    void slotHomepage();
    void slotUserDict();
    void slotUserErrorLog();
    void slotHelpCenter();
    void slotHelpVideo();
    void slotSinaClicked();
    void slotFeedback();
    void slotHideClicked();
    void slotFrameChanged(int frame);
    void slotFinished();

private:
    void buildActions();
    void buildMenus();
    void rebuildMenus();
    void open(const QString &pathAndQuery, const char *event = nullptr);
    void openUrl(const QUrl &url);
    // A personal page, `pageQuery` its own query ("d=1").
    void openPersonal(const QString &pageQuery, const char *event);
    int fullWidth() const;

    ConfigStore &m_prefs;
    QString m_webHost;
    QString m_userName;
    QString m_sessionKey;
    ZeltraLib::PageLinkClient *m_pageLinks = nullptr; // child
    std::function<void(const QString &)> m_events;
    std::function<void(const QUrl &)> m_opener;
    QList<QAction *> m_actions; // children of this bar
    QList<QMenu *> m_menus;     // children of this bar
    QMenuBar *m_menuBar = nullptr;
    QToolButton *m_foldedButton = nullptr;
    QMenu *m_foldedMenu = nullptr;
    QPushButton *m_feedback = nullptr;
    QPushButton *m_share = nullptr;
    QToolButton *m_fold = nullptr;
    QTimeLine m_timeLine;
    bool m_folded = false;
    int m_startWidth = 0;
    int m_endWidth = 0;
};
