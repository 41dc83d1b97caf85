#pragma once

#include <QByteArray>

namespace ZeltraLib {

// One proposed correction of a finding. Texts hold UTF-8 as received.
class CandidateRecord
{
public:
    // Operation code (CandidateOperation) of `candidateType`, derived on first call and
    // kept; 0 is never returned.
    int operation() const;
    // The cached code; 0 while not yet derived.
    int cachedOperation() const { return m_operation; }

    QByteArray correction;    // "correction": the replacement text
    QByteArray candidateType; // "candidateType": operation name
    double score = 0.0;       // "score"
    double originalScore = 0.0; // "originalScore": score of the text as written

private:
    mutable int m_operation = 0;
};

} // namespace ZeltraLib
