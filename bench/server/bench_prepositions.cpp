// Preposition table benchmark: the rule alone (without the checker's other rules) on learner
// essays (REALEC dev, JFLEG dev: how many tokens it flags and how many of those annotators
// marked wrong) and on unedited CWEB sentences (how many it flags), by what it finds (choice,
// extra, missing) and the word before (verb, adjective, noun), for a range of gates; the
// rule's gate is chosen from this. The table is not shipped: train it first
// (pennova-prepositiontrain --out FILE, see README) and pass it with --table FILE.
// The verb object table (MissingPrepositionRule: "listen music") is measured the same way,
// by its own gates, with --objects FILE (default: the shipped verb-objects.txt).
// Usage: bench_prepositions --table FILE [--objects FILE] [--objects-direct SHARE] [--show]
// (print every flag of the default gates; --objects-direct changes the verb objects' one)

#include "learnersets.h"
#include "lemmatizer.h"
#include "lexicon.h"
#include "missingprepositionrule.h"
#include "nounforms.h"
#include "pennovapaths.h"
#include "postagger.h"
#include "prepositionchoicerule.h"
#include "wordforms.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
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
    return f.explainType == "preposition_choice" ? "choice" : f.explainType == "redundant_preposition" ? "extra"
                                                                                                         : "missing";
}

} // namespace

int main(int argc, char **argv)
{
    const std::string data = LearnerSets::benchData();
    const std::string checkerData = PENNOVA_SOURCE_DIR "/server/checker/data";
    std::string tablePath, objectsPath = checkerData + "/verb-objects.txt";
    double objectsDirect = -1;
    bool show = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--table") && i + 1 < argc)
            tablePath = argv[i + 1];
        if (!std::strcmp(argv[i], "--objects") && i + 1 < argc)
            objectsPath = argv[i + 1];
        if (!std::strcmp(argv[i], "--objects-direct") && i + 1 < argc)
            objectsDirect = std::atof(argv[i + 1]);
        show = show || !std::strcmp(argv[i], "--show");
    }
    const Lexicon lexicon(checkerData, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    const NounForms nouns(lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(lexicon, nouns);
    PosTagger tagger(&lexicon, &forms);
    PrepositionChoiceRule rule(lexicon);
    std::string error;
    if (tablePath.empty()) {
        std::fprintf(stderr, "usage: bench_prepositions --table FILE [--objects FILE] [--show]\n");
        return 2;
    }
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
        PrepositionChoiceRule::Gate gate;
    };
    std::vector<Named> gates;
    const PrepositionChoiceRule::Gate shipped;
    gates.push_back({"default", shipped});
    for (uint32_t total : {20u, 40u, 80u, 160u})
        for (double best : {0.5, 0.7, 0.85})
            for (double written : {0.0, 0.01}) {
                PrepositionChoiceRule::Gate g = shipped;
                g.minTotal = total;
                g.minBestShare = best;
                g.maxWrittenShare = written;
                char name[64];
                std::snprintf(name, sizeof name, "total>=%u best>=%.2f written<=%.2f", total, best, written);
                gates.push_back({name, g});
            }
    for (uint32_t active : {10u, 15u, 20u, 30u})
        for (double share : {0.7, 0.8, 0.9}) {
            PrepositionChoiceRule::Gate g = shipped;
            g.extraMinActive = active;
            g.extraMinDirectShare = share;
            char name[64];
            std::snprintf(name, sizeof name, "extra: active>=%u direct>=%.2f", active, share);
            gates.push_back({name, g});
        }
    // the findings of one gate on every set, by kind and the word before
    const auto measure = [&](const std::string &name, bool showFlags,
                             const std::function<void(const Prepared &, std::vector<Finding> *)> &check) {
        std::printf("%s\n", name.c_str());
        for (size_t s = 0; s < sets.size(); ++s) {
            std::map<std::string, Tally> tallies;
            for (size_t i = 0; i < sets[s].sentences.size(); ++i) {
                const LabelledSentence &l = sets[s].sentences[i];
                const Prepared &p = prepared[s][i];
                std::vector<Finding> found;
                check(p, &found);
                std::map<std::string, bool> seen;
                for (const Finding &f : found) {
                    // the word before the preposition (the finding's own word where one is missing)
                    size_t k = 0;
                    while (k < p.tokens.size() && p.tokens[k].start < f.start)
                        ++k;
                    const size_t g = std::string(what(f)) == "missing" || k == 0 ? k : k - 1;
                    const std::string tag = g < p.tags.size() ? p.tags[g] : std::string();
                    const std::string kind = tag.rfind("VB", 0) == 0 ? "V" : tag.rfind("JJ", 0) == 0 ? "J" : "N";
                    const std::string key = std::string(what(f)) + " " + kind;
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
                    if (showFlags)
                        std::printf("  %s %s %s '%s' -> '%s': %s\n", sets[s].name.c_str(), key.c_str(),
                                    sets[s].learner ? (hit ? "HIT " : "MISS") : "WEB ", f.errorInfo.c_str(),
                                    f.candidates.empty() ? "" : f.candidates[0].correction.c_str(), l.text.c_str());
                }
            }
            std::printf("  %-10s", sets[s].name.c_str());
            for (const auto &[key, t] : tallies) {
                if (sets[s].learner)
                    std::printf("  %s %d/%d", key.c_str(), t.right, t.flagged);
                else
                    std::printf("  %s %d (%.2f%%)", key.c_str(), t.sentences,
                                100.0 * t.sentences / std::max<size_t>(1, sets[s].sentences.size()));
            }
            std::printf("\n");
        }
    };
    for (const Named &named : gates) {
        rule.setGate(named.gate);
        measure(named.name, show && (named.name == "default" || named.name.rfind("extra", 0) == 0),
                [&](const Prepared &p, std::vector<Finding> *found) { rule.check(p.tokens, p.tags, found); });
    }

    MissingPrepositionRule objects(lexicon);
    if (!objects.load(objectsPath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("\nverb objects: %zu rows (%s)\n", objects.rows(), objectsPath.c_str());
    MissingPrepositionRule::Gate objectsShipped;
    if (objectsDirect >= 0)
        objectsShipped.maxDirectShare = objectsDirect;
    std::vector<std::pair<std::string, MissingPrepositionRule::Gate>> objectGates = {{"default", objectsShipped}};
    for (uint32_t total : {10u, 20u, 40u})
        for (double share : {0.03, 0.06, 0.1, 0.15}) {
            MissingPrepositionRule::Gate g = objectsShipped;
            g.minTotal = total;
            g.maxDirectShare = share;
            char name[64];
            std::snprintf(name, sizeof name, "objects total>=%u direct<=%.2f", total, share);
            objectGates.push_back({name, g});
        }
    for (const auto &[name, gate] : objectGates) {
        objects.setGate(gate);
        measure(name, show && name == "default",
                [&](const Prepared &p, std::vector<Finding> *found) { objects.check(p.tokens, p.tags, found); });
    }
    return 0;
}
