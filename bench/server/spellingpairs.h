#pragma once
// The shared misspelling sets as (misspelling, intended word) pairs, for the spelling
// benchmarks. Header only: each benchmark is one program.

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

struct SpellingPair
{
    std::string wrong, right;
};

class SpellingPairs
{
public:
    using Set = std::pair<std::string, std::vector<SpellingPair>>;

    // spellingDir: the bench-data "spelling" folder. Missing files give empty sets.
    static std::vector<Set> sharedSets(const std::string &spellingDir)
    {
        std::vector<SpellingPair> norvig = readNorvig(spellingDir + "norvig/spell-testset1.txt");
        const std::vector<SpellingPair> second = readNorvig(spellingDir + "norvig/spell-testset2.txt");
        norvig.insert(norvig.end(), second.begin(), second.end());
        return {{"norvig (testset1+2)", norvig},
                {"birkbeck/sample2000", readTab(spellingDir + "birkbeck/sample2000.tab")},
                {"aspell_bench/orig", readTab(spellingDir + "aspell_bench/orig_batch0.tab")},
                {"aspell_bench/wikipedia_filtered",
                 readTab(spellingDir + "aspell_bench/wikipedia_common_filtered_batch0.tab")}};
    }

private:
    // "right: wrong1 wrong2"
    static std::vector<SpellingPair> readNorvig(const std::string &path)
    {
        std::vector<SpellingPair> out;
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            const size_t colon = line.find(':');
            if (colon == std::string::npos)
                continue;
            const std::string right = line.substr(0, colon);
            std::stringstream rest(line.substr(colon + 1));
            std::string w;
            while (rest >> w)
                out.push_back({w, right});
        }
        return out;
    }

    // "wrong<TAB>right"
    static std::vector<SpellingPair> readTab(const std::string &path)
    {
        std::vector<SpellingPair> out;
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            const size_t tab = line.find('\t');
            if (tab == std::string::npos)
                continue;
            std::string right = line.substr(tab + 1);
            while (!right.empty() && (right.back() == '\r' || right.back() == ' '))
                right.pop_back();
            out.push_back({line.substr(0, tab), right});
        }
        return out;
    }
};
