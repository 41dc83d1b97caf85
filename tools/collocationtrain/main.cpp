// pennova-collocationtrain [--brown DIR] [--conllu FILE ...] [--wordnet DIR] [--hold-out N] [--data DIR] [--out model.txt]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks and, with --wordnet, the definitions and examples of WordNet's glosses), tags
// and lemmatises them as the checker does and counts the collocation model (CollocationModel). Every N-th sentence (default 10) is held out: there it reports
// how many native pairs of a group's flaggable word the model would flag, and how many
// planted swaps (another word of the group in the writer's place) it would send back.

#include "collocationmodel.h"
#include "lemmatizer.h"
#include "nativetext.h"
#include "nounforms.h"
#include "traineroptions.h"
#include "trainingtagger.h"
#include "wordnetdictionary.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

// Every gloss of WordNet's data files (data.noun, data.verb, data.adj, data.adv), split at
// its semicolons into definitions and quoted examples ("perpetrate or commit (a crime or
// abuse)", "heavy rain"): dictionary English that pairs words the way they are meant to go.
std::vector<std::string> glossPieces(const std::string &dir)
{
    std::vector<std::string> out;
    for (const std::string &gloss : NativeText::wordnetGlosses(dir)) {
        size_t start = 0;
        while (start < gloss.size()) {
            size_t end = gloss.find(';', start);
            if (end == std::string::npos)
                end = gloss.size();
            std::string piece = gloss.substr(start, end - start);
            start = end + 1;
            piece.erase(std::remove(piece.begin(), piece.end(), '"'), piece.end());
            const size_t first = piece.find_first_not_of(' ');
            const size_t last = piece.find_last_not_of(' ');
            if (first != std::string::npos && last > first)
                out.push_back(piece.substr(first, last - first + 1));
        }
    }
    std::printf("%s: %zu definitions and examples\n", dir.c_str(), out.size());
    return out;
}

// WordNet's verbs of a verb and a noun ("do_drugs", "make_noise", "take_place"): fixed
// phrases, counted once each, so that a pair the corpora happen to lack is never flagged.
int addFixedPhrases(const std::string &dir, const NounForms &nouns, const Lexicon &lexicon, CollocationModel *model)
{
    std::ifstream in(dir + "/index.verb");
    std::string line;
    int added = 0;
    while (std::getline(in, line)) {
        const std::string lemma = line.substr(0, line.find(' '));
        const size_t underscore = lemma.find('_');
        if (line.empty() || line[0] == ' ' || underscore == std::string::npos
            || lemma.find('_', underscore + 1) != std::string::npos)
            continue;
        const std::string verb = lemma.substr(0, underscore);
        const std::string noun = nouns.singularOf(lemma.substr(underscore + 1));
        if (!lexicon.isPos(noun, Lexicon::Noun))
            continue;
        model->addPair(CollocationModel::VerbObject, verb, noun);
        ++added;
    }
    std::printf("%s: %d fixed phrases of a verb and a noun\n", dir.c_str(), added);
    return added;
}

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    std::string wordnetDir;
    if (!options.parse(argc, argv, [&](const std::string &key, const char *value) {
            if (key != "--wordnet")
                return false;
            wordnetDir = value;
            return true;
        }))
        return 2;
    std::vector<std::string> sentences = options.sentences("pennova-collocationtrain");
    if (sentences.empty())
        return 2;
    const TrainingTagger tools(options.data);
    if (!tools.loaded())
        return 1;
    const NounForms nouns(tools.lexicon, "/usr/share/wordnet");
    const Lemmatizer lemmatizer(tools.lexicon, nouns);
    // the checker's lemmatiser knows the forms of common verbs; the rarer ones a learner is
    // pointed to ("committed", "conducted") WordNet's morphology brings back to their base
    const WordNetDictionary wordnet("/usr/share/wordnet");
    const auto analyse = [&](const std::string &sentence, std::vector<std::string> *tags) {
        std::vector<Token> tokens = Tokenizer::tokenize(sentence);
        *tags = tools.tagger.tag(tokens);
        lemmatizer.fill(&tokens, *tags);
        for (size_t k = 0; k < tokens.size(); ++k) {
            const std::string &tag = (*tags)[k];
            if (tokens[k].lemma == tokens[k].lower && (tag == "VBD" || tag == "VBN" || tag == "VBG" || tag == "VBZ")) {
                const std::string base = wordnet.baseForm(tokens[k].lower, WordNetDictionary::Verb);
                if (!base.empty())
                    tokens[k].lemma = base;
            }
        }
        return tokens;
    };
    CollocationModel counts;
    if (!wordnetDir.empty())
        addFixedPhrases(wordnetDir, nouns, tools.lexicon, &counts);
    std::vector<size_t> held;
    const size_t native = sentences.size();
    // the dictionary's glosses are all trained on, never held out
    if (!wordnetDir.empty()) {
        const std::vector<std::string> examples = glossPieces(wordnetDir);
        sentences.insert(sentences.end(), examples.begin(), examples.end());
    }
    for (size_t i = 0; i < sentences.size(); ++i) {
        if (options.holdOut && i < native && i % options.holdOut == 0) {
            held.push_back(i);
            continue;
        }
        std::vector<std::string> tags;
        const std::vector<Token> tokens = analyse(sentences[i], &tags);
        counts.add(tokens, tags);
    }
    const std::string measured = options.out.empty() ? std::string("/tmp/pennova-collocation-model.txt") : options.out;
    if (!counts.save(measured)) {
        std::fprintf(stderr, "cannot write %s\n", measured.c_str());
        return 1;
    }
    if (held.empty())
        return 0;
    CollocationModel model;
    std::string error;
    if (!model.load(measured, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    // held-out pairs of a flaggable word: flagged ones are false alarms; the same pair with
    // another flaggable word of the group in its place is a planted slip, found when the
    // model sends it back to the native word
    int pairs = 0, flagged = 0, planted = 0, found = 0, wrongFix = 0;
    for (const size_t s : held) {
        std::vector<std::string> tags;
        const std::vector<Token> tokens = analyse(sentences[s], &tags);
        for (const CollocationModel::Pair &p : CollocationModel::pairs(tokens, tags)) {
            bool source = false;
            std::set<std::string> swaps;
            for (const CollocationModel::Group &g : CollocationModel::groups()) {
                if (g.kind != p.kind)
                    continue;
                // a native target planted back as one of the group's sources
                if (std::find(g.targets.begin(), g.targets.end(), p.first) != g.targets.end())
                    for (const std::string &w : g.sources)
                        if (w != p.first)
                            swaps.insert(w);
                source = source || std::find(g.sources.begin(), g.sources.end(), p.first) != g.sources.end();
            }
            if (source) {
                ++pairs;
                const CollocationModel::Verdict v = model.judge(p.kind, p.first, p.second);
                if (!v.better.empty()) {
                    ++flagged;
                    std::printf("  native flagged: %s %s -> %s (%llu vs %llu) | %s\n", p.first.c_str(), p.second.c_str(),
                                v.better.c_str(), (unsigned long long)v.written, (unsigned long long)v.suggested,
                                sentences[s].c_str());
                }
            }
            for (const std::string &w : swaps) {
                if (model.count(p.kind, w, p.second) > 0)
                    continue; // the swap is itself native
                ++planted;
                const CollocationModel::Verdict v = model.judge(p.kind, w, p.second);
                found += v.better == p.first;
                wrongFix += !v.better.empty() && v.better != p.first;
            }
        }
    }
    std::printf("held-out sentences: %zu\n", held.size());
    std::printf("native pairs of a flaggable word: %d, flagged %d (%.2f%%)\n", pairs, flagged,
                pairs ? 100.0 * flagged / pairs : 0.0);
    std::printf("planted swaps: %d, sent back %d (%.1f%%), to another word %d\n", planted, found,
                planted ? 100.0 * found / planted : 0.0, wrongFix);
    return 0;
}
