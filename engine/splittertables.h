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
};

} // namespace ZeltraLib
