#pragma once
#include <string>

namespace PennovaChecker {

// Where the server's read-only data lies. An installed server (PREFIX/bin) finds it in
// PREFIX/share/pennova-server/<kind>; a server run from the build tree reads the folders
// of the source tree, as do the tests and benchmarks.
class ShippedData
{
public:
    enum Kind { Checker, Dictionary, Templates, Assets };

    // The folder of `kind` for the running program.
    static std::string folder(Kind kind);
    // The same for a program at `executablePath` (tests give one of their own).
    static std::string folderFor(Kind kind, const std::string &executablePath);
    // The folder's name below PREFIX/share/pennova-server.
    static const char *installedName(Kind kind);
};

} // namespace PennovaChecker
