#pragma once
// TrainingTagger: the checker's lexicon, word forms and part-of-speech tagger, loaded from the
// checker's data folder as every classifier trainer needs them.

#include "lexicon.h"
#include "postagger.h"
#include "wordforms.h"

#include <string>

class TrainingTagger
{
public:
    explicit TrainingTagger(const std::string &dataDir);
    // False (with a message on stderr) when the tagger's model did not load.
    bool loaded() const { return m_loaded; }

    const PennovaChecker::Lexicon lexicon;
    const PennovaChecker::WordForms forms;
    PennovaChecker::PosTagger tagger;

private:
    bool m_loaded = false;
};
