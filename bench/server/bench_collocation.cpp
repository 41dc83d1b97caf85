// Collocation benchmark: the collocation rule on its own (the shipped model, the checker's
// tagger and lemmas) over the learner essays (REALEC dev, JFLEG dev) and unedited CWEB web
// sentences, for a grid of the model's margins (minimum count of the suggested pair, ratio
// to the written pair, share of the noun's uses): learner tokens flagged and the share an annotator marked wrong, and
// web sentences flagged. The checker's own margins come first; --show prints their flags.
// Usage: bench_collocation [--model FILE] [--show] [--at COUNT RATIO SHARE]
// (--at prints the flags of that grid point instead of the shipped one)

#include "pennovapaths.h"
#include "collocationrule.h"
#include "learnersets.h"
#include "lemmatizer.h"
#include "lexicon.h"
#include "nounforms.h"
#include "postagger.h"
#include "wordforms.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace PennovaChecker;
using namespace LearnerSets;

int main(int argc, char **argv)
{
    const std::string data = LearnerSets::benchData();
    const std::string checkerData = PENNOVA_SOURCE_DIR "/server/checker/data";
    std::string modelPath = checkerData + "/collocation-model.txt";
    bool show = false;
    double atCount = -1, atRatio = -1, atShare = -1;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--model" && i + 1 < argc)
            modelPath = argv[i + 1];
        if (std::string(argv[i]) == "--at" && i + 3 < argc) {
            atCount = std::atof(argv[i + 1]);
            atRatio = std::atof(argv[i + 2]);
            atShare = std::atof(argv[i + 3]);
            show = true;
        }
        show = show || std::string(argv[i]) == "--show";
    }
    const Lexicon lexicon(checkerData, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    const NounForms nouns(lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(lexicon, nouns);
    PosTagger tagger(&lexicon, &forms);
    CollocationRule rule(lexicon);
    std::string error;
    if (!tagger.load(checkerData + "/pos-model.txt", &error) || !rule.load(modelPath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::vector<LabelledSentence> learner = learnerDevSets(data);
    const std::vector<LabelledSentence> web = cwebUnedited(data);
    // each sentence tagged once
    struct Analysed
    {
        const LabelledSentence *s;
        std::vector<Token> tokens;
        std::vector<std::string> tags;
    };
    auto analyse = [&](const std::vector<LabelledSentence> &set) {
        std::vector<Analysed> out;
        for (const LabelledSentence &s : set) {
            Analysed a{&s, Tokenizer::tokenize(s.text), {}};
            a.tags = tagger.tag(a.tokens);
            lemmatizer.fill(&a.tokens, a.tags);
            out.push_back(std::move(a));
        }
        return out;
    };
    const std::vector<Analysed> learned = analyse(learner), webbed = analyse(web);
    std::printf("%zu learner sentences, %zu unedited CWEB sentences\n", learner.size(), web.size());
    std::printf("%8s %8s %8s %9s %8s %10s\n", "minPair", "ratio", "nounShr", "flagged", "P", "CWEB sents");
    CollocationModel &model = rule.model();
    const uint64_t shippedCount = model.minSuggested;
    const double shippedRatio = model.minRatio, shippedShare = model.minNounShare;
    struct Margin
    {
        uint64_t count;
        double ratio, share;
    };
    std::vector<Margin> grid = {{shippedCount, shippedRatio, shippedShare}};
    for (uint64_t c : {2, 3, 4, 6, 8, 12})
        for (double r : {3.0, 4.0, 8.0})
            for (double sh : {0.0, 0.1, 0.2, 0.3})
                if (c != shippedCount || r != shippedRatio || sh != shippedShare)
                    grid.push_back({c, r, sh});
    for (const auto &[count, ratio, share] : grid) {
        model.minSuggested = count;
        model.minRatio = ratio;
        model.minNounShare = share;
        const bool shipped = count == shippedCount && ratio == shippedRatio && share == shippedShare;
        const bool printing = show
            && (atCount < 0 ? shipped : double(count) == atCount && ratio == atRatio && share == atShare);
        int flagged = 0, marked = 0, webFlagged = 0;
        for (const Analysed &a : learned) {
            std::vector<Finding> found;
            rule.check(a.tokens, a.tags, &found);
            for (const Finding &f : found) {
                bool wrong = false;
                for (size_t k = 0; k < a.s->wrong.size(); ++k)
                    wrong = wrong || (a.s->wrong[k] && a.s->start[k] < f.end && f.start < a.s->end[k]);
                ++flagged;
                marked += wrong;
                if (printing)
                    std::printf("  %s -> %s | %s\n", wrong ? "HIT " : "MISS", f.candidates[0].correction.c_str(),
                                a.s->text.c_str());
            }
        }
        for (const Analysed &a : webbed) {
            std::vector<Finding> found;
            rule.check(a.tokens, a.tags, &found);
            webFlagged += !found.empty();
            if (printing && !found.empty())
                std::printf("  WEB  -> %s | %s\n", found[0].candidates[0].correction.c_str(), a.s->text.c_str());
        }
        std::printf("%8llu %8.1f %8.2f %9d %7.1f%% %10d%s\n", (unsigned long long)count, ratio, share, flagged,
                    flagged ? 100.0 * marked / flagged : 0.0, webFlagged, shipped ? "  (shipped)" : "");
    }
    return 0;
}
