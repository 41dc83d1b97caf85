#include "officeconverter.h"

#include "documentsupport.h"
#include "errortexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <signal.h>
#include <unistd.h>

using DocumentSupport::setError;

namespace {

QString findProgram()
{
    const QString configured = qEnvironmentVariable("PENNOVA_SOFFICE");
    if (!configured.isEmpty())
        return QFileInfo(configured).isExecutable() ? configured : QString();
    for (const char *name : {"soffice", "libreoffice"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

} // namespace

OfficeConverter::OfficeConverter(const QString &program, int timeoutMs)
    : m_program(program.isEmpty() ? findProgram() : QFileInfo(program).isExecutable() ? program : QString())
    , m_timeoutMs(timeoutMs)
{
}

int OfficeConverter::defaultTimeoutMs()
{
    return DocumentSupport::ConvertTimeoutMs;
}

bool OfficeConverter::convert(const QString &input, const QString &format, const QString &output,
                              QString *error) const
{
    if (!isAvailable()) {
        setError(error, QStringLiteral("需要安装 LibreOffice。"));
        return false;
    }
    // The input is copied under a plain name: LibreOffice then sees no odd characters,
    // and its lock files stay in the private folder.
    QTemporaryDir work;
    const QString suffix = QFileInfo(input).suffix().toLower();
    const QString source = work.filePath(QStringLiteral("document.") + (suffix.isEmpty() ? QStringLiteral("bin") : suffix));
    const QString outDir = work.filePath(QStringLiteral("out"));
    if (!work.isValid() || !QFile::copy(input, source) || !QDir().mkpath(outDir)) {
        setError(error, QStringLiteral("无法准备临时文件夹来转换文档。"));
        return false;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Its own process group: "soffice" is a launcher, and on a time-out the office
    // process it started must end too.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    const QString profile = QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString();
    process.start(m_program, {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                              QStringLiteral("-env:UserInstallation=") + profile,
                              QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), outDir, source});
    if (!process.waitForStarted(m_timeoutMs)) {
        setError(error, QStringLiteral("无法启动 LibreOffice，请确认它已经安装。"));
        return false;
    }
    if (!process.waitForFinished(m_timeoutMs)) {
        ::kill(-pid_t(process.processId()), SIGKILL);
        process.kill();
        process.waitForFinished(-1);
        setError(error, QStringLiteral("LibreOffice 转换文档超时（%1 秒），已停止。").arg(m_timeoutMs / 1000.0));
        return false;
    }
    const QString converted = outDir + QStringLiteral("/document.") + format;
    QFile result(converted);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !result.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("LibreOffice 无法转换该文档。"));
        return false;
    }
    if (result.size() > DocumentSupport::MaxFileBytes) {
        setError(error, QStringLiteral("转换后的文档超过 %1 MB。").arg(DocumentSupport::MaxFileBytes >> 20));
        return false;
    }
    QSaveFile target(output);
    if (!target.open(QIODevice::WriteOnly) || target.write(result.readAll()) != result.size() || !target.commit()) {
        setError(error, QStringLiteral("无法写入文件：%1").arg(ErrorTexts::fileError(target)));
        return false;
    }
    return true;
}
