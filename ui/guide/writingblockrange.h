#pragma once

#include "hightemplate.h"
#include "writingsentencerange.h"

#include <QList>
#include <QTextCursor>

#include <memory>
#include <vector>

class HoverPushButton;

// One block (paragraph) of a detailed template in the template editor, with its
// alternative wordings.
class WritingBlockRange
{
public:
    QTextCursor englishRange;
    QTextCursor translationRange;
    QList<ZeltraLib::HighTemplate::Alternative> alternatives;
    std::vector<std::unique_ptr<WritingSentenceRange>> sentences; // in text order
    int current = 0;                  // alternative shown; -1 for the title block
    HoverPushButton *button = nullptr; // owned by the English view; none for the title

    bool replaceable() const { return current >= 0; }
    bool hasAlternatives() const { return alternatives.size() > 1; }
    // Left with at most one sentence that is not a paragraph mark.
    bool nearlyEmpty() const;
    int indexOf(const WritingSentenceRange *sentence) const;
};
