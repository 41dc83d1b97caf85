// pennova-numbertrain [--brown DIR] [--conllu FILE ...] [--hold-out N] [--iterations N]
//                     [--min-count N] [--data DIR] [--out model.txt] [--show N]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tokenises and tags them as the checker does, and trains the noun-number model
// on every head noun (NumberSlots); every N-th sentence (default 10) is held out and measured.

#include "lexicon.h"
#include "nativetext.h"
#include "traineroptions.h"
#include "trainingtagger.h"
#include "nounnumberrule.h"
#include "numberslots.h"
#include "postagger.h"
#include "wordforms.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

struct Sample
{
    PerceptronModel::Example example;
    bool hasOther = false; // the noun's other number is one the rule would suggest
    std::string text;      // the sentence with the noun marked, for --show
    NumberSlots::Context context = NumberSlots::NoDeterminer;
};

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    size_t show = 0; // --show N: print N held-out nouns the rule would flag
    if (!options.parse(argc, argv, [&show](const std::string &key, const char *value) {
            if (key != "--show")
                return false;
            show = size_t(std::max(0, std::atoi(value)));
            return true;
        }))
        return 2;
    const std::string &out = options.out;
    const int iterations = options.iterations, minCount = options.minCount;
    const size_t holdOut = options.holdOut;
    const std::vector<std::string> sentences = options.sentences("pennova-numbertrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const Lexicon &lexicon = tools.lexicon;
    const PosTagger &tagger = tools.tagger;
    const NounNumberRule rule(lexicon, "/usr/share/wordnet");
    const NounForms &forms = rule.forms();
    auto t0 = std::chrono::steady_clock::now();
    std::vector<PerceptronModel::Example> train;
    std::vector<Sample> test;
    for (size_t i = 0; i < sentences.size(); ++i) {
        const std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        const std::vector<std::string> tags = tagger.tag(tokens);
        const bool held = holdOut && i % holdOut == 0;
        for (const NumberSlots::Slot &s : NumberSlots::find(tokens, tags, forms)) {
            PerceptronModel::Example e{NumberSlots::features(tokens, tags, s, forms), int(s.written)};
            if (held) {
                std::string text;
                for (size_t k = 0; k < tokens.size() && show; ++k)
                    text += (k ? " " : "") + (int(k) == s.head ? "[" + tokens[k].text + "]" : tokens[k].text);
                test.push_back({std::move(e), !rule.suggestion(tokens, tags, s).empty(), text,
                                NumberSlots::context(tokens, tags, s)});
            }
            else
                train.push_back(std::move(e));
        }
    }
    std::printf("head nouns: %zu to train on, %zu held out (every %zu-th sentence); %.1f s\n", train.size(),
                test.size(), holdOut,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    PerceptronModel model(NumberSlots::classNames());
    t0 = std::chrono::steady_clock::now();
    model.train(train, iterations, minCount);
    std::printf("trained: %d iterations, features seen at least %d times: %zu; %.1f s\n", iterations, minCount,
                model.featureCount(), std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    if (!test.empty()) {
        // accuracy, the majority baseline, and how often the rule's margins would flag native text
        size_t right = 0, byClass[2] = {}, rightByClass[2] = {}, flagged[2] = {};
        const NounNumberRule::Margins margins = NounNumberRule::Margins::defaults();
        const float sweep[] = {4, 8, 12, 16, 20, 25, 30};
        constexpr size_t kContexts = NumberSlots::ContextCount;
        size_t swept[2][kContexts][7] = {}, inContext[2][kContexts] = {};
        for (const Sample &s : test) {
            const std::vector<float> sc = model.scores(s.example.features);
            const int label = s.example.label;
            const int guess = sc[1] > sc[0] ? 1 : 0;
            right += guess == label;
            ++byClass[label];
            rightByClass[label] += guess == label;
            if (!s.hasOther)
                continue;
            const bool flag = NounNumberRule::decide(sc, label, s.context, margins) >= 0;
            flagged[label] += flag;
            if (flag && show) {
                --show;
                std::printf("  FLAG %s %.1f %s\n", NumberSlots::classNames()[size_t(label)].c_str(),
                            double(sc[size_t(1 - label)] - sc[size_t(label)]), s.text.c_str());
            }
            ++inContext[label][s.context];
            for (size_t k = 0; k < 7; ++k)
                swept[label][s.context][k] += sc[size_t(1 - label)] - sc[size_t(label)] >= sweep[k];
        }
        const size_t majority = std::max(byClass[0], byClass[1]);
        std::printf("held out: %zu head nouns, accuracy %.2f%% (always the most frequent number: %.2f%%)\n",
                    test.size(), 100.0 * right / test.size(), 100.0 * majority / test.size());
        for (int c = 0; c < 2; ++c)
            std::printf("    %-3s %7zu nouns, %.2f%% right; the rule's margins would flag %zu (%.3f%%)\n",
                        NumberSlots::classNames()[size_t(c)].c_str(), byClass[c],
                        100.0 * rightByClass[c] / std::max<size_t>(1, byClass[c]), flagged[c],
                        100.0 * flagged[c] / std::max<size_t>(1, byClass[c]));
        // by context: how many native nouns each margin would flag
        for (int c = 0; c < 2; ++c)
            for (size_t x = 0; x < kContexts; ++x) {
                std::printf("    %s after %-5s %6zu:", NumberSlots::classNames()[size_t(c)].c_str(),
                            NumberSlots::contextNames()[x].c_str(), inContext[c][x]);
                for (size_t k = 0; k < 7; ++k)
                    std::printf("  %g:%zu", double(sweep[k]), swept[c][x][k]);
                std::printf("\n");
            }
    }
    if (!out.empty() && !model.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
