#pragma once
// TrainerOptions: the command line every classifier trainer takes, and the tagger they share.
//   --brown DIR, --conllu FILE (repeatable), --out MODEL, --data DIR (the checker's data),
//   --hold-out N (every Nth sentence is measured, not trained on), --iterations N, --min-count N

#include <functional>
#include <string>
#include <vector>

class TrainerOptions
{
public:
    std::string brown, out, data;
    std::vector<std::string> conllu;
    int iterations = 5;
    int minCount = 2;
    size_t holdOut = 10;

    // extra(key, value): true when a trainer's own option took the pair. False (with a
    // message on stderr) for an unknown option.
    bool parse(int argc, char **argv, const std::function<bool(const std::string &, const char *)> &extra = {});
    // The native sentences named (NativeText::corpus); empty, after a usage line for
    // `program`, when none were.
    std::vector<std::string> sentences(const char *program) const;
};
