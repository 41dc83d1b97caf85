#pragma once

#include "serveroptions.h"

#include <string>
#include <vector>

namespace PennovaServer {

// pennova-server [--listen ADDR:PORT] [--data DIR] [--database postgresql://...] [--session-lifetime SECONDS]
//                [--threads N] [--public-url URL] [--trusted-proxy ADDR]...
//                [user add NAME EMAIL PASSWORD | user passwd NAME PASSWORD
//                 | release keygen FILE | release add DIR --version N --notes FILE
//                   [--key FILE --public-key FILE.pub]
//                   [--key FILE] [--lowest N] [--label TEXT]
//                 | rules check [FILE...]]
class ServerCommandLine
{
public:
    enum class Mode { Serve, UserAdd, UserPasswd, ReleaseKeygen, ReleaseAdd, RulesCheck, Help, Invalid };

    // arguments without the program name; homeDir gives the default data directory.
    static ServerCommandLine parse(const std::vector<std::string> &arguments, const std::string &homeDir);

    static std::string usage();

private:
    static ServerCommandLine parseRelease(const std::vector<std::string> &arguments, ServerCommandLine line);

public:

    Mode mode = Mode::Invalid;
    ServerOptions options;
    // of the user commands; FILE or DIR of the release commands; the files of "rules check"
    std::vector<std::string> operands;
    // release add
    int releaseVersion = 0;
    int releaseLowest = 0;
    std::string releaseNotesFile;
    std::string releaseKeyFile;
    std::string releasePublicKey; // KEYFILE.pub or the base64 key itself
    std::string releaseLabel; // the version as text ("0.9.3.0"); empty = none
    std::string error;                 // why the line is Invalid
};

} // namespace PennovaServer
