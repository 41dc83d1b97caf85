#include "checkcodes.h"

namespace ZeltraLib {

int categoryFromErrorType(const QByteArray &errorType)
{
    static const struct { const char *name; int code; } table[] = {
        { "NONWORD", CategoryNonword },
        { "REAL", CategoryReal },
        { "MOPHOLOGY", CategoryMophology },
        { "GRAMMAR", CategoryGrammar },
        { "STYLE", CategoryStyle },
        { "SUGGESTION", CategorySuggestion },
        { "IMPROVE", CategoryImprove },
    };
    for (const auto &row : table) {
        if (errorType == row.name)
            return row.code;
    }
    return CategoryOther;
}

int operationFromCandidateType(const QByteArray &candidateType)
{
    if (candidateType == "REPLACE")
        return OperationReplace;
    if (candidateType == "DELETION")
        return OperationDeletion;
    if (candidateType == "INSERTION")
        return OperationInsertion;
    return OperationOther;
}

} // namespace ZeltraLib
