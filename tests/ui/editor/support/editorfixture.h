#pragma once

#include "configstore.h"
#include "correctionrecord.h"
#include "customtexteditor.h"

#include <QList>
#include <QObject>
#include <QTemporaryDir>

#include <memory>

// A preference store with every default, in a temporary directory.
std::unique_ptr<ConfigStore> makePreferences(const QTemporaryDir &dir);

// A record as the reply parser makes it: category from errorType, one candidate per
// text, all of the same candidateType.
ZeltraLib::CorrectionRecord makeRecord(const QByteArray &errorType, int start, int end,
                                       const QList<QByteArray> &candidates,
                                       const QByteArray &candidateType = "REPLACE");

// An editor with a loaded text and its sentence list built through the detection
// thread, as a check does it.
struct EditorFixture
{
    EditorFixture();
    ~EditorFixture();

    // Loads the text, runs sentence detection and builds the sentence list.
    bool load(const QString &text);
    // Finding over [sentence start + start, sentence start + end] of sentence `index`.
    CorrectionItem *addFinding(int sentence, const ZeltraLib::CorrectionRecord &record);
    // Found texts of the findings in document order; one that no longer covers its word
    // reads "found≠current".
    QStringList foundTexts() const;
    // Position of the n-th occurrence (0-based) of needle in the plain text.
    int positionOf(const QString &needle, int occurrence = 0) const;

    QTemporaryDir dir;
    std::unique_ptr<ConfigStore> prefs;
    std::unique_ptr<CustomTextEditor> editor;
    QList<SentenceEntry *> sentences; // owned
};
