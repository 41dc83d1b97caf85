#pragma once

#include "textchunk.h"

namespace ZeltraLib {

// Configuration of a title (a paragraph without sentence punctuation).
class TitleChunk : public TextChunk
{
public:
    TitleChunk() : TextChunk(1) {}

    void configs(QStringList &list) const override;
};

} // namespace ZeltraLib
