#pragma once

#include <QByteArray>
#include <QList>

namespace ZeltraLib {

// Word tables of the sentence splitter: byte strings (ASCII), trimmed, in the
// order the splitter searches them. Built on first use; read-only afterwards.
class SplitterTables
{
public:
    // 516 abbreviations whose dots are no sentence ends ("Serb" has none).
    static const QList<QByteArray> &abbreviations();
    // 12 web address prefixes such as "http://".
    static const QList<QByteArray> &schemes();
    // 24 domain suffixes such as ".com".
    static const QList<QByteArray> &domainSuffixes();
    // 55 emoticons whose ". ? !" are no sentence ends.
    static const QList<QByteArray> &emoticons();

    // Words the boundary rules look at (see SentenceBoundaries).
    // Abbreviations before a name or a reference ("Dr.", "e.g."): never a sentence end.
    static const QList<QByteArray> &titles();
    // Place and body names that may go before a noun ("U.S.", "U.K.") and initials:
    // an end only before a word that starts sentences.
    static const QList<QByteArray> &nameModifiers();
    // Abbreviations missing from the first table that may end a sentence ("Inc.").
    static const QList<QByteArray> &closingAbbreviations();
    // Capitalised words that usually start a sentence ("The", "However").
    static const QList<QByteArray> &sentenceStarters();
    // Subjects and verbs of a reporting clause after a quotation ("I said").
    static const QList<QByteArray> &reportingSubjects();
    static const QList<QByteArray> &reportingVerbs();
};

} // namespace ZeltraLib
