#pragma once

#include "vocabulary.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Builds the tables of voc.dat from the shipped word lists:
// - level table: CEFR headwords, A1/A2 -> 0, B1 -> 1, B2 -> 2, C1 -> 3, C2 -> 4, and
//   frequency-list words without a CEFR level, up to maxRank, -> 5;
// - form table: regular inflections (-s/-es, -ed, -ing, -er, -est by part of speech)
//   of the CEFR headwords plus the irregular table;
// - known words: contractions and the most frequent words (rank < knownRank)
//   that neither have a level nor are a form of a word with one.
class VocabularyBuilder
{
public:
    int knownRank = 2000;
    int maxRank = 30000;

    // Each returns false with `error` set when the file cannot be read.
    bool addCefrList(const QString &path, QString *error);
    bool addIrregularForms(const QString &path, QString *error);
    bool addFrequencyList(const QString &path, QString *error);
    bool addKnownWords(const QString &path, QString *error);

    ZeltraLib::Vocabulary build() const;

    // Regular inflected forms of `word` for a part of speech ("noun", "verb",
    // "adjective"; others have none).
    static QStringList inflections(const QString &word, const QString &partOfSpeech);
    // CEFR level text -> level number, -1 for anything else.
    static int levelOfCefr(const QString &cefr);

private:
    void addForm(const QString &form, const QString &base);

    ZeltraLib::Vocabulary::LevelTable m_levels;
    ZeltraLib::Vocabulary::FormTable m_forms;
    QStringList m_frequency; // rank order
    QStringList m_known;
};
