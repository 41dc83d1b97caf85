#include "closednames.h"

#include "editdistance.h"
#include "rulesupport.h"
#include "spellingsuggester.h"

#include <algorithm>
#include <fstream>

namespace PennovaChecker {

bool ClosedNames::load(const std::string &path, std::string *error)
{
    m_names.clear();
    m_lower.clear();
    std::ifstream in(path);
    if (!in) {
        if (error)
            *error = "cannot read " + path;
        return false;
    }
    std::string line;
    int lineNo = 0;
    std::vector<Name> names;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        const size_t tab = line.find('\t');
        const std::string name = line.substr(0, tab);
        const bool letters = name.size() >= 2 && name[0] >= 'A' && name[0] <= 'Z'
            && std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
        if (tab == std::string::npos || !letters || tab + 1 >= line.size()) {
            if (error)
                *error = path + ":" + std::to_string(lineNo) + ": expected a capitalised name, a tab and its class";
            return false;
        }
        names.push_back({name, Tokenizer::toLower(name), line.substr(tab + 1)});
    }
    m_names = std::move(names);
    for (const Name &n : m_names)
        m_lower.emplace(n.lower, n.kind);
    return true;
}

std::vector<std::string> ClosedNames::near(const std::string &lower) const
{
    std::vector<std::string> out;
    if (lower.size() < 2)
        return out;
    // two slips from a name is as often another name (Boylston, Montreux, Romaniuk)
    const int maxSlips = 1;
    int best = maxSlips + 1;
    for (const Name &n : m_names) {
        // a slip at the first letter is rare; there the word is more often another name
        const int gap = int(n.lower.size()) - int(lower.size());
        if (n.lower[0] != lower[0] || gap > maxSlips || -gap > maxSlips || n.lower == lower)
            continue;
        const int d = EditDistance::damerau(lower, n.lower, maxSlips);
        if (d > maxSlips || d > best)
            continue;
        if (d < best)
            out.clear();
        best = d;
        out.push_back(n.written);
    }
    return out;
}

std::vector<std::string> ClosedNames::slipOf(const std::vector<Token> &t, size_t i, const std::string &word,
                                             const SpellingSuggester &speller) const
{
    const std::string lower = Tokenizer::toLower(word);
    // short capitalised words are mostly names of people (Mayo, Rone), unless only a
    // month is near (in Jule)
    if (m_names.empty() || word.size() < 4 || word.size() > 24 || !t[i].isCapitalised()
        || !std::all_of(lower.begin(), lower.end(), [](char c) { return c >= 'a' && c <= 'z'; })
        || word.compare(1, std::string::npos, lower, 1, std::string::npos) != 0)
        return {};
    std::vector<std::string> names = near(lower); // cheap: first letter and length first
    if (word.size() == 4)
        for (const std::string &name : names)
            if (classOf(Tokenizer::toLower(name)) != "month")
                return {};
    // known as a word or a name; a compound is no excuse here ("Kingdoom" is no king's doom)
    if (names.empty() || speller.isDictionaryWord(lower) || !speller.properName(lower).empty()
        || speller.listedElsewhere(lower) != SpellingSuggester::Listing::None)
        return {};
    for (size_t k = 0; k < t.size(); ++k)
        if (k != i && t[k].kind == Token::Word && t[k].lower == t[i].lower)
            return {}; // written twice: the writer's name for something
    // the first word of the sentence, capitalised only there
    auto sentenceFirst = [&](int k) {
        for (int m = 0; m < k; ++m)
            if (t[size_t(m)].kind == Token::Word || t[size_t(m)].kind == Token::Number)
                return false;
        return true;
    };
    auto nameBeside = [&](int k) {
        if (k < 0 || !t[size_t(k)].isCapitalised())
            return false;
        const std::string &other = t[size_t(k)].lower;
        if (contains(other) || (sentenceFirst(k) && speller.frequencyRank(other) > 0))
            return false; // "Middle Easte", "In Afica"
        return true;
    };
    const int p = RuleSupport::prevWord(t, int(i));
    const int n = RuleSupport::nextWord(t, int(i));
    static const std::unordered_set<std::string> titles = {
        "mr", "mrs", "ms", "dr", "prof", "sir", "lady", "lord", "miss", "madam", "saint", "st", "president",
        "king", "queen", "prince", "princess", "general", "captain", "uncle", "aunt", "professor", "doctor"};
    if (p >= 0 && titles.count(t[size_t(p)].lower))
        return {};
    if ((p >= 0 && size_t(p) + 1 == i && nameBeside(p)) || (n >= 0 && size_t(n) == i + 1 && nameBeside(n)))
        return {};
    // A person is named anywhere (Mauch said, trust Jagan); a place or a month where one
    // is expected: beside another such name (Eastern Europ, Midde East), after a
    // preposition of place or time (in Koyoto, after Julay), in a list with such a name
    // (USA, Gernany, China), or beside a number (15 Julay 2010).
    static const std::unordered_set<std::string> before = {
        "in", "to", "from", "of", "across", "throughout", "around", "at", "into", "near", "visit", "visited",
        "visiting", "until", "till", "after", "before", "since", "during"};
    auto closedName = [&](size_t k) { return k < t.size() && t[k].kind == Token::Word && contains(t[k].lower); };
    auto listMark = [&](size_t k) {
        return k < t.size() && (t[k].text == "," || t[k].lower == "and" || t[k].lower == "or");
    };
    const bool adjacentBefore = i > 0 && t[i - 1].kind != Token::Punct;
    const bool adjacentAfter = i + 1 < t.size() && t[i + 1].kind != Token::Punct;
    const bool expected = (adjacentBefore && (closedName(i - 1) || before.count(t[i - 1].lower)))
        || (adjacentAfter && closedName(i + 1))
        || (i >= 2 && listMark(i - 1) && closedName(i - 2)) || (listMark(i + 1) && closedName(i + 2))
        || (i > 0 && t[i - 1].kind == Token::Number) || (i + 1 < t.size() && t[i + 1].kind == Token::Number);
    return expected ? names : std::vector<std::string>();
}

} // namespace PennovaChecker
