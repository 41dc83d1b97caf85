// pennova-determinertrain [--brown DIR] [--conllu FILE ...] [--data DIR] [--out counts.txt]
//                         [--min-count N] [--show NOUN,NOUN,...]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tags them as the checker does and counts, for each singular common noun, how
// often it stands bare, after "a/an" or after another determiner, by slot (NounDeterminers).
// Prints the counts of the nouns named by --show.

#include "noundeterminers.h"
#include "traineroptions.h"
#include "trainingtagger.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace PennovaChecker;

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    options.holdOut = 0;
    std::string show = "city,problem,member,illusion,freshman,president,chairman,captain,part,home,school,fact";
    if (!options.parse(argc, argv, [&](const std::string &key, const char *value) {
            if (key != "--show")
                return false;
            show = value;
            return true;
        }))
        return 2;
    const std::vector<std::string> sentences = options.sentences("pennova-determinertrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    NounDeterminers counts;
    size_t uses = 0;
    for (const std::string &sentence : sentences) {
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence);
        const std::vector<std::string> tags = tools.tagger.tag(tokens);
        for (const NounDeterminers::Use &u : NounDeterminers::uses(tokens, tags)) {
            counts.add(tokens[size_t(u.head)].lower, u);
            ++uses;
        }
    }
    const std::string path = options.out.empty() ? std::string("/tmp/pennova-noun-determiners.txt") : options.out;
    {
        std::ofstream out(path, std::ios::binary);
        if (!counts.save(out, options.minCount) || !out.flush()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    NounDeterminers table;
    std::string error;
    if (!table.load(path, &error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    std::printf("%zu uses; %s: %zu rows\n", uses, path.c_str(), table.rows());
    std::stringstream list(show);
    for (std::string noun; std::getline(list, noun, ',');) {
        std::printf("    %-12s", noun.c_str());
        for (const char *slot : {"all", "*", "be", "as", "in", "at", "for"}) {
            const NounDeterminers::Counts c = table.counts(noun, slot);
            std::printf("  %s %u/%u/%u", slot, c.bare, c.a, c.other);
        }
        std::printf("\n");
    }
    return 0;
}
