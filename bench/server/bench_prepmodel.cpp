// Preposition classifier slots benchmark: every preposition slot the classifier reads on the
// learner sets (REALEC dev, JFLEG dev) and on unedited CWEB sentences, one tab-separated line
// each, for choosing the classifier's gates offline: set, whether annotators marked the
// preposition wrong, the word before's kind (V, J, N or -) and lemma, the written and the
// classifier's best preposition, the classifier's lead for it, the table's prepositions counted
// after the word (without "of" after a noun), the written one's and the classifier's best's
// counts among them, the sentence with the preposition in brackets, the word before's tag and
// how often the table saw it take its object directly.
// Usage: bench_prepmodel [--table FILE] [--model FILE]

#include "learnersets.h"
#include "lemmatizer.h"
#include "lexicon.h"
#include "nounforms.h"
#include "pennovapaths.h"
#include "postagger.h"
#include "prepositionchoicerule.h"
#include "prepositionmodelrule.h"
#include "prepositionmodelslots.h"
#include "wordforms.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace PennovaChecker;
using namespace LearnerSets;
using M = PrepositionModelSlots;

int main(int argc, char **argv)
{
    const std::string data = benchData();
    const std::string checkerData = PENNOVA_SOURCE_DIR "/server/checker/data";
    std::string tablePath = checkerData + "/preposition-model.txt", modelPath = checkerData + "/preposition-classifier.txt";
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--table"))
            tablePath = argv[i + 1];
        if (!std::strcmp(argv[i], "--model"))
            modelPath = argv[i + 1];
    }
    const Lexicon lexicon(checkerData, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    const NounForms nouns(lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(lexicon, nouns);
    PosTagger tagger(&lexicon, &forms);
    PrepositionChoiceRule table(lexicon);
    PrepositionModelRule rule;
    std::string error;
    if (!tagger.load(checkerData + "/pos-model.txt", &error) || !table.load(tablePath, &error)
        || !rule.load(modelPath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    struct Set
    {
        const char *name;
        std::vector<LabelledSentence> sentences;
    };
    std::vector<Set> sets;
    sets.push_back({"realec", readRealec(data + "grammar/realec/en_realec_dev.tsv")});
    sets.push_back({"jfleg", readJfleg(data + "grammar/jfleg", "dev")});
    sets.push_back({"cweb", cwebUnedited(data)});
    const int of = M::classOf("of");
    for (const Set &set : sets)
        for (const LabelledSentence &l : set.sentences) {
            std::vector<Token> t = Tokenizer::tokenize(l.text);
            const std::vector<std::string> tags = tagger.tag(t);
            lemmatizer.fill(&t, tags);
            for (const M::Slot &s : M::find(t, tags)) {
                bool wrong = false;
                for (size_t k = 0; k < l.wrong.size(); ++k)
                    wrong = wrong || (l.wrong[k] && l.start[k] < t[size_t(s.at)].end && t[size_t(s.at)].start < l.end[k]);
                char kind = '-';
                if (PrepositionModelRule::judged(t, tags, s))
                    kind = tags[size_t(s.governor)][0] == 'V' ? 'V' : 'J';
                else if (PrepositionModelRule::nounJudged(t, tags, s))
                    kind = 'N';
                std::string lemma = "-";
                uint32_t rowTotal = 0, writtenCount = 0, bestCount = 0, tableBest = 0, direct = 0;
                int tableBestClass = -1;
                const std::vector<float> scores = rule.model().scores(M::features(t, tags, s));
                const int best = int(std::max_element(scores.begin(), scores.end()) - scores.begin());
                if (s.governor >= 0) {
                    const Token &g = t[size_t(s.governor)];
                    lemma = g.lemma.empty() ? g.lower : g.lemma;
                    PrepositionSlots::Slot key;
                    const std::string &gt = tags[size_t(s.governor)];
                    key.kind = gt[0] == 'V' ? PrepositionSlots::Verb
                                            : gt[0] == 'J' ? PrepositionSlots::Adjective : PrepositionSlots::Noun;
                    key.lemma = lemma;
                    if (const PrepositionChoiceRule::Counts *c = table.countsOf(PrepositionSlots::key(key))) {
                        for (int k = 0; k < PrepositionSlots::kDirect; ++k) {
                            if (key.kind == PrepositionSlots::Noun && k == of)
                                continue;
                            rowTotal += (*c)[size_t(k)];
                            if ((*c)[size_t(k)] > tableBest) {
                                tableBest = (*c)[size_t(k)];
                                tableBestClass = k;
                            }
                        }
                        writtenCount = (*c)[size_t(s.written)];
                        bestCount = (*c)[size_t(best)];
                        direct = (*c)[size_t(PrepositionSlots::kDirect)];
                    }
                }
                std::string text;
                for (size_t k = 0; k < t.size(); ++k)
                    text += (k ? " " : "") + (int(k) == s.at ? "[" + t[k].text + "]" : t[k].text);
                std::printf("%s\t%d\t%c\t%s\t%s\t%s\t%.1f\t%u\t%u\t%u\t%s\t%s\t%s\t%u\n", set.name, wrong ? 1 : 0, kind,
                            lemma.c_str(), M::classNames()[size_t(s.written)].c_str(),
                            M::classNames()[size_t(best)].c_str(), double(scores[size_t(best)] - scores[size_t(s.written)]),
                            rowTotal, writtenCount, bestCount,
                            tableBestClass < 0 ? "-" : M::classNames()[size_t(tableBestClass)].c_str(), text.c_str(),
                            s.governor < 0 ? "-" : tags[size_t(s.governor)].c_str(), direct);
            }
        }
    return 0;
}
