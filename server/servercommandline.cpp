#include "servercommandline.h"

#include "clientaddress.h"
#include "postgresdatabase.h"

namespace PennovaServer {

namespace {
// A decimal number in [low, high], or -1.
long long number(const std::string &text, long long low, long long high)
{
    if (text.empty() || text.size() > 10)
        return -1;
    long long value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return -1;
        value = value * 10 + (ch - '0');
    }
    return value >= low && value <= high ? value : -1;
}

bool parseListen(const std::string &text, ServerOptions *options)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    const long long port = number(text.substr(colon + 1), 0, 65535);
    if (port < 0)
        return false;
    std::string host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    options->host = host;
    options->port = int(port);
    return true;
}
} // namespace

ServerCommandLine ServerCommandLine::parseRelease(const std::vector<std::string> &arguments, ServerCommandLine line)
{
    const auto invalid = [&line](const std::string &why) {
        line.mode = Mode::Invalid;
        line.error = why;
        return line;
    };
    if (arguments.size() == 2 && arguments[0] == "keygen") {
        line.mode = Mode::ReleaseKeygen;
        line.operands = {arguments[1]};
        return line;
    }
    if (arguments.size() < 2 || arguments[0] != "add")
        return invalid("release keygen needs FILE, release add needs DIR --version N --notes FILE");
    line.operands = {arguments[1]};
    for (std::size_t i = 2; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size())
            return invalid(arguments[i] + " needs a value");
        const std::string &value = arguments[i + 1];
        if (arguments[i] == "--version") {
            line.releaseVersion = int(number(value, 1, 2000000000));
            if (line.releaseVersion < 0)
                return invalid("--version expects a positive number");
        } else if (arguments[i] == "--lowest") {
            line.releaseLowest = int(number(value, 0, 2000000000));
            if (line.releaseLowest < 0)
                return invalid("--lowest expects a number");
        } else if (arguments[i] == "--notes") {
            line.releaseNotesFile = value;
        } else if (arguments[i] == "--key") {
            line.releaseKeyFile = value;
        } else if (arguments[i] == "--public-key") {
            line.releasePublicKey = value;
        } else if (arguments[i] == "--label") {
            line.releaseLabel = value;
        } else {
            return invalid("unknown option " + arguments[i]);
        }
    }
    if (line.releaseVersion <= 0 || line.releaseNotesFile.empty())
        return invalid("release add needs --version N and --notes FILE");
    if (line.releaseLowest > line.releaseVersion)
        return invalid("--lowest must not be above --version");
    // The public key is what the clients were built with; a release signed with another
    // key would be refused by every one of them.
    if (!line.releaseKeyFile.empty() && line.releasePublicKey.empty())
        return invalid("--key needs --public-key, the public key the clients' updaters were built with");
    line.mode = Mode::ReleaseAdd;
    return line;
}

std::string ServerCommandLine::usage()
{
    return "usage: pennova-server [--listen ADDR:PORT] [--data DIR] [--session-lifetime SECONDS] [--threads N]\n"
           "       pennova-server [--data DIR] user add NAME EMAIL PASSWORD\n"
           "       pennova-server [--data DIR] user passwd NAME PASSWORD\n"
           "       pennova-server release keygen FILE\n"
           "       pennova-server [--data DIR] release add DIR --version N --notes FILE\n"
           "                      [--key FILE --public-key FILE.pub|BASE64]\n"
           "                      [--lowest N] [--label TEXT]\n"
           "       pennova-server [--data DIR] rules check [FILE...]  run rule files' examples (default:\n"
           "                      the files of DATA/rules)\n"
           "  --public-url URL  address for download links (default: the address each request reached)\n"
           "  --trusted-proxy ADDR  a load balancer at ADDR names the client in X-Real-IP (repeatable)\n"
           "  --database postgresql://USER@HOST:PORT/DB  a database shared by several server processes\n"
           "                    (default: pennova.db in the data folder)\n"
           "  --database-connections N  PostgreSQL connections of this process at most (default 16)\n"
           "  --words-per-minute N  words one account may have checked per minute (default 30000)\n"
           "  --registrations-per-hour N  new accounts per client address and hour, over all processes\n"
           "                    (default 10; a school behind one address needs more)\n"
           "  --disable-rule ID  switch off the checker rule or rule family ID (repeatable; rule files: DATA/rules)\n"
           "  --load-data start|first-use  load the checker and the dictionary (seconds, much memory) at\n"
           "                    start, or when the first request needs them (default start)\n";
}

ServerCommandLine ServerCommandLine::parse(const std::vector<std::string> &arguments, const std::string &homeDir)
{
    ServerCommandLine line;
    line.options.dataDir = homeDir + "/.local/share/pennova-server";
    const auto invalid = [&line](const std::string &why) {
        line.mode = Mode::Invalid;
        line.error = why;
        return line;
    };
    std::size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string &arg = arguments[i];
        if (arg == "-h" || arg == "--help") {
            line.mode = Mode::Help;
            return line;
        }
        if (arg.rfind("--", 0) != 0)
            break;
        if (i + 1 >= arguments.size())
            return invalid(arg + " needs a value");
        const std::string &value = arguments[++i];
        if (arg == "--listen") {
            if (!parseListen(value, &line.options))
                return invalid("--listen expects ADDR:PORT, got " + value);
        } else if (arg == "--data") {
            if (value.empty())
                return invalid("--data expects a directory");
            line.options.dataDir = value;
        } else if (arg == "--database") {
            if (!PostgresDatabase::isUrl(value))
                return invalid("--database expects postgresql://USER@HOST:PORT/DATABASE");
            line.options.database = value;
        } else if (arg == "--database-connections") {
            const long long connections = number(value, 1, 1000);
            if (connections < 0)
                return invalid("--database-connections expects 1 to 1000");
            line.options.databaseConnections = int(connections);
        } else if (arg == "--words-per-minute") {
            const long long words = number(value, 1, 10000000);
            if (words < 0)
                return invalid("--words-per-minute expects 1 to 10000000");
            line.options.maxWordsPerMinute = int(words);
        } else if (arg == "--registrations-per-hour") {
            const long long count = number(value, 0, 1000000);
            if (count < 0)
                return invalid("--registrations-per-hour expects 0 to 1000000");
            line.options.registrationsPerHour = int(count);
        } else if (arg == "--session-lifetime") {
            const long long seconds = number(value, 1, 30LL * 24 * 3600);
            if (seconds < 0)
                return invalid("--session-lifetime expects 1 to 2592000 seconds");
            line.options.sessionLifetimeSeconds = int(seconds);
        } else if (arg == "--public-url") {
            if (value.rfind("http://", 0) != 0 && value.rfind("https://", 0) != 0)
                return invalid("--public-url expects http://HOST:PORT");
            line.options.publicUrl = value;
        } else if (arg == "--trusted-proxy") {
            if (!ClientAddress::isAddress(value))
                return invalid("--trusted-proxy expects a numeric address, got " + value);
            line.options.trustedProxies.push_back(value);
        } else if (arg == "--disable-rule") {
            if (value.empty() || value.size() > 100 || value.find_first_of(" \t\n") != std::string::npos)
                return invalid("--disable-rule expects a rule id");
            line.options.disabledRules.push_back(value);
        } else if (arg == "--load-data") {
            if (value != "start" && value != "first-use")
                return invalid("--load-data expects start or first-use");
            line.options.loadDataAtStart = value == "start";
        } else if (arg == "--threads") {
            const long long threads = number(value, 1, 256);
            if (threads < 0)
                return invalid("--threads expects 1 to 256");
            line.options.threads = int(threads);
        } else {
            return invalid("unknown option " + arg);
        }
    }
    if (i == arguments.size()) {
        line.mode = Mode::Serve;
        return line;
    }
    if (arguments[i] == "release")
        return parseRelease(std::vector<std::string>(arguments.begin() + std::ptrdiff_t(i + 1), arguments.end()),
                            std::move(line));
    if (arguments[i] == "rules") {
        if (i + 1 >= arguments.size() || arguments[i + 1] != "check")
            return invalid("rules needs check");
        line.operands.assign(arguments.begin() + std::ptrdiff_t(i + 2), arguments.end());
        line.mode = Mode::RulesCheck;
        return line;
    }
    if (arguments[i] != "user" || i + 1 >= arguments.size())
        return invalid("unknown command " + arguments[i]);
    const std::string &command = arguments[i + 1];
    line.operands.assign(arguments.begin() + std::ptrdiff_t(i + 2), arguments.end());
    if (command == "add" && line.operands.size() == 3)
        line.mode = Mode::UserAdd;
    else if (command == "passwd" && line.operands.size() == 2)
        line.mode = Mode::UserPasswd;
    else
        return invalid("user add needs NAME EMAIL PASSWORD, user passwd needs NAME PASSWORD");
    return line;
}

} // namespace PennovaServer
