#include "programlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ZeltraLib {

ProgramLayout::ProgramLayout(const QString &programFolder)
    : m_programFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder)
{
    // A voc.dat beside the program wins: that is a program folder, whatever lies above it.
    if (QFileInfo::exists(m_programFolder + QLatin1String("/voc.dat")))
        return;
    // The updater of an installed tree runs from PREFIX/lib/pennova.
    const QString folder = QDir::cleanPath(m_programFolder);
    const QString prefix = folder.endsWith(QLatin1String("/lib/pennova"))
                               ? folder.chopped(int(qstrlen("/lib/pennova")))
                               : QDir::cleanPath(folder + QLatin1String("/.."));
    // The client's package holds share/pennova; the server's (with pennova-cli) its own.
    for (const char *name : {"/share/pennova", "/share/pennova-server"}) {
        const QString share = prefix + QLatin1String(name);
        if (QFileInfo(share + QLatin1String("/voc.dat")).isFile()) {
            m_shareFolder = share;
            break;
        }
        if (m_shareFolder.isEmpty() && QFileInfo(share).isDir())
            m_shareFolder = share;
    }
    if (!m_shareFolder.isEmpty())
        m_programFolder = prefix + QLatin1String("/bin");
}

QString ProgramLayout::vocabularyFile() const
{
    return (isInstalled() ? m_shareFolder : m_programFolder) + QLatin1String("/voc.dat");
}

QString ProgramLayout::updaterProgram() const
{
    if (isInstalled())
        return QDir::cleanPath(m_programFolder + QLatin1String("/../lib/pennova/update"));
    return m_programFolder + QLatin1String("/update");
}

} // namespace ZeltraLib
