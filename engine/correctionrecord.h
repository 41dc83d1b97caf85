#pragma once

#include "candidaterecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace ZeltraLib {

// One finding as the service describes it. Byte-array texts hold UTF-8 as received.
class CorrectionRecord
{
public:
    // Category code (CorrectionCategory); 0 until set. The reply parser sets it from
    // `errorType`.
    int category() const { return m_category; }
    void setCategory(int category) { m_category = category; }

    // Path and query of the explanation look-up of this finding, e.g. "/?et=...".
    QString explanationQuery() const;

    int loc = 0;                    // "loc", passed on unchanged
    int start = 0;                  // "start": first character, relative to the sentence
    int end = 0;                    // "end": end of the finding, relative to the sentence
    QByteArray errorInfo;           // "errorInfo"; polish findings: the position tag
    QByteArray errorType;           // "errorType"
    QList<CandidateRecord> candidates; // "candidates", in reply order
    QList<QByteArray> featureKeys;  // "featureKeys"
    QList<QByteArray> secondKeys;   // further look-up keys; never filled by the parser
    int label = 0;                  // look-up label number; never set by the parser
    QByteArray labelText;           // look-up label text; empty after parsing
    QByteArray explainType;         // "explainType"
    QString explanation;            // fetched explanation text; empty until then

private:
    int m_category = 0;
};

// Percent-encodes "%" and the characters  <>#{}|\^~[]`;/?:@=&$ (upper-case hex);
// everything else, non-ASCII bytes included, stays as it is.
QByteArray escapeExplanationKey(const QByteArray &text);

} // namespace ZeltraLib
