// MainWindow, second part: the lifecycle around the checking workflow (construction
// helpers, geometry, crash recovery, first-use tips, close and tray, exit and sign-out,
// session keep-alive, dictionary slide, connection indicator, menus, save).

#include "mainwindow.h"

#include "aboutwindow.h"
#include "documentdialog.h"

#include "checkmessages.h"
#include "configstore.h"
#include "correctionpanel.h"
#include "custommenubar.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "leftsidebar.h"
#include "networkhelper.h"
#include "polishmode.h"
#include "popuplabel.h"
#include "preferencewindow.h"
#include "resultcode.h"
#include "statisticsstrip.h"
#include "textfileio.h"
#include "dictionarypanel.h"
#include "tipplacement.h"
#include "tipwindow.h"
#include "titlebar.h"
#include "useraccess.h"
#include "userinformation.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

using namespace ZeltraLib;

namespace {

const QString True = QStringLiteral("True");
const QString False = QStringLiteral("False");

// "PT_*" keys of the rest-popup scheduler, in the order it tries them.
enum RestTip { TipCorrectMode = 4, TipImproveMode = 5, TipReport = 6, TipDictDouble = 7 };

QString levelEvent(const char *prefix, int level, bool polish)
{
    // Check level: 2 medium, 3 high, else low. Polish level: 1 high, 2 medium, else low.
    const char *name = polish ? (level == 1 ? "High" : level == 2 ? "Medium" : "Low")
                              : (level == 3 ? "High" : level == 2 ? "Medium" : "Low");
    return QString::fromLatin1(prefix) + QString::fromLatin1(name);
}

} // namespace

// ---------------------------------------------------------------- construction helpers

void MainWindow::connectLifecycle()
{
    connect(&m_sessionTimer, &QTimer::timeout, this, &MainWindow::slotActivateSession);
    connect(&m_restPopupTimer, &QTimer::timeout, this, &MainWindow::slotShowRestPopup);
    connect(&m_pingTimer, &QTimer::timeout, this, &MainWindow::slotPingCheckServer);
    connect(&m_logoutGuard, &QTimer::timeout, this, [this] { slotLogoutFinished(ResultCode::NetworkError); });
    connect(m_network, &NetworkHelper::signalCheckHttpFinished, this, &MainWindow::slotServiceReached);
    connect(&m_services.usage, &UserInformation::signalUploaded, this, [this] {
        if (m_uploadPending)
            slotUploadInformationFinished();
    });
    connect(&m_dictSlide, &QTimeLine::frameChanged, this, &MainWindow::slotSlideDictionary);
    connect(&m_dictSlide, &QTimeLine::finished, this, &MainWindow::slotSlideDictFinished);
    connect(m_ui.spVertical, &QSplitter::splitterMoved, this, &MainWindow::slotMoveDictPos);
    connect(m_ui.editor, &CustomTextEditor::signalShowDict, this, &MainWindow::slotDisplayDictPanel);
    if (m_access)
        connect(m_access, &UserAccess::LogoutFinished, this, &MainWindow::slotLogoutFinished);

    CustomMenuBar *bar = m_ui.menuBar;
    auto act = [bar](int index) { return bar->action(index); };
    connect(act(CustomMenuBar::ActSave), &QAction::triggered, this, &MainWindow::slotSave);
    connect(act(CustomMenuBar::ActOpen), &QAction::triggered, this, &MainWindow::slotOpen);
    connect(act(CustomMenuBar::ActQuit), &QAction::triggered, this, &QWidget::close);
    connect(act(CustomMenuBar::ActCut), &QAction::triggered, this, &MainWindow::slotOnCut);
    connect(act(CustomMenuBar::ActCopy), &QAction::triggered, m_ui.editor, &QTextEdit::copy);
    connect(act(CustomMenuBar::ActPaste), &QAction::triggered, m_ui.editor, &QTextEdit::paste);
    connect(act(CustomMenuBar::ActSelectAll), &QAction::triggered, m_ui.editor, &QTextEdit::selectAll);
    connect(act(CustomMenuBar::ActCorrection), &QAction::triggered, this, &MainWindow::slotDisplayCorrectionMode);
    connect(act(CustomMenuBar::ActEnrichment), &QAction::triggered, this, &MainWindow::slotDisplayEnrichmentMode);
    connect(act(CustomMenuBar::ActDictionary), &QAction::triggered, this, &MainWindow::slotDisplayDictPanel);
    connect(act(CustomMenuBar::ActLogout), &QAction::triggered, this, &MainWindow::slotLogout);
    // Their windows come with the writing guide, preferences, search, update and about box.
    connect(act(CustomMenuBar::ActWriting), &QAction::triggered, this, &MainWindow::slotWritingGuide);
    connect(act(CustomMenuBar::ActSetting), &QAction::triggered, this, [this] {
        PreferenceWindow::Services services;
        services.checkUpdate = [this] {
            if (m_services.startUpdater)
                m_services.startUpdater(QStringLiteral("0"));
        };
        services.dictionaryUrl = [this] {
            const QString user = m_access ? m_access->userName() : QString();
            const QString key = m_access ? m_access->sessionKey() : QString();
            return QStringLiteral("http://") + m_services.webHost + QStringLiteral("/Tessel/Dict?u=")
                   + QString::fromUtf8(QUrl::toPercentEncoding(user)) + QStringLiteral("&s=") + key;
        };
        services.countEvent = [this](const QString &event) { m_services.usage.countEvent(event); };
        services.showDiagnosis = m_services.showDiagnosis;
        services.menuKeys = m_ui.menuBar->mnemonics();
        showPreferenceWindow(m_prefs, services, this,
                             [this](bool textChanged, bool errorChanged) { slotPreferChanged(textChanged, errorChanged); });
    });
    connect(act(CustomMenuBar::ActUpdate), &QAction::triggered, this, [this] {
        if (m_services.startUpdater)
            m_services.startUpdater(QStringLiteral("0"));
    });
    connect(act(CustomMenuBar::ActAbout), &QAction::triggered, this, [this] {
        AboutWindow about(m_services.webHost, this);
        about.exec();
    });
    for (int menu : {1, 2})
        connect(bar->menu(menu), &QMenu::aboutToShow, this, &MainWindow::refreshMenus);
    bar->setEventSink([this](const QString &name) { m_services.usage.countEvent(name); });
    if (m_access)
        bar->setUser(m_access->userName(), m_access->sessionKey());

    // The title bar's close button asks what closing means; the menu's "退出" exits.
    disconnect(m_ui.titlebar, &Titlebar::signalClose, this, nullptr);
    connect(m_ui.titlebar, &Titlebar::signalClose, this, &MainWindow::slotClose);
    connect(m_ui.panel, &CorrectionPanel::signalDisplayPanel, this, [this] {
        m_prefs.setValue(QStringLiteral("CorrectionPanel"), QString::number(m_ui.panel->currentPage()));
        savePreferences();
    });
}

void MainWindow::refreshMenus()
{
    CustomMenuBar *bar = m_ui.menuBar;
    const bool selection = m_ui.editor->textCursor().hasSelection();
    bar->action(CustomMenuBar::ActCut)->setEnabled(selection);
    bar->action(CustomMenuBar::ActCopy)->setEnabled(selection);
    bar->action(CustomMenuBar::ActPaste)->setEnabled(!QApplication::clipboard()->text().isEmpty());
    bar->action(CustomMenuBar::ActSelectAll)->setEnabled(m_ui.editor->hasText());
    bar->action(CustomMenuBar::ActCorrection)->setChecked(!polishMode());
    bar->action(CustomMenuBar::ActEnrichment)->setChecked(polishMode());
    bar->action(CustomMenuBar::ActDictionary)->setChecked(isDictionaryOpen());
}

void MainWindow::restoreGeometry()
{
    const int left = m_prefs.value(QStringLiteral("Left")).toInt();
    const QSize size(qMax(600, m_prefs.value(QStringLiteral("Width")).toInt()),
                     qMax(400, m_prefs.value(QStringLiteral("Height")).toInt()));
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (left < 0) {
        resize(size);
        if (screen) {
            const QRect area = screen->availableGeometry();
            move(area.x() + (area.width() - width()) / 2, qMax(area.y(), area.y() + (area.height() - height()) / 2));
        }
        return;
    }
    const QRect normal(QPoint(left, m_prefs.value(QStringLiteral("Top")).toInt()), size);
    setGeometry(normal);
    if (isTrue(QStringLiteral("IsMaxmized")))
        slotMaximize();
}

void MainWindow::storeGeometry()
{
    const QRect normal = isFrameMaximized() ? normalFrameGeometry() : geometry();
    m_prefs.setValue(QStringLiteral("IsMaxmized"), isFrameMaximized() ? True : False);
    m_prefs.setValue(QStringLiteral("Left"), QString::number(normal.x()));
    m_prefs.setValue(QStringLiteral("Top"), QString::number(normal.y()));
    m_prefs.setValue(QStringLiteral("Width"), QString::number(normal.width()));
    m_prefs.setValue(QStringLiteral("Height"), QString::number(normal.height()));
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    m_geometryChanged = true;
    CustomWindow::moveEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    m_geometryChanged = true;
    CustomWindow::resizeEvent(event);
}

void MainWindow::savePreferences()
{
    // A failed save is not the user's business; the next save tries again.
    m_prefs.save();
}

// ---------------------------------------------------------------- crash backup and recovery

void MainWindow::slotBackup()
{
    if (m_geometryChanged) {
        // The window's place survives a crash too.
        m_geometryChanged = false;
        storeGeometry();
        savePreferences();
    }
    if (!m_textChanged || !m_ui.editor->hasText())
        return;
    if (!m_backup.write(m_ui.editor->toPlainText()))
        return;
    m_textChanged = false;
}


void MainWindow::recoverAfterCrash()
{
    if (!isTrue(QStringLiteral("is_crash"))) {
        m_prefs.setValue(QStringLiteral("is_crash"), True);
        savePreferences();
        return;
    }
    // The previous run did not end normally; it stays marked as running.
    QString text;
    if (!m_backup.read(&text) || text.trimmed().isEmpty())
        return;
    reset();
    m_trackingSuppressed = true;
    m_ui.editor->loadText(text);
    m_trackingSuppressed = false;
    m_textChanged = false;
    // Once the window is on screen, where the notice can be placed and seen.
    QTimer::singleShot(0, this, [this] { showNotificationUncovered(10); });
}

QWidget *MainWindow::restTipControl(int number) const
{
    switch (number) {
    case TipCorrectMode:
        return m_ui.sideBar->correctModeButton();
    case TipImproveMode:
        return m_ui.sideBar->polishModeButton();
    case TipReport:
        return m_ui.strip->reportHint();
    default: // the dictionary's two-word switch
        return m_dictionary ? m_dictionary->findChild<QCheckBox *>(QStringLiteral("cb_double")) : nullptr;
    }
}

void MainWindow::showNotificationUncovered(int number)
{
    for (TipWindow *assistant : findChildren<TipWindow *>()) {
        if (assistant->isVisible()) {
            connect(assistant, &QDialog::finished, this, [this, number] { showNotification(number); });
            return;
        }
    }
    showNotification(number);
}

// ---------------------------------------------------------------- first-use tips

void MainWindow::showTipOnce(int number, const char *key, const QPoint &globalPos)
{
    if (m_tips.showOnce(number, QString::fromLatin1(key), globalPos))
        m_services.promptTips.save();
}

void MainWindow::showTipOnce(int number, const char *key, const TipPresenter::Placement &place)
{
    if (m_tips.showOnce(number, QString::fromLatin1(key), place))
        m_services.promptTips.save();
}

void MainWindow::runStartupTips()
{
    if (isTrue(QStringLiteral("display_tips")) && m_services.showTipsWindow)
        m_services.showTipsWindow(this);
    showTipOnce(0, "PT_Input", m_ui.editor->mapToGlobal(QPoint(20, 20)));
}

void MainWindow::slotShowRestPopup()
{
    const bool busy = !isActiveWindow() || isMinimized() || !isVisible() || m_tips.current();
    if (!busy) {
        const bool polish = polishMode();
        const struct
        {
            int number;
            const char *key;
            bool now;
        } tips[] = {
            {TipCorrectMode, "PT_CorrectMode", polish},
            {TipImproveMode, "PT_ImproveMode", !polish},
            {TipReport, "PT_Report", !polish && !m_findings.isEmpty()},
            {TipDictDouble, "PT_DictDouble", m_ui.dictionaryArea->isVisible()},
        };
        bool pending = false;
        for (const auto &tip : tips) {
            if (m_services.promptTips.value(QString::fromLatin1(tip.key)) != False)
                continue;
            pending = true;
            if (!tip.now)
                continue;
            showTipOnce(tip.number, tip.key, TipPlacement::besideControl(restTipControl(tip.number), m_ui.editor));
            break;
        }
        if (!pending)
            return; // every tip has been shown: the scheduler stops
    }
    m_restPopupTimer.start();
}

// ---------------------------------------------------------------- session

void MainWindow::startSessionTimers()
{
    m_sessionTimer.start();
    m_backupTimer.start();
}

void MainWindow::stopSessionTimers()
{
    m_sessionTimer.stop();
    m_pingTimer.stop();
    m_backupTimer.stop();
    m_restPopupTimer.stop();
}

void MainWindow::slotActivateSession()
{
    if (m_access)
        m_access->activateSession();
}

bool MainWindow::renewSessionAndRepeat()
{
    if (m_sessionRenewed || !m_access)
        return false;
    QPair<QString, QString> remembered;
    if (m_services.rememberedCredentials)
        remembered = m_services.rememberedCredentials();
    else if (m_prefs.value(QStringLiteral("rem_pwd")) == True)
        remembered = {m_prefs.value(QStringLiteral("str_user")), m_prefs.value(QStringLiteral("str_pwd"))};
    if (remembered.first.isEmpty() || remembered.second.isEmpty())
        return false;
    m_sessionRenewed = true;
    m_renewal = connect(m_access, &UserAccess::LoginFinished, this, [this](int result) {
        disconnect(m_renewal);
        // A check cancelled meanwhile ends as cancelled; the new session stays.
        if (result == ResultCode::Success)
            sessionRenewed(true);
        if (!m_checking || m_cancelled)
            return;
        if (result == ResultCode::Success)
            startCheckTask();
        else
            slotCheckTaskFinished(QNetworkReply::AuthenticationRequiredError);
    });
    m_access->login(remembered.first, remembered.second);
    return true;
}

void MainWindow::sessionRenewed(bool sameUser)
{
    if (!m_access)
        return;
    m_ui.menuBar->setUser(m_access->userName(), m_access->sessionKey());
    if (sameUser) {
        m_services.usage.setSessionKey(m_access->sessionKey());
    } else if (!m_services.usage.setAccount(m_access->userName(), m_access->sessionKey())) {
        CheckMessages::showWordQueueError(this, m_services.usage.queueError());
    }
}

void MainWindow::slotPingCheckServer()
{
    // An answer of the service itself: a ping of a local server's machine answers also
    // while the server is down.
    if (m_services.pingIntervalMs > 0)
        m_network->checkHttp(QStringLiteral("http://") + m_services.checkHost + QStringLiteral("/test.htm"));
}

void MainWindow::slotServiceReached(bool reached)
{
    m_ui.connectionLabel->setText(reached ? QStringLiteral("已成功连接至服务器") : QStringLiteral("未连接服务器"));
    m_ui.connectionLabel->setVisible(true);
    // The next probe comes one interval after the last answer.
    if (!m_endingSession && m_services.pingIntervalMs > 0)
        m_pingTimer.start();
}

// ---------------------------------------------------------------- close, tray, exit

void MainWindow::slotClose()
{
    if (m_prefs.value(QStringLiteral("show_close_tip")) == False) {
        if (m_prefs.value(QStringLiteral("click_close_level")) == QLatin1String("2"))
            close();
        else
            slotHide();
        return;
    }
    bool dontAsk = false;
    int choice = 0;
    if (m_services.askCloseAction) {
        choice = m_services.askCloseAction(this, &dontAsk);
    } else {
        bool hide = false;
        CustomMessageBox box(QStringLiteral("关闭提示"), QStringLiteral("您点击了关闭按钮，是否退出程序？"),
                             QStringLiteral("退出程序"), QStringLiteral("最小化到托盘"), &hide, this);
        choice = box.exec() == QDialog::Accepted ? (hide ? 1 : 2) : 0;
    }
    if (choice == 0)
        return;
    if (dontAsk)
        m_prefs.setValue(QStringLiteral("show_close_tip"), False);
    m_prefs.setValue(QStringLiteral("click_close_level"), choice == 2 ? QStringLiteral("2") : QStringLiteral("1"));
    savePreferences();
    if (choice == 2)
        close();
    else
        slotHide();
}

void MainWindow::slotHide()
{
    const bool tray = m_services.trayAvailable ? m_services.trayAvailable()
                                               : QSystemTrayIcon::isSystemTrayAvailable();
    if (!tray) {
        // Without a tray a hidden window could never come back.
        showMinimized();
        return;
    }
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
        m_tray->setToolTip(QStringLiteral("Pennova"));
        auto *menu = new QMenu(this);
        connect(menu->addAction(QStringLiteral("还原")), &QAction::triggered, this, &MainWindow::slotShowNormal);
        connect(menu->addAction(QStringLiteral("退出")), &QAction::triggered, this,
                &MainWindow::slotTrayIconExitClicked);
        m_tray->setContextMenu(menu);
        connect(m_tray, &QSystemTrayIcon::activated, this, &MainWindow::slotActivated);
    }
    m_tray->show();
    hide();
}

void MainWindow::slotShowNormal()
{
    // Back as the user left it, whatever state the window went away in (minimised, then
    // hidden to the tray): not minimised, maximised by the frame if it was, in front and
    // active. The state of the widget and of its native window are both cleared: one
    // may still say minimised while the other does not, and a window shown that way
    // comes back iconic.
    // Activated only once shown: an activation asked for while hidden gives the native
    // window the focus but leaves the program without an active window.
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen | Qt::WindowActive));
    show();
    if (QWindow *handle = windowHandle()) {
        if (handle->windowStates() & Qt::WindowMinimized)
            handle->setWindowStates(handle->windowStates() & ~Qt::WindowMinimized);
    }
    if (isFrameMaximized()) {
        // The frame's own maximising: the window fills the screen's work area again.
        if (const QScreen *screen = this->screen())
            setGeometry(screen->availableGeometry());
    }
    raise();
    activateWindow();
    // A window system that kept the focus on the hidden window reports no activation
    // when it comes back; the program must still take it for its active window.
    if (QApplication::activeWindow() != this && QGuiApplication::focusWindow() == windowHandle())
        QApplication::setActiveWindow(this);
    if (m_tray)
        m_tray->hide();
}

void MainWindow::slotActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
        slotShowNormal();
}

void MainWindow::slotTrayIconExitClicked()
{
    // The exit question must be visible.
    if (m_ui.editor->hasText())
        slotShowNormal();
    close();
}

bool MainWindow::confirmDropText(const QString &title, const QString &text, const QString &goText)
{
    if (!m_ui.editor->hasText())
        return true;
    bool save = false;
    CustomMessageBox box(title, text, goText, QStringLiteral("保存文本"), &save, this);
    if (box.exec() != QDialog::Accepted)
        return false;
    // A failed or cancelled save keeps everything as it was.
    return !save || slotSave();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_exitAllowed) {
        if (m_tray)
            m_tray->hide();
        event->accept();
        return;
    }
    event->ignore();
    if (m_endingSession || isChecking())
        return;
    if (!confirmDropText(QStringLiteral("退出确认"), QStringLiteral("退出后将丢失文本，是否退出？"),
                         QStringLiteral("退出")))
        return;
    endSession(true);
}

void MainWindow::slotLogout()
{
    if (m_endingSession || isChecking())
        return;
    if (!confirmDropText(QStringLiteral("注销确认"), QStringLiteral("注销后会清除文本，是否注销？"),
                         QStringLiteral("注销")))
        return;
    endSession(false);
}

void MainWindow::storeSessionSettings()
{
    const int proxy = m_prefs.value(QStringLiteral("proxy_type")).toInt();
    if (proxy >= 1 && proxy <= 3) {
        const char *names[] = {"Proxy_Type_Http", "Proxy_Type_Socks", "Proxy_Type_System"};
        m_services.usage.countEvent(QString::fromLatin1(names[proxy - 1]));
    }
    m_services.usage.countEvent(levelEvent("Check_Level_", m_prefs.value(QStringLiteral("enlish_level")).toInt(), false));
    m_services.usage.countEvent(
        levelEvent("Improve_Level_", m_prefs.value(QStringLiteral("enrichment_level")).toInt(), true));
    if (isTrue(QStringLiteral("show_hint"))) {
        for (const QString &key : m_services.promptTips.keys()) {
            if (key.startsWith(QLatin1String("PT_")))
                m_services.promptTips.setValue(key, False);
        }
    }
    storeGeometry();
    m_prefs.setValue(QStringLiteral("CorrectionPanel"), QString::number(m_ui.panel->currentPage()));
    m_prefs.setValue(QStringLiteral("Dict_Lock"), isTrue(QStringLiteral("Dict_Lock")) ? True : False);
    m_prefs.setValue(QStringLiteral("Dict_Height"), QString::number(m_dictHeight));
    m_prefs.setValue(QStringLiteral("Left_Side_Visible"), m_ui.sideBar->isHidden() ? False : True);
    savePreferences();
    m_services.promptTips.save();
}

void MainWindow::endSession(bool exiting)
{
    m_endingSession = true;
    m_exiting = exiting;
    storeSessionSettings();
    if (exiting)
        hide();
    // The session's usage data goes up first (the sign-out would end its key); a service
    // that does not answer in time does not hold the end.
    if (m_access && !m_access->sessionKey().isEmpty()) {
        m_uploadPending = true;
        QTimer::singleShot(m_services.logoutTimeoutMs, this, [this] {
            if (m_uploadPending)
                slotUploadInformationFinished();
        });
        m_services.usage.uploadAll(m_access->sessionKey(), exiting ? 0 : 1);
        return;
    }
    slotUploadInformationFinished();
}

void MainWindow::slotUploadInformationFinished()
{
    m_uploadPending = false;
    if (!m_access) {
        slotLogoutFinished(ResultCode::SessionError);
        return;
    }
    m_logoutGuard.start();
    m_access->logout(m_exiting);
}

void MainWindow::slotLogoutFinished(int result)
{
    Q_UNUSED(result);
    if (!m_endingSession)
        return;
    m_logoutGuard.stop();
    stopSessionTimers();
    if (m_exiting) {
        exitNow();
        return;
    }
    // Sign-out: an empty window, a fresh session and the login again. The next user must
    // never get this text back after a crash.
    reset();
    m_textChanged = false;
    m_backup.remove();
    if (m_services.renewAccess) {
        if (m_access)
            disconnect(m_access, nullptr, this, nullptr);
        m_access = m_services.renewAccess();
        if (m_access)
            connect(m_access, &UserAccess::LogoutFinished, this, &MainWindow::slotLogoutFinished);
    }
    m_endingSession = false;
    if (!m_services.relogin || !m_services.relogin(this)) {
        m_exiting = true;
        exitNow();
        return;
    }
    m_ui.menuBar->setUser(m_access ? m_access->userName() : QString(), m_access ? m_access->sessionKey() : QString());
    m_services.usage.countEvent(QStringLiteral("Login_Succ"));
    // The new user's word list and unsent words.
    if (!m_services.usage.setAccount(m_access ? m_access->userName() : QString(),
                                     m_access ? m_access->sessionKey() : QString()))
        CheckMessages::showWordQueueError(this, m_services.usage.queueError());
    startSessionTimers();
    m_restPopupTimer.start();
    slotPingCheckServer();
}

void MainWindow::exitNow()
{
    m_exitAllowed = true;
    m_prefs.setValue(QStringLiteral("is_crash"), False);
    savePreferences();
    // A later crash must not bring back the text of this finished session.
    m_backup.remove();
    // Possibly inside the close request that started the exit: close once it has returned.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    emit signalSessionEnded(true);
}

// ---------------------------------------------------------------- dictionary slide

bool MainWindow::isDictionaryOpen() const
{
    return m_ui.dictionaryArea->isVisible() && !(m_dictSlide.state() == QTimeLine::Running && !m_dictOpening);
}

void MainWindow::slotDisplayDictPanel(bool bShow)
{
    if (bShow == isDictionaryOpen())
        return;
    if (!bShow && isTrue(QStringLiteral("Dict_Lock")))
        return; // a locked panel stays
    if (bShow)
        dictionaryPanel(); // made on first use
    m_dictOpening = bShow;
    m_dictSlide.stop();
    m_ui.dictionaryArea->show();
    m_ui.spVertical->handle(1)->setEnabled(bShow);
    m_dictSlide.setDirection(bShow ? QTimeLine::Forward : QTimeLine::Backward);
    m_dictSlide.setCurrentTime(bShow ? 0 : m_dictSlide.duration());
    m_dictSlide.start();
}

void MainWindow::slotSlideDictionary(int nSize)
{
    setDictionaryHeight(m_dictHeight * nSize / 100);
}

void MainWindow::setDictionaryHeight(int height)
{
    // The sizes without the handle.
    const QList<int> sizes = m_ui.spVertical->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    m_ui.spVertical->setSizes({qMax(0, total - height), height});
}

void MainWindow::slotSlideDictFinished()
{
    if (m_dictOpening) {
        setDictionaryHeight(m_dictHeight);
    } else {
        m_ui.dictionaryArea->hide();
    }
}

void MainWindow::slotMoveDictPos()
{
    const QList<int> sizes = m_ui.spVertical->sizes();
    if (sizes.size() < 2 || sizes.at(1) <= 0 || m_dictSlide.state() == QTimeLine::Running)
        return;
    m_dictHeight = sizes.at(1);
    m_prefs.setValue(QStringLiteral("Dict_Height"), QString::number(m_dictHeight));
    savePreferences();
}

void MainWindow::slotDictLock(bool bLock)
{
    m_services.usage.countEvent(bLock ? QStringLiteral("Dictionary_Lock") : QStringLiteral("Dictionary_Unlock"));
    m_prefs.setValue(QStringLiteral("Dict_Lock"), bLock ? True : False);
    savePreferences();
}

void MainWindow::slotDictDouble(bool bDouble)
{
    m_services.usage.countEvent(bDouble ? QStringLiteral("Dictionary_Double") : QStringLiteral("Dictionary_Single"));
    m_prefs.setValue(QStringLiteral("Dict_Double"), bDouble ? True : False);
    savePreferences();
}

// ---------------------------------------------------------------- save

bool MainWindow::slotSave()
{
    m_services.usage.countEvent(QStringLiteral("Main_SaveFile"));
    QString path;
    if (m_services.chooseSaveFile) {
        const QStringList filters = DocumentDialog::saveFilters();
        const int stored = m_prefs.value(QStringLiteral("Save_Filter")).toInt();
        int filter = stored == 1 || stored == 2 ? stored : 0;
        path = m_services.chooseSaveFile(this, &filter);
        filter = qBound(0, filter, int(filters.size()) - 1);
        if (!path.isEmpty()) {
            m_prefs.setValue(QStringLiteral("Save_Filter"), QString::number(filter));
            path = DocumentDialog::withExtension(path, filters.at(filter));
        }
    } else {
        path = DocumentDialog::chooseSaveFile(this, m_prefs);
    }
    if (path.isEmpty())
        return false;
    savePreferences();
    return DocumentDialog::saveTo(this, path, m_ui.editor->toPlainText());
}
