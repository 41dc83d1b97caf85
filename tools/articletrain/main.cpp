// pennova-articletrain [--brown DIR] [--conllu FILE ...] [--hold-out N] [--iterations N]
//                      [--min-count N] [--data DIR] [--out model.txt]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tokenises and tags them as the checker does, and trains the article model
// on every slot (ArticleSlots); every N-th sentence (default 10) is held out and measured.

#include "articlechoicerule.h"
#include "articleslots.h"
#include "nativetext.h"
#include "traineroptions.h"
#include "trainingtagger.h"
#include "lexicon.h"
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
    bool plural = false; // the head noun
};

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    if (!options.parse(argc, argv))
        return 2;
    const std::string &out = options.out;
    const int iterations = options.iterations, minCount = options.minCount;
    const size_t holdOut = options.holdOut;
    const std::vector<std::string> sentences = options.sentences("pennova-articletrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const PosTagger &tagger = tools.tagger;
    auto t0 = std::chrono::steady_clock::now();
    std::vector<PerceptronModel::Example> train;
    std::vector<Sample> test;
    for (size_t i = 0; i < sentences.size(); ++i) {
        const std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        const std::vector<std::string> tags = tagger.tag(tokens);
        const bool held = holdOut && i % holdOut == 0;
        for (const ArticleSlots::Slot &s : ArticleSlots::find(tokens, tags)) {
            PerceptronModel::Example e{ArticleSlots::features(tokens, tags, s), int(s.written)};
            if (held)
                test.push_back({std::move(e), tags[size_t(s.head)] == "NNS"});
            else
                train.push_back(std::move(e));
        }
    }
    std::printf("slots: %zu to train on, %zu held out (every %zu-th sentence); %.1f s\n", train.size(), test.size(),
                holdOut, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    PerceptronModel model(ArticleSlots::classNames());
    t0 = std::chrono::steady_clock::now();
    model.train(train, iterations, minCount);
    std::printf("trained: %d iterations, features seen at least %d times: %zu; %.1f s\n", iterations, minCount,
                model.featureCount(), std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    if (!test.empty()) {
        // accuracy, the majority baseline, and how often the checker's margins would flag native text
        size_t right = 0, flagged = 0;
        size_t byClass[3] = {}, rightByClass[3] = {};
        const ArticleChoiceRule::Margins margins = ArticleChoiceRule::Margins::defaults();
        for (const Sample &s : test) {
            const std::vector<float> sc = model.scores(s.example.features);
            const int guess = int(std::max_element(sc.begin(), sc.end()) - sc.begin());
            right += guess == s.example.label;
            ++byClass[s.example.label];
            rightByClass[s.example.label] += guess == s.example.label;
            flagged += ArticleChoiceRule::decide(sc, s.example.label, s.plural, margins) >= 0;
        }
        const size_t majority = *std::max_element(byClass, byClass + 3);
        std::printf("held out: %zu slots, accuracy %.2f%% (always the most frequent choice: %.2f%%)\n", test.size(),
                    100.0 * right / test.size(), 100.0 * majority / test.size());
        for (int c = 0; c < 3; ++c)
            std::printf("    %-5s %6zu slots, %.2f%% right\n", ArticleSlots::classNames()[size_t(c)].c_str(),
                        byClass[c], 100.0 * rightByClass[c] / std::max<size_t>(1, byClass[c]));
        std::printf("native slots the checker's margins would flag: %zu (%.2f%%)\n", flagged,
                    100.0 * flagged / test.size());
    }
    if (!out.empty() && !model.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
