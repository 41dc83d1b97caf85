// pennova-pairtrain [--brown DIR] [--conllu FILE ...] [--min-count N] [--data DIR] [--out pairs.txt]
// Reads native sentences (the Brown corpus's tagged files, the "# text" lines of CoNLL-U
// treebanks) and writes the pairs of words, four letters or more each, that stand side by
// side at least N times (default 3) and that the frequency list does not know written as
// one word. The speller reads a word made of such a pair ("otherhand", "sparetime") as the
// two words run together, not as a compound.

#include "lexicon.h"
#include "tokenizer.h"
#include "traineroptions.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

bool plainWord(const Token &t)
{
    if (t.kind != Token::Word || t.lower.size() < 4 || t.lower.size() > 20)
        return false;
    for (const char c : t.lower)
        if (c < 'a' || c > 'z')
            return false;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    TrainerOptions options;
    options.data = PENNOVA_CHECKER_DATA_DIR;
    options.minCount = 3;
    options.holdOut = 0;
    if (!options.parse(argc, argv))
        return 2;
    const std::vector<std::string> sentences = options.sentences("pennova-pairtrain");
    if (sentences.empty())
        return 2;
    const Lexicon lexicon(options.data, "/usr/share/wordnet");
    std::map<std::string, int> counts;
    for (const std::string &s : sentences) {
        const std::vector<Token> t = Tokenizer::tokenize(s);
        for (size_t i = 0; i + 1 < t.size(); ++i)
            if (plainWord(t[i]) && plainWord(t[i + 1]) && t[i + 1].spaceBefore)
                ++counts[t[i].lower + ' ' + t[i + 1].lower];
    }
    std::vector<std::pair<std::string, int>> kept;
    for (const auto &[pair, n] : counts) {
        if (n < options.minCount)
            continue;
        std::string joined = pair;
        joined.erase(joined.find(' '), 1);
        if (lexicon.frequency(joined) == 0)
            kept.emplace_back(pair, n);
    }
    std::printf("%zu sentences, %zu pairs seen, %zu kept (at least %d times, unknown joined)\n", sentences.size(),
                counts.size(), kept.size(), options.minCount);
    if (options.out.empty())
        return 0;
    std::ofstream out(options.out);
    out << "# Pennova native word pairs: two words native English writes apart, at least " << options.minCount
        << " times,\n# never as one known word; counted by tools/pairtrain\n";
    for (const auto &[pair, n] : kept)
        out << pair << ' ' << n << '\n';
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
