#include "trainingtagger.h"

#include <cstdio>

TrainingTagger::TrainingTagger(const std::string &dataDir)
    : lexicon(dataDir, "/usr/share/wordnet")
    , forms("/usr/share/hunspell", "/usr/share/wordnet")
    , tagger(&lexicon, &forms)
{
    std::string error;
    m_loaded = tagger.load(dataDir + "/pos-model.txt", &error);
    if (!m_loaded)
        std::fprintf(stderr, "%s/pos-model.txt: %s\n", dataDir.c_str(), error.c_str());
}
