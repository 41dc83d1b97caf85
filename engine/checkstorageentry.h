#pragma once

#include "correctionrecord.h"
#include "textchunk.h"

#include <QList>
#include <QString>

#include <memory>

namespace ZeltraLib {

// One sentence of the check result cache: its text as sent, its configuration
// (a chunk of the sentence's class and confidence, owned) and its findings.
struct CheckStorageEntry
{
    QString text;
    std::unique_ptr<TextChunk> chunk;
    QList<CorrectionRecord> corrections;
    int scoreErrors = 0; // the record's "scoreErrors"
};

} // namespace ZeltraLib
