// pennova-cli check: logs in, splits the text as the editor does and checks (or
// polishes) it through the engine's scheduler and result cache; prints one JSON
// line per finding of the last run and a summary line.
#include "clicommands.h"

#include "checkstorage.h"
#include "checktaskthread.h"
#include "detectsentencethread.h"
#include "documentfiles.h"
#include "passwordhash.h"
#include "plaintextparagraphsource.h"
#include "polishmode.h"
#include "resultcode.h"
#include "sentencelist.h"
#include "servicehosts.h"
#include "useraccess.h"
#include "vocabulary.h"
#include "wordcounter.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>
#include <QStringDecoder>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace ZeltraLib;

namespace {

enum ExitCode { ExitOk = 0, ExitUsage = 1, ExitRefused = 2, ExitNetwork = 3 };

constexpr qint64 MaxInputBytes = 16 * 1024 * 1024;
constexpr int MaxRepeat = 1000;

const char Usage[] = "usage: pennova-cli check [--host HOST:PORT] (--user NAME --password PWD"
                     " | --session KEY) [--polish] [--level N] [--repeat N] FILE|-\n";

struct Options
{
    QString accountHost;
    QString checkHost;
    QString user;
    QString password;
    QString session;
    bool polish = false;
    int level = 2;
    int repeat = 1;
    QString input;
};

// Runs `loop` until `done` is set by a signal handler, unless it already is.
void waitUntil(QEventLoop &loop, const bool &done)
{
    if (!done)
        loop.exec();
}

QByteArray quotedJson(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out.toUtf8();
}

QByteArray jsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<Options> parseOptions(const QStringList &args, QString &error)
{
    QCommandLineParser parser;
    const QCommandLineOption host(QStringLiteral("host"), QString(), QStringLiteral("HOST:PORT"));
    const QCommandLineOption user(QStringLiteral("user"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption password(QStringLiteral("password"), QString(), QStringLiteral("PWD"));
    const QCommandLineOption session(QStringLiteral("session"), QString(), QStringLiteral("KEY"));
    const QCommandLineOption polish(QStringLiteral("polish"));
    const QCommandLineOption level(QStringLiteral("level"), QString(), QStringLiteral("N"));
    const QCommandLineOption repeat(QStringLiteral("repeat"), QString(), QStringLiteral("N"));
    parser.addOptions({host, user, password, session, polish, level, repeat});
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("pennova-cli check")} + args)) {
        error = parser.errorText();
        return std::nullopt;
    }
    Options options;
    const bool hasLogin = parser.isSet(user) || parser.isSet(password);
    if (hasLogin == parser.isSet(session) || (hasLogin && !(parser.isSet(user) && parser.isSet(password)))) {
        error = QStringLiteral("give either --user and --password or --session");
        return std::nullopt;
    }
    if (parser.positionalArguments().size() != 1) {
        error = QStringLiteral("give one input file, or - for standard input");
        return std::nullopt;
    }
    bool ok = true;
    if (parser.isSet(level))
        options.level = parser.value(level).toInt(&ok);
    if (!ok) {
        error = QStringLiteral("--level needs a whole number");
        return std::nullopt;
    }
    if (parser.isSet(repeat))
        options.repeat = parser.value(repeat).toInt(&ok);
    if (!ok || options.repeat < 1 || options.repeat > MaxRepeat) {
        error = QStringLiteral("--repeat needs a number from 1 to %1").arg(MaxRepeat);
        return std::nullopt;
    }
    const QString hostValue = parser.value(host).trimmed();
    if (parser.isSet(host) && hostValue.isEmpty()) {
        error = QStringLiteral("--host needs HOST:PORT");
        return std::nullopt;
    }
    options.accountHost = parser.isSet(host) ? hostValue : AccountHost();
    options.checkHost = parser.isSet(host) ? hostValue : CheckHost();
    options.user = parser.value(user);
    options.password = parser.value(password);
    options.session = parser.value(session);
    options.polish = parser.isSet(polish);
    options.input = parser.positionalArguments().first();
    return options;
}

// A file goes through the document reader (.txt by byte-order mark, UTF-8 or GB18030;
// .docx, .doc, .odt, .rtf as documents); standard input must be UTF-8.
bool readText(const QString &name, QString &text, QString &error)
{
    if (name != QLatin1String("-")) {
        QString reason;
        if (DocumentFiles().read(name, &text, &reason))
            return true;
        error = QStringLiteral("cannot read %1: %2").arg(name, reason);
        return false;
    }
    QFile file;
    if (!file.open(stdin, QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read standard input: %1").arg(file.errorString());
        return false;
    }
    const QByteArray data = file.read(MaxInputBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("cannot read standard input: %1").arg(file.errorString());
        return false;
    }
    if (data.size() > MaxInputBytes) {
        error = QStringLiteral("the input is larger than %1 bytes").arg(MaxInputBytes);
        return false;
    }
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    text = decoder.decode(data);
    if (decoder.hasError()) {
        error = QStringLiteral("the input is not valid UTF-8");
        return false;
    }
    return true;
}

// Logs in; returns the ResultCode of the login and sets `session` on success.
int login(const Options &options, QString &session)
{
    UserAccess access(options.accountHost);
    QEventLoop loop;
    bool done = false;
    int code = 0;
    QObject::connect(&access, &UserAccess::LoginFinished, &loop, [&](int result) {
        code = result;
        done = true;
        loop.quit();
    });
    access.login(options.user.trimmed(), passwordHash(options.password.trimmed()));
    waitUntil(loop, done);
    if (code == ResultCode::Success)
        session = access.sessionKey();
    return code;
}

QByteArray findingLine(const SentenceList::Unit &unit, int sentence, const CorrectionRecord &record,
                       const QString &input)
{
    // Offsets from the service are clamped to the sentence as it stands in the text.
    const int length = int(unit.text.size());
    const int from = qBound(0, record.start, length);
    const int to = qBound(from, record.end, length);
    const int start = unit.start + from;
    const int end = unit.start + to;
    QByteArray line = "{\"paragraph\": " + QByteArray::number(unit.paragraph);
    line += ", \"sentence\": " + QByteArray::number(sentence);
    line += ", \"start\": " + QByteArray::number(start);
    line += ", \"end\": " + QByteArray::number(end);
    line += ", \"text\": " + quotedJson(input.mid(start, end - start));
    line += ", \"errorType\": " + quotedJson(QString::fromUtf8(record.errorType));
    line += ", \"category\": " + QByteArray::number(record.category());
    line += ", \"candidates\": [";
    for (qsizetype i = 0; i < record.candidates.size(); ++i) {
        if (i > 0)
            line += ", ";
        line += quotedJson(QString::fromUtf8(record.candidates.at(i).correction));
    }
    line += "], \"explainType\": " + quotedJson(QString::fromUtf8(record.explainType)) + "}\n";
    return line;
}

struct Finding
{
    int sentence;
    int start;
    int order;
    const CorrectionRecord *record;
};

QByteArray report(const SentenceList &sentences, const QList<CResultState> &states,
                  const CheckTaskThread &thread, int cached, const QString &input)
{
    QList<Finding> findings;
    for (const CResultState &state : states) {
        if (state.sentInd < 0 || state.sentInd >= sentences.units().size())
            continue;
        for (const CorrectionRecord &record : state.corrections)
            findings.append({state.sentInd, record.start, int(findings.size()), &record});
    }
    std::sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        if (a.sentence != b.sentence)
            return a.sentence < b.sentence;
        if (a.start != b.start)
            return a.start < b.start;
        return a.order < b.order;
    });
    QByteArray out;
    for (const Finding &f : std::as_const(findings))
        out += findingLine(sentences.units().at(f.sentence), f.sentence, *f.record, input);
    out += "{\"summary\": {\"sentences\": " + QByteArray::number(thread.statistics().sentenceCount);
    out += ", \"words\": " + QByteArray::number(countTextWords(input));
    out += ", \"lexicalScore\": " + jsonNumber(thread.lexicalScore());
    out += ", \"syntaxScore\": " + jsonNumber(thread.syntaxScore());
    out += ", \"cached\": " + QByteArray::number(cached) + "}}\n";
    return out;
}

} // namespace

int runCheck(const QStringList &args)
{
    QTextStream err(stderr);
    QString error;
    const std::optional<Options> options = parseOptions(args, error);
    if (!options) {
        err << "pennova-cli: " << error << "\n" << Usage;
        return ExitUsage;
    }
    QString input;
    if (!readText(options->input, input, error)) {
        err << "pennova-cli: " << error << "\n";
        return ExitUsage;
    }

    QString session = options->session;
    if (session.isEmpty()) {
        const int code = login(*options, session);
        if (code == ResultCode::NetworkError) {
            err << "pennova-cli: login failed: network error or time-out (" << code << ")\n";
            return ExitNetwork;
        }
        if (code != ResultCode::Success || session.isEmpty()) {
            err << "pennova-cli: login refused (" << code << ")\n";
            return ExitRefused;
        }
    }

    const PlainTextParagraphSource source(input);
    DetectSentenceThread detector;
    const int englishLevel = options->polish ? 2 : options->level;
    detector.start(&source, englishLevel);
    detector.wait();
    SentenceList sentences;
    sentences.build(detector, englishLevel);

    setPolishMode(options->polish);
    CheckTaskThread thread(options->checkHost, options->accountHost, Vocabulary::defaultPath());
    thread.setEnglishLevel(englishLevel);
    thread.setPolishLevel(options->level);
    CheckStorage storage;
    QList<CResultState> states;
    QObject::connect(&thread, &CheckTaskThread::signalUpdateState, &thread,
                     [&states](const CResultState &state) { states.append(state); });

    for (int run = 0; run < options->repeat && !sentences.units().isEmpty(); ++run) {
        states.clear();
        QEventLoop loop;
        bool done = false;
        QNetworkReply::NetworkError result = QNetworkReply::NoError;
        const auto connection = QObject::connect(
            &thread, &CheckTaskThread::signalFinished, &loop, [&](QNetworkReply::NetworkError e) {
                result = e;
                done = true;
                loop.quit();
            });
        thread.start(session, &storage, sentences.texts(), sentences.chunks());
        waitUntil(loop, done);
        QObject::disconnect(connection);
        if (result == QNetworkReply::AuthenticationRequiredError) {
            err << "pennova-cli: the service answered unauthorized (" << int(result) << ")\n";
            return ExitRefused;
        }
        if (result != QNetworkReply::NoError) {
            err << "pennova-cli: check failed: network error " << int(result) << "\n";
            return ExitNetwork;
        }
        if (options->polish)
            states = thread.polishResults();
        else
            storage.addUnanswered(thread.sentences(), thread.chunks());
    }

    const int cached = options->polish ? 0 : int(thread.answeredFromStorage().size());
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)
        || out.write(report(sentences, states, thread, cached, input)) < 0 || !out.flush()) {
        err << "pennova-cli: cannot write standard output\n";
        return ExitUsage;
    }
    return ExitOk;
}
