// pennova-confusiontrain [--brown DIR] [--conllu FILE ...] [--hold-out N] [--data DIR] [--out model.txt]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tokenises and tags them as the checker does and counts the confusion model
// (ConfusionModel). Every N-th sentence (default 10) is held out: for several margins it
// reports how many native uses of a confusion-set word the model would flag, and how many
// slips it finds where the other word of the set is planted in the same sentence.

#include "confusionmodel.h"
#include "lexicon.h"
#include "nativetext.h"
#include "traineroptions.h"
#include "trainingtagger.h"
#include "postagger.h"
#include "wordforms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

struct Tally
{
    int native = 0, nativeFlagged = 0, planted = 0, plantedFound = 0;
};

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    if (!options.parse(argc, argv))
        return 2;
    const std::string &out = options.out;
    const size_t holdOut = options.holdOut;
    const std::vector<std::string> sentences = options.sentences("pennova-confusiontrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const PosTagger &tagger = tools.tagger;
    ConfusionModel counts;
    std::vector<size_t> held;
    for (size_t i = 0; i < sentences.size(); ++i) {
        if (holdOut && i % holdOut == 0) {
            held.push_back(i);
            continue;
        }
        const std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        counts.add(tokens, tagger.tag(tokens));
    }
    if (!out.empty() && !counts.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    if (held.empty())
        return 0;
    // measure the saved model (as the checker reads it) on the held-out sentences
    const std::string measured = out.empty() ? std::string("/tmp/pennova-confusion-model.txt") : out;
    if (out.empty())
        counts.save(measured);
    ConfusionModel model;
    std::string error;
    if (!model.load(measured, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double chosen = model.minRatio; // the checker's margin: per set below
    std::vector<double> margins = {100, 300, 1000, 3000, 10000, 30000};
    if (std::find(margins.begin(), margins.end(), chosen) == margins.end())
        margins.push_back(chosen);
    std::map<double, Tally> total;
    std::map<std::string, Tally> bySet; // at the model's own margin
    std::vector<std::vector<std::string>> sets = ConfusionModel::defaultSets();
    for (const size_t s : held) {
        const std::vector<Token> tokens = Tokenizer::tokenize(sentences[s]);
        const std::vector<std::string> tags = tagger.tag(tokens);
        for (int i = 0; i < int(tokens.size()); ++i) {
            const std::string w = tokens[size_t(i)].lower;
            for (const auto &set : sets) {
                if (std::find(set.begin(), set.end(), w) == set.end())
                    continue;
                const std::string name = set[0] + "/" + set[1];
                for (const double m : margins) {
                    model.minRatio = m;
                    const bool flagged = !model.judge(tokens, tags, i).better.empty();
                    ++total[m].native;
                    total[m].nativeFlagged += flagged;
                    if (m == chosen) {
                        ++bySet[name].native;
                        bySet[name].nativeFlagged += flagged;
                    }
                }
                // the other words planted in its place, the sentence tagged again
                for (const std::string &other : set) {
                    if (other == w)
                        continue;
                    std::vector<Token> planted = tokens;
                    planted[size_t(i)].text = other;
                    planted[size_t(i)].lower = other;
                    const std::vector<std::string> plantedTags = tagger.tag(planted);
                    for (const double m : margins) {
                        model.minRatio = m;
                        const ConfusionModel::Verdict v = model.judge(planted, plantedTags, i);
                        ++total[m].planted;
                        total[m].plantedFound += v.better == w;
                        if (m == chosen) {
                            ++bySet[name].planted;
                            bySet[name].plantedFound += v.better == w;
                        }
                    }
                }
                break;
            }
        }
    }
    std::printf("held-out sentences: %zu\n", held.size());
    std::printf("%10s %10s %12s %10s %12s\n", "margin", "native", "flagged", "planted", "found");
    for (const auto &[m, t] : total)
        std::printf("%10.0f %10d %11.3f%% %10d %11.1f%%\n", m, t.native,
                    t.native ? 100.0 * t.nativeFlagged / t.native : 0.0, t.planted,
                    t.planted ? 100.0 * t.plantedFound / t.planted : 0.0);
    std::printf("per set at margin %.0f:\n", chosen);
    for (const auto &[name, t] : bySet)
        std::printf("%20s %8d %6d flagged %8d %6d found\n", name.c_str(), t.native, t.nativeFlagged, t.planted,
                    t.plantedFound);
    return 0;
}
