// Verb-form model benchmark: for each change the model could propose (written form to
// predicted form: base>s, past>part, ...), how many learner verbs it would flag at a range of
// margins, how many of those the annotators marked wrong (REALEC dev, JFLEG dev), and how
// many unedited CWEB sentences it would flag; the rule's margins are chosen from this.
// Reads the shipped model.
// Usage: bench_verbform [--model FILE] [--show CHANGE MARGIN] (print the flags of one change,
// e.g. "base>s 10").

#include "pennovapaths.h"
#include "learnersets.h"
#include "lexicon.h"
#include "margintable.h"
#include "postagger.h"
#include "verbformmodelrule.h"
#include "verbformslots.h"
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
    std::string modelPath = checkerData + "/verbform-model.txt", showKey;
    float showMargin = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--model")
            modelPath = argv[i + 1];
        if (std::string(argv[i]) == "--show") {
            showKey = argv[i + 1];
            showMargin = i + 2 < argc ? float(std::atof(argv[i + 2])) : 0.0f;
        }
    }
    const Lexicon lexicon(checkerData, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    PosTagger tagger(&lexicon, &forms);
    VerbFormModelRule rule(lexicon);
    std::string error;
    if (!tagger.load(checkerData + "/pos-model.txt", &error) || !rule.load(modelPath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    // --explain SENTENCE: its verbs with the weight each feature gives the written and the predicted form
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) != "--explain")
            continue;
        const std::vector<Token> tokens = Tokenizer::tokenize(argv[i + 1]);
        const std::vector<std::string> tags = tagger.tag(tokens);
        for (size_t k = 0; k < tokens.size(); ++k)
            std::printf("%s/%s ", tokens[k].text.c_str(), tags[k].c_str());
        std::printf("\n");
        for (const VerbFormSlots::Slot &slot : VerbFormSlots::find(tokens, tags, lexicon)) {
            const std::vector<float> sc = rule.model().scores(VerbFormSlots::features(tokens, tags, slot, lexicon));
            std::printf("%s:", tokens[size_t(slot.at)].text.c_str());
            for (size_t c = 0; c < sc.size(); ++c)
                std::printf(" %s %.1f", VerbFormSlots::classNames()[c].c_str(), double(sc[c]));
            std::printf("\n");
            for (const std::string &name : VerbFormSlots::featureNames(tokens, tags, slot, lexicon)) {
                const std::vector<float> w = rule.model().weights(PerceptronModel::hash(name));
                std::printf("    %-40s", name.c_str());
                for (float x : w)
                    std::printf(" %6.1f", double(x));
                std::printf("\n");
            }
        }
        return 0;
    }
    const std::vector<LabelledSentence> learner = learnerDevSets(data);
    const std::vector<LabelledSentence> web = cwebUnedited(data);
    std::map<std::string, std::vector<Flag>> flags;
    size_t slots = 0;
    auto run = [&](const std::vector<LabelledSentence> &set, bool isLearner) {
        for (const LabelledSentence &s : set) {
            const std::vector<Token> tokens = Tokenizer::tokenize(s.text);
            const std::vector<std::string> tags = tagger.tag(tokens);
            for (const VerbFormSlots::Slot &slot : VerbFormSlots::find(tokens, tags, lexicon)) {
                ++slots;
                const std::vector<float> sc = rule.model().scores(VerbFormSlots::features(tokens, tags, slot, lexicon));
                const int written = VerbFormModelRule::writtenForm(sc, slot.writtenMask);
                const VerbFormSlots::Context context = VerbFormSlots::context(tokens, tags, slot, lexicon);
                const Token &at = tokens[size_t(slot.at)];
                bool wrong = false;
                for (size_t k = 0; k < s.wrong.size(); ++k)
                    wrong = wrong || (s.wrong[k] && s.start[k] < at.end && at.start < s.end[k]);
                // each change on its own, as the rule weighs them
                for (int other = 0; other < VerbFormSlots::FormCount; ++other) {
                    const float margin = sc[size_t(other)] - sc[size_t(written)];
                    const std::string &form = slot.forms[size_t(other)];
                    if ((slot.writtenMask & (1u << other)) || margin <= 0 || lexicon.frequency(form) == 0
                        || form == "gotten" || rule.otherWord(tokens, tags, slot, other)
                        || !VerbFormModelRule::plausible(context, written, other))
                        continue;
                    std::string shown;
                    for (size_t k = 0; k < tokens.size(); ++k)
                        shown += (k ? " " : "") + (int(k) == slot.at ? "[" + tokens[k].text + ">" + form + "]" : tokens[k].text);
                    const std::string key = VerbFormSlots::classNames()[size_t(written)] + ">"
                        + VerbFormSlots::classNames()[size_t(other)];
                    flags[key].push_back({margin, wrong, isLearner, shown});
                }
            }
        }
    };
    run(learner, true);
    const size_t learnerSlots = slots;
    run(web, false);
    std::printf("%zu learner sentences (%zu verbs), %zu unedited CWEB sentences (%zu verbs)\n", learner.size(),
                learnerSlots, web.size(), slots - learnerSlots);
    MarginTable::print(flags, web.size(), showKey, showMargin);
    return 0;
}
