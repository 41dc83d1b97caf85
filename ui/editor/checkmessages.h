#pragma once

#include "userinformation.h"
#include "wordcountlimit.h"

class QWidget;

// The boxes of the check workflow: refused word counts, the end of a check and a word the
// word list refuses.
class CheckMessages
{
public:
    // What the user asked for in a finish box.
    enum Choice { NoChoice, Relogin, Diagnosis };

    // "提交词数过多": the per-check limit, or the per-minute limit with its count-down.
    static void showWordLimit(QWidget *parent, WordCountLimit::Verdict verdict, int secondsLeft,
                              int wordsLeft);
    // The box for a finish code (nothing for 5; for 0 only when nothing was found).
    static Choice showFinish(QWidget *parent, int finishCode, bool polish, bool nothingFound);
    // Tells why the word list refused a word (too long, list full); false then, true for
    // every other result.
    static bool showWordListRefusal(QWidget *parent, ZeltraLib::UserInformation::AddWordResult result);
    // The user's queue of unsent words could not be read (`detail`: file and reason).
    static void showWordQueueError(QWidget *parent, const QString &detail);
};
