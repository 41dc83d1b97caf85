// Test helper: holds a shared flag segment until its standard input closes or it is
// killed.
//   shell-segment-holder hold <key> [command]   create or attach, write the command byte
//   shell-segment-holder instance <key>         like a second client start: exit 0 at once
//                                               when another living process holds the key
// Prints "created", "attached" or "unusable" (neither), then "ready" once it holds the
// segment.

#include "sharedflagsegment.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || (args[1] != QLatin1String("hold") && args[1] != QLatin1String("instance")))
        return 2;

    SharedFlagSegment segment(args[2]);
    std::printf("%s\n", segment.isCreated()    ? "created"
                         : segment.isAttached() ? "attached"
                                                : "unusable");
    std::fflush(stdout);
    if (args[1] == QLatin1String("instance") && !segment.isCreated() && segment.isAttached())
        return 0;
    if (args.size() > 3)
        segment.writeCommand(static_cast<char>(args[3].toInt()));

    std::printf("ready\n");
    std::fflush(stdout);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 3;
    input.readAll(); // until the test closes our input
    return 0;
}
