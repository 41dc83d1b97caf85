#include "userwordfilter.h"

#include "checkcodes.h"
#include "correctionrecord.h"
#include "userinformation.h"

using namespace ZeltraLib;

bool UserWordFilter::drops(const CorrectionRecord &record, const QString &covered, const UserInformation &usage)
{
    const int category = record.category();
    if (category != CategoryNonword && category != CategoryStyle)
        return false;
    if (!usage.contains(covered))
        return false;
    if (category == CategoryNonword)
        return true;
    return record.candidates.size() == 1
           && QString::fromUtf8(record.candidates.first().correction).compare(covered, Qt::CaseInsensitive) == 0;
}
