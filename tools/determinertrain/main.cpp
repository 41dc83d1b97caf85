// pennova-determinertrain [--brown DIR] [--conllu FILE ...] [--data DIR] [--out counts.txt]
//                         [--min-count N] [--hold-out N] [--show NOUN,NOUN,...]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tags them as the checker does and counts, for each singular common noun, how
// often it stands bare, after "a/an" or after another determiner, by slot (NounDeterminers).
// Prints the counts of the nouns named by --show. With --hold-out N every N-th sentence is
// left out of the counts and measured: how many of its native bare nouns after "be", "as" or a
// preposition the checker's test (ArticleRules::rarelyBare) would call rarely bare, and how
// many of its nouns with a determiner there would be, were the determiner dropped.

#include "articlerules.h"
#include "noundeterminers.h"
#include "traineroptions.h"
#include "trainingtagger.h"

#include <algorithm>
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
    struct Held
    {
        std::string noun, slot, sentence;
        bool bare;
    };
    std::vector<Held> held;
    for (size_t i = 0; i < sentences.size(); ++i) {
        const std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        const std::vector<std::string> tags = tools.tagger.tag(tokens);
        const bool isHeld = options.holdOut && i % options.holdOut == 0;
        for (const NounDeterminers::Use &u : NounDeterminers::uses(tokens, tags)) {
            if (isHeld) {
                if (u.slot != "*" && u.slot != "of")
                    held.push_back({tokens[size_t(u.head)].lower, u.slot, sentences[i], u.written == NounDeterminers::Bare});
                continue;
            }
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
    if (held.empty())
        return 0;
    size_t bare = 0, flagged = 0, determined = 0, found = 0;
    for (const Held &h : held) {
        const bool rarely = ArticleRules::rarelyBare(&table, h.noun, h.slot.c_str());
        if (h.bare) {
            ++bare;
            flagged += rarely ? 1 : 0;
            if (rarely && flagged <= 30)
                std::printf("  native bare called rarely bare: %s (%s) | %s\n", h.noun.c_str(), h.slot.c_str(),
                            h.sentence.c_str());
        } else {
            ++determined;
            found += rarely ? 1 : 0;
        }
    }
    std::printf("held out (every %zu-th sentence), after be, as and prepositions but of: native bare nouns %zu, "
                "called rarely bare %zu (%.2f%%); nouns with a determiner %zu, rarely bare %zu (%.1f%%)\n",
                options.holdOut, bare, flagged, 100.0 * flagged / std::max<size_t>(1, bare), determined, found,
                100.0 * found / std::max<size_t>(1, determined));
    return 0;
}
