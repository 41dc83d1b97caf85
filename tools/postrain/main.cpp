// pennova-postrain --train a.conllu [--train b.conllu ...] [--heldout c.conllu [--hold-out N]]
//                  [--iterations N] [--data DIR] [--out model.txt] [--errors FILE]
//        pennova-postrain --model model.txt --tag SENTENCE [--tag SENTENCE ...]
// Trains the tagger (with the checker's lexicon from DIR) and prints its accuracy on
// the held-out file, or tags sentences with a saved model. With --hold-out N only every
// N-th sentence of the held-out file is held out and the others are trained on too
// (how the shipped model is made: --hold-out 10 on EWT test).

#include "conllureader.h"
#include "lexicon.h"
#include "postagger.h"
#include "wordforms.h"

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

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> trainFiles;
    std::vector<std::string> sentences;
    std::string heldout, out, errors, model, data = PENNOVA_CHECKER_DATA_DIR;
    int iterations = PosTagger::kTrainingRounds;
    size_t holdOut = 0;
    size_t fold = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--train")
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
    const Lexicon lexicon(data, "/usr/share/wordnet");
    const WordForms forms("/usr/share/hunspell", "/usr/share/wordnet");
    PosTagger tagger(&lexicon, &forms);
    const auto t0 = std::chrono::steady_clock::now();
    tagger.train(train, iterations);
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
