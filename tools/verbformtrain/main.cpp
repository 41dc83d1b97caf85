// pennova-verbformtrain [--brown DIR] [--conllu FILE ...] [--hold-out N] [--iterations N]
//                       [--min-count N] [--data DIR] [--out model.txt]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tokenises and tags them as the checker does, and trains the verb-form model
// on every verb (VerbFormSlots); every N-th sentence (default 10) is held out and measured.

#include "lexicon.h"
#include "nativetext.h"
#include "traineroptions.h"
#include "trainingtagger.h"
#include "postagger.h"
#include "verbformmodelrule.h"
#include "verbformslots.h"
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
    unsigned mask = 0;
    VerbFormSlots::Context context;
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
    const std::vector<std::string> sentences = options.sentences("pennova-verbformtrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const Lexicon &lexicon = tools.lexicon;
    const PosTagger &tagger = tools.tagger;
    auto t0 = std::chrono::steady_clock::now();
    std::vector<PerceptronModel::Example> train;
    std::vector<Sample> test;
    for (size_t i = 0; i < sentences.size(); ++i) {
        const std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        const std::vector<std::string> tags = tagger.tag(tokens);
        const bool held = holdOut && i % holdOut == 0;
        for (const VerbFormSlots::Slot &s : VerbFormSlots::find(tokens, tags, lexicon)) {
            PerceptronModel::Example e{VerbFormSlots::features(tokens, tags, s, lexicon), int(s.written)};
            if (held)
                test.push_back({std::move(e), s.writtenMask, VerbFormSlots::context(tokens, tags, s, lexicon)});
            else
                train.push_back(std::move(e));
        }
    }
    std::printf("verbs: %zu to train on, %zu held out (every %zu-th sentence); %.1f s\n", train.size(), test.size(),
                holdOut, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    const size_t classes = VerbFormSlots::FormCount;
    PerceptronModel model(VerbFormSlots::classNames());
    t0 = std::chrono::steady_clock::now();
    model.train(train, iterations, minCount);
    std::printf("trained: %d iterations, features seen at least %d times: %zu; %.1f s\n", iterations, minCount,
                model.featureCount(), std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    if (!test.empty()) {
        // accuracy by spelling (a guess spelt as written is right), the majority baseline, and how
        // many native verbs each change would flag at a range of margins
        size_t right = 0, byClass[classes] = {}, rightByClass[classes] = {}, flagged = 0;
        const VerbFormModelRule::Margins margins = VerbFormModelRule::Margins::defaults();
        const float sweep[] = {4, 8, 12, 16, 20, 30};
        size_t swept[classes][classes][6] = {};
        for (const Sample &s : test) {
            const std::vector<float> sc = model.scores(s.example.features);
            const int label = s.example.label;
            const int guess = int(std::max_element(sc.begin(), sc.end()) - sc.begin());
            const bool ok = (s.mask & (1u << guess)) != 0;
            right += ok;
            ++byClass[label];
            rightByClass[label] += ok;
            const int flag = VerbFormModelRule::decide(sc, s.mask, margins);
            flagged += flag >= 0
                && VerbFormModelRule::plausible(s.context, VerbFormModelRule::writtenForm(sc, s.mask), flag);
            const int written = VerbFormModelRule::writtenForm(sc, s.mask);
            for (size_t o = 0; o < classes && written >= 0; ++o)
                for (size_t k = 0; k < 6 && !(s.mask & (1u << o)); ++k)
                    swept[written][o][k] += sc[o] - sc[size_t(written)] >= sweep[k];
        }
        const size_t majority = *std::max_element(std::begin(byClass), std::end(byClass));
        std::printf("held out: %zu verbs, accuracy %.2f%% (always the most frequent form: %.2f%%); the rule's margins "
                    "would flag %zu (%.3f%%)\n",
                    test.size(), 100.0 * right / test.size(), 100.0 * majority / test.size(), flagged,
                    100.0 * flagged / test.size());
        for (size_t c = 0; c < classes; ++c)
            std::printf("    %-4s %7zu verbs, %.2f%% right\n", VerbFormSlots::classNames()[c].c_str(), byClass[c],
                        100.0 * rightByClass[c] / std::max<size_t>(1, byClass[c]));
        for (size_t w = 0; w < classes; ++w)
            for (size_t o = 0; o < classes; ++o) {
                if (w == o)
                    continue;
                std::printf("    %s>%s:", VerbFormSlots::classNames()[w].c_str(), VerbFormSlots::classNames()[o].c_str());
                for (size_t k = 0; k < 6; ++k)
                    std::printf("  %g:%zu", double(sweep[k]), swept[w][o][k]);
                std::printf("\n");
            }
    }
    if (!out.empty() && !model.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
