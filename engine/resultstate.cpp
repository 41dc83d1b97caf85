#include "resultstate.h"

#include "checkcodes.h"

#include <json/json.h>

#include <memory>
#include <stdexcept>

namespace ZeltraLib {

namespace {

[[noreturn]] void fail()
{
    throw std::runtime_error(DeserializeErrorText);
}

// Member readers: a missing or null member gives the default; a member of another
// type makes the whole record unreadable.
int readInt(const Json::Value &object, const char *key)
{
    const Json::Value &v = object[key];
    if (v.isNull())
        return 0;
    if (!v.isNumeric() || v.isBool() || !v.isConvertibleTo(Json::intValue))
        fail();
    return v.asInt();
}

double readReal(const Json::Value &object, const char *key)
{
    const Json::Value &v = object[key];
    if (v.isNull())
        return 0.0;
    if (!v.isNumeric() || v.isBool())
        fail();
    return v.asDouble();
}

QByteArray toBytes(const Json::Value &v)
{
    if (v.isNull())
        return QByteArray();
    if (!v.isString())
        fail();
    const char *begin = nullptr;
    const char *end = nullptr;
    v.getString(&begin, &end);
    return QByteArray(begin, end - begin);
}

QByteArray readString(const Json::Value &object, const char *key)
{
    return toBytes(object[key]);
}

const Json::Value &readArray(const Json::Value &object, const char *key)
{
    static const Json::Value empty(Json::arrayValue);
    const Json::Value &v = object[key];
    if (v.isNull())
        return empty;
    if (!v.isArray())
        fail();
    return v;
}

CandidateRecord readCandidate(const Json::Value &object)
{
    if (!object.isObject())
        fail();
    CandidateRecord candidate;
    candidate.correction = readString(object, "correction");
    candidate.score = readReal(object, "score");
    candidate.originalScore = readReal(object, "originalScore");
    candidate.candidateType = readString(object, "candidateType");
    return candidate;
}

CorrectionRecord readCorrection(const Json::Value &object)
{
    if (!object.isObject())
        fail();
    CorrectionRecord record;
    record.start = readInt(object, "start");
    record.end = readInt(object, "end");
    record.loc = readInt(object, "loc");
    record.errorInfo = readString(object, "errorInfo");
    record.explainType = readString(object, "explainType");
    record.errorType = readString(object, "errorType");
    record.setCategory(categoryFromErrorType(record.errorType));
    for (const Json::Value &key : readArray(object, "featureKeys"))
        record.featureKeys.append(toBytes(key));
    for (const Json::Value &candidate : readArray(object, "candidates"))
        record.candidates.append(readCandidate(candidate));
    return record;
}

CResultState readState(const Json::Value &object)
{
    if (!object.isObject())
        fail();
    CResultState state;
    state.sentInd = readInt(object, "sentInd");
    if (state.sentInd < 0) {
        state.lexicalScore = readReal(object, "lexicalScore");
        state.syntaxScore = readReal(object, "syntaxScore");
        return state;
    }
    for (const Json::Value &correction : readArray(object, "corrections"))
        state.corrections.append(readCorrection(correction));
    // An extra of our own service: a bad value must not cost the record its findings.
    const Json::Value &errors = object["scoreErrors"];
    if (errors.isIntegral() && !errors.isBool() && errors.isConvertibleTo(Json::intValue))
        state.scoreErrors = qMax(0, errors.asInt());
    return state;
}

Json::Value parseJson(const QByteArray &jsonText)
{
    const QByteArray text = replaceEscapedApostrophes(jsonText);
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["failIfExtra"] = true;
    builder["rejectDupKeys"] = false;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(text.constData(), text.constData() + text.size(), &root, &errors))
            fail();
    } catch (const Json::Exception &) {
        fail(); // nesting deeper than the reader's stack limit
    }
    return root;
}

} // namespace

QByteArray replaceEscapedApostrophes(const QByteArray &jsonText)
{
    QByteArray text = jsonText;
    return text.replace("\\u0027", "'");
}

CResultState parseResultState(const QByteArray &jsonText)
{
    try {
        return readState(parseJson(jsonText));
    } catch (const Json::Exception &) {
        fail();
    }
}

QList<CResultState> parseResultStateList(const QByteArray &jsonText)
{
    try {
        const Json::Value root = parseJson(jsonText);
        if (!root.isArray())
            fail();
        QList<CResultState> states;
        states.reserve(root.size());
        for (const Json::Value &element : root)
            states.append(readState(element));
        return states;
    } catch (const Json::Exception &) {
        fail();
    }
}

void registerResultStateType()
{
    qRegisterMetaType<CResultState>("CResultState");
}

} // namespace ZeltraLib
