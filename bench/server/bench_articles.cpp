// Article model benchmark: for each change the model could propose (none -> a, the -> none,
// ...), how many learner tokens it would flag at a range of margins, how many of those the
// annotators marked wrong (REALEC dev, JFLEG dev), and how many unedited CWEB sentences it
// would flag; the rule's margins are chosen from this. Reads the shipped model. Then the same
// for "the" before a noun meant in general (GenericTheRule), per threshold of the noun's bare
// share in native text (in per cent), from the shipped counts.
// Usage: bench_articles [--model FILE] [--generic FILE] [--show TRANSITION MARGIN] (print the
// learner flags of one change, e.g. "none>a 2" or "the>none generic 80"; that change per
// number of the noun: "the>none generic singular", "the>none generic plural").

#include "pennovapaths.h"
#include "articlechoicerule.h"
#include "articleslots.h"
#include "generictherule.h"
#include "lemmatizer.h"
#include "learnersets.h"
#include "lexicon.h"
#include "margintable.h"
#include "nounforms.h"
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
    std::string modelPath = checkerData + "/article-model.txt", showKey;
    std::string genericPath = checkerData + "/generic-nouns.txt";
    float showMargin = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--model")
            modelPath = argv[i + 1];
        if (std::string(argv[i]) == "--generic")
            genericPath = argv[i + 1];
        if (std::string(argv[i]) == "--show" && i + 2 < argc) {
            showKey = argv[i + 1];
            showMargin = float(std::atof(argv[i + 2]));
        }
    }
    const Lexicon lexicon(checkerData, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    PosTagger tagger(&lexicon, &forms);
    const NounForms nouns(lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(lexicon, nouns);
    PerceptronModel model(ArticleSlots::classNames());
    GenericTheRule generic;
    std::string error;
    if (!tagger.load(checkerData + "/pos-model.txt", &error) || !model.load(modelPath, &error)
        || !generic.load(genericPath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::vector<LabelledSentence> learner = learnerDevSets(data);
    const std::vector<LabelledSentence> web = cwebUnedited(data);
    const char *names[] = {"none", "a", "the"};
    std::map<std::string, std::vector<Flag>> flags, genericFlags;
    size_t slots = 0;
    auto run = [&](const std::vector<LabelledSentence> &set, bool isLearner) {
        for (size_t i = 0; i < set.size(); ++i) {
            const LabelledSentence &s = set[i];
            std::vector<Token> tokens = Tokenizer::tokenize(s.text);
            const std::vector<std::string> tags = tagger.tag(tokens);
            lemmatizer.fill(&tokens, tags);
            const auto wrongAt = [&](const Token &at) {
                bool wrong = false;
                for (size_t k = 0; k < s.wrong.size(); ++k)
                    wrong = wrong || (s.wrong[k] && s.start[k] < at.end && at.start < s.end[k]);
                return wrong;
            };
            const auto shown = [&](int head) {
                std::string text;
                for (size_t k = 0; k < tokens.size(); ++k)
                    text += (k ? " " : "") + (int(k) == head ? "[" + tokens[k].text + "]" : tokens[k].text);
                return text;
            };
            // as bench_checker checks them: each sentence without the one before
            for (const GenericNouns::Use &u : GenericNouns::uses(tokens, tags)) {
                const double share = generic.bareShare(u);
                if (!u.withThe || share < 0)
                    continue;
                const Flag f{float(100.0 * share), wrongAt(tokens[size_t(u.article)]), isLearner, shown(u.head)};
                genericFlags["the>none generic"].push_back(f);
                genericFlags[u.plural ? "the>none generic plural" : "the>none generic singular"]
                    .push_back(f);
            }
            for (const ArticleSlots::Slot &slot : ArticleSlots::find(tokens, tags)) {
                ++slots;
                const std::vector<float> sc = model.scores(ArticleSlots::features(tokens, tags, slot));
                const int best = int(std::max_element(sc.begin(), sc.end()) - sc.begin());
                if (best == slot.written)
                    continue;
                const Token &at = tokens[size_t(slot.written == ArticleSlots::None ? slot.first : slot.article)];
                const bool plural = tags[size_t(slot.head)] == "NNS";
                flags[std::string(names[slot.written]) + ">" + names[best] + (plural ? " plural" : "")].push_back(
                    {sc[size_t(best)] - sc[size_t(slot.written)], wrongAt(at), isLearner, shown(slot.head)});
            }
        }
    };
    run(learner, true);
    const size_t learnerSlots = slots;
    run(web, false);
    std::printf("%zu learner sentences (%zu slots), %zu unedited CWEB sentences (%zu slots)\n", learner.size(),
                learnerSlots, web.size(), slots - learnerSlots);
    MarginTable::print(flags, web.size(), showKey, showMargin);
    std::printf("\n\"the\" before a noun in general (%s), by the noun's bare share in native text; the rule's "
                "threshold: %.0f\n",
                genericPath.c_str(), 100.0 * GenericTheRule::kThreshold);
    MarginTable::print(genericFlags, web.size(), showKey, showMargin, {50, 60, 70, 75, 80, 85, 90, 95});
    return 0;
}
