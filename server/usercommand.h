#pragma once

#include <ostream>

namespace PennovaServer {

class ServerCommandLine;

// "user add" and "user passwd": account administration from the command line, with the
// registration rules (user name, e-mail, password of 6 to 64 characters). The password
// is stored the way the login window will send it: the hash of the trimmed text.
class UserCommand
{
public:
    // Returns the process exit code; messages go to out and err.
    static int run(const ServerCommandLine &line, std::ostream &out, std::ostream &err);
};

} // namespace PennovaServer
