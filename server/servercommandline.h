#pragma once

#include "serveroptions.h"

#include <string>
#include <vector>

namespace PennovaServer {

// pennova-server [--listen ADDR:PORT] [--data DIR] [--session-lifetime SECONDS]
//                [--threads N] [user add NAME EMAIL PASSWORD | user passwd NAME PASSWORD]
class ServerCommandLine
{
public:
    enum class Mode { Serve, UserAdd, UserPasswd, Help, Invalid };

    // arguments without the program name; homeDir gives the default data directory.
    static ServerCommandLine parse(const std::vector<std::string> &arguments, const std::string &homeDir);

    static std::string usage();

    Mode mode = Mode::Invalid;
    ServerOptions options;
    std::vector<std::string> operands; // of the user commands
    std::string error;                 // why the line is Invalid
};

} // namespace PennovaServer
