#include "rulesupport.h"

#include "wordclasses.h"

#include "lexicon.h"
#include "wordtable.h"

#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

bool startsWith(const std::string &s, const char *p) { return s.rfind(p, 0) == 0; }

} // namespace

const std::string &RuleSupport::lowerAt(const Tokens &t, int i)
{
    static const std::string none;
    return i >= 0 && i < int(t.size()) && t[size_t(i)].kind == Token::Word ? t[size_t(i)].lower : none;
}

std::string RuleSupport::featureWordAt(const Tokens &t, int i)
{
    if (i < 0 || size_t(i) >= t.size())
        return "<s>";
    const Token &k = t[size_t(i)];
    if (k.kind == Token::Number)
        return "#n";
    return k.kind == Token::Word ? k.lower : k.text;
}

std::string RuleSupport::featureTagAt(const Tags &tags, int i)
{
    return i < 0 || size_t(i) >= tags.size() ? "<s>" : tags[size_t(i)];
}

bool RuleSupport::tagIs(const Tags &tags, int i, const char *prefix)
{
    return i >= 0 && i < int(tags.size()) && tags[size_t(i)].compare(0, std::strlen(prefix), prefix) == 0
        && !tags[size_t(i)].empty();
}

bool RuleSupport::clauseBoundary(const Token &token)
{
    static const WordTable<char> words = [] {
        WordTable<char> table;
        for (const char *w : {"and", "but", "because", "so", "or", "that", "which", "who", "whom", "when", "while",
                              "if", "although", "though", "since", "after", "before", "until", "whereas", "where",
                              "unless", "whether", "as"})
            table[w] = 1;
        return table;
    }();
    if (token.kind == Token::Punct)
        return token.text != "-" && token.text != "'" && token.text != "/";
    return token.kind == Token::Word && words.contains(token.lower);
}

bool RuleSupport::isSubjectPronoun(const std::string &w)
{
    return WordClasses::contains(WordClass::SubjectPronoun, w);
}

bool RuleSupport::isThirdSingularPronoun(const std::string &w) { return w == "he" || w == "she" || w == "it"; }

int RuleSupport::nextWord(const Tokens &t, int i)
{
    return i + 1 < int(t.size()) && t[size_t(i) + 1].kind == Token::Word ? i + 1 : -1;
}

int RuleSupport::prevWord(const Tokens &t, int i)
{
    return i > 0 && t[size_t(i) - 1].kind == Token::Word ? i - 1 : -1;
}

std::string RuleSupport::textOf(const Tokens &t, int first, int last)
{
    std::string out;
    for (int i = first; i <= last && i < int(t.size()); ++i) {
        if (i > first && t[size_t(i)].spaceBefore)
            out.push_back(' ');
        out += t[size_t(i)].text;
    }
    return out;
}

std::string RuleSupport::caseLike(const Token &token, const std::string &correction)
{
    std::string out = correction;
    if (token.isCapitalised() && !out.empty() && out[0] >= 'a' && out[0] <= 'z')
        out[0] = char(out[0] - 'a' + 'A');
    return out;
}

int RuleSupport::vowelSound(const std::string &w)
{
    if (w.size() < 2)
        return -1;
    const char c = w[0];
    if (c == 'h') {
        for (const char *p : {"hour", "honest", "honor", "honour", "heir"})
            if (startsWith(w, p))
                return 1;
        if (startsWith(w, "herb") || startsWith(w, "histor") || startsWith(w, "hotel") || startsWith(w, "humble"))
            return -1; // both usages exist
        return 0;
    }
    if (c == 'u') {
        if (startsWith(w, "unin") || startsWith(w, "unim") || startsWith(w, "unid"))
            return 1;
        for (const char *p : {"uni", "unanim", "use", "usu", "uti", "ute", "ura", "ure", "uri", "uro", "utop", "ukr",
                              "uga", "ubiq", "ufo", "ukulele", "usa"})
            if (startsWith(w, p))
                return 0;
        return 1;
    }
    if (c == 'e') {
        if (startsWith(w, "eu") || startsWith(w, "ewe"))
            return 0;
        return 1;
    }
    if (c == 'o') {
        if (w == "one" || w == "once" || startsWith(w, "one-") || w == "ones" || startsWith(w, "ouija"))
            return 0;
        return 1;
    }
    if (c == 'a' || c == 'i')
        return 1;
    if (c == 'y' || c == 'w')
        return 0;
    return 0;
}

double RuleSupport::scoreFor(int certainty)
{
    return certainty >= 3 ? 0.95 : certainty == 2 ? 0.8 : 0.6;
}

Finding RuleSupport::replace(const Tokens &t, int first, int last, const std::string &correction,
                             const char *errorType, const char *explainType, int certainty)
{
    Finding f;
    f.start = t[size_t(first)].start;
    f.end = t[size_t(last)].end;
    f.errorType = errorType;
    f.explainType = explainType;
    f.certainty = certainty;
    const std::string found = textOf(t, first, last);
    f.errorInfo = found;
    f.featureKeys = {Tokenizer::toLower(found)};
    Candidate c;
    c.correction = caseLike(t[size_t(first)], correction);
    c.score = scoreFor(certainty);
    c.originalScore = 1.0 - c.score;
    f.candidates.push_back(c);
    return f;
}

bool RuleSupport::deletion(const Tokens &t, int k, const char *errorType, const char *explainType, int certainty,
                           Finding *out)
{
    if (k < 0 || k + 1 >= int(t.size()) || !t[size_t(k) + 1].spaceBefore)
        return false;
    Finding f;
    f.start = k > 0 && t[size_t(k)].spaceBefore ? t[size_t(k) - 1].end : t[size_t(k)].start;
    f.end = t[size_t(k) + 1].start;
    f.errorType = errorType;
    f.explainType = explainType;
    f.certainty = certainty;
    f.errorInfo = t[size_t(k)].text;
    f.featureKeys = {t[size_t(k)].lower};
    Candidate c;
    c.type = "DELETION";
    c.score = scoreFor(certainty);
    c.originalScore = 1.0 - c.score;
    f.candidates.push_back(c);
    *out = f;
    return true;
}

std::string RuleSupport::baseOfIng(const Lexicon &lex, const std::string &w)
{
    if (w.size() < 5 || w.compare(w.size() - 3, 3, "ing") != 0)
        return {};
    const std::string stem = w.substr(0, w.size() - 3);
    if (lex.isCommonVerbBase(stem) && lex.ingOf(stem) == w)
        return stem;
    if (lex.isCommonVerbBase(stem + "e") && lex.ingOf(stem + "e") == w)
        return stem + "e";
    if (stem.size() > 2 && stem.back() == stem[stem.size() - 2] && lex.isCommonVerbBase(stem.substr(0, stem.size() - 1)))
        return stem.substr(0, stem.size() - 1);
    if (stem.size() > 1 && stem.back() == 'y' && lex.isCommonVerbBase(stem.substr(0, stem.size() - 1) + "ie"))
        return stem.substr(0, stem.size() - 1) + "ie";
    return {};
}

bool RuleSupport::tagEquals(const Tags &tags, int i, const char *tag)
{
    return i >= 0 && size_t(i) < tags.size() && tags[size_t(i)] == tag;
}

bool RuleSupport::nounTag(const Tags &tags, int i)
{
    return tagEquals(tags, i, "NN") || tagEquals(tags, i, "NNS") || tagEquals(tags, i, "NNP") || tagEquals(tags, i, "NNPS");
}

int RuleSupport::onlyBefore(const Tokens &t, int first)
{
    static const std::unordered_set<std::string> determiners = {"the", "a", "an", "my", "your", "his", "her", "its",
                                                                "our", "their", "this", "that", "these", "those",
                                                                "not", "if", "one", "no"};
    const int only = first - 1;
    if (only < 0 || t[size_t(only)].kind != Token::Word || t[size_t(only)].lower != "only")
        return -1;
    const std::string before = lowerAt(t, only - 1);
    if (determiners.count(before) || before.find('\'') != std::string::npos)
        return -1;
    return only;
}

Finding RuleSupport::theOnly(const Tokens &t, int only, const char *explain)
{
    Finding f = replace(t, only, only, only == 0 ? "The only" : "the only", "GRAMMAR", explain, 2);
    if (only > 0 && WordClasses::contains(WordClass::BeForm, lowerAt(t, only - 1)) && only + 1 < int(t.size())) {
        const int sound = vowelSound(t[size_t(only) + 1].lower);
        Candidate c = replace(t, only, only, sound == 1 ? "only an" : "only a", "GRAMMAR", explain, 2).candidates.front();
        c.score /= 2;
        f.candidates.push_back(c);
    }
    return f;
}

bool RuleSupport::britishBarePair(const std::string &preposition, const std::string &noun)
{
    static const std::unordered_set<std::string> pairs = {"in future", "in hospital", "to hospital",
                                                          "at university", "to university"};
    return pairs.count(preposition + " " + noun) != 0;
}

bool RuleSupport::britishFieldNoun(const std::string &noun)
{
    static const std::unordered_set<std::string> fields = {"sport", "industry"};
    return fields.count(noun) != 0;
}

bool RuleSupport::closesRelativeClause(const Lexicon &lex, const Tokens &t, int k)
{
    const int p = prevWord(t, k), q = p >= 0 ? prevWord(t, p) : -1, d = q >= 0 ? prevWord(t, q) : -1;
    return d >= 0 && WordClasses::words(WordClass::SubjectPronoun).count(t[size_t(p)].lower)
        && lex.isPos(t[size_t(q)].lower, Lexicon::Noun) && lex.isDeterminer(t[size_t(d)].lower);
}

bool RuleSupport::timePhraseAt(const Tokens &t, int k)
{
    static const std::unordered_set<std::string> times = {"day", "days", "week", "weeks", "month", "months",
                                                          "year", "years", "morning", "afternoon", "evening",
                                                          "night", "weekend"};
    return times.count(lowerAt(t, k)) || times.count(lowerAt(t, k + 1));
}

std::string RuleSupport::comparativeOf(const Lexicon &lex, const Token &adjective)
{
    static const std::unordered_set<std::string> shortForms = {
        "big", "small", "easy", "hard", "fast", "large", "high", "low", "young", "happy", "strong", "long", "short",
        "rich", "poor", "busy", "tall", "warm", "cold", "hot", "nice", "great", "safe", "simple", "slow", "smart",
        "weak", "wide", "new", "heavy", "quick", "close", "deep", "clean", "healthy", "early", "late", "old", "kind",
        "cheap", "bright", "dark", "hungry", "lucky", "funny", "pretty", "wet"};
    static const std::unordered_map<std::string, std::string> irregular = {
        {"good", "better"}, {"well", "better"}, {"bad", "worse"}, {"far", "farther"}, {"little", "less"}};
    const std::string &a = adjective.lower;
    if (a.empty())
        return a;
    if (irregular.count(a))
        return irregular.at(a);
    if (!shortForms.count(a)) {
        // a short word whose -er form is in common use ("loud": louder)
        if (a.size() <= 6) {
            const std::string forms[] = {a + "er", a + "r", a.substr(0, a.size() - 1) + "ier", a + a.back() + "er"};
            for (const std::string &f : forms)
                if (lex.comparativeKind(f) != 0 && lex.frequency(f) > 100000)
                    return f;
        }
        return "more " + adjective.text;
    }
    if (a.back() == 'y')
        return a.substr(0, a.size() - 1) + "ier";
    if (a.back() == 'e')
        return a + "r";
    if (a == "big" || a == "hot" || a == "wet")
        return a + a.back() + "er";
    return a + "er";
}

} // namespace PennovaChecker
