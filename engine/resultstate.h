#pragma once

#include "correctionrecord.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>

namespace ZeltraLib {

// Result of one sentence, or (negative sentInd) the summary of a whole request.
// A value type; crosses threads in queued signals.
class CResultState
{
public:
    int sentInd = 0;           // index into the request's "sents"; negative: summary
    double lexicalScore = 0.0; // summary only
    double syntaxScore = 0.0;  // summary only
    QList<CorrectionRecord> corrections; // in reply order
    // Sentence records: what the sentence brings to the summary's error count ("scoreErrors");
    // kept with the cached result and sent back when the sentence is skipped.
    int scoreErrors = 0;

    bool isSummary() const { return sentInd < 0; }
};

// Message of the runtime error raised for text that does not read as a result.
inline constexpr const char DeserializeErrorText[] = "Error: Cannot deserialize into CResultState objects.";

// Reads one JSON object into a CResultState, after replacing every "\u0027" (six
// characters) by an apostrophe. Missing members read as 0, 0.0, empty text or empty
// list. Throws std::runtime_error(DeserializeErrorText) when the text is not valid JSON,
// is not an object, or a member has the wrong type.
CResultState parseResultState(const QByteArray &jsonText);

// Reads a JSON array of such objects (the polish reply), same rules; throws as above,
// also when any element is bad, so that a bad reply yields nothing rather than a part.
QList<CResultState> parseResultStateList(const QByteArray &jsonText);

// The raw-text rule applied before parsing: "\u0027" -> "'".
QByteArray replaceEscapedApostrophes(const QByteArray &jsonText);

// Registers the type under the name "CResultState" for queued connections.
void registerResultStateType();

} // namespace ZeltraLib

Q_DECLARE_METATYPE(ZeltraLib::CResultState)
