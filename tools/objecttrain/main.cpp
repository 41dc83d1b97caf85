// pennova-objecttrain [--brown DIR] [--conllu FILE ...] [--hold-out N] [--min-row N]
//                     [--data DIR] [--out table.txt] [--show N] [--slots KEY] [--tag TEXT]
//                     [--min-total N] [--min-total-never-direct N] [--max-direct SHARE]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tokenises, tags and lemmatises them as the checker does, and counts, for each
// verb, how often its object follows it directly and how often after each common preposition
// (MissingPrepositionRule::find), and the heads of the direct objects of verbs that seldom
// take one. Every N-th sentence (default 10) is held out: on it the rule runs with the table
// of the others, and the trainer prints how many native sentences it flags, and how many of
// the native prepositions after a verb it puts back when the preposition is deleted (the
// sentence tagged again without it). Rows with fewer than --min-row objects (default 10) are
// left out. The --min-total options and --max-direct set the rule's gate for the first
// measure (the shipped gate by default); --show N prints N held-out flags and N missed
// deletions, --slots KEY every slot of one key ("V:listen", "W:look") as it is counted, --tag
// TEXT the tags, lemmas and slots of a sentence (repeatable), without counting.

#include "lemmatizer.h"
#include "missingprepositionrule.h"
#include "nativetext.h"
#include "nounforms.h"
#include "prepositionslots.h"
#include "traineroptions.h"
#include "trainingtagger.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using namespace PennovaChecker;
using P = PrepositionSlots;

namespace {

// verbs whose objects follow them directly at most this often keep their objects' heads
constexpr double kPairsBelow = 0.2;

struct Tagged
{
    std::vector<Token> tokens;
    std::vector<std::string> tags;
};

// A held-out native sentence with one preposition after a verb deleted.
struct Planted
{
    Tagged sentence;
    int verb = 0;
    std::string expected; // "listen to"
};

std::string marked(const std::vector<Token> &tokens, int at)
{
    std::string text;
    for (int k = 0; k < int(tokens.size()); ++k)
        text += (k ? " " : "") + (k == at ? "[" + tokens[size_t(k)].text + "]" : tokens[size_t(k)].text);
    return text;
}

// the sentence's text without token `skip`, spaced as written
std::string without(const std::vector<Token> &tokens, int skip)
{
    std::string text;
    for (int k = 0; k < int(tokens.size()); ++k)
        if (k != skip)
            text += (text.empty() || !tokens[size_t(k)].spaceBefore ? "" : " ") + tokens[size_t(k)].text;
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    size_t show = 0;
    uint32_t minRow = 10;
    std::string slotsOf;
    MissingPrepositionRule::Gate gate;
    std::vector<std::string> tagOnly;
    if (!options.parse(argc, argv, [&](const std::string &key, const char *value) {
            if (key == "--show")
                show = size_t(std::max(0, std::atoi(value)));
            else if (key == "--tag")
                tagOnly.push_back(value);
            else if (key == "--slots")
                slotsOf = value;
            else if (key == "--max-direct")
                gate.maxDirectShare = std::atof(value);
            else if (key == "--min-total")
                gate.minTotal = uint32_t(std::max(1, std::atoi(value)));
            else if (key == "--min-total-never-direct")
                gate.minTotalNeverDirect = uint32_t(std::max(1, std::atoi(value)));
            else if (key == "--min-row")
                minRow = uint32_t(std::max(1, std::atoi(value)));
            else
                return false;
            return true;
        }))
        return 2;
    if (!tagOnly.empty()) {
        // how the checker reads a sentence: tags, lemmas and slots
        const TrainingTagger tools(options.data);
        const NounForms nouns(tools.lexicon, "/usr/share/wordnet");
        const Lemmatizer lemmatizer(tools.lexicon, nouns);
        for (const std::string &text : tagOnly) {
            std::vector<Token> tokens = Tokenizer::tokenize(text);
            const std::vector<std::string> tags = tools.tagger.tag(tokens);
            lemmatizer.fill(&tokens, tags);
            for (size_t k = 0; k < tokens.size(); ++k)
                std::printf("%s/%s/%s ", tokens[k].text.c_str(), tags[k].c_str(), tokens[k].lemma.c_str());
            std::printf("\n");
            for (const MissingPrepositionRule::Slot &s : MissingPrepositionRule::find(tokens, tags, tools.lexicon))
                std::printf("  %s %s: %s\n", s.key.c_str(), P::classNames()[size_t(s.column)].c_str(),
                            marked(tokens, s.verb).c_str());
        }
        return 0;
    }
    const std::vector<std::string> sentences = options.sentences("pennova-objecttrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const NounForms nouns(tools.lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(tools.lexicon, nouns);
    auto prepare = [&](const std::string &text) {
        Tagged t{Tokenizer::tokenize(text), {}};
        t.tags = tools.tagger.tag(t.tokens);
        lemmatizer.fill(&t.tokens, t.tags);
        return t;
    };
    const auto t0 = std::chrono::steady_clock::now();
    MissingPrepositionRule::Table table, pairs;
    std::vector<Tagged> held;
    size_t counted = 0, direct = 0;
    for (size_t i = 0; i < sentences.size(); ++i) {
        Tagged t = prepare(sentences[i]);
        const std::vector<MissingPrepositionRule::Slot> slots =
            MissingPrepositionRule::find(t.tokens, t.tags, tools.lexicon);
        for (const MissingPrepositionRule::Slot &s : slots)
            if (s.key == slotsOf)
                std::printf("  %s: %s\n", P::classNames()[size_t(s.column)].c_str(), marked(t.tokens, s.verb).c_str());
        if (options.holdOut && i % options.holdOut == 0) {
            held.push_back(std::move(t));
            continue;
        }
        for (const MissingPrepositionRule::Slot &s : slots) {
            MissingPrepositionRule::Counts &row = table[s.key];
            row.resize(size_t(P::kColumns));
            ++row[size_t(s.column)];
            ++counted;
            direct += s.column == P::kDirect;
            if (s.column == P::kDirect) {
                MissingPrepositionRule::Counts &pair = pairs[MissingPrepositionRule::pairKey(t.tokens, s)];
                pair.resize(size_t(P::kColumns));
                ++pair[size_t(P::kDirect)];
            }
        }
    }
    for (auto it = table.begin(); it != table.end();) {
        uint32_t total = 0;
        for (uint32_t v : it->second)
            total += v;
        it = total < minRow ? table.erase(it) : std::next(it);
    }
    // the direct objects of the verbs that seldom take one, which the rule leaves alone
    size_t kept = 0;
    for (const auto &[key, counts] : pairs) {
        const auto verb = table.find("V" + key.substr(1, key.rfind(':') - 1));
        if (verb == table.end())
            continue;
        uint32_t total = 0;
        for (uint32_t v : verb->second)
            total += v;
        if (verb->second[size_t(P::kDirect)] <= total * kPairsBelow) {
            table.emplace(key, counts);
            ++kept;
        }
    }
    std::printf("objects after a verb: %zu counted, %zu of them direct; %zu held-out sentences (every %zu-th); "
                "%zu keys kept (%u objects or more), %zu of them a verb's direct object; %.1f s\n",
                counted, direct, held.size(), options.holdOut, table.size(), minRow, kept,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    if (!held.empty()) {
        MissingPrepositionRule rule(tools.lexicon);
        rule.setTable(table);
        rule.setGate(gate);
        // every native preposition after a verb, deleted in turn and the sentence tagged again
        std::vector<Planted> planted;
        size_t directSlots = 0;
        for (const Tagged &h : held)
            for (const MissingPrepositionRule::Slot &s : MissingPrepositionRule::find(h.tokens, h.tags, tools.lexicon)) {
                if (s.preposition < 0) {
                    ++directSlots;
                    continue;
                }
                planted.push_back({prepare(without(h.tokens, s.preposition)), s.verb,
                                   h.tokens[size_t(s.verb)].text + " " + h.tokens[size_t(s.preposition)].lower});
            }
        const MissingPrepositionRule::Gate shipped = rule.gate();
        struct Named
        {
            MissingPrepositionRule::Gate gate;
            bool isShipped;
        };
        std::vector<Named> gates = {{shipped, true}};
        for (uint32_t total : {15u, 30u, 60u})
            for (double share : {0.0, 0.03, 0.06, 0.1}) {
                MissingPrepositionRule::Gate g = shipped;
                g.minTotal = total;
                g.maxDirectShare = share;
                g.minTotalNeverDirect = std::min(g.minTotalNeverDirect, total);
                gates.push_back({g, false});
            }
        std::printf("held out: %zu sentences, %zu direct objects after a verb, %zu prepositions after a verb "
                    "deleted one at a time\n",
                    held.size(), directSlots, planted.size());
        for (const Named &named : gates) {
            rule.setGate(named.gate);
            size_t flags = 0, flaggedSentences = 0, caught = 0, right = 0;
            std::vector<std::string> shown;
            for (const Tagged &h : held) {
                std::vector<Finding> found;
                rule.check(h.tokens, h.tags, &found);
                flags += found.size();
                flaggedSentences += !found.empty();
                for (const Finding &f : found)
                    if (named.isShipped && shown.size() < show) {
                        int at = 0;
                        while (at + 1 < int(h.tokens.size()) && h.tokens[size_t(at)].start < f.start)
                            ++at;
                        shown.push_back("  NATIVE FLAG -> " + f.candidates[0].correction + ": " + marked(h.tokens, at));
                    }
            }
            size_t missedShown = 0;
            for (const Planted &p : planted) {
                std::vector<Finding> found;
                rule.check(p.sentence.tokens, p.sentence.tags, &found);
                const Token &verb = p.sentence.tokens[size_t(p.verb)];
                const auto it = std::find_if(found.begin(), found.end(),
                                             [&](const Finding &f) { return f.start == verb.start; });
                if (it != found.end()) {
                    ++caught;
                    right += it->candidates[0].correction == p.expected;
                } else if (named.isShipped && missedShown < show
                           && table.count("V:" + (verb.lemma.empty() ? verb.lower : verb.lemma))) {
                    ++missedShown;
                    shown.push_back("  MISSED " + p.expected + ": " + marked(p.sentence.tokens, p.verb));
                }
            }
            std::printf("%s total>=%u (never direct: >=%u) direct<=%.2f best>=%.2f: flags %zu native objects in %zu sentences (%.2f%%); "
                        "finds %zu deleted prepositions (%.2f%%), %zu with the deleted one first\n",
                        named.isShipped ? "shipped gate" : "  gate", named.gate.minTotal,
                        named.gate.minTotalNeverDirect, named.gate.maxDirectShare,
                        named.gate.minBestShare, flags, flaggedSentences,
                        100.0 * flaggedSentences / std::max<size_t>(1, held.size()), caught,
                        100.0 * caught / std::max<size_t>(1, planted.size()), right);
            for (const std::string &line : shown)
                std::printf("%s\n", line.c_str());
        }
    }
    if (!options.out.empty()) {
        std::ofstream out(options.out, std::ios::binary);
        if (!out || !MissingPrepositionRule::save(out, table)) {
            std::fprintf(stderr, "cannot write %s\n", options.out.c_str());
            return 1;
        }
    }
    return 0;
}
