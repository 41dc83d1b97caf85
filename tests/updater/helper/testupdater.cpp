// `update` as the tests run it: signed with the test release key, ending itself on the
// up-to-date (3) and failed (4) pages, and, with PENNOVA_TEST_KILL_AFTER=N, killed outright
// once file N of an installation is in place.

#include "updaterapp.h"

#include <csignal>

int main(int argc, char *argv[])
{
    UpdaterBuild build;
    build.publicKey = QByteArrayLiteral(TEST_RELEASE_PUBLIC_KEY);
    build.exitOnFinalPage = true;
    bool isNumber = false;
    const int killAfter = qEnvironmentVariableIntValue("PENNOVA_TEST_KILL_AFTER", &isNumber);
    if (isNumber) {
        build.placedHook = [killAfter](int index) {
            if (index == killAfter)
                std::raise(SIGKILL);
        };
    }
    return runUpdater(argc, argv, build);
}
