#pragma once

#include <QString>

namespace ZeltraLib {
class CorrectionRecord;
class UserInformation;
} // namespace ZeltraLib

// The user's own words are known words: a spelling result over a listed word is
// dropped, and so is a style result whose only candidate is the listed word in another
// case. Every other result is kept. The list compares exactly (case-sensitive).
class UserWordFilter
{
public:
    static bool drops(const ZeltraLib::CorrectionRecord &record, const QString &covered,
                      const ZeltraLib::UserInformation &usage);
};
