#pragma once
// WordForms: what Hunspell's word list and affix rules and WordNet's exception lists
// say about a word form, as a short signature for the part-of-speech tagger. The
// affix flags show the word classes of a stem: "walk/BMDRZGS" takes -ed and -ing (a
// verb) and 's (a noun), so "walked" is "D" from a verb stem. Read-only after loading.

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

class WordForms
{
public:
    // hunspellDir holds en_US.dic/.aff, wordnetDir verb.exc, noun.exc and adj.exc.
    // Missing or malformed files leave those tables empty.
    WordForms(const std::string &hunspellDir, const std::string &wordnetDir);

    bool empty() const { return m_entries.empty(); }

    // Space-separated tokens, sorted, for the word as written:
    //   "=F"  the form is an entry with the class flags F ("=DGMS" for "walk")
    //   "lF"  a capitalised form whose lower-case entry has flags F
    //   "cF"  a lower-case form listed only capitalised (a proper name)
    //   "XF"  derived by the suffix flag X from a stem with flags F ("DDGMS": walked)
    //   "pF"  a prefix (re-, un-, ...) on a stem with flags F
    //   "xv", "xn", "xa"  an irregular verb form, plural or comparative in WordNet
    // "" when nothing knows the word.
    std::string signature(const std::string &word) const;

    // "teeth", "children", "mice": a plural WordNet lists as irregular (lower case).
    bool isIrregularPlural(const std::string &lower) const;

private:
    struct Affix
    {
        char flag;
        std::string strip, add;
        std::vector<std::string> condition; // one character class per position
        bool prefix;
    };

    void loadAffixes(const std::string &path);
    void loadWords(const std::string &path);
    void loadExceptions(const std::string &path, char kind);
    const std::string *flagsOf(const std::string &form) const;
    static bool matches(const Affix &a, const std::string &stem);

    std::vector<Affix> m_affixes;
    std::unordered_map<std::string, std::string> m_entries; // form -> its affix flags
    std::unordered_map<std::string, std::string> m_exceptions; // form -> "v", "n", "a"
    std::unordered_set<std::string> m_plurals;
};

} // namespace PennovaChecker
