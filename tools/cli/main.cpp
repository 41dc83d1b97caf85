// pennova-cli: the engine's split and check paths from the command line.
#include "clicommands.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == QLatin1String("split"))
        return runSplit(args);
    if (command == QLatin1String("check"))
        return runCheck(args);
    QTextStream(stderr) << "usage: pennova-cli split [FILE]\n"
                           "       pennova-cli check [--host HOST:PORT] (--user NAME --password PWD"
                           " | --session KEY) [--polish] [--level N] [--repeat N] FILE|-\n"
                           "       FILE: .txt, .docx, .doc, .odt or .rtf\n";
    return 1;
}
