#include "articlerules.h"

#include "articlechoicerule.h"

#include "lexicon.h"
#include "noundeterminers.h"
#include "numberrules.h"
#include "rulesupport.h"

#include <cctype>
#include <cstring>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

// A bare singular subject before "are", "were", "have" or "do" asks for the plural wherever
// the noun is counted at all: its plural at least this share of the singular in print
double kPluralVerbShare = 0.15;

// Verbs whose complement is a noun phrase that, singular and counted, needs an article.
const Set &linkingVerbs()
{
    static const Set s = {"is", "was", "be", "been", "am", "become", "becomes", "became", "have", "has", "had",
                          "got", "get", "gets", "make", "makes", "made"};
    return s;
}

// Adjectives that work as determiners or leave the article out on purpose.
const Set &determinerLike()
{
    static const Set s = {"such", "other", "own", "same", "enough", "much", "more", "most", "less", "least", "next",
                          "last", "first", "only", "whole", "half", "quite", "many", "few", "second", "third",
                          "little", "entire", "certain", "several", "various", "plenty", "lots", "top",
                          // job titles: "is senior editor", "was assistant director"
                          "senior", "junior", "assistant", "chief", "deputy", "associate", "executive", "vice",
                          "general", "former", "acting", "principal", "lead", "head"};
    return s;
}

// Nouns after "be" that name a role or a unique thing and so go without an article.
const Set &roleNouns()
{
    static const Set s = {"president", "head", "chairman", "captain", "director", "leader", "king", "queen",
                          "champion", "winner", "chair", "editor", "host", "manager", "secretary", "minister",
                          "mayor", "governor", "coach", "founder", "author", "owner", "partner", "home", "bed", "part",
                          "school", "church", "college", "university", "hospital", "prison", "town", "court"};
    return s;
}

// Counted nouns that also go uncounted after an adjective: "Swimming is good exercise",
// "It is good practice", "It makes good sense", "He has great talent".
const Set &massUses()
{
    static const Set s = {"exercise", "practice", "value", "talent", "art", "support", "damage", "potential",
                          "use", "sense", "taste", "company", "progress", "shape", "form", "quality"};
    return s;
}

// Words after a noun that show the noun phrase has ended.
const Set &phraseEnd()
{
    static const Set s = {"to", "that", "which", "who", "for", "in", "on", "at", "with", "from", "because", "but",
                          "and", "so", "than", "when", "if", "as", "about", "since", "while", "where", "by"};
    return s;
}

} // namespace

void ArticleRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const
{
    missingArticle(t, tags, out);
    lotOf(t, tags, out);
    strayArticle(t, out);
    bareSubject(t, tags, out);
    longTime(t, tags, out);
    theName(t, tags, out);
    superlativeAndSuch(t, tags, out);
    activityThe(t, tags, out);
    byTransport(t, out);
    bareAfterPreposition(t, tags, out);
    bareBeforeOf(t, tags, out);
}

void ArticleRules::bareBeforeOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                std::vector<Finding> *out) const
{
    if (!m_counts || m_counts->empty())
        return;
    bool verb = false; // a headline without a verb leaves its nouns bare ("Analysis of results")
    for (size_t k = 0; k < t.size() && !verb; ++k)
        verb = (R::tagIs(tags, int(k), "VB") && !R::tagIs(tags, int(k), "VBN") && !R::tagIs(tags, int(k), "VBG"))
            || R::tagIs(tags, int(k), "MD");
    if (!verb)
        return;
    std::vector<NounDeterminers::Use> uses = NounDeterminers::uses(t, tags);
    // the counts leave out a sentence's first word (it may be a name); a common noun there
    // before "of" is as bare as anywhere ("Number of people increased"); before a capital the
    // phrase is a name ("Bank of America")
    if (t.size() > 2 && (tags[0] == "NN" || tags[0] == "NNP") && R::lowerAt(t, 1) == "of"
        && !t[2].isCapitalised()) {
        NounDeterminers::Use first;
        first.ofAfter = true;
        uses.insert(uses.begin(), first);
    }
    // "Firstly, number of ...": a comma after an opening adverb ends no list
    const auto opener = [&](int k) { return k >= 0 && R::tagIs(tags, k, "RB") && (k == 0 || t[size_t(k) - 1].text == ","); };
    for (const NounDeterminers::Use &u : uses) {
        if (u.written == NounDeterminers::A && u.ofAfter) {
            theBeforeOf(t, tags, u, out);
            continue;
        }
        if (u.written != NounDeterminers::Bare || !u.ofAfter)
            continue;
        const int h = u.head;
        if (t[size_t(h)].lower == "lot") // ("lot of": lotOf)
            continue;
        // "a growing number of", "Large amount of": the phrase may open with participles and
        // adjectives the counts do not walk over (nor a capital at the sentence's start)
        // a participle only right before the noun, and not after a preposition or a verb taking
        // -ing ("by increasing number of", "with analyzing big amount of": a verb of its own)
        const auto participle = [&](int k) {
            return (R::tagIs(tags, k, "VBN") || R::tagIs(tags, k, "VBG")) && k + 1 == h
                && !m_lex.isPreposition(R::lowerAt(t, k - 1))
                && !m_lex.formInClass(WordClass::GerundVerb, R::lowerAt(t, k - 1));
        };
        int start = u.first;
        while (start > 0 && t[size_t(start) - 1].kind == Token::Word
               && (start - 1 == 0 || !t[size_t(start) - 1].isCapitalised())
               && (R::tagIs(tags, start - 1, "JJ") || participle(start - 1)))
            --start;
        const int p = start - 1;
        if (p >= 0 && (R::tagIs(tags, p, "VBN") || R::tagIs(tags, p, "VBG")))
            continue;
        // ("It is first cause of": an ordinal has a rule of its own)
        static const Set ordinalWords = {"first", "second", "third", "fourth", "fifth", "last", "next"};
        if (start < h && ordinalWords.count(t[size_t(start)].lower))
            continue;
        const std::string &noun = t[size_t(h)].lower;
        const std::string before = R::lowerAt(t, p);
        // after "of" a bare noun often names a kind ("a lack of sense of humour"); after "and",
        // "or" or a comma the determiner may stand before the first of the nouns ("the design and
        // development of"); a capital inside the phrase is a name; "the required number of"
        if (u.slot == "of" || before == "of" || before == "and" || before == "or"
            || (p >= 0 && t[size_t(p)].kind != Token::Word && !(t[size_t(p)].text == "," && opener(p - 1)))
            || (p >= 0 && t[size_t(p)].isCapitalised() && p > 0)
            || (u.first > 0 && t[size_t(u.first)].isCapitalised())
            || (p >= 0
                && (m_lex.isDeterminer(before) || R::tagIs(tags, p, "DT") || R::tagIs(tags, p, "PRP$")
                    || R::tagIs(tags, p, "POS") || R::tagIs(tags, p, "CD") || R::tagIs(tags, p, "NN")
                    || before.find('\'') != std::string::npos)))
            continue;
        // the phrase opens after a verb, a preposition, "that", an opening adverb or nothing
        // ("over a longer period of": an article further back)
        if (p >= 0 && t[size_t(p)].kind == Token::Word && !R::tagIs(tags, p, "VB") && !R::tagIs(tags, p, "IN")
            && !R::tagIs(tags, p, "TO") && !R::tagIs(tags, p, "MD") && !R::tagIs(tags, p, "W") && !opener(p))
            continue;
        // "as managing member of": a role; "without risk of damage": a slot where native text
        // leaves the noun bare
        if (u.slot == "as" || before == "as")
            continue;
        if (m_lex.isPreposition(before)) {
            const NounDeterminers::Counts there = m_counts->counts(noun, before);
            if (there.bare * 4 > there.total())
                continue;
        }
        // "It was kind of strange", "sort of a loner": before an adjective, adverb, verb or "a"
        // the pair is an adverb
        const std::string afterOf = h + 2 < int(tags.size()) ? tags[size_t(h) + 2] : std::string();
        if (afterOf.empty() || afterOf.rfind("JJ", 0) == 0 || afterOf.rfind("RB", 0) == 0
            || afterOf.rfind("VB", 0) == 0 || afterOf == "IN" || t[size_t(h) + 2].kind != Token::Word
            || R::lowerAt(t, h + 2) == "a" || R::lowerAt(t, h + 2) == "an")
            continue;
        NounDeterminers::Counts c;
        if (!rarelyBareBeforeOf(m_counts, noun, &c))
            continue;
        const int sound = R::vowelSound(t[size_t(start)].lower);
        if (sound < 0 || differentCounted(t, start, h))
            continue;
        // "the" first unless native text writes "a" clearly more often there ("a couple of"), or an
        // adjective describes the quantity of a noun that takes "a" ("a large amount of"; but
        // "the first cause of", "the best part of")
        const std::string a = sound == 1 ? "an " : "a ";
        static const Set ordinals = {"first", "second", "third", "last", "next", "main", "only", "same", "whole"};
        const bool describes = start < h && (R::tagIs(tags, start, "JJ") || R::tagIs(tags, start, "VB")) && !R::tagIs(tags, start, "JJS")
            && !ordinals.count(t[size_t(start)].lower);
        const bool aFirst = aBeforeOfPhrase(c) || (describes && c.a * 4 >= c.other);
        const std::string &word = start == 0 ? t[size_t(start)].lower : t[size_t(start)].text;
        Finding f = R::replace(t, start, start, (aFirst ? a : "the ") + word, "GRAMMAR", "article_needed", 2);
        Candidate second =
            R::replace(t, start, start, (aFirst ? "the " : a) + word, "GRAMMAR", "article_needed", 2)
                .candidates.front();
        second.score /= 2;
        f.candidates.push_back(second);
        out->push_back(f);
    }
}

// "the center of city", "instead of car": after "of" a noun phrase that names one thing: the
// "of" follows a singular noun with "the" or none (not "a point of", "sections of") or a word
// like "instead"
static bool ofKnown(const std::vector<Token> &t, const std::vector<std::string> &tags, int of)
{
    int k = of - 1;
    if (k < 0 || t[size_t(k)].kind != Token::Word)
        return false;
    // ("the number of car": a plural is missing, which the number rules say)
    static const Set quantities = {"number", "variety", "range", "kind", "type", "sort", "lot", "couple", "majority",
                                   "minority", "percentage", "proportion", "amount", "series", "pair", "group"};
    if (!R::tagEquals(tags, k, "NN") || quantities.count(t[size_t(k)].lower))
        return t[size_t(k)].lower == "instead" || t[size_t(k)].lower == "because";
    while (k > 0 && t[size_t(k) - 1].kind == Token::Word && (R::tagIs(tags, k - 1, "JJ") || R::tagIs(tags, k - 1, "NN")))
        --k;
    const std::string det = R::lowerAt(t, k - 1);
    return det != "a" && det != "an" && !R::tagIs(tags, k - 1, "CD") && !(k > 0 && t[size_t(k) - 1].kind == Token::Number);
}

void ArticleRules::bareAfterPreposition(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                        std::vector<Finding> *out) const
{
    if (!m_counts || m_counts->empty())
        return;
    for (const NounDeterminers::Use &u : NounDeterminers::uses(t, tags)) {
        if (u.written != NounDeterminers::Bare || u.slot == "*" || u.slot == "be")
            continue;
        const int p = u.first - 1, h = u.head;
        const std::string &noun = t[size_t(h)].lower;
        const std::string before = R::lowerAt(t, p - 1);
        if (u.slot == "as") {
            // "such as", "as well as", "as big as": a list or a comparison, not a role
            if (before == "such" || before == "well" || R::tagIs(tags, p - 1, "JJ") || R::tagIs(tags, p - 1, "RB"))
                continue;
        } else if (!m_lex.isPreposition(u.slot) || u.slot == "to" || u.slot == "than" || u.slot == "like") {
            continue;
        } else if (u.slot == "of" && !ofKnown(t, tags, p)) {
            // ("sections of road", "a point of congregation": after "of" a bare noun often names a kind)
            continue;
        }
        // the pair must have been seen in native text ("relieved by rest" never was)
        if (m_counts->counts(noun, u.slot).total() < kMinPair)
            continue;
        if (u.first == h && R::britishBarePair(u.slot, noun))
            continue;
        // the noun ends its phrase: the end of the clause, a conjunction or another preposition;
        // "husband and wife", "day after day" are pairs of their own
        const int n = h + 1;
        const std::string next = R::lowerAt(t, n);
        const bool end = n >= int(t.size()) || (t[size_t(n)].kind == Token::Punct && t[size_t(n)].text != "-"
                                                && t[size_t(n)].text != "'" && t[size_t(n)].text != "/")
            || ((m_lex.isPreposition(next) || next == "but" || next == "because" || next == "so")
                && next != "of" && R::lowerAt(t, n + 1) != noun);
        if (!end || R::timePhraseAt(t, h) || (u.first > 0 && t[size_t(u.first)].isCapitalised()))
            continue;
        // an item of a list ("by library, LR with NFP", "with pool table, foosball, and ...") or a
        // headline without a verb ("Refreshed eat-in kitchen with contemporary touches"): native
        // writers leave nouns bare there ("As result, ...": after "as" a comma ends an opener)
        const auto comma = [&](int k) { return k >= 0 && k < int(t.size()) && t[size_t(k)].text == ","; };
        if (next == "and" || next == "or" || R::lowerAt(t, p - 1) == "and"
            || (u.slot != "as" && (comma(n) || comma(p - 1))))
            continue;
        bool verb = false;
        for (size_t k = 0; k < t.size() && !verb; ++k)
            verb = (R::tagIs(tags, int(k), "VB") && !R::tagIs(tags, int(k), "VBN") && !R::tagIs(tags, int(k), "VBG"))
                || R::tagIs(tags, int(k), "MD");
        if (!verb)
            continue;
        if (!rarelyBare(noun, u.slot.c_str()))
            continue;
        const int sound = R::vowelSound(t[size_t(u.first)].lower);
        if (sound < 0 || differentCounted(t, u.first, h))
            continue;
        // "a" or "the" as native text puts them before the noun in that slot, else anywhere
        NounDeterminers::Counts c = m_counts->counts(noun, u.slot);
        if (c.total() < 3)
            c = m_counts->counts(noun, "all");
        const std::string a = sound == 1 ? "an " : "a ";
        const bool theFirst = c.other > c.a;
        const std::string &word = u.first == 0 ? t[size_t(u.first)].lower : t[size_t(u.first)].text;
        Finding f = R::replace(t, u.first, u.first, (theFirst ? "the " : a) + word, "GRAMMAR", "article_needed", 2);
        Candidate second =
            R::replace(t, u.first, u.first, (theFirst ? a : "the ") + word, "GRAMMAR", "article_needed", 2)
                .candidates.front();
        second.score /= 2;
        f.candidates.push_back(second);
        out->push_back(f);
    }
}

void ArticleRules::theBeforeOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               const NounDeterminers::Use &u, std::vector<Finding> *out) const
{
    const int h = u.head;
    // "It was kind of a shock", "a sort of strange": a hedge, not an of-phrase
    if (h + 2 >= int(t.size()) || t[size_t(h) + 2].kind != Token::Word || R::tagIs(tags, h + 2, "JJ")
        || R::tagIs(tags, h + 2, "RB") || R::tagIs(tags, h + 2, "VB"))
        return;
    const NounDeterminers::Counts c = m_counts->counts(t[size_t(h)].lower, NounDeterminers::ofPhrase());
    // ("a half of", "a plenty of": native text leaves those bare, a fix of its own; "a huge
    // influence of": an adjective may describe one of several)
    if (c.total() < kMinOfUses || (c.a + 1.0) / (c.total() + 2.0) > kMaxABeforeOf || c.bare * 3 > c.total()
        || u.adjective)
        return;
    out->push_back(R::replace(t, u.determiner, u.determiner, u.determiner == 0 ? "The" : "the", "GRAMMAR",
                              "article_choice", 2));
}

bool ArticleRules::rarelyBareBeforeOf(const NounDeterminers *counts, const std::string &noun,
                                      NounDeterminers::Counts *there)
{
    if (!counts)
        return false;
    const NounDeterminers::Counts c = counts->counts(noun, NounDeterminers::ofPhrase());
    if (there)
        *there = c;
    return c.total() >= kMinOfUses && (c.bare + 1.0) / (c.total() + 2.0) <= kMaxBareBeforeOf;
}

bool ArticleRules::aBeforeOfPhrase(const NounDeterminers::Counts &c)
{
    return c.a * 2 > c.other * 3;
}

bool ArticleRules::rarelyBare(const NounDeterminers *counts, const std::string &noun, const char *slot)
{
    if (!counts || counts->empty())
        return false;
    const NounDeterminers::Counts all = counts->counts(noun, "all");
    if (all.total() < kMinUses || all.bare > all.total() * kMaxBareShare)
        return false;
    if (!slot)
        return true;
    const NounDeterminers::Counts there = counts->counts(noun, slot);
    return there.bare <= there.total() * kMaxBareShare;
}

bool ArticleRules::differentCounted(const std::vector<Token> &t, int first, int head) const
{
    return R::lowerAt(t, first) == "different" && head < int(t.size())
        && m_numbers.mostlyCountedNoun(t[size_t(head)].lower, kDifferentPluralShare);
}

bool ArticleRules::adverbialAfter(const std::vector<Token> &t, int k) const
{
    // the end, a clause boundary, a preposition or a time phrase: "every day", "together"
    return k >= int(t.size()) || R::clauseBoundary(t[size_t(k)]) || m_lex.isPreposition(R::lowerAt(t, k))
        || R::timePhraseAt(t, k) || R::lowerAt(t, k) == "every" || R::lowerAt(t, k) == "together";
}

void ArticleRules::byTransport(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const Set vehicles = {"bus", "car", "train", "plane", "bike", "bicycle", "subway", "taxi", "ship",
                                 "boat", "air", "sea", "underground", "metro", "ferry", "coach"};
    static const Set motion = {"go", "goes", "went", "going", "come", "comes", "came", "coming", "travel", "travels",
                               "traveled", "travelled", "traveling", "travelling", "get", "gets", "got", "getting",
                               "commute", "commutes", "commuted", "commuting", "return", "returned", "arrive",
                               "arrived", "arrives"};
    for (int i = 2; i + 2 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "the" || R::lowerAt(t, i - 1) != "by" || !vehicles.count(R::lowerAt(t, i + 1)))
            continue;
        // "by the bus stop", "by the car's door": the vehicle must end the phrase
        if (!adverbialAfter(t, i + 2))
            continue;
        // a verb of motion before it in the same clause ("went to school by the bus"); "stood by
        // the car" is a place and "hit by the car" the agent
        bool moving = false;
        for (int k = i - 2, words = 0; k >= 0 && words < 5 && t[size_t(k)].kind == Token::Word; --k, ++words)
            moving = moving || motion.count(t[size_t(k)].lower);
        Finding f;
        if (moving && R::deletion(t, i, "GRAMMAR", "article_activity", 2, &f))
            out->push_back(f);
    }
}

void ArticleRules::activityThe(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               std::vector<Finding> *out) const
{
    struct Kind
    {
        Set verbs, nouns;
    };
    static const Kind kinds[] = {
        {{"play", "plays", "played", "playing"},
         {"football", "basketball", "soccer", "tennis", "volleyball", "badminton", "baseball", "golf", "chess",
          "ping-pong", "table"}},
        {{"have", "has", "had", "having", "eat", "eats", "ate", "eating", "cook", "cooks", "cooked", "cooking",
          "skip", "skipped"},
         {"breakfast", "lunch", "dinner", "supper"}},
        {{"speak", "speaks", "spoke", "speaking", "learn", "learns", "learned", "learnt", "learning", "study",
          "studies", "studied", "studying", "teach", "teaches", "taught", "teaching"},
         {"English", "Chinese", "French", "German", "Japanese", "Spanish", "Korean", "Russian", "Italian"}}};
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "the")
            continue;
        const int v = R::prevWord(t, i), n = i + 1;
        if (v < 0 || t[size_t(n)].kind != Token::Word)
            continue;
        const Kind *kind = nullptr;
        for (const Kind &k : kinds)
            if (k.verbs.count(t[size_t(v)].lower) && k.nouns.count(t[size_t(n)].text == t[size_t(n)].lower
                                                                     ? t[size_t(n)].lower : t[size_t(n)].text))
                kind = &k;
        // "table tennis" only; "the dinner we ordered", "the English language", "the chess club":
        // the phrase must end with the noun
        if (!kind || (t[size_t(n)].lower == "table" && R::lowerAt(t, n + 1) != "tennis"))
            continue;
        const int last = t[size_t(n)].lower == "table" ? n + 1 : n;
        const std::string after = R::lowerAt(t, last + 1);
        if (!adverbialAfter(t, last + 1) || after == "that" || after == "which" || after == "of")
            continue;
        Finding f;
        if (R::deletion(t, i, "GRAMMAR", "article_activity", 2, &f))
            out->push_back(f);
    }
}

void ArticleRules::superlativeAndSuch(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                      std::vector<Finding> *out) const
{
    // determiners and counts that make "such" and "most" right as they are ("no such thing",
    // "my most important thing", "one such case")
    static const Set before = {"no", "any", "one", "each", "every", "all", "many", "few", "some", "other", "two",
                               "several", "the", "at", "for", "among"};
    // the singular counted noun that ends a phrase starting at k (adjectives first); -1 if none
    auto countedHead = [&](int k, bool needAdjective, double share) {
        int n = k;
        while (n < int(t.size()) && R::tagIs(tags, n, "JJ") && !t[size_t(n)].isCapitalised())
            ++n;
        if ((needAdjective && n == k) || n >= int(t.size()) || !R::tagIs(tags, n, "NN") || R::tagIs(tags, n, "NNS")
            || R::tagIs(tags, n, "NNP") || t[size_t(n)].isCapitalised() || R::tagIs(tags, n + 1, "NN")
            || massUses().count(t[size_t(n)].lower)
            || !(m_numbers.mostlyCounted(t[size_t(n)].lower, nullptr, share) || rarelyBare(t[size_t(n)].lower, nullptr)))
            return -1;
        return n;
    };
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        const std::string &w = t[size_t(i)].lower;
        const std::string prev = R::lowerAt(t, i - 1);
        // "at same time", "in same way" -> "the same"; "It is first time", "for first time" -> "the first"
        const bool same = w == "same" && m_lex.isPreposition(prev);
        const bool first = (w == "first" || w == "last") && R::lowerAt(t, i + 1) == "time"
            && (prev == "is" || prev == "was" || prev == "for");
        if ((same || first) && t[size_t(i) + 1].kind == Token::Word && t[size_t(i) + 1].spaceBefore
            && R::tagIs(tags, i + 1, "NN") && !R::tagIs(tags, i + 1, "NNP")
            && !(first && R::tagIs(tags, i + 2, "NN"))) { // ("for first time users")
            out->push_back(R::replace(t, i, i, "the " + w, "GRAMMAR", same ? "the_same" : "article_missing", 2));
            continue;
        }
        if (t[size_t(i)].kind != Token::Word || before.count(prev) || m_lex.isDeterminer(prev)
            || R::tagIs(tags, i - 1, "PRP$") || R::tagIs(tags, i - 1, "POS"))
            continue;
        // after punctuation or a possessive ("the track's most fascinating word") nothing is missing
        if ((prev.empty() && i > 0) || prev.find('\'') != std::string::npos)
            continue;
        // "one of most important things", "one of best friends"
        if (i >= 2 && R::lowerAt(t, i - 1) == "of" && R::lowerAt(t, i - 2) == "one"
            && (w == "most" || R::tagIs(tags, i, "JJS"))) {
            out->push_back(R::replace(t, i, i, "the " + w, "GRAMMAR", "article_missing", 2));
            continue;
        }
        // "It is most important thing" -> "the most important thing"; an ordinal before "most"
        // belongs to the phrase ("The second most popular network")
        static const Set ordinals = {"second", "third", "fourth", "fifth", "sixth", "seventh", "eighth", "ninth", "tenth"};
        if (w == "most" && !ordinals.count(prev) && countedHead(i + 1, true, 0.2) > 0 && R::nextWord(t, i) == i + 1) {
            out->push_back(R::replace(t, i, i, "the " + w, "GRAMMAR", "article_missing", 2));
            continue;
        }
        // "that was so unstable trip" -> "such an unstable trip": "so" goes with an adjective alone
        if (w == "so" && R::tagIs(tags, i + 1, "JJ") && !t[size_t(i) + 1].isCapitalised()) {
            const int n = countedHead(i + 1, true, 0.2);
            const int sound = R::vowelSound(t[size_t(i) + 1].lower);
            static const Set quantities = {"many", "much", "few", "little", "more", "less"};
            const bool end = n >= 0
                && (n + 1 >= int(t.size()) || R::clauseBoundary(t[size_t(n) + 1]) || R::lowerAt(t, n + 1) == "to"
                    || m_lex.isPreposition(R::lowerAt(t, n + 1)));
            if (!end || sound < 0 || quantities.count(t[size_t(i) + 1].lower))
                continue;
            out->push_back(R::replace(t, i, i, sound == 1 ? "such an" : "such a", "GRAMMAR", "so_such", 2));
            continue;
        }
        // "such good opportunity" -> "such a good opportunity"
        if (w == "such" && !t[size_t(i) + 1].isCapitalised()) {
            const bool adjective = R::tagIs(tags, i + 1, "JJ");
            const int n = countedHead(i + 1, false, adjective ? 0.2 : 0.6);
            const int sound = R::vowelSound(t[size_t(i) + 1].lower);
            if (n < 0 || sound < 0)
                continue;
            out->push_back(R::replace(t, i, i, t[size_t(i)].text + (sound == 1 ? " an" : " a"), "GRAMMAR",
                                      "article_missing", 2));
        }
    }
}

void ArticleRules::theName(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           std::vector<Finding> *out) const
{
    static const Set names = {"China", "Japan", "Korea", "America", "England", "France", "Germany", "Canada",
                              "Australia", "India", "Russia", "Italy", "Spain", "Singapore", "Beijing", "Shanghai",
                              "Guangzhou", "Shenzhen", "Taiwan", "Europe", "Asia", "Africa", "London", "Paris",
                              "Tokyo", "Britain", "Thailand", "Vietnam", "Malaysia", "Egypt", "Brazil", "Mexico"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "the" || !names.count(t[size_t(i) + 1].text) || !t[size_t(i) + 1].spaceBefore)
            continue;
        // "the China Daily", "the Japan of the 1980s", "the England team", "the America's Cup",
        // "the Europe that we know", "the America in which I grew up": the name ends the phrase here
        static const Set restrictive = {"that", "which", "who", "where", "when", "we", "i", "you", "they", "he", "she"};
        const int n = i + 2;
        if (m_lex.isPreposition(R::lowerAt(t, n)) || restrictive.count(R::lowerAt(t, n)))
            continue;
        const bool end = n >= int(t.size())
            || (t[size_t(n)].kind == Token::Punct && t[size_t(n)].text != "'" && t[size_t(n)].text != "-")
            || (t[size_t(n)].kind == Token::Word && !t[size_t(n)].isCapitalised() && !R::tagIs(tags, n, "NN")
                && !R::tagIs(tags, n, "JJ") && !R::tagIs(tags, n, "POS"));
        Finding f;
        if (end && R::deletion(t, i, "GRAMMAR", "article_name", 2, &f))
            out->push_back(f);
    }
}

void ArticleRules::missingArticle(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  std::vector<Finding> *out) const
{
    for (int v = 0; v + 1 < int(t.size()); ++v) {
        if (t[size_t(v)].kind != Token::Word)
            continue;
        // the complement of a linking verb (after a preposition the bare phrase is too often
        // a term of the trade: "for public release", "in clinical practice")
        const std::string &verb = t[size_t(v)].lower;
        // "They are good student": after a plural subject the complement is plural, not "a ..."
        const bool pluralBe = verb == "are" || verb == "were";
        if (pluralBe && !(R::lowerAt(t, v - 1) == "they" || R::lowerAt(t, v - 1) == "we"
                          || (R::lowerAt(t, v - 1) == "them" && R::lowerAt(t, v - 2) == "of")
                          || (R::tagIs(tags, v - 1, "PRP") && R::lowerAt(t, v - 2) == "and") // "He and I are"
                          || (R::tagIs(tags, v - 1, "NNS") && !t[size_t(v) - 1].isCapitalised())))
            continue;
        // "It's slow process": 's after a pronoun is "is" (after a noun it is a possessive)
        static const Set contractions = {"it's", "that's", "he's", "she's", "there's", "here's", "what's"};
        const bool contracted = contractions.count(verb) != 0;
        if (!pluralBe && !contracted && !linkingVerbs().count(verb))
            continue;
        // "a self-made project": the verb form ends a compound
        if (v > 0 && !t[size_t(v)].spaceBefore && t[size_t(v) - 1].text == "-")
            continue;
        // "licked it's paw": after a verb that takes an object, "it's" is "its" misspelt, a
        // determiner already ("I think it's good idea" still wants "a")
        if (verb == "it's" && v > 0 && R::tagIs(tags, v - 1, "VB") && !WordClasses::contains(WordClass::BeForm, R::lowerAt(t, v - 1))
            && !m_lex.formInClass(WordClass::ClauseVerb, R::lowerAt(t, v - 1)))
            continue;
        // "it was not branded product": the article comes after "not"
        int first = R::nextWord(t, v);
        if (first >= 0 && t[size_t(first)].lower == "not")
            first = R::nextWord(t, first);
        // "is really drug": a focus adverb comes before the article ("really a drug"); taken
        // only for a noun native text hardly leaves bare
        static const Set focus = {"really", "just", "also", "only", "actually", "definitely", "certainly",
                                  "simply", "merely", "surely", "truly", "still"};
        bool focused = false;
        // ("is only way": "the only way" is the article rules' and the models' word)
        if (first >= 0 && t[size_t(first)].lower == "only")
            continue;
        if (first >= 0 && focus.count(t[size_t(first)].lower) && R::nextWord(t, first) == first + 1) {
            first = first + 1;
            focused = true;
        }
        if (first < 0 || t[size_t(first)].isCapitalised())
            continue;
        // adjectives, then the noun; a superlative wants "the"; a degree word may come
        // first ("It is very good chance" -> "a very good")
        static const Set degree = {"very", "really", "extremely", "truly", "fairly", "relatively",
                                   "particularly", "incredibly", "especially", "highly"};
        int k = degree.count(t[size_t(first)].lower) && R::tagIs(tags, first + 1, "JJ") ? first + 1 : first;
        bool adjective = false, superlative = false;
        while (k < int(t.size()) && R::tagIs(tags, k, "JJ") && !determinerLike().count(t[size_t(k)].lower)
               && !t[size_t(k)].isCapitalised()) {
            superlative = superlative || R::tagIs(tags, k, "JJS");
            adjective = true;
            ++k;
        }
        // "is tha temperature", "be better oin way": a misspelt article or word before the noun
        // is the spelling rule's
        bool misspelt = ArticleChoiceRule::nearThe(t[size_t(first)].lower);
        for (int m = first; m < k && !misspelt; ++m)
            misspelt = t[size_t(m)].kind == Token::Word && m_lex.frequencyRank(t[size_t(m)].lower) == 0;
        if (misspelt)
            continue;
        // "it is very difficult one": "one" stands for a counted noun
        const bool one = adjective && R::lowerAt(t, k) == "one";
        if (!one && (!R::tagIs(tags, k, "NN") || R::tagIs(tags, k, "NNS") || R::tagIs(tags, k, "NNP")))
            continue;
        if (k >= int(t.size()) || t[size_t(k)].kind != Token::Word || t[size_t(k)].isCapitalised()
            || (k + 1 < int(t.size()) && !t[size_t(k) + 1].spaceBefore && t[size_t(k) + 1].kind != Token::Punct))
            continue;
        // the noun must end its phrase (a noun after it makes a compound, often a job title)
        const bool atEnd = k + 1 >= int(t.size())
            || (t[size_t(k) + 1].kind == Token::Punct && t[size_t(k) + 1].text != "-" && t[size_t(k) + 1].text != "'"
                && t[size_t(k) + 1].text != "/")
            || phraseEnd().count(t[size_t(k) + 1].lower) || R::tagIs(tags, k + 1, "VBG")
            || (adjective && R::lowerAt(t, k + 1) == "of");
        if (!atEnd)
            continue;
        const std::string &noun = t[size_t(k)].lower;
        if (!one && (roleNouns().count(noun) || (adjective && massUses().count(noun))))
            continue;
        // without an adjective the noun may be an abstract use ("is art", "is innovation"):
        // only nouns counted far more often than not, before the end of a clause; but a noun
        // native text hardly ever leaves bare after "be" needs its article whatever follows
        // ("The consequence is problem with weight", "It is really problem for us")
        const bool rarely = !one && rarelyBare(noun, "be");
        if (focused && !rarely)
            continue;
        if (one ? pluralBe
                : !rarely
                    && (adjective ? !m_numbers.mostlyCounted(noun, nullptr, 0.2)
                                  : !m_numbers.mostlyCounted(noun, nullptr, 0.6)
                                      || (k + 1 < int(t.size()) && t[size_t(k) + 1].kind == Token::Word)))
            continue;
        if (pluralBe) {
            std::string plural;
            // a bare noun may name a material ("curtains are linen"): alone only when its
            // plural is the commoner form ("They are teacher")
            if (!superlative && m_numbers.mostlyCounted(noun, &plural, adjective ? 0.25 : 0.8))
                out->push_back(R::replace(t, k, k, plural, "MOPHOLOGY", "complement_plural", 2));
            continue;
        }
        const int sound = R::vowelSound(t[size_t(first)].lower);
        if (sound < 0 || differentCounted(t, first, k))
            continue;
        const std::string article = superlative ? "the " : sound == 1 ? "an " : "a ";
        out->push_back(R::replace(t, first, first, article + t[size_t(first)].text, "GRAMMAR", "article_missing", 2));
    }
}

void ArticleRules::lotOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const
{
    // "spent lot of time" -> "a lot of time": "lot" as a quantity needs its article
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "lot" || R::lowerAt(t, i + 1) != "of" || t[size_t(i)].isCapitalised())
            continue;
        // "the parking lot of the mall": a determiner, adjective or noun before it is its own
        const int p = R::prevWord(t, i);
        if (p >= 0 && !R::tagIs(tags, p, "VB") && !R::tagIs(tags, p, "IN") && !R::tagIs(tags, p, "RB")
            && !R::tagIs(tags, p, "CC"))
            continue;
        if (p >= 0 && (m_lex.isDeterminer(t[size_t(p)].lower) || t[size_t(p)].lower == "whole"))
            continue;
        out->push_back(R::replace(t, i, i, "a lot", "GRAMMAR", "article_missing", 2));
    }
}

void ArticleRules::strayArticle(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // "a everything", "the my friend", "the today's news", "the another reason": the word after
    // the article is a determiner or pronoun of its own (the Brown corpus never puts an article
    // before "another", "each", "every", "either", "neither", "this", "some" or "any", against
    // 141 to 5148 uses of each; "the other", "the same", "the few" and "a few" are right)
    // ("a nobody", "a something" are nouns: left alone)
    static const Set noArticle = {"everything", "everyone", "everybody", "anything", "anyone", "anybody", "my",
                                  "your", "our", "their", "his", "today's", "tomorrow's", "yesterday's", "these",
                                  "those", "it", "its", "he", "she", "we", "they", "him", "them", "us", "another",
                                  "each", "every", "either", "neither", "this", "some", "any"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const std::string &a = t[size_t(i)].lower;
        if (t[size_t(i)].kind != Token::Word || (a != "a" && a != "an" && a != "the"))
            continue;
        const int n = R::nextWord(t, i);
        if (n < 0 || !t[size_t(n)].spaceBefore)
            continue;
        // "a same meaning" -> "the same"; "a lots of" -> "lots of" ("a same-day service" stays)
        if (a != "the" && t[size_t(n)].lower == "same" && R::nextWord(t, n) == n + 1 && R::lowerAt(t, n + 1) != "day") {
            out->push_back(R::replace(t, i, i, "the", "GRAMMAR", "the_same", 2));
            continue;
        }
        const bool lots = a != "the" && t[size_t(n)].lower == "lots" && R::lowerAt(t, n + 1) == "of";
        if (!lots && !noArticle.count(t[size_t(n)].lower))
            continue;
        if (!lots && R::lowerAt(t, n + 1) == "of")
            continue; // "the everything of ...": used as a noun
        // "the US", "the It girl", "the he-goat": a name or a compound
        if (t[size_t(n)].text != t[size_t(n)].lower
            || (n + 1 < int(t.size()) && !t[size_t(n) + 1].spaceBefore && t[size_t(n) + 1].text == "-"))
            continue;
        // "The another reason" -> "Another reason": the capital moves on
        if (i == 0 && n == 1 && t[0].isCapitalised()) {
            std::string word = t[1].text;
            word[0] = char(std::toupper(static_cast<unsigned char>(word[0])));
            out->push_back(R::replace(t, 0, 1, word, "GRAMMAR", "article_stray", 2));
            continue;
        }
        Finding f;
        if (R::deletion(t, i, "GRAMMAR", "article_stray", 2, &f))
            out->push_back(f);
    }
}

void ArticleRules::longTime(const std::vector<Token> &t, const std::vector<std::string> &tags,
                            std::vector<Finding> *out) const
{
    static const Set before = {"for", "since", "in", "after", "take", "takes", "took", "taken", "taking", "spend",
                               "spends", "spent", "wait", "waited", "need", "needs", "needed", "within"};
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        const std::string &adj = t[size_t(i)].lower;
        if ((adj != "long" && adj != "short") || R::lowerAt(t, i + 1) != "time" || !before.count(R::lowerAt(t, i - 1)))
            continue;
        // "for long time periods", "a long-time friend"
        if (i + 2 < int(t.size()) && (R::tagIs(tags, i + 2, "NN") || !t[size_t(i) + 2].spaceBefore)
            && t[size_t(i) + 2].kind != Token::Punct)
            continue;
        if (i + 2 < int(t.size()) && t[size_t(i) + 2].text == "-")
            continue;
        out->push_back(R::replace(t, i, i, "a " + t[size_t(i)].text, "GRAMMAR", "article_missing", 2));
    }
}

void ArticleRules::bareSubject(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               std::vector<Finding> *out) const
{
    // words after which a new clause (and so its subject) begins
    static const Set openers = {"because", "if", "when", "while", "although", "though", "since", "expect",
                                "think", "believe", "hope", "so", "but"};
    static const Set modals = {"can", "could", "will", "would", "should", "must", "may", "might"};
    static const Set singularVerbs = {"is", "was", "has"};
    // "Recently scientist have been working": a plural verb asks for the plural noun
    static const Set pluralVerbs = {"are", "were", "have", "do"};
    // person nouns learners use bare for people in general ("human" is mostly an adjective)
    static const Set genericPeople = {"human", "person"};
    auto clauseStart = [&](int k) {
        if (k == 0)
            return true;
        const Token &p = t[size_t(k) - 1];
        if (p.kind == Token::Punct)
            return p.text == "," || p.text == ";" || p.text == ":";
        // ("Recently scientist have ...": an adverb opening the sentence)
        // ("Most important thing is": a degree word belongs to the phrase)
        return openers.count(p.lower) != 0
            || (k == 1 && R::tagIs(tags, 0, "RB") && !p.is("most") && !p.is("more") && !p.is("very"));
    };
    for (int n = 0; n + 1 < int(t.size()); ++n) {
        const Token &noun = t[size_t(n)];
        if (noun.kind != Token::Word || (n > 0 && noun.isCapitalised()))
            continue;
        // (the tagger calls "human" an adjective; a first word it calls a name may be one: "Mike is")
        const bool nounTag = R::tagIs(tags, n, "NN") && !R::tagIs(tags, n, "NNS") && !R::tagIs(tags, n, "NNP");
        const bool firstName = n == 0 && R::tagIs(tags, n, "NNP") && !R::tagIs(tags, n, "NNPS");
        if (!nounTag && !firstName && !genericPeople.count(noun.lower))
            continue;
        const int v = R::nextWord(t, n);
        if (v != n + 1 || t[size_t(v)].isCapitalised())
            continue;
        const std::string &verb = t[size_t(v)].lower;
        const bool modal = modals.count(verb) != 0;
        // a person before a plain present verb ("Student learn English"): the verb agrees with
        // the plural ("teacher training courses": a noun after a noun-verb word makes a compound)
        const bool personVerb = nounTag && m_lex.nounClass(noun.lower) == Lexicon::NounPerson
            && (R::tagEquals(tags, v, "VBP") || R::tagEquals(tags, v, "VB"))
            && (m_lex.isCommonVerbBase(verb) || m_lex.isPlainVerbOnly(verb)) && !m_lex.isAuxiliary(verb)
            && !m_lex.baseEqualsPast(verb) && !m_lex.isPastOfOther(verb)
            && !(m_lex.isPos(verb, Lexicon::Noun) && (R::tagEquals(tags, v + 1, "NN") || R::tagIs(tags, v + 1, "VB")));
        const bool pluralVerb = pluralVerbs.count(verb) != 0 || personVerb;
        if (!modal && !pluralVerb && !singularVerbs.count(verb))
            continue;
        // at most one modifier before the noun, itself opening the clause ("Speed camera can")
        int first = n;
        if (!clauseStart(n)) {
            const int m = n - 1;
            if (m < 0 || t[size_t(m)].kind != Token::Word || (m > 0 && t[size_t(m)].isCapitalised())
                || !(R::tagIs(tags, m, "NN") || R::tagIs(tags, m, "JJ")) || R::tagIs(tags, m, "NNS")
                || R::tagIs(tags, m, "NNP") || determinerLike().count(t[size_t(m)].lower)
                || m_lex.isDeterminer(t[size_t(m)].lower) || t[size_t(m)].lower.find('\'') != std::string::npos
                || !clauseStart(m))
                continue;
            first = m;
        }
        // abstract nouns go bare in formal writing ("Payment is due", "Preference will be
        // given"), and so does "man" for humankind
        static const char *abstractEndings[] = {"ence", "ance", "tion", "sion", "ment", "ity", "ness", "ism", "ship"};
        bool abstract = noun.lower == "man";
        for (const char *e : abstractEndings) {
            const size_t len = std::strlen(e);
            abstract = abstract || (noun.lower.size() > len && noun.lower.compare(noun.lower.size() - len, len, e) == 0);
        }
        // British English uses "sport" uncounted for the field ("Sport is good for you"); before a
        // plural verb a counted abstract noun is meant as several ("Younger generation are")
        if ((abstract && !pluralVerb) || (R::britishFieldNoun(noun.lower) && first == n))
            continue;
        std::string plural;
        if (genericPeople.count(noun.lower))
            plural = noun.lower == "human" ? "humans" : "people";
        else if (!m_numbers.mostlyCounted(noun.lower, &plural, firstName ? 1.0 : pluralVerb ? kPluralVerbShare : 0.7)
                 && !(modal && !firstName && rarelyBare(noun.lower, "*") && m_numbers.mostlyCounted(noun.lower, &plural, 0.0)))
            continue; // (a capitalised first word is a noun only when its plural is the commoner form, or
                      // native text hardly ever leaves the noun bare: "Robot can work")
        const int sound = R::vowelSound(t[size_t(first)].lower);
        if (sound < 0)
            continue;
        std::string phrase = R::textOf(t, first, n);
        if (first == 0)
            phrase.replace(0, t[0].text.size(), t[0].lower);
        // a superlative takes "the": "Coldest month is January" -> "The coldest month"
        const std::string article = (R::tagIs(tags, first, "JJS") ? "the " : sound == 1 ? "an " : "a ") + phrase;
        const std::string plurals = (first < n ? R::textOf(t, first, n - 1) + " " : std::string()) + plural;
        // with a modal the plural keeps the verb right; with is/has only an article does
        Finding f = R::replace(t, first, n, modal || pluralVerb ? plurals : article, "GRAMMAR", "bare_singular", 2);
        if (modal) {
            Candidate second = R::replace(t, first, n, article, "GRAMMAR", "bare_singular", 2).candidates.front();
            second.score /= 2;
            f.candidates.push_back(second);
        }
        out->push_back(f);
    }
}

} // namespace PennovaChecker
