// pennova-server: the account, check, polish, explanation, version and web services of
// Pennova on one HTTP listener.

#include "releasecommand.h"
#include "rulescommand.h"
#include "servercommandline.h"
#include "serviceserver.h"
#include "usercommand.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <pthread.h>
#include <thread>

using namespace PennovaServer;

int main(int argc, char *argv[])
{
    const char *home = std::getenv("HOME");
    const ServerCommandLine line = ServerCommandLine::parse(std::vector<std::string>(argv + 1, argv + argc),
                                                            home ? home : ".");
    switch (line.mode) {
    case ServerCommandLine::Mode::Help:
        std::cout << ServerCommandLine::usage();
        return 0;
    case ServerCommandLine::Mode::Invalid:
        std::cerr << "pennova-server: " << line.error << "\n" << ServerCommandLine::usage();
        return 2;
    case ServerCommandLine::Mode::UserAdd:
    case ServerCommandLine::Mode::UserPasswd:
        return UserCommand::run(line, std::cout, std::cerr);
    case ServerCommandLine::Mode::ReleaseKeygen:
    case ServerCommandLine::Mode::ReleaseAdd:
        return ReleaseCommand::run(line, std::cout, std::cerr);
    case ServerCommandLine::Mode::RulesCheck:
        return RulesCommand::run(line, std::cout, std::cerr);
    case ServerCommandLine::Mode::Serve:
        break;
    }

    // SIGINT and SIGTERM are taken by one thread with sigwait, so that stopping runs
    // outside a signal handler; every thread started later inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    try {
        ServiceServer server(line.options);
        if (server.bind() < 0) {
            std::cerr << "pennova-server: cannot listen on " << line.options.host << ":" << line.options.port << "\n";
            return 1;
        }
        std::thread waiter([&server, stopSignals] {
            int signal = 0;
            sigwait(&stopSignals, &signal);
            server.stop();
        });
        std::printf("listening on %s\n", server.address().c_str());
        std::fflush(stdout);
        const bool served = server.run();
        // Wakes the waiter if the server ended on its own.
        pthread_kill(waiter.native_handle(), SIGTERM);
        waiter.join();
        server.leaveDataToExit();
        return served ? 0 : 1;
    } catch (const std::exception &e) {
        std::cerr << "pennova-server: " << e.what() << "\n";
        return 1;
    }
}
