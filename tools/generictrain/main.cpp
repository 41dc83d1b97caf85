// pennova-generictrain [--brown DIR] [--conllu FILE ...] [--hold-out N] [--data DIR] [--out counts.txt]
//                      [--show NOUN,NOUN,...]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tags and lemmatises them as the checker does and counts, for each noun, how
// often it stands bare or after "the" where nothing pins it down (GenericNouns), per
// governing verb or preposition. Every N-th sentence (default 10) is held out: there it
// reports, per threshold, how many native "the" the rule would flag, and how many of the bare
// nouns it finds when "the" is planted before them.

#include "generictherule.h"
#include "lemmatizer.h"
#include "nounforms.h"
#include "traineroptions.h"
#include "trainingtagger.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

struct Held
{
    GenericNouns::Use use;
    std::string sentence;
};

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    std::string show = "society,nature,life,facts,water,pollution,failure,technology,world,environment,internet,"
                       "government,public,economy,sun,future,past";
    if (!options.parse(argc, argv, [&](const std::string &key, const char *value) {
            if (key != "--show")
                return false;
            show = value;
            return true;
        }))
        return 2;
    const std::vector<std::string> sentences = options.sentences("pennova-generictrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const NounForms nouns(tools.lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(tools.lexicon, nouns);
    GenericNouns counts;
    std::vector<Held> held;
    std::vector<Token> previous;
    for (size_t i = 0; i < sentences.size(); ++i) {
        std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        const std::vector<std::string> tags = tools.tagger.tag(tokens);
        lemmatizer.fill(&tokens, tags);
        const bool isHeld = options.holdOut && i % options.holdOut == 0;
        for (GenericNouns::Use &u : GenericNouns::uses(tokens, tags, previous)) {
            if (isHeld)
                held.push_back({std::move(u), sentences[i]});
            else
                counts.add(u);
        }
        previous = std::move(tokens);
    }
    std::printf("uses held out: %zu (every %zu-th sentence)\n", held.size(), options.holdOut);
    const std::string path = options.out.empty() ? std::string("/tmp/pennova-generic-nouns.txt") : options.out;
    if (!counts.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    GenericTheRule rule;
    std::string error;
    if (!rule.load(path, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %zu rows\n", path.c_str(), rule.counts().size());
    // nouns of a fixed or unique reference should come out with "the", general ones bare
    std::stringstream list(show);
    for (std::string noun; std::getline(list, noun, ',');) {
        const GenericNouns::Counts c = rule.counts().counts(noun);
        std::printf("    %-14s not after a preposition: bare %4u, the %4u (bare share %.2f)", noun.c_str(),
                    c.bare, c.the, (c.bare + 1.0) / (c.total() + 2.0));
        for (const char *g : {"^", "in", "of", "to", "for", "protect", "have"}) {
            const GenericNouns::Counts gc = rule.counts().counts(noun, g);
            if (gc.total())
                std::printf("; %s %u/%u", g, gc.bare, gc.the);
        }
        std::printf("\n");
    }
    if (held.empty())
        return 0;
    size_t theUses = 0, bareUses = 0;
    for (const Held &h : held)
        (h.use.withThe ? theUses : bareUses) += 1;
    std::printf("held out: %zu uses with \"the\", %zu bare\n", theUses, bareUses);
    for (const double threshold : {0.5, 0.6, 0.7, 0.75, 0.8, 0.85, 0.9, 0.95}) {
        size_t flagged = 0, found = 0;
        for (const Held &h : held) {
            const double share = rule.bareShare(h.use);
            if (share < threshold)
                continue;
            // a native bare noun stands for a planted "the" the rule should find
            (h.use.withThe ? flagged : found) += 1;
        }
        std::printf("    threshold %.2f: native \"the\" flagged %4zu (%.2f%%); planted \"the\" found %5zu (%.1f%%)\n",
                    threshold, flagged, 100.0 * flagged / std::max<size_t>(1, theUses), found,
                    100.0 * found / std::max<size_t>(1, bareUses));
    }
    for (const Held &h : held)
        if (h.use.withThe && rule.bareShare(h.use) >= GenericTheRule::kThreshold)
            std::printf("  native flagged: the %s (%s) %.2f | %s\n", h.use.noun.c_str(), h.use.governor.c_str(),
                        rule.bareShare(h.use), h.sentence.c_str());
    return 0;
}
