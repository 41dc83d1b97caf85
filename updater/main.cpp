// The updater program "update": one argument, the mode (0 check, 1 offer, 2 install,
// 5 offer a mandatory update).

#include "updaterapp.h"

int main(int argc, char *argv[])
{
    UpdaterBuild build;
    build.publicKey = QByteArrayLiteral(PENNOVA_RELEASE_PUBLIC_KEY);
    return runUpdater(argc, argv, build);
}
