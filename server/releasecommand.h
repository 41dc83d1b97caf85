#pragma once

#include <ostream>

namespace PennovaServer {

class ServerCommandLine;

// "release keygen FILE" writes a new signing key pair (FILE secret, FILE.pub public);
// "release add DIR --version N --notes FILE [--key FILE]" publishes the files of DIR as
// version N. A list published without a key is refused by every updater.
class ReleaseCommand
{
public:
    // Returns the process exit code; messages go to out and err.
    static int run(const ServerCommandLine &line, std::ostream &out, std::ostream &err);
};

} // namespace PennovaServer
