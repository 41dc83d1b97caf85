#include "updaterapp.h"

#include "configstore.h"
#include "fileinstaller.h"
#include "proxysettings.h"
#include "qttranslations.h"
#include "refusedupdate.h"
#include "servicehosts.h"
#include "sharedflagsegment.h"
#include "tesselupdate.h"
#include "updatemanager.h"
#include "versionfile.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <memory>

namespace {
const QString InstanceKey = QStringLiteral("Tessel_Qt_Update_70F56261");
const QString CommandKey = QStringLiteral("Tessel_Qt_Command_1746DC25");

int modeArgument(const QStringList &arguments)
{
    bool isNumber = false;
    const int mode = arguments.size() > 1 ? arguments[1].toInt(&isNumber) : 0;
    return isNumber ? mode : 0;
}

// The log beside the settings; started afresh when it has grown large.
void appendLog(const QString &line)
{
    constexpr qint64 MaxLogBytes = 256 * 1024;
    QDir().mkpath(ConfigStore::settingsDirectory());
    QFile file(ConfigStore::settingsDirectory() + QStringLiteral("update.log"));
    const QIODevice::OpenMode mode = file.size() > MaxLogBytes ? QIODevice::WriteOnly | QIODevice::Truncate
                                                                : QIODevice::WriteOnly | QIODevice::Append;
    if (file.open(mode | QIODevice::Text))
        file.write((QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char(' ') + line + QLatin1Char('\n')).toUtf8());
}

bool confirmClose(QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("退出确认"), QStringLiteral("是否中断更新并退出？"),
                    QMessageBox::NoButton, parent);
    QPushButton *ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == static_cast<QAbstractButton *>(ok);
}
} // namespace

int runUpdater(int argc, char *argv[], const UpdaterBuild &build)
{
    QApplication app(argc, argv);
    installQtTranslations(app); // Chinese whatever the system's locale, Qt's own buttons too
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/MainWindow/Resources/logo.ico")));
    const int mode = modeArgument(QApplication::arguments());

    SharedFlagSegment instance(InstanceKey);
    if (!instance.isCreated() && instance.isAttached()) {
        QMessageBox::critical(nullptr, QStringLiteral("Pennova更新"), QStringLiteral("检测到更新程序已经启动"));
        return 0;
    }

    // An installation cut off by a crash or a kill is finished or undone before anything else.
    const QString folder = QCoreApplication::applicationDirPath();
    const QString versionPath = ZeltraLib::VersionFile::defaultPath(folder);
    FileInstaller(folder).recover([&versionPath] {
        ZeltraLib::VersionFile installed(versionPath);
        return installed.load() ? installed.versionId() : 0;
    });

    if (QFile::exists(ConfigStore::settingsDirectory() + QStringLiteral("preference.ini"))) {
        ConfigStore preferences(QString(), QStringLiteral("preference.ini"));
        applyProxySettings(preferences);
    }

    SharedFlagSegment commandChannel(CommandKey);
    TesselUpdate::Options options;
    options.mode = mode;
    options.programFolder = folder;
    options.serviceHost = ZeltraLib::AccountHost();
    options.publicKey = build.publicKey;
    options.commandChannel = &commandChannel;
    options.settingsFile = ConfigStore::settingsDirectory() + QStringLiteral("setting.ini");
    options.startProgram = [](const QString &program) { return QProcess::startDetached(program, {}); };
    options.quit = [] { QCoreApplication::exit(0); };
    options.confirmClose = confirmClose;
    options.rememberRefused = [](int versionId) { RefusedUpdate::remember(ConfigStore::settingsDirectory(), versionId); };
    options.log = appendLog;
    TesselUpdate window(options);
    window.updateManager()->installer().setPlacedHook(build.placedHook);
    if (build.exitOnFinalPage) {
        QObject::connect(&window, &TesselUpdate::signalStateChanged, &app, [](int state) {
            if (state == TesselUpdate::UpToDate || state == TesselUpdate::Failed)
                QCoreApplication::exit(state);
        });
    }
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                           app.primaryScreen()->availableGeometry()));
    window.show();
    return app.exec();
}
