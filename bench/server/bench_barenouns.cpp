// Bare singular count noun benchmark: for the bare singular nouns the article and number rules
// leave unflagged, how many learner tokens BareNounRule would flag at a range of thresholds,
// how many of those the annotators marked wrong (REALEC dev, JFLEG dev) and how many unedited
// CWEB sentences it would flag; for ways of combining the two models' margins, for the rule's
// score by phrase length and learner set, and for what each guard holds back. Then, for the
// rule's flags that JFLEG's references mend, whether its first fix (an article or the plural)
// is the kind they wrote.
// Usage: bench_barenouns [--show KEY MARGIN] (print the flags of one table at MARGIN and
// above, e.g. "bare sg: article+plural/2 (the rule: a noun alone)" 20) [--check SENTENCE...]
// (the bare nouns of each sentence with their margins and guards).

#include "pennovapaths.h"
#include "articlechoicerule.h"
#include "barenounrule.h"
#include "learnersets.h"
#include "lexicon.h"
#include "margintable.h"
#include "noundeterminers.h"
#include "nounnumberrule.h"
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
    std::string showKey;
    float showMargin = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--show" && i + 2 < argc) {
            showKey = argv[i + 1];
            showMargin = float(std::atof(argv[i + 2]));
        }
    }
    const Lexicon lexicon(checkerData, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    PosTagger tagger(&lexicon, &forms);
    ArticleChoiceRule articles;
    NounNumberRule numbers(lexicon, "/usr/share/wordnet");
    std::string error;
    if (!tagger.load(checkerData + "/pos-model.txt", &error) || !articles.load(checkerData + "/article-model.txt", &error)
        || !numbers.load(checkerData + "/number-model.txt", &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    NounDeterminers determiners;
    if (determiners.load(checkerData + "/noun-determiners.txt", &error))
        articles.setCounts(&determiners);
    const BareNounRule rule(articles, numbers);
    // --check TEXT...: print each bare singular noun of each sentence with its margins and guard
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) != "--check")
            continue;
        for (int k = i + 1; k < argc; ++k) {
            const std::vector<Token> tokens = Tokenizer::tokenize(argv[k]);
            const std::vector<std::string> tags = tagger.tag(tokens);
            std::printf("%s\n", argv[k]);
            for (const BareNounRule::Bare &b : rule.find(tokens, tags))
                std::printf("    %s: article %.1f, plural %.1f, score %.1f, guard %s -> %s\n",
                            tokens[size_t(b.slot.head)].text.c_str(), double(b.articleMargin), double(b.pluralMargin),
                            double(b.score()), BareNounRule::guardNames()[size_t(b.guard)].c_str(),
                            BareNounRule::finding(tokens, b).candidates.front().correction.c_str());
        }
        return 0;
    }
    const std::vector<LabelledSentence> learner = learnerDevSets(data);
    const std::vector<LabelledSentence> web = cwebUnedited(data);
    std::map<std::string, std::vector<Flag>> flags;
    size_t bare = 0;
    // of the rule's flags, those JFLEG's references mend, by the first fix offered and the fix written
    int order[2][2] = {{0, 0}, {0, 0}}; // [plural first][reference writes the plural]
    const size_t realecCount = readRealec(data + "grammar/realec/en_realec_dev.tsv").size();
    auto run = [&](const std::vector<LabelledSentence> &set, bool isLearner) {
        for (size_t i = 0; i < set.size(); ++i) {
            const LabelledSentence &s = set[i];
            const char *setName = !isLearner ? "" : i < realecCount ? ", REALEC dev" : ", JFLEG dev";
            const std::vector<Token> tokens = Tokenizer::tokenize(s.text);
            const std::vector<std::string> tags = tagger.tag(tokens);
            std::vector<Finding> prior;
            articles.check(tokens, tags, &prior);
            numbers.check(tokens, tags, &prior);
            for (const BareNounRule::Bare &b : rule.find(tokens, tags)) {
                const int a = tokens[size_t(b.slot.first)].start, e = tokens[size_t(b.slot.head)].end;
                if (std::any_of(prior.begin(), prior.end(), [&](const Finding &f) { return f.start < e && a < f.end; }))
                    continue;
                ++bare;
                const Finding f = BareNounRule::finding(tokens, b);
                bool wrong = false, pluralWritten = false, articleWritten = false;
                for (size_t k = 0; k < s.wrong.size(); ++k) {
                    if (s.start[k] >= f.end || f.start >= s.end[k])
                        continue;
                    wrong = wrong || s.wrong[k];
                    pluralWritten = pluralWritten || s.number[k];
                    articleWritten = articleWritten || s.article[k];
                }
                std::string shown;
                for (size_t k = 0; k < tokens.size(); ++k)
                    shown += (k ? " " : "") + (int(k) == b.slot.head ? "[" + tokens[k].text + "]" : tokens[k].text);
                char margins[64];
                std::snprintf(margins, sizeof margins, "  [a %.0f the %.0f pl %.0f%s]", double(b.articleScores[1] - b.articleScores[0]),
                              double(b.articleScores[2] - b.articleScores[0]), double(b.pluralMargin),
                              pluralWritten ? " ref pl" : articleWritten ? " ref art" : "");
                shown += "  -> " + f.candidates.front().correction + margins;
                if (b.guard != BareNounRule::Unguarded) {
                    flags["guarded: " + BareNounRule::guardNames()[size_t(b.guard)]].push_back(
                        {b.score(), wrong, isLearner, shown});
                    continue;
                }
                flags["bare sg: article+plural/2 (the rule)"].push_back({b.score(), wrong, isLearner, shown});
                const char *length = b.slot.first == b.slot.head ? ": a noun alone" : ": a longer phrase";
                flags[std::string("bare sg: article+plural/2 (the rule") + length + ")"].push_back(
                    {b.score(), wrong, isLearner, shown});
                if (isLearner)
                    flags[std::string("bare sg: article+plural/2 (the rule") + setName + length + ")"].push_back(
                        {b.score(), wrong, isLearner, shown});
                flags[std::string("bare sg: article+plural/2 (the rule") + length
                      + (b.rarelyBare ? ", rarely bare in native text)" : ", often bare in native text)")]
                    .push_back({b.score(), wrong, isLearner, shown});
                flags["bare sg: article+plural"].push_back(
                    {b.articleMargin + b.pluralMargin, wrong, isLearner, shown});
                flags["bare sg: article only"].push_back({b.articleMargin, wrong, isLearner, shown});
                flags["bare sg: article+2*plural"].push_back(
                    {b.articleMargin + 2 * b.pluralMargin, wrong, isLearner, shown});
                flags["bare sg: min(article, 2*plural)*2"].push_back(
                    {2 * std::min(b.articleMargin, 2 * b.pluralMargin), wrong, isLearner, shown});
                if (isLearner && rule.flags(b) && (pluralWritten || articleWritten))
                    ++order[b.pluralMargin / 2 > b.articleMargin ? 1 : 0][pluralWritten && !articleWritten ? 1 : 0];
            }
        }
    };
    run(learner, true);
    const size_t learnerBare = bare;
    run(web, false);
    std::printf("%zu learner sentences (%zu bare singular nouns left by the article and number rules), %zu unedited "
                "CWEB sentences (%zu)\n",
                learner.size(), learnerBare, web.size(), bare - learnerBare);
    MarginTable::print(flags, web.size(), showKey, showMargin);
    std::printf("first fix of the rule's flags, where JFLEG's references write an article or the plural:\n"
                "    article first: reference article %d, plural %d\n    plural first:  reference article %d, "
                "plural %d\n",
                order[0][0], order[0][1], order[1][0], order[1][1]);
    return 0;
}
