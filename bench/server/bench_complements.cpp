// Verb complement table benchmark: the rule alone (without the checker's other rules) on
// learner essays (REALEC dev, JFLEG dev: how many tokens it flags and how many of those
// annotators marked wrong) and on unedited CWEB sentences (how many it flags), by what it
// suggests ("to go" -> "going", "going" -> "to go", "to go" -> "to going"), for a range of
// gates; the rule's gate is chosen from this. Then, at the shipped gate, how many slots each
// guard holds back on each set.
// Usage: bench_complements [--table FILE] (default: the shipped table) [--show] (print every
// flag of the shipped gate)

#include "learnersets.h"
#include "lemmatizer.h"
#include "lexicon.h"
#include "nounforms.h"
#include "pennovapaths.h"
#include "postagger.h"
#include "verbcomplementrule.h"
#include "wordforms.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace PennovaChecker;
using namespace LearnerSets;

namespace {

struct Set
{
    std::string name;
    std::vector<LabelledSentence> sentences;
    bool learner = true;
};

struct Prepared
{
    std::vector<Token> tokens;
    std::vector<std::string> tags;
};

struct Tally
{
    int flagged = 0, right = 0, sentences = 0;
};

const char *what(const Finding &f)
{
    return f.explainType == "verb_gerund" ? "to>ing" : f.explainType == "verb_infinitive" ? "ing>to" : "to>to-ing";
}

} // namespace

int main(int argc, char **argv)
{
    const std::string data = LearnerSets::benchData();
    const std::string checkerData = PENNOVA_SOURCE_DIR "/server/checker/data";
    std::string tablePath = checkerData + "/verb-complements.txt";
    bool show = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--table") && i + 1 < argc)
            tablePath = argv[i + 1];
        show = show || !std::strcmp(argv[i], "--show");
    }
    const Lexicon lexicon(checkerData, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    const NounForms nouns(lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(lexicon, nouns);
    PosTagger tagger(&lexicon, &forms);
    VerbComplementRule rule(lexicon);
    std::string error;
    if (!tagger.load(checkerData + "/pos-model.txt", &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const auto t0 = std::chrono::steady_clock::now();
    if (!rule.load(tablePath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("table: %zu rows, loaded in %.1f ms\n", rule.rows(),
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    std::vector<Set> sets;
    sets.push_back({"REALEC dev", readRealec(data + "grammar/realec/en_realec_dev.tsv"), true});
    sets.push_back({"JFLEG dev", readJfleg(data + "grammar/jfleg", "dev"), true});
    for (const char *name : {"CWEB-G", "CWEB-S"}) {
        Set web{name, {}, false};
        const std::vector<bool> clean = uneditedBlocks(data + "grammar/cweb/m2/" + name + ".test.m2");
        const std::vector<std::string> source = readLines(data + "grammar/cweb/raw/" + name + ".test.source");
        for (size_t i = 0; i < source.size() && i < clean.size(); ++i)
            if (clean[i])
                web.sentences.push_back({source[i], {}, {}, {}, {}, {}, {}});
        sets.push_back(std::move(web));
    }
    std::vector<std::vector<Prepared>> prepared(sets.size());
    for (size_t s = 0; s < sets.size(); ++s)
        for (const LabelledSentence &l : sets[s].sentences) {
            Prepared p{Tokenizer::tokenize(l.text), {}};
            p.tags = tagger.tag(p.tokens);
            lemmatizer.fill(&p.tokens, p.tags);
            prepared[s].push_back(std::move(p));
        }

    struct Named
    {
        std::string name;
        VerbComplementRule::Gate gate;
    };
    std::vector<Named> gates;
    const VerbComplementRule::Gate shipped = rule.gate();
    gates.push_back({"shipped", shipped});
    for (uint32_t total : {3u, 5u, 10u, 20u, 40u})
        for (double rate : {0.0, 0.02, 0.05})
            for (double written : {0.0, 0.05}) {
                VerbComplementRule::Gate g = shipped;
                g.minTotal = total;
                g.minRate = rate;
                g.maxWrittenShare = written;
                char name[80];
                std::snprintf(name, sizeof name, "total>=%u rate>=%.2f written<=%.2f", total, rate, written);
                gates.push_back({name, g});
            }
    for (const Named &named : gates) {
        rule.setGate(named.gate);
        std::printf("%s\n", named.name.c_str());
        for (size_t s = 0; s < sets.size(); ++s) {
            std::map<std::string, Tally> tallies;
            int sentencesFlagged = 0;
            for (size_t i = 0; i < sets[s].sentences.size(); ++i) {
                const LabelledSentence &l = sets[s].sentences[i];
                const Prepared &p = prepared[s][i];
                std::vector<Finding> found;
                rule.check(p.tokens, p.tags, &found);
                sentencesFlagged += found.empty() ? 0 : 1;
                std::map<std::string, bool> seen;
                for (const Finding &f : found) {
                    const std::string key = what(f);
                    Tally &t = tallies[key];
                    bool hit = false;
                    const int a = f.start, b = std::max(f.end, f.start + 1);
                    for (size_t k = 0; k < l.wrong.size(); ++k) {
                        if (l.start[k] >= b || a >= l.end[k])
                            continue;
                        ++t.flagged;
                        t.right += l.wrong[k] ? 1 : 0;
                        hit = hit || l.wrong[k];
                    }
                    if (!sets[s].learner && !seen[key]) {
                        seen[key] = true;
                        ++t.sentences;
                    }
                    if (show && (named.name == "shipped" || named.name.rfind("total>=3 rate>=0.00 written<=0.05", 0) == 0))
                        std::printf("  %s %s %s '%s' -> '%s': %s\n", sets[s].name.c_str(), key.c_str(),
                                    sets[s].learner ? (hit ? "HIT " : "MISS") : "WEB ", f.errorInfo.c_str(),
                                    f.candidates.empty() ? "" : f.candidates[0].correction.c_str(), l.text.c_str());
                }
            }
            std::printf("  %-10s", sets[s].name.c_str());
            if (sets[s].learner) {
                int flagged = 0, right = 0;
                for (const auto &[key, t] : tallies) {
                    std::printf("  %s %d/%d", key.c_str(), t.right, t.flagged);
                    flagged += t.flagged;
                    right += t.right;
                }
                std::printf("  all %d/%d tokens marked wrong (%.0f%%)\n", right, flagged,
                            100.0 * right / std::max(1, flagged));
            } else {
                for (const auto &[key, t] : tallies)
                    std::printf("  %s %d", key.c_str(), t.sentences);
                std::printf("  all %d of %zu sentences (%.2f%%)\n", sentencesFlagged, sets[s].sentences.size(),
                            100.0 * sentencesFlagged / std::max<size_t>(1, sets[s].sentences.size()));
            }
        }
    }
    // what each guard holds back at the shipped gate: slots the table alone would flag
    rule.setGate(shipped);
    std::printf("guards at the shipped gate (slots the table would flag, held back):\n");
    for (size_t s = 0; s < sets.size(); ++s) {
        std::map<std::string, int> held;
        for (const Prepared &p : prepared[s])
            for (const VerbComplementSlots::Slot &slot : VerbComplementSlots::find(p.tokens, p.tags, lexicon)) {
                if (VerbComplementRule::decide(rule.countsOf(slot.key), slot.form, shipped) < 0)
                    continue;
                if (const char *g = VerbComplementRule::guard(p.tokens, p.tags, slot, lexicon)) {
                    ++held[g];
                    if (show)
                        std::printf("  %s %s %s: %s\n", sets[s].name.c_str(), g, slot.key.c_str(),
                                    sets[s].sentences[size_t(&p - prepared[s].data())].text.c_str());
                }
            }
        std::printf("  %-10s", sets[s].name.c_str());
        for (const auto &[g, n] : held)
            std::printf("  %s %d", g.c_str(), n);
        std::printf("\n");
    }
    return 0;
}
