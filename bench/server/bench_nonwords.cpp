// What a sentence of words the dictionary does not know costs the checker, against one of
// plain English of the same length: milliseconds per sentence and the ratio. Garbage must
// not cost far more than text: a word budget counts both alike.
// Usage: bench_nonwords [ROUNDS]

#include "englishchecker.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

const std::vector<std::string> &config()
{
    static const std::vector<std::string> c = {"server.style", "4", "server.spell", "2", "server.mor", "1",
                                               "server.dependency", "0", "server.grammar", "6", "server.rule", "7",
                                               "server.real", "3", "server.det", "5", "server.poststyle", "9",
                                               "server.confidence", "2"};
    return c;
}

// `words` words from the list, joined by `separator`, ending in a full stop.
std::string sentence(const std::vector<std::string> &list, int words, const char *separator)
{
    std::string out;
    for (int i = 0; i < words; ++i)
        out += (i ? separator : "") + list[std::size_t(i) % list.size()];
    return out + ".";
}

// Distinct letter strings no dictionary holds.
std::vector<std::string> garbage(int count)
{
    std::vector<std::string> out;
    unsigned seed = 12345;
    for (int i = 0; i < count; ++i) {
        std::string word;
        for (int k = 0; k < 7; ++k) {
            seed = seed * 1103515245u + 12345u;
            word += char('a' + (seed >> 16) % 26);
        }
        out.push_back(word);
    }
    return out;
}

double msPerSentence(const PennovaChecker::EnglishChecker &checker, const std::string &text, int rounds)
{
    const std::unordered_set<std::string> none;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        checker.checkSentence(0, text, 0, config(), none);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}
} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const PennovaChecker::EnglishChecker checker;
    const std::vector<std::string> english = {"the", "students", "write", "short", "essays", "about", "their",
                                              "school", "and", "teachers", "read", "them", "every", "week"};
    const std::vector<std::string> teh = {"teh"};
    const std::vector<std::string> random = garbage(200);
    const struct
    {
        const char *name;
        std::string text;
    } cases[] = {
        {"english, 200 words", sentence(english, 200, " ")},
        {"\"teh\" x 200, spaced", sentence(teh, 200, " ")},
        {"\"teh\" x 200, comma-joined", sentence(teh, 200, ",")},
        {"200 distinct non-words, spaced", sentence(random, 200, " ")},
        {"200 distinct non-words, comma-joined", sentence(random, 200, ",")},
    };
    const double base = msPerSentence(checker, cases[0].text, rounds);
    for (const auto &c : cases) {
        const double ms = msPerSentence(checker, c.text, rounds);
        std::printf("%-40s %9.2f ms/sentence  %6.1fx english\n", c.name, ms, ms / base);
    }
    return 0;
}
