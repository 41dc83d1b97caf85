// Spelling suggestion benchmark: top-1/top-5 accuracy and time per misspelling of the
// checker's suggester beside plain Hunspell suggest, on the shared evaluation sets.
// Usage: bench_spelling [--hunspell-limit N] (Hunspell runs on the first N pairs of
// each set; default 300, 0 = all).

#include "pennovapaths.h"
#include "lexicon.h"
#include "spellingsuggester.h"
#include "tokenizer.h"
#include "spellingpairs.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

struct Score
{
    int total = 0, top1 = 0, top5 = 0;
    double ms = 0.0;
};

template <typename F>
Score run(const std::vector<SpellingPair> &pairs, size_t limit, F suggest)
{
    Score s;
    for (size_t i = 0; i < pairs.size() && (limit == 0 || i < limit); ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const std::vector<std::string> got = suggest(pairs[i].wrong);
        s.ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        ++s.total;
        const std::string want = Tokenizer::toLower(pairs[i].right);
        for (size_t k = 0; k < got.size() && k < 5; ++k) {
            if (Tokenizer::toLower(got[k]) == want) {
                if (k == 0)
                    ++s.top1;
                ++s.top5;
                break;
            }
        }
    }
    return s;
}

void print(const char *set, const char *who, const Score &s)
{
    if (!s.total)
        return;
    std::printf("%-34s %-9s n=%5d  top1 %5.1f%%  top5 %5.1f%%  %7.3f ms/word\n", set, who, s.total,
                100.0 * s.top1 / s.total, 100.0 * s.top5 / s.total, s.ms / s.total);
}

} // namespace

int main(int argc, char **argv)
{
    size_t hunspellLimit = 300;
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--hunspell-limit"))
            hunspellLimit = size_t(std::atol(argv[i + 1]));

    const std::string shared = PENNOVA_SHARED_DIR "/bench-data/spelling/";
    const auto t0 = std::chrono::steady_clock::now();
    Lexicon lexicon(PENNOVA_SOURCE_DIR "/server/checker/data", "/usr/share/wordnet");
    SpellingSuggester speller(lexicon, "/usr/share/hunspell");
    std::printf("loading: %.0f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());

    const std::vector<SpellingPairs::Set> sets = SpellingPairs::sharedSets(shared);
    for (const auto &[name, pairs] : sets) {
        const Score ours = run(pairs, 0, [&](const std::string &w) {
            std::vector<std::string> out;
            for (const auto &s : speller.suggest(w, 5))
                out.push_back(s.word);
            return out;
        });
        print(name.c_str(), "checker", ours);
        const Score oursSub = run(pairs, hunspellLimit, [&](const std::string &w) {
            std::vector<std::string> out;
            for (const auto &s : speller.suggest(w, 5))
                out.push_back(s.word);
            return out;
        });
        const Score hun = run(pairs, hunspellLimit, [&](const std::string &w) { return speller.hunspellSuggest(w); });
        if (hunspellLimit && hunspellLimit < pairs.size()) {
            std::printf("  first %zu pairs:\n", hunspellLimit);
            print(name.c_str(), "checker", oursSub);
        }
        print(name.c_str(), "hunspell", hun);
        if (hun.total && oursSub.total)
            std::printf("  speed-up over hunspell: %.1fx\n", (hun.ms / hun.total) / (oursSub.ms / oursSub.total));
    }
    return 0;
}
