#include "custommenubar.h"

#include "configstore.h"
#include "framepainter.h"
#include "pagelinkclient.h"
#include "servicehosts.h"

#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QPushButton>
#include <QToolButton>
#include <QUrlQuery>

namespace {

struct ActionRow
{
    const char *objectName;
    const char *text;
    const char *shortcut;
};

// In the order of the table the main window connects to.
const ActionRow Table[CustomMenuBar::ActionCount] = {
    {"act_history", "纠错历史", ""},        {"act_help", "帮助中心", ""},
    {"act_improve", "润色", ""},            {"act_improve_all", "全部采纳", ""},
    {"act_video", "视频教程", ""},          {"act_writing", "写作向导", ""},
    {"act_reserved", "", ""},               {"act_save", "保存文档...", "Ctrl+S"},
    {"act_setting", "设置", ""},            {"act_quit", "退出", "Alt+F4"},
    {"act_open", "打开文档", "Ctrl+O"},     {"act_undo", "撤销", "Ctrl+Z"},
    {"act_redo", "重做", "Ctrl+Y"},         {"act_cut", "剪切", "Ctrl+X"},
    {"act_copy", "复制", "Ctrl+C"},         {"act_paste", "粘贴", "Ctrl+V"},
    {"act_search", "查找", "Ctrl+F"},       {"act_replace", "替换", "Ctrl+H"},
    {"act_select_all", "全选", "Ctrl+A"},   {"act_check", "检查", "Ctrl+Alt+C"},
    {"act_correct_all", "全部改正", "Ctrl+Alt+A"}, {"act_previous", "上一个错误", "F3"},
    {"act_next", "下一个错误", "F4"},       {"act_copy_to_clip", "复制全文", "Ctrl+Alt+V"},
    {"act_clear", "清除", "Ctrl+Alt+X"},    {"act_correction", "纠错", ""},
    {"act_enrichment", "润色", ""},         {"act_dictionary", "词典", ""},
    {"act_home", "我的主页", ""},           {"act_dic", "我的词库", ""},
    {"act_logout", "注销登录", ""},         {"act_visit", "访问Pennova主页", ""},
    {"act_update", "检查更新", ""},         {"act_about", "关于Pennova", ""},
};

// The five menus and their entries, by table index (-1: a separator).
const struct
{
    const char *title;
    int entries[16];
} Menus[] = {
    {"文件(&F)", {CustomMenuBar::ActOpen, CustomMenuBar::ActSave, -1, CustomMenuBar::ActWriting,
                  CustomMenuBar::ActSetting, -1, CustomMenuBar::ActQuit, -2}},
    {"编辑(&E)", {CustomMenuBar::ActUndo, CustomMenuBar::ActRedo, -1, CustomMenuBar::ActCut, CustomMenuBar::ActCopy,
                  CustomMenuBar::ActPaste, CustomMenuBar::ActSelectAll, -1, CustomMenuBar::ActSearch,
                  CustomMenuBar::ActReplace, -1, CustomMenuBar::ActCopyToClip, CustomMenuBar::ActClear, -2}},
    {"视图(&V)", {CustomMenuBar::ActCorrection, CustomMenuBar::ActEnrichment, -1, CustomMenuBar::ActCheck,
                  CustomMenuBar::ActCorrectAll, CustomMenuBar::ActImprove, CustomMenuBar::ActImproveAll, -1,
                  CustomMenuBar::ActPrevious, CustomMenuBar::ActNext, -1, CustomMenuBar::ActDictionary, -2}},
    {"用户(&U)", {CustomMenuBar::ActHome, CustomMenuBar::ActDic, CustomMenuBar::ActHistory, -1,
                  CustomMenuBar::ActLogout, -2}},
    {"帮助(&H)", {CustomMenuBar::ActHelp, CustomMenuBar::ActVideo, CustomMenuBar::ActVisit, -1,
                  CustomMenuBar::ActUpdate, CustomMenuBar::ActAbout, -2}},
};

const char *const Style =
    "QMenuBar { background: transparent; color: white; font-family: 微软雅黑; font-size: 13px; }"
    "QMenuBar::item { background: transparent; padding: 4px 8px; }"
    "QMenuBar::item:selected { background: rgba(255, 255, 255, 60); }"
    "QPushButton, QToolButton { color: white; border: none; background: transparent; padding: 2px 6px;"
    " font-family: 微软雅黑; font-size: 12px; }"
    "QPushButton:hover, QToolButton:hover { background: rgba(255, 255, 255, 60); }";

// The share text of an outstanding essay, with the product's Weibo handle.
QString shareText(const QString &webHost)
{
    return QStringLiteral("经Pennova鉴定，您的本次英语写作用词准确，可读性良好，错误也是相当之少哦，\t达到了native "
                          "speaker的水平，特授予你“英文写作大师证书” %1 ")
               .arg(QStringLiteral("@Pennova"))
        + QStringLiteral("http://") + webHost + QStringLiteral("/Download");
}

} // namespace

CustomMenuBar::CustomMenuBar(ConfigStore &prefs, const QString &webHost, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
    , m_webHost(webHost)
    , m_pageLinks(new ZeltraLib::PageLinkClient(webHost, this))
{
    setObjectName(QStringLiteral("CustomMenuBar"));
    connect(m_pageLinks, &ZeltraLib::PageLinkClient::signalLinkReady, this,
            [this](const QUrl &url, bool) { openUrl(url); });
    setStyleSheet(QString::fromUtf8(Style));
    buildActions();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    m_foldedButton = new QToolButton(this);
    m_foldedButton->setObjectName(QStringLiteral("pb_menu"));
    m_foldedButton->setText(QStringLiteral("菜单"));
    m_foldedButton->setPopupMode(QToolButton::InstantPopup);
    m_foldedMenu = new QMenu(this);
    m_foldedButton->setMenu(m_foldedMenu);
    m_fold = new QToolButton(this);
    m_fold->setObjectName(QStringLiteral("pb_fold"));
    m_fold->setToolTip(QStringLiteral("收起菜单"));
    m_feedback = new QPushButton(QStringLiteral("反馈"), this);
    m_feedback->setObjectName(QStringLiteral("pb_feedback"));
    m_share = new QPushButton(QStringLiteral("分享"), this);
    m_share->setObjectName(QStringLiteral("pb_share"));
    for (QWidget *w : {static_cast<QWidget *>(m_menuBar), static_cast<QWidget *>(m_foldedButton),
                       static_cast<QWidget *>(m_fold), static_cast<QWidget *>(m_feedback),
                       static_cast<QWidget *>(m_share)}) {
        w->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(w);
    }
    buildMenus();

    m_timeLine.setDuration(FoldDurationMs);
    m_timeLine.setFrameRange(0, 100);
    connect(&m_timeLine, &QTimeLine::frameChanged, this, &CustomMenuBar::slotFrameChanged);
    connect(&m_timeLine, &QTimeLine::finished, this, &CustomMenuBar::slotFinished);
    connect(m_fold, &QToolButton::clicked, this, &CustomMenuBar::slotHideClicked);
    connect(m_feedback, &QPushButton::clicked, this, &CustomMenuBar::slotFeedback);
    connect(m_share, &QPushButton::clicked, this, &CustomMenuBar::slotSinaClicked);

    connect(m_actions[ActHistory], &QAction::triggered, this, &CustomMenuBar::slotUserErrorLog);
    connect(m_actions[ActHelp], &QAction::triggered, this, &CustomMenuBar::slotHelpCenter);
    connect(m_actions[ActVideo], &QAction::triggered, this, &CustomMenuBar::slotHelpVideo);
    connect(m_actions[ActHome], &QAction::triggered, this, &CustomMenuBar::slotUserHome);
    connect(m_actions[ActDic], &QAction::triggered, this, &CustomMenuBar::slotUserDict);
    connect(m_actions[ActVisit], &QAction::triggered, this, &CustomMenuBar::slotHomepage);

    m_folded = m_prefs.value(QStringLiteral("Menu_Fold")) == QLatin1String("True");
    rebuildMenus();
}

void CustomMenuBar::buildActions()
{
    for (const ActionRow &row : Table) {
        auto *action = new QAction(QString::fromUtf8(row.text), this);
        action->setObjectName(QString::fromLatin1(row.objectName));
        if (*row.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        m_actions.append(action);
    }
    m_actions[ActReserved]->setVisible(false);
    auto *modes = new QActionGroup(this);
    for (int i : {int(ActCorrection), int(ActEnrichment)}) {
        m_actions[i]->setCheckable(true);
        modes->addAction(m_actions[i]);
    }
    m_actions[ActDictionary]->setCheckable(true);
}

void CustomMenuBar::buildMenus()
{
    for (const auto &menuSpec : Menus) {
        auto *menu = new QMenu(QString::fromUtf8(menuSpec.title), this);
        for (int index : menuSpec.entries) {
            if (index == -2)
                break;
            if (index == -1)
                menu->addSeparator();
            else
                menu->addAction(m_actions[index]);
        }
        m_menus.append(menu);
    }
}

QList<QPair<QKeySequence, QString>> CustomMenuBar::mnemonics() const
{
    QList<QPair<QKeySequence, QString>> keys;
    for (const QMenu *menu : m_menus) {
        const QKeySequence key = QKeySequence::mnemonic(menu->title());
        if (key.isEmpty())
            continue;
        QString name = menu->title();
        name.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
        keys.append({key, name});
    }
    return keys;
}

void CustomMenuBar::rebuildMenus()
{
    // Folded: the five menus are submenus of the one menu button; unfolded: the bar's own.
    m_menuBar->clear();
    m_foldedMenu->clear();
    for (QMenu *menu : std::as_const(m_menus))
        (m_folded ? static_cast<QWidget *>(m_foldedMenu) : static_cast<QWidget *>(m_menuBar))
            ->addAction(menu->menuAction());
    m_menuBar->setVisible(!m_folded);
    m_foldedButton->setVisible(m_folded);
    m_fold->setIcon(FramePainter::buttonIcon(m_folded ? FramePainter::UnfoldGlyph : FramePainter::FoldGlyph));
    m_fold->setToolTip(m_folded ? QStringLiteral("展开菜单") : QStringLiteral("收起菜单"));
    setMaximumWidth(QWIDGETSIZE_MAX);
}

int CustomMenuBar::fullWidth() const
{
    return m_menuBar->sizeHint().width() + m_fold->sizeHint().width() + m_feedback->sizeHint().width()
        + m_share->sizeHint().width() + 8;
}

void CustomMenuBar::setUser(const QString &userName, const QString &sessionKey)
{
    m_userName = userName;
    m_sessionKey = sessionKey;
}

void CustomMenuBar::setEventSink(std::function<void(const QString &)> sink)
{
    m_events = std::move(sink);
}

void CustomMenuBar::setUrlOpener(std::function<void(const QUrl &)> opener)
{
    m_opener = std::move(opener);
}

void CustomMenuBar::setFoldDuration(int ms)
{
    m_timeLine.setDuration(qMax(1, ms));
}

void CustomMenuBar::slotHideClicked()
{
    if (isAnimating())
        return;
    m_folded = !m_folded;
    m_prefs.setValue(QStringLiteral("Menu_Fold"), m_folded ? QStringLiteral("True") : QStringLiteral("False"));
    m_prefs.save();
    const int full = fullWidth();
    const int folded = FoldedWidth + m_fold->sizeHint().width() + m_feedback->sizeHint().width()
        + m_share->sizeHint().width();
    m_startWidth = m_folded ? full : folded;
    m_endWidth = m_folded ? folded : full;
    m_timeLine.start();
}

void CustomMenuBar::slotFrameChanged(int frame)
{
    setMaximumWidth(m_startWidth + (m_endWidth - m_startWidth) * frame / 100);
}

void CustomMenuBar::slotFinished()
{
    rebuildMenus();
}

void CustomMenuBar::openUrl(const QUrl &url)
{
    if (m_opener)
        m_opener(url);
    else
        QDesktopServices::openUrl(url);
}

void CustomMenuBar::open(const QString &pathAndQuery, const char *event)
{
    if (event && m_events)
        m_events(QString::fromLatin1(event));
    openUrl(QUrl(QStringLiteral("http://") + m_webHost + pathAndQuery));
}

void CustomMenuBar::openPersonal(const QString &pageQuery, const char *event)
{
    if (m_events)
        m_events(QString::fromLatin1(event));
    m_pageLinks->request(m_sessionKey, pageQuery);
}

void CustomMenuBar::slotHomepage()
{
    open(QStringLiteral("/"));
}

void CustomMenuBar::slotUserHome()
{
    openPersonal(QString(), "Main_PersonalPage");
}

void CustomMenuBar::slotUserDict()
{
    openPersonal(QStringLiteral("d=1"), "Main_UserDictionary");
}

void CustomMenuBar::slotUserErrorLog()
{
    openPersonal(QStringLiteral("d=2"), "Main_UserHistory");
}

void CustomMenuBar::slotFeedback()
{
    openPersonal(QStringLiteral("d=3&jv=") + ZeltraLib::ClientVersion, "Main_FeedBack");
}

void CustomMenuBar::slotHelpCenter()
{
    open(QStringLiteral("/Help"));
}

void CustomMenuBar::slotHelpVideo()
{
    open(QStringLiteral("/Help/Index1"), "Main_HelpVideo");
}

void CustomMenuBar::slotSinaClicked()
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("title"), shareText(m_webHost));
    QUrl url(QStringLiteral("http://service.weibo.com/share/share.php"));
    url.setQuery(query);
    openUrl(url);
}
