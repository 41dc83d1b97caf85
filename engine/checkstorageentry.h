#pragma once

#include "correctionrecord.h"
#include "textchunk.h"

#include <QList>
#include <QString>

#include <memory>

namespace ZeltraLib {

// One sentence of the check result cache: its text as sent, its configuration
// (a chunk of the sentence's class and confidence, owned), its findings and the
// sentence that came before it.
struct CheckStorageEntry
{
    QString text;
    std::unique_ptr<TextChunk> chunk;
    QList<CorrectionRecord> corrections;
    int scoreErrors = 0; // the record's "scoreErrors"
    // The sentence before it when it was checked: some findings read that sentence too.
    QString previous;
};

} // namespace ZeltraLib
