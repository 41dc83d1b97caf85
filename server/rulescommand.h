#pragma once

#include <ostream>

namespace PennovaChecker {
class EnglishChecker;
}

namespace PennovaServer {

class ServerCommandLine;

// "rules check [FILE...]": reads rule files (default: every one of DATA/rules) as the server
// would and runs each rule's examples through the checker with them, so that a teacher sees
// what a new rule does before the server uses it. One line per broken file or failed
// example, then a summary.
class RulesCommand
{
public:
    // Returns the process exit code (0 when every file reads and every example holds);
    // messages go to out and err. checker: the checker to use (null: loads one).
    static int run(const ServerCommandLine &line, std::ostream &out, std::ostream &err,
                   const PennovaChecker::EnglishChecker *checker = nullptr);
};

} // namespace PennovaServer
