// pennova-prepositiontrain [--brown DIR] [--conllu FILE ...] [--wordnet DIR] [--hold-out N]
//                          [--min-row N] [--data DIR] [--out table.txt] [--times table.txt] [--show N]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks and, with --wordnet, the examples of WordNet's glosses, never held out), tokenises, tags and lemmatises them as the checker does, and counts the
// preposition (or the direct object) after each verb, adjective and noun (PrepositionSlots).
// Every N-th sentence (default 10) is held out: on it the table's most frequent preposition
// is measured against the written one, and the rule's gate counts how often it would flag
// native text. Rows of words seen fewer than --min-row times (default 20) are left out.
// With --times, the prepositions before phrases of time (TimePrepositionRule) are counted too,
// per phrase and per determiner and head, and written to that file; on the held-out sentences
// the rule's gate reports how many native ones it would flag.

#include "lemmatizer.h"
#include "nativetext.h"
#include "nounforms.h"
#include "prepositionchoicerule.h"
#include "prepositionslots.h"
#include "timeprepositionrule.h"
#include "traineroptions.h"
#include "trainingtagger.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

struct Held
{
    PrepositionSlots::Slot slot;
    std::vector<Token> tokens;
    std::vector<std::string> tags;
};

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    size_t show = 0;
    uint32_t minRow = 20;
    std::string wordnetDir, timesOut;
    if (!options.parse(argc, argv, [&](const std::string &key, const char *value) {
            if (key == "--wordnet")
                wordnetDir = value;
            else if (key == "--times")
                timesOut = value;
            else if (key == "--show")
                show = size_t(std::max(0, std::atoi(value)));
            else if (key == "--min-row")
                minRow = uint32_t(std::max(1, std::atoi(value)));
            else
                return false;
            return true;
        }))
        return 2;
    std::vector<std::string> sentences = options.sentences("pennova-prepositiontrain");
    if (sentences.empty())
        return 2;
    // the dictionary's examples come after the corpora, so the held-out sentences stay the same
    const size_t native = sentences.size();
    if (!wordnetDir.empty()) {
        const std::vector<std::string> examples = NativeText::wordnetExamples(wordnetDir);
        sentences.insert(sentences.end(), examples.begin(), examples.end());
    }
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const NounForms nouns(tools.lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(tools.lexicon, nouns);
    const auto t0 = std::chrono::steady_clock::now();
    PrepositionChoiceRule::Table table;
    std::vector<Held> held;
    size_t trained = 0;
    TimePrepositionRule::Table times;
    std::vector<size_t> heldTimes; // the held-out sentences with a preposition before a time
    for (size_t i = 0; i < sentences.size(); ++i) {
        std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
        const std::vector<std::string> tags = tools.tagger.tag(tokens);
        lemmatizer.fill(&tokens, tags);
        const bool isHeld = options.holdOut && i < native && i % options.holdOut == 0;
        const std::vector<TimePrepositionRule::Slot> timeSlots = TimePrepositionRule::find(tokens, tags);
        if (isHeld && !timeSlots.empty())
            heldTimes.push_back(i);
        for (const TimePrepositionRule::Slot &s : timeSlots) {
            if (isHeld)
                continue;
            for (const std::string *key : {&s.phrase, &s.head2}) {
                TimePrepositionRule::Counts &row = times[*key];
                row.resize(TimePrepositionRule::classNames().size());
                ++row[size_t(s.written)];
            }
        }
        for (const PrepositionSlots::Slot &s : PrepositionSlots::find(tokens, tags, tools.lexicon)) {
            if (isHeld) {
                held.push_back({s, tokens, tags});
                continue;
            }
            for (const std::string &key :
                 {PrepositionSlots::key(s), PrepositionSlots::frameKey(s), PrepositionSlots::pooledFrameKey(s)}) {
                if (key.empty())
                    continue;
                PrepositionChoiceRule::Counts &row = table[key];
                row.resize(size_t(PrepositionSlots::kColumns));
                ++row[size_t(s.column)];
            }
            ++trained;
        }
    }
    for (auto it = table.begin(); it != table.end();) {
        uint32_t total = 0;
        for (uint32_t v : it->second)
            total += v;
        // a frame's rows are kept however rare: one native use of a preposition there is evidence
        const bool frame = it->first.find('+') != std::string::npos;
        it = total < minRow && !frame ? table.erase(it) : std::next(it);
    }
    std::printf("slots: %zu counted, %zu held out (every %zu-th sentence); %zu words kept (seen %u times or more); "
                "%.1f s\n",
                trained, held.size(), options.holdOut, table.size(), minRow,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    if (!held.empty()) {
        // the table's first choice against what native writers wrote, where it has a row
        const std::vector<std::string> &names = PrepositionSlots::classNames();
        size_t known = 0, right = 0, flagged[3] = {}, slotsOf[3] = {};
        std::vector<std::string> shown;
        const PrepositionChoiceRule::Gate gate;
        for (const Held &h : held) {
            const auto it = table.find(PrepositionSlots::key(h.slot));
            const int what = h.slot.preposition < 0 ? 2 : 0; // 0 choice/extra, 2 missing
            ++slotsOf[what];
            if (it == table.end())
                continue;
            const PrepositionChoiceRule::Counts &c = it->second;
            // a preposition's slot is guessed among the prepositions, a direct object among all
            const int last = h.slot.preposition < 0 ? PrepositionSlots::kColumns : PrepositionSlots::kDirect;
            const int best = int(std::max_element(c.begin(), c.begin() + last) - c.begin());
            ++known;
            right += best == h.slot.column;
            const int choice = PrepositionChoiceRule::decide(&c, h.slot, gate);
            if (choice < 0 || PrepositionChoiceRule::mayAttachElsewhere(h.tokens, h.tags, h.slot))
                continue;
            const int kind = h.slot.preposition < 0 ? 2 : choice == PrepositionSlots::kDirect ? 1 : 0;
            ++flagged[kind];
            if (shown.size() < show) {
                std::string text;
                for (size_t k = 0; k < h.tokens.size(); ++k)
                    text += (k ? " " : "") + (int(k) == h.slot.governor ? "[" + h.tokens[k].text + "]" : h.tokens[k].text);
                shown.push_back("  FLAG " + names[size_t(h.slot.column)] + " -> " + names[size_t(choice)] + ": " + text);
            }
        }
        // the baseline: the preposition most frequent after any word, for the same slots
        std::vector<size_t> overall(size_t(PrepositionSlots::kColumns), 0);
        for (const auto &[key, c] : table)
            for (size_t k = 0; k < c.size(); ++k)
                overall[k] += c[k];
        const int common = int(std::max_element(overall.begin(), overall.begin() + PrepositionSlots::kDirect)
                               - overall.begin());
        size_t baseline = 0;
        for (const Held &h : held)
            baseline += table.count(PrepositionSlots::key(h.slot)) && h.slot.column == common;
        std::printf("held out: %zu slots, %zu with a row; the row's most frequent choice is the written one: %.2f%% "
                    "(always \"%s\": %.2f%%)\n",
                    held.size(), known, 100.0 * right / std::max<size_t>(1, known), names[size_t(common)].c_str(),
                    100.0 * baseline / std::max<size_t>(1, known));
        std::printf("the rule's gate would flag native slots: %zu choice, %zu extra (of %zu prepositions), "
                    "%zu missing (of %zu direct objects)\n",
                    flagged[0], flagged[1], slotsOf[0], flagged[2], slotsOf[2]);
        for (const std::string &line : shown)
            std::printf("%s\n", line.c_str());
    }
    if (!timesOut.empty()) {
        // rows seen too seldom for the gate are left out
        const TimePrepositionRule::Gate gate;
        for (auto it = times.begin(); it != times.end();) {
            uint32_t total = 0;
            for (uint32_t v : it->second)
                total += v;
            it = total < gate.minTotal ? times.erase(it) : std::next(it);
        }
        std::ofstream out(timesOut, std::ios::binary);
        if (!out || !TimePrepositionRule::save(out, times)) {
            std::fprintf(stderr, "cannot write %s\n", timesOut.c_str());
            return 1;
        }
        out.close();
        // the rule as the checker runs it, the word before read by the counts above
        TimePrepositionRule rule;
        PrepositionChoiceRule governors(tools.lexicon);
        std::stringstream saved;
        std::string error;
        if (!rule.load(timesOut, &error) || !PrepositionChoiceRule::save(saved, table) || !governors.load(saved, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        rule.setGovernors(&governors);
        size_t slotsTimes = 0, flaggedTimes = 0;
        std::vector<std::string> shownTimes;
        for (size_t i : heldTimes) {
            std::vector<Token> tokens = Tokenizer::tokenize(sentences[i]);
            const std::vector<std::string> tags = tools.tagger.tag(tokens);
            lemmatizer.fill(&tokens, tags);
            slotsTimes += TimePrepositionRule::find(tokens, tags).size();
            std::vector<Finding> found;
            rule.check(tokens, tags, &found);
            flaggedTimes += found.size();
            if (!found.empty() && shownTimes.size() < show)
                shownTimes.push_back("  FLAG " + found.front().errorInfo + ": " + sentences[i]);
        }
        std::printf("times: %zu rows; held out: %zu prepositions before a time, the rule would flag %zu\n",
                    times.size(), slotsTimes, flaggedTimes);
        for (const std::string &line : shownTimes)
            std::printf("%s\n", line.c_str());
    }
    if (!options.out.empty()) {
        std::ofstream out(options.out, std::ios::binary);
        if (!out || !PrepositionChoiceRule::save(out, table)) {
            std::fprintf(stderr, "cannot write %s\n", options.out.c_str());
            return 1;
        }
    }
    return 0;
}
