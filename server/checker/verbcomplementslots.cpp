#include "verbcomplementslots.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>

namespace PennovaChecker {

namespace {

using R = RuleSupport;

bool startsWith(const std::string &s, const char *p) { return s.rfind(p, 0) == 0; }

bool plainWord(const Token &t)
{
    return t.kind == Token::Word && !t.lower.empty()
        && t.lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == std::string::npos;
}

bool isIng(const Token &t) { return plainWord(t) && t.lower.size() > 4 && t.lower.compare(t.lower.size() - 3, 3, "ing") == 0; }

bool oneOf(const std::string &w, std::initializer_list<const char *> words)
{
    return std::any_of(words.begin(), words.end(), [&](const char *k) { return w == k; });
}

// the word before i past adverbs and "not", or -1
int before(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    int k = i - 1;
    while (k >= 0 && (tags[size_t(k)] == "RB" || t[size_t(k)].is("not") || t[size_t(k)].is("n't")))
        --k;
    return k;
}

} // namespace

const std::vector<std::string> &VerbComplementSlots::classNames()
{
    static const std::vector<std::string> names = {"to", "ing", "to-ing", "uses"};
    return names;
}

std::string VerbComplementSlots::lemmaOf(const std::string &w, const std::string &tag, const Lexicon &lex)
{
    const std::string known = lex.baseOf(w);
    if (!known.empty())
        return known;
    const bool verb = lex.isPos(w, Lexicon::Verb);
    if (verb && (tag == "VB" || tag == "VBP"))
        return w;
    auto ends = [&](const char *suffix) {
        const size_t n = std::char_traits<char>::length(suffix);
        return w.size() > n + 1 && w.compare(w.size() - n, n, suffix) == 0;
    };
    // the stem before a suffix of n letters, with the spellings it may have lost or doubled: a
    // stem of one syllable ending in one vowel and a consonant doubles it ("hopping"), so
    // undoubled it had lost an "e" ("hoping": "hope", not "hop")
    auto stems = [&](size_t n) {
        const std::string stem = w.substr(0, w.size() - n);
        const auto vowel = [](char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; };
        int groups = 0;
        for (size_t k = 0; k < stem.size(); ++k)
            groups += vowel(stem[k]) && (k == 0 || !vowel(stem[k - 1]));
        const size_t z = stem.size();
        const bool lostE = groups == 1 && z >= 3 && !vowel(stem[z - 1]) && std::string("wxy").find(stem[z - 1]) == std::string::npos
            && vowel(stem[z - 2]) && !vowel(stem[z - 3]);
        std::vector<std::string> out = lostE ? std::vector<std::string>{stem + "e", stem}
                                             : std::vector<std::string>{stem, stem + "e"};
        if (z > 2 && stem.back() == stem[z - 2])
            out.push_back(stem.substr(0, z - 1));
        return out;
    };
    std::vector<std::string> candidates;
    if (ends("ing")) {
        candidates = stems(3);
        if (ends("ying"))
            candidates.push_back(w.substr(0, w.size() - 4) + "ie");
    } else if (ends("ied")) {
        candidates = {w.substr(0, w.size() - 3) + "y"};
    } else if (ends("ed")) {
        candidates = stems(2);
    } else if (ends("ies")) {
        candidates = {w.substr(0, w.size() - 3) + "y"};
    } else if (ends("es")) {
        candidates = {w.substr(0, w.size() - 2), w.substr(0, w.size() - 1)};
    } else if (ends("s")) {
        candidates = {w.substr(0, w.size() - 1)};
    }
    for (const std::string &c : candidates)
        if (lex.isPos(c, Lexicon::Verb))
            return c;
    return verb ? w : std::string();
}

std::string VerbComplementSlots::verbKey(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                         const Lexicon &lex, int *next)
{
    const int n = int(t.size());
    if (i < 0 || i >= n || size_t(n) != tags.size())
        return {};
    const Token &v = t[size_t(i)];
    const std::string &tag = tags[size_t(i)];
    if (!startsWith(tag, "VB") || !plainWord(v) || (i > 0 && v.isCapitalised()) || lex.isAuxiliary(v.lower))
        return {};
    const std::string lemma = lemmaOf(v.lower, tag, lex);
    if (lemma.empty() || lemma == "be" || lemma == "have" || lemma == "do")
        return {};
    const std::string after = R::lowerAt(t, i + 1);
    // "used to go" (a past habit), "going to go" (the future), "have got to go" (must)
    if (v.is("according")) // a preposition with "to"
        return {};
    if (after == "to" && (v.is("used") || v.is("going") || (v.is("got") && i > 0 && lex.isAuxiliary(R::lowerAt(t, before(t, tags, i))))))
        return {};
    // a participle counts only in a perfect tense: "is considered to be", "a man considered to
    // be" are passives, whose infinitive the active verb need not take
    if (tag == "VBN") {
        const int b = before(t, tags, i);
        const std::string w = R::lowerAt(t, b);
        if (!oneOf(w, {"have", "has", "had", "having", "'ve", "'d"}))
            return {};
    }
    // a noun the tagger read as a verb ("Scotchgard finish to resist", "like claims arising"):
    // a verb's base follows "to", a modal, "do", a pronoun, another verb or a joining word (or
    // opens an order), and no verb follows a determiner, an adjective or a preposition
    {
        const int b = before(t, tags, i);
        const std::string bt = b >= 0 ? tags[size_t(b)] : std::string();
        const bool start = b < 0 || t[size_t(b)].kind != Token::Word;
        if (!start && (bt == "DT" || startsWith(bt, "JJ") || bt == "PRP$" || bt == "POS" || bt == "CD"
                       || (bt == "IN" && !R::clauseBoundary(t[size_t(b)]))))
            return {};
        if (tag == "VB" && !start
            && !(bt == "TO" || bt == "MD" || bt == "CC" || bt == "PRP" || bt == "NNS" || startsWith(bt, "VB") || startsWith(bt, "W")
                 || t[size_t(b)].is("please")))
            return {};
    }
    int k = i + 1;
    std::string key = lemma;
    if (k < n && oneOf(t[size_t(k)].lower, {"up", "on", "off", "out"})
        && (tags[size_t(k)] == "RP" || tags[size_t(k)] == "RB")) {
        key += "_" + t[size_t(k)].lower;
        ++k;
    }
    if (next)
        *next = k;
    return key;
}

std::vector<std::pair<int, std::string>> VerbComplementSlots::verbs(const std::vector<Token> &t,
                                                                    const std::vector<std::string> &tags,
                                                                    const Lexicon &lex)
{
    std::vector<std::pair<int, std::string>> out;
    for (int i = 0; i < int(t.size()) && t.size() == tags.size(); ++i) {
        std::string key = verbKey(t, tags, i, lex);
        if (!key.empty())
            out.emplace_back(i, std::move(key));
    }
    return out;
}

bool VerbComplementSlots::opensClause(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    const int n = int(t.size());
    for (int k = i + 1; k < n && k <= i + 8; ++k) {
        const Token &w = t[size_t(k)];
        if (w.kind != Token::Word || R::clauseBoundary(w) || oneOf(w.lower, {"i", "you", "he", "she", "we", "they"}))
            return false;
        const std::string &tag = tags[size_t(k)];
        if (tag == "VBZ" || tag == "VBP" || tag == "VBD" || tag == "MD")
            return true;
    }
    return false;
}

bool VerbComplementSlots::passiveOrFronted(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                           int verb, int complement)
{
    if (!(t[size_t(complement)].is("be") || t[size_t(complement)].is("have")))
        return false;
    // "what you would have considered to be": the object stands before the verb
    for (int k = std::max(0, verb - 6); k < verb; ++k)
        if (oneOf(t[size_t(k)].lower, {"what", "which", "whom", "who", "that"}))
            return true;
    if (tags[size_t(verb)] != "VBD")
        return false;
    const int b = before(t, tags, verb);
    return !oneOf(R::lowerAt(t, b), {"i", "you", "he", "she", "we", "they"});
}

std::vector<VerbComplementSlots::Slot> VerbComplementSlots::find(const std::vector<Token> &t,
                                                                 const std::vector<std::string> &tags,
                                                                 const Lexicon &lex)
{
    std::vector<Slot> out;
    const int n = int(t.size());
    if (tags.size() != t.size())
        return out;
    for (int i = 0; i + 1 < n; ++i) {
        Slot s;
        int k = 0;
        s.key = verbKey(t, tags, i, lex, &k);
        if (s.key.empty() || k >= n)
            continue;
        s.verb = i;
        s.first = k;
        if (t[size_t(k)].is("not")) {
            s.negated = true;
            ++k;
        }
        if (k + 1 < n && t[size_t(k)].is("to")) {
            const Token &c = t[size_t(k) + 1];
            if (passiveOrFronted(t, tags, i, k + 1))
                continue;
            if (tags[size_t(k) + 1] == "VB" && plainWord(c) && !lemmaOf(c.lower, "VB", lex).empty()) {
                s.form = Infinitive;
            } else if (tags[size_t(k) + 1] == "VBG" && isIng(c) && !s.negated) {
                s.form = ToGerund;
            } else {
                continue;
            }
            s.complement = k + 1;
        } else if (k < n && tags[size_t(k)] == "VBG" && isIng(t[size_t(k)]) && !opensClause(t, tags, k)
                   && !oneOf(t[size_t(k)].lower, {"including", "according", "regarding", "concerning", "following",
                                                  "considering", "excluding", "depending", "involving"})
                   && !oneOf(s.key, {"be", "become", "seem", "look", "sound", "appear", "remain", "stay", "get",
                                     "grow", "prove", "turn", "feel", "come"})
                   && !lemmaOf(t[size_t(k)].lower, "VBG", lex).empty()) {
            s.form = Gerund;
            s.complement = k;
        } else {
            continue;
        }
        out.push_back(s);
    }
    return out;
}

} // namespace PennovaChecker
