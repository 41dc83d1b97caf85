#include "usercommand.h"

#include "passwordhasher.h"
#include "registrationroutes.h"
#include "servercommandline.h"
#include "serverstorage.h"

#include <exception>

namespace PennovaServer {

namespace {
bool validPassword(const std::string &password, std::ostream &err)
{
    if (password.size() < 6 || password.size() > 64) {
        err << "the password must have 6 to 64 characters\n";
        return false;
    }
    return true;
}
} // namespace

int UserCommand::run(const ServerCommandLine &line, std::ostream &out, std::ostream &err)
{
    try {
        if (line.mode == ServerCommandLine::Mode::UserAdd) {
            const std::string &name = line.operands[0];
            const std::string &email = line.operands[1];
            const std::string password = PasswordHasher::trimmed(line.operands[2]);
            if (!RegistrationRoutes::validUserName(name)) {
                err << "the user name must be 6 to 16 letters or digits\n";
                return 1;
            }
            if (!RegistrationRoutes::validEmail(email)) {
                err << "the e-mail address is not valid\n";
                return 1;
            }
            if (!validPassword(password, err))
                return 1;
            ServerStorage storage(line.options);
            switch (storage.accounts().create(name, email, PasswordHasher::protocolHash(password))) {
            case AccountStore::CreateResult::Created:
                out << "user " << name << " added\n";
                return 0;
            case AccountStore::CreateResult::NameTaken:
                err << "the user name " << name << " is taken\n";
                return 1;
            case AccountStore::CreateResult::EmailTaken:
                err << "the e-mail address " << email << " is taken\n";
                return 1;
            }
            return 1;
        }
        if (line.mode == ServerCommandLine::Mode::UserPasswd) {
            const std::string &name = line.operands[0];
            const std::string password = PasswordHasher::trimmed(line.operands[1]);
            if (!validPassword(password, err))
                return 1;
            ServerStorage storage(line.options);
            if (!storage.accounts().setPassword(name, PasswordHasher::protocolHash(password))) {
                err << "no user " << name << "\n";
                return 1;
            }
            out << "password of " << name << " changed\n";
            return 0;
        }
        err << "not a user command\n";
        return 2;
    } catch (const std::exception &e) {
        err << "error: " << e.what() << "\n";
        return 1;
    }
}

} // namespace PennovaServer
