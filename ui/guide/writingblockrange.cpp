#include "writingblockrange.h"

bool WritingBlockRange::nearlyEmpty() const
{
    int marks = 0;
    for (const auto &s : sentences)
        marks += s->pair.content == QLatin1String("\n") ? 1 : 0;
    return marks >= int(sentences.size()) - 1;
}

int WritingBlockRange::indexOf(const WritingSentenceRange *sentence) const
{
    for (std::size_t i = 0; i < sentences.size(); ++i)
        if (sentences[i].get() == sentence)
            return int(i);
    return -1;
}
