// CPU time of an idle main window: the window is shown with an empty text and left alone;
// the figure is the process's CPU time over the wall time. Run it on the display to be
// measured (offscreen by default when there is none).
// Usage: bench_idle [seconds]

#include "configstore.h"
#include "globalstores.h"
#include "mainwindow.h"
#include "useraccess.h"
#include "userinformation.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

double processSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? qMax(1, atoi(argv[1])) : 30;
    QTemporaryDir dir;
    ConfigStore prefs(dir.path(), PreferenceFileName);
    mergeDefaults(prefs, preferenceDefaults());
    ConfigStore tips(dir.path(), PromptTipFileName);
    mergeDefaults(tips, promptTipDefaults());
    for (const QString &key : tips.keys())
        tips.setValue(key, QStringLiteral("True"));
    ZeltraLib::UserAccess access(QStringLiteral("127.0.0.1:1"));
    ZeltraLib::UserInformation usage(QStringLiteral("127.0.0.1:1"));
    MainWindowServices services{prefs, tips, access, usage, QStringLiteral("127.0.0.1:1"),
                                QStringLiteral("127.0.0.1:1"), dir.filePath(QStringLiteral("none.dat"))};
    services.pingIntervalMs = 0;
    MainWindow window(services);
    window.show();

    // Settle first: showing, layout and the fade-in are not idleness.
    double start = 0;
    QTimer::singleShot(2000, &app, [&start] { start = processSeconds(); });
    QTimer::singleShot(2000 + seconds * 1000, &app, [&] {
        const double used = processSeconds() - start;
        std::printf("idle main window (%s): %.3f s CPU in %d s = %.2f %%\n",
                    qPrintable(QGuiApplication::platformName()), used, seconds, used * 100.0 / seconds);
        app.quit();
    });
    return app.exec();
}
