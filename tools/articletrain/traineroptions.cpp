#include "traineroptions.h"

#include "postagger.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

bool TrainerOptions::parse(int argc, char **argv, const std::function<bool(const std::string &, const char *)> &extra)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char *value = argv[i + 1];
        if (key == "--brown")
            brown = value;
        else if (key == "--conllu")
            conllu.push_back(value);
        else if (key == "--out")
            out = value;
        else if (key == "--data")
            data = value;
        else if (key == "--hold-out")
            holdOut = size_t(std::max(0, std::atoi(value)));
        else if (key == "--iterations")
            iterations = std::max(1, std::atoi(value));
        else if (key == "--min-count")
            minCount = std::max(1, std::atoi(value));
        else if (!extra || !extra(key, value)) {
            std::fprintf(stderr, "unknown option %s\n", key.c_str());
            return false;
        }
    }
    return true;
}

bool TrainerOptions::loadTagger(PennovaChecker::PosTagger &tagger) const
{
    std::string error;
    if (tagger.load(data + "/pos-model.txt", &error))
        return true;
    std::fprintf(stderr, "%s/pos-model.txt: %s\n", data.c_str(), error.c_str());
    return false;
}
