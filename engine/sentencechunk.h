#pragma once

#include "textchunk.h"

namespace ZeltraLib {

// Configuration of a sentence.
class SentenceChunk : public TextChunk
{
public:
    SentenceChunk() : TextChunk(0) {}

    void configs(QStringList &list) const override;
};

} // namespace ZeltraLib
