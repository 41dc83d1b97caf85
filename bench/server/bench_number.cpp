// Noun-number model benchmark: for each change the model could propose (singular to plural,
// plural to singular) after each kind of determiner, how many learner tokens it would flag at
// a range of margins, how many of those the annotators marked wrong (REALEC dev, JFLEG dev),
// and how many unedited CWEB sentences it would flag; the rule's margins are chosen from this.
// Reads the shipped model.
// Usage: bench_number [--model FILE] [--show CHANGE MARGIN] (print the flags of one change,
// e.g. "sg>pl many 10").

#include "pennovapaths.h"
#include "learnersets.h"
#include "lexicon.h"
#include "margintable.h"
#include "nounnumberrule.h"
#include "numberslots.h"
#include "postagger.h"
#include "wordforms.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace PennovaChecker;
using namespace LearnerSets;

using MarginTable::Flag;

int main(int argc, char **argv)
{
    const std::string data = LearnerSets::benchData();
    const std::string checkerData = PENNOVA_SOURCE_DIR "/server/checker/data";
    std::string modelPath = checkerData + "/number-model.txt", showKey;
    float showMargin = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--model")
            modelPath = argv[i + 1];
        if (std::string(argv[i]) == "--show" && i + 2 < argc) {
            showKey = std::string(argv[i + 1]) + " " + argv[i + 2];
            showMargin = i + 3 < argc ? float(std::atof(argv[i + 3])) : 0.0f;
        }
    }
    const Lexicon lexicon(checkerData, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    PosTagger tagger(&lexicon, &forms);
    NounNumberRule rule(lexicon, "/usr/share/wordnet");
    std::string error;
    if (!tagger.load(checkerData + "/pos-model.txt", &error) || !rule.load(modelPath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::vector<LabelledSentence> learner = learnerDevSets(data);
    const std::vector<LabelledSentence> web = cwebUnedited(data);
    std::map<std::string, std::vector<Flag>> flags;
    size_t slots = 0;
    auto run = [&](const std::vector<LabelledSentence> &set, bool isLearner) {
        for (const LabelledSentence &s : set) {
            const std::vector<Token> tokens = Tokenizer::tokenize(s.text);
            const std::vector<std::string> tags = tagger.tag(tokens);
            for (const NumberSlots::Slot &slot : NumberSlots::find(tokens, tags, rule.forms())) {
                ++slots;
                const std::vector<float> sc = rule.model().scores(NumberSlots::features(tokens, tags, slot, rule.forms()));
                const int written = int(slot.written), other = 1 - written;
                if (sc[size_t(other)] <= sc[size_t(written)] || rule.suggestion(tokens, tags, slot).empty())
                    continue;
                const Token &at = tokens[size_t(slot.head)];
                bool wrong = false;
                for (size_t k = 0; k < s.wrong.size(); ++k)
                    wrong = wrong || (s.wrong[k] && s.start[k] < at.end && at.start < s.end[k]);
                std::string shown;
                for (size_t k = 0; k < tokens.size(); ++k)
                    shown += (k ? " " : "") + (int(k) == slot.head ? "[" + tokens[k].text + "]" : tokens[k].text);
                const std::string key = NumberSlots::classNames()[size_t(written)] + ">"
                    + NumberSlots::classNames()[size_t(other)] + " "
                    + NumberSlots::contextNames()[size_t(NumberSlots::context(tokens, tags, slot))];
                flags[key].push_back({sc[size_t(other)] - sc[size_t(written)], wrong, isLearner, shown});
            }
        }
    };
    run(learner, true);
    const size_t learnerSlots = slots;
    run(web, false);
    std::printf("%zu learner sentences (%zu head nouns), %zu unedited CWEB sentences (%zu head nouns)\n",
                learner.size(), learnerSlots, web.size(), slots - learnerSlots);
    MarginTable::print(flags, web.size(), showKey, showMargin);
    return 0;
}
