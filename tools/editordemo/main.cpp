// pennova-editor-demo TEXT RESULTS [--screenshot PNG] [--focus N] [--polish]
// Shows the editor and the correction panel with the results of a check read from a
// file (a JSON array of result records, as the check service sends them).
#include "demowindow.h"
#include "resultsfile.h"

#include "configstore.h"
#include "correctionpanel.h"
#include "customtexteditor.h"
#include "fontsetup.h"
#include "globalstores.h"
#include "polishmode.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

constexpr qint64 MaxTextFileBytes = 16 * 1024 * 1024;

bool readText(const QString &path, QString &text, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxTextFileBytes) {
        error = QStringLiteral("%1: larger than %2 bytes").arg(path).arg(MaxTextFileBytes);
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor and correction panel over stored check results."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("text"), QStringLiteral("UTF-8 text file"));
    parser.addPositionalArgument(QStringLiteral("results"), QStringLiteral("JSON array of result records"));
    QCommandLineOption screenshot(QStringLiteral("screenshot"), QStringLiteral("Save a PNG of the window and quit."),
                                  QStringLiteral("png"));
    QCommandLineOption focus(QStringLiteral("focus"), QStringLiteral("Focus the n-th finding (default 0)."),
                             QStringLiteral("n"), QStringLiteral("0"));
    QCommandLineOption polish(QStringLiteral("polish"), QStringLiteral("Draw as in polish mode."));
    parser.addOptions({screenshot, focus, polish});
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2) {
        err << "usage: pennova-editor-demo TEXT RESULTS [--screenshot PNG] [--focus N] [--polish]\n";
        return 2;
    }

    QString text;
    QString error;
    if (!readText(args.at(0), text, error)) {
        err << error << "\n";
        return 1;
    }
    const ResultsFile results = ResultsFile::read(args.at(1));
    for (const QString &line : results.errors())
        err << "skipped: " << line << "\n";
    err.flush();

    // Settings with their defaults, kept apart from the user's own.
    QTemporaryDir settingsDir;
    ConfigStore prefs(settingsDir.path(), PreferenceFileName);
    mergeDefaults(prefs, preferenceDefaults());
    ZeltraLib::setPolishMode(parser.isSet(polish));

    DemoWindow window(prefs);
    window.panel()->setModeTexts(!parser.isSet(polish));
    window.resize(1100, 720);
    window.show();
    const int inserted = window.load(text, results.states());
    out << "sentences: " << window.editor()->sentenceList()->size() << ", findings: " << inserted
        << ", result records: " << results.states().size() << "\n";
    out.flush();
    window.focusFinding(parser.value(focus).toInt());

    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        // Long enough for the focus frame to fade in.
        QTimer::singleShot(900, &window, [&window, &app, path] {
            const bool saved = window.grab().save(path, "PNG");
            std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "cannot save", qPrintable(path));
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
