#pragma once

#include <QByteArray>

#include <functional>

// What the `update` program is built with. The public key is compiled in; only test
// builds of the program pass another key or a hook.
struct UpdaterBuild
{
    QByteArray publicKey;
    // Called after each installed file (tests cut the installation off here).
    std::function<void(int index)> placedHook;
    // Ends the program on the up-to-date (exit code 3) and failed (4) pages instead of
    // waiting for the user (tests).
    bool exitOnFinalPage = false;
};

// The whole `update` program: single instance, recovery of an interrupted installation,
// proxy, window and event loop. Returns the exit code.
int runUpdater(int argc, char *argv[], const UpdaterBuild &build);
