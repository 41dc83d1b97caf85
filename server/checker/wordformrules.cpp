#include "wordformrules.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

using R = RuleSupport;

namespace {

bool endsWith(const std::string &w, const char *suffix)
{
    const std::string s(suffix);
    return w.size() > s.size() && w.compare(w.size() - s.size(), s.size(), s) == 0;
}

std::string chop(const std::string &w, size_t n)
{
    return w.size() > n ? w.substr(0, w.size() - n) : std::string();
}

} // namespace

// Among forms WordNet knows as pos, the most frequent one common enough to offer.
std::string WordFormRules::commonest(const std::vector<std::string> &forms, int pos) const
{
    std::string best;
    uint64_t bestCount = 100000;
    for (const std::string &f : forms) {
        if (f.size() < 3 || !m_lex.isPos(f, Lexicon::Pos(pos)))
            continue;
        const uint64_t n = m_lex.frequency(f);
        if (n >= bestCount) {
            best = f;
            bestCount = n + 1;
        }
    }
    return best;
}

std::string WordFormRules::nounOfVerb(const std::string &v) const
{
    const std::string stem = v.back() == 'e' ? chop(v, 1) : v;
    return commonest({v + "ment", stem + "ation", stem + "ion", stem + "tion", stem + "ance", stem + "ence",
                      stem + "al", stem + "ure", v + "th"},
                     Lexicon::Noun);
}

std::string WordFormRules::adjectiveOfNoun(const std::string &n) const
{
    // made by other means than a suffix
    static const std::unordered_map<std::string, std::string> irregular = {
        {"science", "scientific"}, {"benefit", "beneficial"}, {"pride", "proud"}, {"anxiety", "anxious"},
        {"curiosity", "curious"}, {"generosity", "generous"}};
    auto it = irregular.find(n);
    if (it != irregular.end())
        return it->second;
    std::vector<std::string> forms = {n + "ful", n + "ous", n + "al", n + "ic", n + "y", n + "able", n + "ive"};
    if (n.back() == 'e')
        for (const char *s : {"ous", "al", "y", "able", "ive", "ic", "ial"})
            forms.push_back(chop(n, 1) + s);
    if (n.back() == 'y')
        for (const char *s : {"ic", "ical", "iful", "ious", "ial"})
            forms.push_back(chop(n, 1) + s);
    if (endsWith(n, "ance") || endsWith(n, "ence"))
        forms.push_back(chop(n, 2) + "t"); // importance -> important
    if (endsWith(n, "ility"))
        forms.push_back(chop(n, 5) + "le"); // responsibility -> responsible
    if (endsWith(n, "ity"))
        forms.insert(forms.end(), {chop(n, 3), chop(n, 3) + "e"}); // popularity, security
    if (endsWith(n, "ty"))
        forms.insert(forms.end(), {chop(n, 1), chop(n, 2)}); // difficulty, safety
    if (endsWith(n, "iness"))
        forms.push_back(chop(n, 5) + "y"); // happiness -> happy
    else if (endsWith(n, "ness"))
        forms.push_back(chop(n, 4));
    if (endsWith(n, "ics"))
        forms.push_back(chop(n, 1) + "al"); // politics -> political
    return commonest(forms, Lexicon::Adjective);
}

void WordFormRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const
{
    verbAsNoun(t, tags, out);
    nounAfterVery(t, tags, out);
}

// "the develop of technology", "its rapid grow of": a word WordNet knows only as a verb,
// after a determiner (and perhaps an adjective) and before "of", is the verb's noun
void WordFormRules::verbAsNoun(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               std::vector<Finding> *out) const
{
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        const Token &w = t[size_t(i)];
        if (w.kind != Token::Word || w.isCapitalised() || R::lowerAt(t, i + 1) != "of"
            || m_lex.posMask(w.lower) != Lexicon::Verb)
            continue;
        int d = i - 1;
        if (R::tagIs(tags, d, "JJ") && !m_lex.isPos(R::lowerAt(t, d), Lexicon::Verb))
            --d;
        if (!(R::tagIs(tags, d, "DT") || R::tagIs(tags, d, "PRP$")) || t[size_t(d)].kind != Token::Word)
            continue;
        // a verb also used as a noun of its own ("a refresh of", several times commoner than
        // "refreshment") is left alone
        const std::string noun = nounOfVerb(w.lower);
        if (!noun.empty() && m_lex.frequency(noun) * 4 >= m_lex.frequency(w.lower))
            out->push_back(R::replace(t, i, i, noun, "GRAMMAR", "noun_form", 2));
    }
}

// "a very success event", "It is very danger": "very" before a word WordNet knows only as a
// noun (or a noun and a verb); "the very beginning", "this very day" is another "very"
void WordFormRules::nounAfterVery(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  std::vector<Finding> *out) const
{
    static const std::unordered_set<std::string> determiners = {"the", "this", "that", "these", "those", "his",
                                                                "her", "its", "their", "our", "my", "your"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const Token &n = t[size_t(i) + 1];
        if (i + 2 < int(t.size()) && t[size_t(i) + 2].text == "-")
            continue; // "very cost-effective"
        if (t[size_t(i)].lower != "very" || n.kind != Token::Word || n.isCapitalised() || !n.spaceBefore
            || determiners.count(R::lowerAt(t, i - 1)) || R::tagIs(tags, i - 1, "PRP$"))
            continue;
        const int pos = m_lex.posMask(n.lower);
        if (!(pos & Lexicon::Noun) || (pos & (Lexicon::Adjective | Lexicon::Adverb)) || n.lower == "fun"
            || R::tagIs(tags, i + 1, "VBN") || R::tagIs(tags, i + 1, "VBG") || R::tagIs(tags, i + 1, "JJ"))
            continue;
        const std::string adjective = adjectiveOfNoun(n.lower);
        if (!adjective.empty())
            out->push_back(R::replace(t, i + 1, i + 1, adjective, "GRAMMAR", "adjective_for_noun", 2));
    }
}

} // namespace PennovaChecker
