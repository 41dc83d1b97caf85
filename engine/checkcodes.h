#pragma once

#include <QByteArray>

namespace ZeltraLib {

// Category of a finding, derived from its "errorType" text.
enum CorrectionCategory {
    CategoryNull = 0,       // not yet derived
    CategoryNonword = 1,    // "NONWORD", spelling
    CategoryReal = 2,       // "REAL", spelling
    CategoryMophology = 3,  // "MOPHOLOGY", grammar
    CategoryGrammar = 4,    // "GRAMMAR", grammar
    CategoryStyle = 5,      // "STYLE", style
    CategorySuggestion = 6, // "SUGGESTION", one sentence-level suggestion, drawn as a line
    CategoryImprove = 7,    // "IMPROVE", polish suggestion
    CategoryOther = 8       // any other text; displayed as grammar
};

// Operation of a candidate, derived from its "candidateType" text.
enum CandidateOperation {
    OperationUnknown = 0,   // not yet derived
    OperationReplace = 1,   // "REPLACE"
    OperationDeletion = 2,  // "DELETION"
    OperationInsertion = 3, // "INSERTION"
    OperationOther = 4      // any other text
};

// Exact, case-sensitive look-ups of the two tables above.
int categoryFromErrorType(const QByteArray &errorType);
int operationFromCandidateType(const QByteArray &candidateType);

} // namespace ZeltraLib
