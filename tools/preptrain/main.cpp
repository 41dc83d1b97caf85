// pennova-preptrain [--brown DIR] [--conllu FILE ...] [--wordnet DIR] [--hold-out N]
//                   [--iterations N] [--min-count N] [--data DIR] [--out model.txt]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks and, with --wordnet, the examples of WordNet's glosses, never held out), tokenises, tags and lemmatises them as the checker does, and trains the
// preposition classifier on every preposition of its set (PrepositionModelSlots); every N-th
// sentence (default 10) is held out and measured: its accuracy, and at a range of margins how
// many native prepositions a rule would flag and how often a guess that sure is right.

#include "lemmatizer.h"
#include "nativetext.h"
#include "nounforms.h"
#include "prepositionmodelslots.h"
#include "traineroptions.h"
#include "trainingtagger.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace PennovaChecker;

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    std::string wordnetDir;
    if (!options.parse(argc, argv, [&](const std::string &key, const char *value) {
            if (key != "--wordnet")
                return false;
            wordnetDir = value;
            return true;
        }))
        return 2;
    std::vector<std::string> sentences = options.sentences("pennova-preptrain");
    if (sentences.empty())
        return 2;
    // the dictionary's examples come after the corpora, so the held-out sentences stay the same
    const size_t native = sentences.size();
    if (!wordnetDir.empty()) {
        const std::vector<std::string> examples = NativeText::wordnetExamples(wordnetDir);
        sentences.insert(sentences.end(), examples.begin(), examples.end());
    }
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const NounForms nouns(tools.lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(tools.lexicon, nouns);
    using M = PrepositionModelSlots;
    auto t0 = std::chrono::steady_clock::now();
    std::vector<PerceptronModel::Example> train, test;
    for (size_t i = 0; i < sentences.size(); ++i) {
        std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        const std::vector<std::string> tags = tools.tagger.tag(tokens);
        lemmatizer.fill(&tokens, tags);
        const bool held = options.holdOut && i < native && i % options.holdOut == 0;
        for (const M::Slot &s : M::find(tokens, tags))
            (held ? test : train).push_back({M::features(tokens, tags, s), s.written});
    }
    std::printf("prepositions: %zu to train on, %zu held out (every %zu-th sentence); %.1f s\n", train.size(),
                test.size(), options.holdOut,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    PerceptronModel model(M::classNames());
    t0 = std::chrono::steady_clock::now();
    model.train(train, options.iterations, options.minCount);
    std::printf("trained: %d iterations, features seen at least %d times: %zu; %.1f s\n", options.iterations,
                options.minCount, model.featureCount(),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    if (!test.empty()) {
        constexpr size_t kClasses = M::kClasses;
        size_t right = 0, byClass[kClasses] = {}, rightByClass[kClasses] = {};
        const float sweep[] = {2, 4, 6, 8, 10, 12, 15, 20, 25, 30, 40};
        constexpr size_t kSweep = sizeof(sweep) / sizeof(sweep[0]);
        size_t flagged[kSweep] = {}, sure[kSweep] = {}, sureRight[kSweep] = {};
        for (const PerceptronModel::Example &e : test) {
            const std::vector<float> sc = model.scores(e.features);
            const int guess = int(std::max_element(sc.begin(), sc.end()) - sc.begin());
            right += guess == e.label;
            ++byClass[e.label];
            rightByClass[e.label] += guess == e.label;
            std::vector<float> sorted = sc;
            std::sort(sorted.begin(), sorted.end(), std::greater<float>());
            for (size_t k = 0; k < kSweep; ++k) {
                // a native preposition flagged at this margin, and a guess at least this sure
                flagged[k] += sc[size_t(guess)] - sc[size_t(e.label)] >= sweep[k];
                if (sorted[0] - sorted[1] >= sweep[k]) {
                    ++sure[k];
                    sureRight[k] += guess == e.label;
                }
            }
        }
        const size_t majority = *std::max_element(std::begin(byClass), std::end(byClass));
        std::printf("held out: %zu prepositions, accuracy %.2f%% (always the most frequent: %.2f%%)\n", test.size(),
                    100.0 * right / test.size(), 100.0 * majority / test.size());
        for (size_t c = 0; c < kClasses; ++c)
            std::printf("    %-5s %6zu, %.2f%% right\n", M::classNames()[c].c_str(), byClass[c],
                        100.0 * rightByClass[c] / std::max<size_t>(1, byClass[c]));
        // a rule would flag the written preposition where the best one scores the margin above it,
        // and trust a guess whose lead over the second is that large
        std::printf("    margin  native flagged   guesses that sure (share, accuracy)\n");
        for (size_t k = 0; k < kSweep; ++k)
            std::printf("    %6g  %5zu (%.3f%%)   %6zu (%.1f%%, %.2f%%)\n", double(sweep[k]), flagged[k],
                        100.0 * flagged[k] / test.size(), sure[k], 100.0 * sure[k] / test.size(),
                        100.0 * sureRight[k] / std::max<size_t>(1, sure[k]));
    }
    if (!options.out.empty() && !model.save(options.out)) {
        std::fprintf(stderr, "cannot write %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
