// pennova-complementtrain [--brown DIR] [--conllu FILE ...] [--hold-out N] [--min-row N]
//                         [--data DIR] [--out table.txt] [--show N] [--slots VERB]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks), tokenises, tags and lemmatises them as the checker does, and counts, for each
// verb, the verbs after it by form: "to" + base, the -ing form, "to" + -ing, and how often
// the verb is used at all (VerbComplementSlots). Every N-th sentence (default 10) is held out:
// on it the rule runs with the table of the others and its default gate, and the trainer
// prints how many native complements it flags, and how many it would send back if the
// writer had put the other form. Rows of verbs with fewer than --min-row verbs after them
// (default 3) are left out. --show N prints N held-out flags, --slots VERB every slot of one
// verb's key ("consider", "give_up") as it is counted.

#include "lemmatizer.h"
#include "nativetext.h"
#include "nounforms.h"
#include "traineroptions.h"
#include "trainingtagger.h"
#include "verbcomplementrule.h"
#include "verbcomplementslots.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace PennovaChecker;
using S = VerbComplementSlots;

namespace {

struct Held
{
    std::vector<Token> tokens;
    std::vector<std::string> tags;
};

std::string marked(const std::vector<Token> &tokens, int from, int to)
{
    std::string text;
    for (int k = 0; k < int(tokens.size()); ++k) {
        text += k ? " " : "";
        text += k == from ? "[" : "";
        text += tokens[size_t(k)].text;
        text += k == to ? "]" : "";
    }
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    size_t show = 0;
    uint32_t minRow = 3;
    std::string slotsOf;
    if (!options.parse(argc, argv, [&](const std::string &key, const char *value) {
            if (key == "--show")
                show = size_t(std::max(0, std::atoi(value)));
            else if (key == "--slots")
                slotsOf = value;
            else if (key == "--min-row")
                minRow = uint32_t(std::max(1, std::atoi(value)));
            else
                return false;
            return true;
        }))
        return 2;
    const std::vector<std::string> sentences = options.sentences("pennova-complementtrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const NounForms nouns(tools.lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(tools.lexicon, nouns);
    const auto t0 = std::chrono::steady_clock::now();
    VerbComplementRule::Table table;
    std::vector<Held> held;
    size_t counted[S::kColumns] = {};
    for (size_t i = 0; i < sentences.size(); ++i) {
        std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        const std::vector<std::string> tags = tools.tagger.tag(tokens);
        lemmatizer.fill(&tokens, tags);
        if (!slotsOf.empty())
            for (const S::Slot &s : S::find(tokens, tags, tools.lexicon))
                if (s.key == slotsOf)
                    std::printf("  %s: %s\n", S::classNames()[size_t(s.form)].c_str(),
                                marked(tokens, s.verb, s.complement).c_str());
        if (options.holdOut && i % options.holdOut == 0) {
            held.push_back({std::move(tokens), tags});
            continue;
        }
        auto rowOf = [&](const std::string &key) -> VerbComplementRule::Counts & {
            VerbComplementRule::Counts &row = table[key];
            row.resize(size_t(S::kColumns));
            return row;
        };
        for (const auto &[at, key] : S::verbs(tokens, tags, tools.lexicon)) {
            ++rowOf(key)[S::Uses];
            ++counted[S::Uses];
        }
        for (const S::Slot &s : S::find(tokens, tags, tools.lexicon)) {
            ++rowOf(s.key)[size_t(s.form)];
            ++counted[s.form];
        }
    }
    for (auto it = table.begin(); it != table.end();) {
        const uint32_t complements = it->second[S::Infinitive] + it->second[S::Gerund] + it->second[S::ToGerund];
        it = complements < minRow ? table.erase(it) : std::next(it);
    }
    std::printf("verbs: %zu uses, %zu with \"to\" + verb, %zu with -ing, %zu with \"to\" + -ing; %zu held-out "
                "sentences (every %zu-th); %zu verbs kept (%u or more verbs after them); %.1f s\n",
                counted[S::Uses], counted[S::Infinitive], counted[S::Gerund], counted[S::ToGerund], held.size(),
                options.holdOut, table.size(), minRow,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    if (!held.empty()) {
        VerbComplementRule rule(tools.lexicon);
        rule.setTable(table);
        const VerbComplementRule::Gate gate = rule.gate();
        size_t slots[S::kColumns] = {}, known = 0, planted = 0, sentBack = 0;
        std::map<std::string, size_t> flagged;
        std::vector<std::string> shown;
        for (const Held &h : held) {
            for (const S::Slot &s : S::find(h.tokens, h.tags, tools.lexicon)) {
                ++slots[s.form];
                const VerbComplementRule::Counts *c = rule.countsOf(s.key);
                if (!c || s.form == S::ToGerund)
                    continue;
                ++known;
                // the other form in the native writer's place: does the gate send it back?
                if (VerbComplementRule::guard(h.tokens, h.tags, s, tools.lexicon))
                    continue;
                ++planted;
                const S::Column other = s.form == S::Infinitive ? S::Gerund : S::Infinitive;
                sentBack += VerbComplementRule::decide(c, other, gate) == s.form;
            }
            std::vector<Finding> found;
            rule.check(h.tokens, h.tags, &found);
            for (const Finding &f : found) {
                ++flagged[f.explainType];
                if (shown.size() < show) {
                    int from = 0, to = 0;
                    for (int k = 0; k < int(h.tokens.size()); ++k) {
                        if (h.tokens[size_t(k)].start == f.start)
                            from = k;
                        if (h.tokens[size_t(k)].end == f.end)
                            to = k;
                    }
                    shown.push_back("  FLAG " + f.explainType + " -> "
                                    + (f.candidates.empty() ? std::string() : f.candidates[0].correction) + ": "
                                    + marked(h.tokens, from, to));
                }
            }
        }
        size_t all = 0;
        for (const auto &[kind, n] : flagged)
            all += n;
        std::printf("held out: %zu \"to\" + verb, %zu -ing, %zu \"to\" + -ing after a verb; %zu of them after a verb "
                    "with a row\n",
                    slots[S::Infinitive], slots[S::Gerund], slots[S::ToGerund], known);
        std::printf("the rule's gate (total>=%u, written<=%.2f, suggested>=%.2f, rate>=%.2f) flags %zu "
                    "native complements (%.2f%% of %zu)",
                    gate.minTotal, gate.maxWrittenShare, gate.minSuggestedShare, gate.minRate, all,
                    100.0 * all / std::max<size_t>(1, slots[0] + slots[1] + slots[2]), slots[0] + slots[1] + slots[2]);
        for (const auto &[kind, n] : flagged)
            std::printf(", %s %zu", kind.c_str(), n);
        std::printf("\nwith the other form planted in place of the %zu unguarded native ones, it sends back %zu "
                    "(%.1f%%)\n",
                    planted, sentBack, 100.0 * sentBack / std::max<size_t>(1, planted));
        // the same at other minimum totals (the bench measures the gates on learner and web text)
        for (uint32_t total : {3u, 5u, 20u}) {
            VerbComplementRule::Gate other = gate;
            other.minTotal = total;
            rule.setGate(other);
            size_t flags = 0, back = 0;
            for (const Held &h : held) {
                std::vector<Finding> found;
                rule.check(h.tokens, h.tags, &found);
                flags += found.size();
                for (const S::Slot &s : S::find(h.tokens, h.tags, tools.lexicon)) {
                    const VerbComplementRule::Counts *c = rule.countsOf(s.key);
                    if (c && s.form != S::ToGerund && !VerbComplementRule::guard(h.tokens, h.tags, s, tools.lexicon))
                        back += VerbComplementRule::decide(c, s.form == S::Infinitive ? S::Gerund : S::Infinitive,
                                                           other)
                            == s.form;
                }
            }
            std::printf("  at total>=%u: flags %zu native complements, sends back %zu planted (%.1f%%)\n", total,
                        flags, back, 100.0 * back / std::max<size_t>(1, planted));
        }
        for (const std::string &line : shown)
            std::printf("%s\n", line.c_str());
    }
    if (!options.out.empty()) {
        std::ofstream out(options.out, std::ios::binary);
        if (!out || !VerbComplementRule::save(out, table)) {
            std::fprintf(stderr, "cannot write %s\n", options.out.c_str());
            return 1;
        }
    }
    return 0;
}
