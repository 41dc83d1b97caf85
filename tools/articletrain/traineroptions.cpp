#include "traineroptions.h"

#include "nativetext.h"

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

std::vector<std::string> TrainerOptions::sentences(const char *program) const
{
    std::vector<std::string> out = NativeText::corpus(brown, conllu);
    if (out.empty())
        std::fprintf(stderr, "usage: %s --brown DIR [--conllu FILE ...] [--out MODEL]\n", program);
    return out;
}
