// pennova-postrain --train a.conllu [--train b.conllu ...] [--heldout c.conllu [--hold-out N]]
//                  [--brown DIR [--treebank-weight N] [--brown-copies 1] [--brown-dump FILE]] [--iterations N] [--min-weight W] [--data DIR]
//                  [--out model.txt] [--errors FILE]
//        pennova-postrain --model model.txt [--heldout c.conllu [--hold-out N [--fold F]]] [--tag SENTENCE ...]
// Trains the tagger (with the checker's lexicon from DIR) and prints its accuracy on
// the held-out file, or tags sentences with a saved model. With --hold-out N only every
// N-th sentence of the held-out file is held out and the others are trained on too
// (how the shipped model is made: --hold-out 10 on EWT test). --brown adds the Brown
// corpus's sample files, mapped to Penn tags (sentences that do not map are left out
// and counted); --treebank-weight N then has training see each treebank sentence N
// times a pass, Brown's once, since the checker's input is closer to the treebanks' web text.
// --brown-copies 1 has Brown train a copy of each feature of its own as well, left out of the
// model (what only Brown does stays there), and read its rare words as unseen ones now and then.
// --min-weight W leaves smaller averaged weights out of the model (a smaller, faster model).

#include "browntags.h"
#include "conllureader.h"
#include "lexicon.h"
#include "nativetext.h"
#include "postagger.h"
#include "wordforms.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <algorithm>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

// PUD tags ';' and '--' as ':', EWT (and the model) as ','.
void harmonise(std::vector<PosTagger::Sentence> *sentences)
{
    for (PosTagger::Sentence &s : *sentences)
        for (size_t i = 0; i < s.words.size() && i < s.tags.size(); ++i)
            if ((s.words[i] == ";" || s.words[i] == "--") && s.tags[i] == ":")
                s.tags[i] = ",";
}

// Brown tags a participle after "be" VBN ("was pleased", "is related"), the treebanks mostly
// JJ: a Brown VBN becomes JJ where the treebanks tag the word JJ more often than VBN,
// unless an agent follows ("pleased by").
size_t harmoniseParticiples(const std::vector<PosTagger::Sentence> &treebanks, std::vector<PosTagger::Sentence> *brown)
{
    std::map<std::string, std::pair<int, int>> counts; // lower-case word -> JJ, VBN
    auto lower = [](std::string w) {
        std::transform(w.begin(), w.end(), w.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return w;
    };
    for (const auto &s : treebanks)
        for (size_t i = 0; i < s.words.size(); ++i)
            if (s.tags[i] == "JJ" || s.tags[i] == "VBN")
                (s.tags[i] == "JJ" ? counts[lower(s.words[i])].first : counts[lower(s.words[i])].second) += 1;
    size_t changed = 0;
    for (auto &s : *brown)
        for (size_t i = 0; i < s.words.size(); ++i) {
            if (s.tags[i] != "VBN" || (i + 1 < s.words.size() && lower(s.words[i + 1]) == "by"))
                continue;
            const auto c = counts.find(lower(s.words[i]));
            if (c != counts.end() && c->second.first >= 2 && c->second.first > c->second.second) {
                s.tags[i] = "JJ";
                ++changed;
            }
        }
    return changed;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> trainFiles;
    std::vector<std::string> sentences;
    std::string heldout, out, errors, model, data = PENNOVA_CHECKER_DATA_DIR;
    int iterations = PosTagger::kTrainingRounds;
    size_t holdOut = 0;
    size_t fold = 0;
    std::string brown, brownDump;
    int treebankWeight = 1;
    float minWeight = 0.0005f;
    bool brownCopies = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--brown")
            brown = argv[i + 1];
        else if (key == "--brown-dump") // the mapped sentences, word/TAG, and those left out
            brownDump = argv[i + 1];
        else if (key == "--brown-copies") // 1: Brown also trains features of its own, left out of the model
            brownCopies = std::atoi(argv[i + 1]) != 0;
        else if (key == "--min-weight")
            minWeight = std::max(0.0005f, std::strtof(argv[i + 1], nullptr));
        else if (key == "--treebank-weight")
            treebankWeight = std::clamp(std::atoi(argv[i + 1]), 1, 20);
        else if (key == "--train")
            trainFiles.push_back(argv[i + 1]);
        else if (key == "--heldout")
            heldout = argv[i + 1];
        else if (key == "--out")
            out = argv[i + 1];
        else if (key == "--model")
            model = argv[i + 1];
        else if (key == "--tag")
            sentences.push_back(argv[i + 1]);
        else if (key == "--errors")
            errors = argv[i + 1];
        else if (key == "--data")
            data = argv[i + 1];
        else if (key == "--hold-out")
            holdOut = size_t(std::max(0, std::atoi(argv[i + 1])));
        else if (key == "--fold")
            fold = size_t(std::max(0, std::atoi(argv[i + 1])));
        else if (key == "--iterations")
            iterations = std::max(1, std::atoi(argv[i + 1]));
        else {
            std::fprintf(stderr, "unknown option %s\n", key.c_str());
            return 2;
        }
    }
    if (!model.empty()) { // tag the given sentences with a saved model
        const Lexicon lexicon(data, "/usr/share/wordnet");
        const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
        PosTagger tagger(&lexicon, &forms);
        std::string error;
        if (!tagger.load(model, &error)) {
            std::fprintf(stderr, "%s: %s\n", model.c_str(), error.c_str());
            return 1;
        }
        if (!heldout.empty()) { // a saved model measured on the held-out part
            std::vector<PosTagger::Sentence> rest, test;
            ConlluReader::holdOut(ConlluReader::readFile(heldout), holdOut ? holdOut : 1, &rest, &test, fold);
            const PosTagger::Score score = tagger.evaluate(test, {});
            std::printf("%s on %s: %zu words, accuracy %.2f%%\n", model.c_str(), heldout.c_str(), score.unknown,
                        100.0 * score.overall());
        }
        for (const std::string &sentence : sentences) {
            const std::vector<Token> tokens = Tokenizer::tokenize(sentence);
            const std::vector<std::string> tags = tagger.tag(tokens);
            for (size_t i = 0; i < tokens.size(); ++i)
                std::printf("%s/%s ", tokens[i].text.c_str(), tags[i].c_str());
            std::printf("\n");
        }
        return 0;
    }
    if (trainFiles.empty()) {
        std::fprintf(stderr, "usage: pennova-postrain --train FILE [--heldout FILE [--hold-out N [--fold F]]] [--out MODEL]\n");
        return 2;
    }
    std::vector<PosTagger::Sentence> train;
    for (const std::string &f : trainFiles) {
        int bad = 0;
        auto part = ConlluReader::readFile(f, &bad);
        if (f.find("pud") != std::string::npos)
            harmonise(&part);
        std::printf("%s: %zu sentences, %d malformed lines\n", f.c_str(), part.size(), bad);
        train.insert(train.end(), part.begin(), part.end());
    }
    std::vector<PosTagger::Sentence> test;
    if (!heldout.empty()) {
        int bad = 0;
        const auto all = ConlluReader::readFile(heldout, &bad);
        ConlluReader::holdOut(all, holdOut ? holdOut : 1, &train, &test, fold);
        std::printf("%s: %zu sentences held out, %zu trained on, %d malformed lines\n", heldout.c_str(), test.size(),
                    all.size() - test.size(), bad);
    }
    for (PosTagger::Sentence &s : train)
        s.weight = treebankWeight;
    if (!brown.empty()) {
        const std::vector<PosTagger::Sentence> treebanks = train;
        std::vector<PosTagger::Sentence> mapped;
        std::map<std::string, int> refused;
        size_t used = 0, all = 0, words = 0;
        FILE *dump = brownDump.empty() ? nullptr : std::fopen(brownDump.c_str(), "w");
        for (const auto &items : NativeText::brownTagged(brown)) {
            ++all;
            PosTagger::Sentence s;
            std::string why;
            if (items.size() > 500 || !BrownTags::map(items, &s, &why)) {
                ++refused[why];
                if (dump) {
                    std::fprintf(dump, "# left out (%s):", why.c_str());
                    for (const auto &[word, tag] : items)
                        std::fprintf(dump, " %s/%s", word.c_str(), tag.c_str());
                    std::fprintf(dump, "\n");
                }
                continue;
            }
            ++used;
            s.secondary = true;
            s.ownCopies = brownCopies;
            words += s.words.size();
            if (dump) {
                for (size_t k = 0; k < s.words.size(); ++k)
                    std::fprintf(dump, "%s/%s ", s.words[k].c_str(), s.tags[k].c_str());
                std::fprintf(dump, "\n");
            }
            mapped.push_back(std::move(s));
        }
        if (dump)
            std::fclose(dump);
        std::printf("%s: %zu sentences, %zu used (%zu tokens), %zu left out\n", brown.c_str(), all, used, words, all - used);
        const size_t participles = harmoniseParticiples(treebanks, &mapped);
        std::printf("    %zu Brown participles tagged JJ as the treebanks tag them\n", participles);
        train.insert(train.end(), std::make_move_iterator(mapped.begin()), std::make_move_iterator(mapped.end()));
        std::vector<std::pair<int, std::string>> top;
        for (const auto &[why, n] : refused)
            top.emplace_back(n, why);
        std::sort(top.rbegin(), top.rend());
        for (size_t i = 0; i < top.size() && i < 12; ++i)
            std::printf("    %5d  %s\n", top[i].first, top[i].second.c_str());
    }
    const Lexicon lexicon(data, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    PosTagger tagger(&lexicon, &forms);
    const auto t0 = std::chrono::steady_clock::now();
    tagger.train(train, iterations, minWeight);
    std::printf("trained on %zu sentences, %d iterations, %.1f s\n", train.size(), iterations,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    std::printf("accuracy on training data: %.2f%%\n", 100.0 * tagger.accuracy(train));
    if (!test.empty()) {
        size_t words = 0;
        for (const auto &s : test)
            words += s.words.size();
        const PosTagger::Score score = tagger.evaluate(test, train);
        std::printf("held-out %s: %zu sentences, %zu words, accuracy %.2f%% (known words %.2f%%, %zu unknown %.2f%%)\n",
                    heldout.c_str(), test.size(), words, 100.0 * score.overall(), 100.0 * score.onKnown(),
                    score.unknown, 100.0 * score.onUnknown());
        // the most frequent confusions, to see where the model goes wrong
        std::map<std::string, int> confusions;
        FILE *log = errors.empty() ? nullptr : std::fopen(errors.c_str(), "w");
        for (const auto &s : test) {
            const auto got = tagger.tagWords(s.words);
            for (size_t i = 0; i < got.size(); ++i)
                if (got[i] != s.tags[i]) {
                    ++confusions[s.tags[i] + " -> " + got[i]];
                    if (log) { // the word with its neighbours, the right tag and the guess
                        std::string context;
                        for (size_t k = i >= 3 ? i - 3 : 0; k < got.size() && k <= i + 3; ++k)
                            context += (k == i ? "[" + s.words[k] + "]" : s.words[k]) + " ";
                        std::fprintf(log, "%s -> %s\t%s\n", s.tags[i].c_str(), got[i].c_str(), context.c_str());
                    }
                }
        }
        if (log)
            std::fclose(log);
        std::vector<std::pair<int, std::string>> top;
        for (const auto &[k, n] : confusions)
            top.emplace_back(n, k);
        std::sort(top.rbegin(), top.rend());
        for (size_t i = 0; i < top.size() && i < 15; ++i)
            std::printf("    %5d  %s\n", top[i].first, top[i].second.c_str());
    }
    if (!out.empty() && !tagger.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
