#include "shippeddata.h"
#include "pennovapaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace PennovaChecker {

namespace {

bool isFolder(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string runningProgram()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

const char *sourceFolder(ShippedData::Kind kind)
{
    switch (kind) {
    case ShippedData::Checker:
        return "/server/checker/data";
    case ShippedData::Dictionary:
        return "/server/dictionary/data";
    case ShippedData::Templates:
        return "/server/templates/data";
    case ShippedData::Assets:
        return "/server/assets";
    }
    return "";
}

} // namespace

const char *ShippedData::installedName(Kind kind)
{
    switch (kind) {
    case Checker:
        return "checker";
    case Dictionary:
        return "dictionary";
    case Templates:
        return "templates";
    case Assets:
        return "assets";
    }
    return "";
}

std::string ShippedData::folderFor(Kind kind, const std::string &executablePath)
{
    // PREFIX/bin/program -> PREFIX/share/pennova-server/<kind>
    const size_t slash = executablePath.rfind('/');
    const size_t parent = slash == std::string::npos || slash == 0 ? std::string::npos
                                                                   : executablePath.rfind('/', slash - 1);
    if (parent != std::string::npos) {
        const std::string installed =
            executablePath.substr(0, parent) + "/share/pennova-server/" + installedName(kind);
        if (isFolder(installed))
            return installed;
    }
    return std::string(PENNOVA_SOURCE_DIR) + sourceFolder(kind);
}

std::string ShippedData::folder(Kind kind)
{
    return folderFor(kind, runningProgram());
}

} // namespace PennovaChecker
