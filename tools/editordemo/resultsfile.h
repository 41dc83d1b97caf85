#pragma once

#include "resultstate.h"

#include <QList>
#include <QString>
#include <QStringList>

// A file of check results as the service sends them: a JSON array of result objects.
struct ResultsFile
{
    QList<ZeltraLib::CResultState> states; // the records that read
    QStringList errors;                    // one line per record or file problem
};

// Largest results file read (a 10,000-word essay's results are a few megabytes).
constexpr qint64 MaxResultsFileBytes = 64 * 1024 * 1024;

// Reads every element with parseResultState; bad elements are reported and skipped.
ResultsFile readResultsFile(const QString &path);
