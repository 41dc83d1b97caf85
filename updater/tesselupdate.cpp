#include "tesselupdate.h"

#include "checkframe.h"
#include "sharedflagsegment.h"
#include "updateframe.h"
#include "updatemanager.h"
#include "versionhelper.h"

#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTimeLine>
#include <QUrl>
#include <QVBoxLayout>

using ZeltraLib::UpdateManager;
using ZeltraLib::VersionHelper;

namespace {
const QString UpdateNow = QStringLiteral("立即更新");
const QString Later = QStringLiteral("下次再说");
const QString Cancel = QStringLiteral("取消");
const QString Ok = QStringLiteral("确定");
const QString NotWritable = QStringLiteral(
    "程序目录不可写：Pennova 是由系统的软件包管理器安装的。请使用软件包管理器（例如 apt）更新 Pennova，"
    "更新程序没有改动任何文件。");
} // namespace

TesselUpdate::TesselUpdate(Options options, QWidget *parent)
    : QMainWindow(parent)
    , m_options(std::move(options))
    , m_folder(m_options.programFolder)
    , m_verifier(m_options.publicKey)
    , m_versionFile(ZeltraLib::VersionFile::defaultPath(m_folder.path()))
    , m_helper(new VersionHelper(m_options.serviceHost, this))
    , m_manager(new UpdateManager(m_folder.path(), this))
    , m_timeLine(new QTimeLine(1000, this))
    , m_pages(new QStackedWidget(this))
    , m_checkFrame(new CheckFrame(m_pages))
    , m_updateFrame(new UpdateFrame(m_pages))
{
    setWindowTitle(QStringLiteral("在线更新-Pennova"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setMinimumSize(520, 380);
    resize(520, 380);
    m_versionFile.load();
    m_manager->setBaseUrl(QUrl(m_helper->baseUrl()));

    m_pages->addWidget(m_checkFrame);
    m_pages->addWidget(m_updateFrame);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_pages, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const QString &text : {UpdateNow, Later, Cancel, Ok}) {
        auto *button = new QPushButton(text, central);
        button->setMinimumWidth(96);
        buttons->addWidget(button);
        m_buttons.append(button);
    }
    layout->addLayout(buttons);
    setCentralWidget(central);
    connect(button(UpdateNow), &QPushButton::clicked, this, &TesselUpdate::slotUpdateClicked);
    // Later postpones: nothing has started, so nothing to confirm.
    connect(button(Later), &QPushButton::clicked, this, &TesselUpdate::slotSubmit);
    connect(button(Cancel), &QPushButton::clicked, this, &QWidget::close);
    connect(button(Ok), &QPushButton::clicked, this, &TesselUpdate::slotSubmit);

    connect(m_helper, &VersionHelper::GetLastestVersionFinished, this, &TesselUpdate::slotGetVersionFinished);
    connect(m_helper, &VersionHelper::GetVersionFileListFinished, this, &TesselUpdate::slotGetFileListFinished);
    connect(m_manager, &UpdateManager::signalDownloadProgress, this, &TesselUpdate::slotDownloadProgress);
    connect(m_manager, &UpdateManager::signalDownloadFinished, this, &TesselUpdate::slotDownloadFinished);
    connect(m_manager, &UpdateManager::signalFinished, this, &TesselUpdate::slotUpdateFinished);
    connect(m_timeLine, &QTimeLine::frameChanged, m_checkFrame, &CheckFrame::slotSetProgress);
    connect(m_timeLine, &QTimeLine::finished, this, &TesselUpdate::slotAnimationFinished);

    State state = Checking;
    if (m_options.mode == 5) {
        state = Found;
        m_forced = true;
    } else if (m_options.mode == 1 || m_options.mode == 2) {
        state = State(m_options.mode);
    }
    m_updateFrame->setForced(m_forced);
    m_updateFrame->setNotes(QStringLiteral("正在获取新版本信息..."));
    setState(state);
    m_helper->OnGetLastestVersion();
}

TesselUpdate::~TesselUpdate() = default;

QPushButton *TesselUpdate::button(const QString &text) const
{
    for (QPushButton *button : m_buttons) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

void TesselUpdate::setState(State state)
{
    m_state = state;
    m_noConfirmation = state == UpToDate || state == Failed;
    const bool onUpdatePage = state == Found || state == Updating;
    m_pages->setCurrentWidget(onUpdatePage ? static_cast<QWidget *>(m_updateFrame) : m_checkFrame);
    if (onUpdatePage)
        m_updateFrame->showView(state == Found ? UpdateFrame::View::Found : UpdateFrame::View::Progress);
    else
        m_checkFrame->showView(state == Checking   ? CheckFrame::View::Checking
                               : state == UpToDate ? CheckFrame::View::Finished
                                                   : CheckFrame::View::Failed);
    button(UpdateNow)->setVisible(state == Found);
    button(UpdateNow)->setEnabled(m_versionKnown);
    button(Later)->setVisible(state == Found);
    button(Cancel)->setVisible(state == Checking || state == Updating);
    button(Ok)->setVisible(state == UpToDate || state == Failed);
    Q_EMIT signalStateChanged(state);
}

void TesselUpdate::fail(const QString &note)
{
    m_timeLine->stop();
    m_checkFrame->setFailureNote(note);
    setState(Failed);
}

void TesselUpdate::refuse(const QString &error, const QString &note)
{
    const QString line = QStringLiteral("version %1 refused: %2").arg(m_newestVersion).arg(error);
    qWarning("update: %s", qUtf8Printable(line));
    if (m_options.log)
        m_options.log(line);
    if (m_options.rememberRefused)
        m_options.rememberRefused(m_newestVersion);
    // Nothing was installed: the main program may start again.
    if (m_options.commandChannel)
        m_options.commandChannel->writeCommand(0);
    fail(QStringLiteral("已拒绝安装新版本 %1，没有改动任何文件。原因：%2").arg(m_newestVersion).arg(note));
}

void TesselUpdate::slotGetVersionFinished(QStringList result)
{
    // The notes are part 2; a shorter reply is as good as none.
    bool isNumber = false;
    const int newest = result.size() >= 3 ? result[0].trimmed().toInt(&isNumber) : 0;
    if (!isNumber || newest < 0)
        return fail();
    m_newestVersion = newest;
    m_versionKnown = true;
    button(UpdateNow)->setEnabled(true);
    m_signature = result.size() > 3 ? result[3].trimmed().toLatin1() : QByteArray();
    const int start = int(QRandomGenerator::global()->bounded(50));
    m_checkFrame->slotSetProgress(start);
    m_updateFrame->setNotes(result[2]);
    // A missing "ver.dat" is version 0, as for the main program: nothing published (0) is no update.
    const bool newer = m_versionFile.versionId() < newest;
    if (m_state == Checking) {
        m_afterAnimation = newer ? Found : UpToDate;
        if (m_options.animationStepMs <= 0)
            return slotAnimationFinished();
        m_timeLine->setDuration((100 - start) * m_options.animationStepMs);
        m_timeLine->setFrameRange(start, 100);
        m_timeLine->start();
    } else if (m_state == Updating) {
        // Automatic mode installs only what is newer than the installed version.
        if (!newer)
            return setState(UpToDate);
        m_state = Found;
        slotUpdateClicked();
    }
}

void TesselUpdate::slotAnimationFinished()
{
    m_checkFrame->slotSetProgress(100);
    setState(m_afterAnimation);
}

void TesselUpdate::slotUpdateClicked()
{
    // An install by the package manager is updated by the package manager.
    if (!m_folder.isWritable())
        return fail(NotWritable);
    if (m_options.commandChannel)
        m_options.commandChannel->writeCommand(1);
    setState(Updating);
    m_updateFrame->slotSetProgress(0);
    m_updateFrame->setStatus(QStringLiteral("正在下载更新文件..."));
    m_helper->OnGetVersionFileList(QString::number(m_newestVersion));
}

void TesselUpdate::slotGetFileListFinished(QStringList result)
{
    if (m_state != Updating)
        return;
    const UpdatePlan plan = UpdatePlan::build(result, m_newestVersion, m_signature, m_verifier, m_folder, m_versionFile);
    if (!plan.accepted())
        return refuse(plan.error, plan.note);
    if (plan.needed.isEmpty())
        return slotUpdateFinished(false);
    m_installing.clear();
    for (const UpdatePlan::Item &item : plan.needed)
        m_installing.append(item.entry);
    m_manager->setQueue(plan.needed);
    m_manager->startDownloads();
}

void TesselUpdate::slotDownloadProgress(int progress)
{
    m_updateFrame->slotSetProgress(progress);
}

void TesselUpdate::slotDownloadFinished()
{
    m_updateFrame->setStatus(QStringLiteral("下载文件完毕，正在复制 ..."));
    m_manager->install(m_newestVersion, [this] { return recordVersion(); });
}

bool TesselUpdate::recordVersion()
{
    ZeltraLib::VersionFile updated(m_versionFile);
    updated.setVersionId(m_newestVersion);
    for (const ZeltraLib::UpdateFileEntry &entry : m_installing)
        updated.setFileVersion(entry.folder, entry.name, entry.version);
    if (!updated.save())
        return false;
    m_versionFile = updated;
    return true;
}

void TesselUpdate::slotUpdateFinished(bool result)
{
    if (!result) {
        // The previous files are in place again: let the main program start normally.
        if (m_options.commandChannel)
            m_options.commandChannel->writeCommand(0);
        return fail();
    }
    if (m_options.commandChannel)
        m_options.commandChannel->writeCommand(0);
    if (!m_options.settingsFile.isEmpty())
        QFile::remove(m_options.settingsFile);
    if (m_options.startProgram)
        m_options.startProgram(m_folder.path() + QStringLiteral("/Pennova"));
    m_noConfirmation = true;
    if (m_options.quit)
        m_options.quit();
}

void TesselUpdate::slotSubmit()
{
    m_noConfirmation = true;
    close();
}

void TesselUpdate::closeEvent(QCloseEvent *event)
{
    if (m_noConfirmation || !m_options.confirmClose || m_options.confirmClose(this)) {
        // An abandoned update installed nothing: the main program may start again.
        if (m_state == Updating && m_options.commandChannel)
            m_options.commandChannel->writeCommand(0);
        m_noConfirmation = true;
        event->accept();
        return;
    }
    event->ignore();
}
