#include "barenounrule.h"

#include "articlechoicerule.h"
#include "lexicon.h"
#include "noundeterminers.h"
#include "nounnumberrule.h"
#include "rulesupport.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

// A bare noun after a preposition is an idiom where the article model's weight for no
// article with the pair ("by car", "at school") is above this (chosen on the learner dev sets
// against unedited CWEB sentences: the pairs below it were mostly slips).
constexpr float kBarePairLimit = 0.0f;

bool wordAt(const std::vector<Token> &t, int i)
{
    return i >= 0 && size_t(i) < t.size() && t[size_t(i)].kind == Token::Word;
}

bool bareNounAt(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    return wordAt(t, i) && tags[size_t(i)] == "NN" && !t[size_t(i)].isCapitalised();
}

bool glued(const std::vector<Token> &t, int i)
{
    const auto glue = [&](int k) {
        return k >= 0 && size_t(k) < t.size() && (t[size_t(k)].text == "-" || t[size_t(k)].text == "/");
    };
    return (glue(i - 1) && !t[size_t(i)].spaceBefore) || (glue(i + 1) && !t[size_t(i) + 1].spaceBefore);
}

// "husband and wife", "trial and error": two bare nouns joined alone, not a longer list
bool binomial(const std::vector<Token> &t, const std::vector<std::string> &tags, int head)
{
    const auto joiner = [&](int k) { return R::lowerAt(t, k) == "and" || R::lowerAt(t, k) == "or"; };
    int a = -1, b = -1;
    if (joiner(head + 1) && bareNounAt(t, tags, head + 2)) {
        a = head;
        b = head + 2;
    } else if (joiner(head - 1) && bareNounAt(t, tags, head - 2)) {
        a = head - 2;
        b = head;
    } else {
        return false;
    }
    const auto listMark = [&](int k) {
        return k >= 0 && size_t(k) < t.size() && (t[size_t(k)].text == "," || t[size_t(k)].text == ";");
    };
    return !listMark(a - 1) && !listMark(b + 1) && !(wordAt(t, a - 1) && tags[size_t(a) - 1] == "JJ");
}

// "state tax, license, document fee and finance charges", "drugs, party, etcetera": an item of
// a list with commas, where native writers often leave nouns bare
bool inList(const std::vector<Token> &t, int first, int head)
{
    const auto comma = [&](int k) { return k >= 0 && size_t(k) < t.size() && t[size_t(k)].text == ","; };
    if (!comma(first - 1) && !comma(head + 1))
        return false;
    for (int k = std::max(0, first - 12); k < std::min(int(t.size()), head + 12); ++k)
        if (t[size_t(k)].lower == "and" || t[size_t(k)].lower == "or" || t[size_t(k)].lower == "etc"
            || t[size_t(k)].lower == "etcetera")
            return true;
    return false;
}

// Walking back from the phrase over modifiers, commas, hyphens and coordinators, a determiner
// is reached after at least one "and", "or", hyphen or comma beside an adjective ("In my
// opinion, company ..." shares nothing).
bool sharedDeterminer(const std::vector<Token> &t, const std::vector<std::string> &tags, int first)
{
    static const Set inside = {"JJ", "JJR", "JJS", "NN", "NNS", "VBN", "VBD", "VBG", "RB", "HYPH"};
    bool joined = false;
    for (int k = first - 1, steps = 0; k >= 0 && steps < 10; --k, ++steps) {
        const std::string &w = t[size_t(k)].lower;
        if (w == "and" || w == "or" || t[size_t(k)].text == "-") {
            joined = true;
            continue;
        }
        // "a quality, durable product": a comma joins adjectives, not an opener to the phrase
        if (t[size_t(k)].text == ",") {
            joined = joined || R::tagIs(tags, k - 1, "JJ") || R::tagIs(tags, k + 1, "JJ");
            continue;
        }
        if (tags[size_t(k)] == "DT" || tags[size_t(k)] == "PRP$" || tags[size_t(k)] == "POS")
            return joined;
        if (t[size_t(k)].kind != Token::Word || !inside.count(tags[size_t(k)]))
            return false;
    }
    return false;
}

} // namespace

const std::vector<std::string> &BareNounRule::guardNames()
{
    static const std::vector<std::string> names = {"none", "preposition idiom", "time phrase", "role",
                                                   "headline", "compound", "coordinated", "list item",
                                                   "abstract", "sentence start"};
    return names;
}

BareNounRule::Guard BareNounRule::guard(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                        const ArticleSlots::Slot &s, const std::vector<float> &pair,
                                        bool rarelyBare)
{
    const int before = s.first - 1, h = s.head;
    const std::string prev = R::lowerAt(t, before);
    // "by car", "at school", "in bed"; but "on the campus of a university" keeps its article
    if (s.first == h && before >= 0 && tags[size_t(before)] == "IN" && R::lowerAt(t, h + 1) != "of"
        && !pair.empty() && pair[ArticleSlots::None] > kBarePairLimit)
        return PrepositionIdiom;
    // "last year", "next week"; "day after day", "step by step", "face to face"
    bool lastNext = false;
    for (int k = s.first; k < h; ++k)
        lastNext = lastNext || t[size_t(k)].lower == "last" || t[size_t(k)].lower == "next";
    if (lastNext && R::timePhraseAt(t, h))
        return TimePhrase;
    // "focusing long term": an adverb of time
    const std::string &firstWord = t[size_t(s.first)].lower;
    if (t[size_t(h)].lower == "term" && h == s.first + 1 && (firstWord == "long" || firstWord == "short"))
        return TimePhrase;
    const std::string &head = t[size_t(h)].lower;
    const auto linking = [&](int k) { return tags[size_t(k)] == "IN" || tags[size_t(k)] == "TO"; };
    if ((R::lowerAt(t, h + 2) == head && linking(h + 1))
        || (before >= 1 && R::lowerAt(t, before - 1) == head && linking(before)))
        return TimePhrase;
    // "served as chairman", "was elected president", "was senior web developer"
    static const Set roleVerbs = {"as", "elected", "appointed", "named", "became", "become", "becomes", "crowned"};
    static const Set ranks = {"senior", "junior", "chief", "assistant", "deputy", "associate", "executive", "vice",
                              "head", "lead", "managing", "principal", "acting", "former"};
    // ("as managing member": the participle stays out of the slot)
    if (roleVerbs.count(prev) || ranks.count(t[size_t(s.first)].lower) || ranks.count(prev))
        return Role;
    // "learn to pilot", "go to bed": after "to" a lone noun is often a verb the tagger misread,
    // or an idiom
    if (s.first == h && prev == "to")
        return PrepositionIdiom;
    // "for meeting with me", "after visiting them": an -ing word with an object or a pronoun
    // after its preposition is a gerund the tagger read as a noun
    const std::string after = R::lowerAt(t, h + 1);
    if (s.first == h && head.size() > 5 && head.compare(head.size() - 3, 3, "ing") == 0
        && before >= 0 && tags[size_t(before)] == "IN"
        && (R::tagIs(tags, h + 1, "PRP") || R::tagIs(tags, h + 1, "DT")
            || (R::tagIs(tags, h + 1, "IN") && after != "of" && R::tagIs(tags, h + 2, "PRP"))))
        return PrepositionIdiom;
    // "rather walk than drive": after a verb base and "than" the lone word is a verb too
    if (s.first == h && prev == "than" && before >= 1 && (tags[size_t(before) - 1] == "VB"
                                                          || tags[size_t(before) - 1] == "VBP"))
        return PrepositionIdiom;
    if (s.first == h && R::britishBarePair(prev, head))
        return PrepositionIdiom;
    // the field as a whole ("do sport", "in industry"), not one named by an of-phrase
    if (s.first == h && R::britishFieldNoun(head) && R::lowerAt(t, h + 1) != "of")
        return Abstract;
    // "2.1 % increase": the figure before the noun opens its phrase; "had not enormous level",
    // "plays also important role", "However creative artist": an article goes after the adverb
    static const Set notOpeners = {"not",   "also",     "still",    "just",      "even",     "only",  "always",
                                   "never", "too",      "however",  "therefore", "moreover", "thus",  "indeed",
                                   "hence", "besides",  "otherwise"};
    const std::string prevText = before >= 0 ? t[size_t(before)].text : std::string();
    if ((!prevText.empty() && prevText.back() == '%') || notOpeners.count(t[size_t(s.first)].lower))
        return Compound;
    // "higher risk", "better care": a comparative before a noun in a general sense
    if (tags[size_t(s.first)] == "JJR")
        return Compound;
    // "Application of the system allows", "during production of binders": formal writing leaves
    // an abstract noun bare; not one native text seldom leaves bare ("make conclusion")
    static const char *const abstractEndings[] = {"tion", "sion", "ment", "ance", "ence", "ity", "ness", "ism", "ship"};
    for (const char *e : abstractEndings) {
        const std::string ending(e);
        if (!rarelyBare && head.size() > ending.size() + 2
            && head.compare(head.size() - ending.size(), ending.size(), ending) == 0)
            return Abstract;
    }
    // "Pike would like", "Shop around": a capitalised first word alone may be a name or a verb
    if (h == 0 && t[0].isCapitalised())
        return SentenceStart;
    // a headline or a label: no verb anywhere, or most words capitalised
    int words = 0, capitals = 0;
    bool verb = false;
    for (size_t k = 0; k < t.size(); ++k) {
        if (t[k].kind != Token::Word)
            continue;
        ++words;
        capitals += t[k].isCapitalised() ? 1 : 0;
        verb = verb || tags[k].rfind("VB", 0) == 0 || tags[k] == "MD";
    }
    if (!verb || (words >= 3 && capitals * 5 >= words * 3))
        return Headline;
    // "low-cost phone", "input/output"; "veterinarian owned", "heart muscle thickening", "crystal
    // clear": a noun inside a longer word or a modifier
    const bool adjectiveEnd =
        R::tagIs(tags, h + 1, "JJ") && (h + 2 >= int(t.size()) || t[size_t(h) + 2].kind == Token::Punct);
    if (glued(t, h) || glued(t, s.first) || R::tagIs(tags, h + 1, "VBN") || R::tagIs(tags, h + 1, "VBG")
        || (R::tagIs(tags, h + 1, "JJ") && R::tagIs(tags, h + 2, "NN") && !R::timePhraseAt(t, h + 2))
        || (s.first == h && adjectiveEnd))
        return Compound;
    // "a safe, reliable and integrated transport system", "a web-based order entry system",
    // "a tire dealer, auto repair shop and truck repair shop": a determiner further back
    // serves the whole phrase
    if (sharedDeterminer(t, tags, s.first))
        return Coordinated;
    // "husband and wife"; an item after a colon ("Note: ...", "Ingredients: flour")
    if (binomial(t, tags, h) || inList(t, s.first, h)
        || (before >= 0 && (t[size_t(before)].text == ":" || t[size_t(before)].text == "(")))
        return ListItem;
    return Unguarded;
}

std::vector<BareNounRule::Bare> BareNounRule::find(const std::vector<Token> &t, const std::vector<std::string> &tags) const
{
    std::vector<Bare> out;
    const PerceptronModel &articleModel = m_articles.model(), &numberModel = m_numbers.model();
    if (articleModel.empty() || numberModel.empty() || t.size() != tags.size())
        return out;
    std::vector<ArticleSlots::Slot> slots = ArticleSlots::find(t, tags);
    slots.erase(std::remove_if(slots.begin(), slots.end(),
                               [&](const ArticleSlots::Slot &s) {
                                   return s.written != ArticleSlots::None || tags[size_t(s.head)] != "NN";
                               }),
                slots.end());
    if (slots.empty())
        return out;
    const std::vector<NumberSlots::Slot> numbers = NumberSlots::find(t, tags, m_numbers.forms());
    for (const ArticleSlots::Slot &s : slots) {
        const auto n = std::find_if(numbers.begin(), numbers.end(),
                                    [&](const NumberSlots::Slot &x) { return x.head == s.head; });
        if (n == numbers.end() || n->written != NumberSlots::Singular
            || NumberSlots::context(t, tags, *n) != NumberSlots::NoDeterminer)
            continue;
        // "provides data concerning the system": a noun before an -ing or -ed word ends a
        // phrase of its own
        if (ArticleSlots::splitByVerb(tags, s) || m_articles.unsureSlot(t, tags, s))
            continue;
        // a noun native writers count, whose plural the number rule would write
        Bare b;
        b.plural = m_numbers.suggestion(t, tags, *n);
        if (b.plural.empty())
            continue;
        b.slot = s;
        b.articleScores = articleModel.scores(ArticleSlots::features(t, tags, s));
        b.articleMargin = std::max(b.articleScores[ArticleSlots::A], b.articleScores[ArticleSlots::The])
            - b.articleScores[ArticleSlots::None];
        const std::vector<float> sn = numberModel.scores(NumberSlots::features(t, tags, *n, m_numbers.forms()));
        b.pluralMargin = sn[NumberSlots::Plural] - sn[NumberSlots::Singular];
        const int before = s.first - 1;
        const std::vector<float> pair = before >= 0
            ? articleModel.weights(PerceptronModel::hash("p1h=" + R::lowerAt(t, before) + " " + t[size_t(s.head)].lower))
            : std::vector<float>();
        const std::string &head = t[size_t(s.head)].lower;
        b.guard = guard(t, tags, s, pair, rarelyBare(head, kSeldomBareShare));
        b.rarelyBare = rarelyBare(head) && plainPhrase(t, tags, s);
        out.push_back(std::move(b));
    }
    return out;
}

Finding BareNounRule::finding(const std::vector<Token> &t, const Bare &b)
{
    const ArticleSlots::Slot &s = b.slot;
    // "It is only way to win": "only" picks the one of its kind and takes "the" before it
    if (const int only = R::onlyBefore(t, s.first); only >= 0)
        return R::theOnly(t, only, "article_missing");
    const Token &first = t[size_t(s.first)];
    // the first word of a sentence loses its capital after an article
    const std::string word = s.first == 0 ? first.lower : first.text;
    int sound = R::vowelSound(first.lower);
    if (sound < 0)
        sound = std::string("aeiou").find(first.lower[0]) != std::string::npos ? 1 : 0;
    const std::string a = sound ? "an" : "a";
    const bool theFirst = b.articleScores[ArticleSlots::The] > b.articleScores[ArticleSlots::A];
    std::vector<std::string> fixes = {(theFirst ? "the " : a + " ") + word, (theFirst ? a + " " : "the ") + word};
    // the plural leads where the number model's share of the score outweighs the article model's
    // ("different" before a counted singular: several are meant more often than one, "have
    // different trend")
    const bool pluralFirst = b.pluralMargin / 2 > b.articleMargin || first.lower == "different";
    // a phrase of one word takes all three fixes; in a longer one the article goes before its
    // first word and the plural on its noun, each finding on the word it changes
    int at = s.first;
    if (s.first == s.head)
        fixes.insert(pluralFirst ? fixes.begin() : fixes.end(), b.plural);
    else if (pluralFirst) {
        fixes = {b.plural};
        at = s.head;
    }
    Finding f = R::replace(t, at, at, fixes[0], "GRAMMAR", "article_missing", 2);
    for (size_t k = 1; k < fixes.size(); ++k) {
        Candidate c = R::replace(t, at, at, fixes[k], "GRAMMAR", "article_missing", 2).candidates.front();
        c.score /= double(k + 1);
        f.candidates.push_back(c);
    }
    return f;
}

bool BareNounRule::flags(const Bare &b) const
{
    const bool alone = b.slot.first == b.slot.head;
    const float threshold = b.rarelyBare ? m_thresholds.rarelyBare : alone ? m_thresholds.word : m_thresholds.phrase;
    return b.guard == Unguarded && b.score() >= threshold;
}

bool BareNounRule::plainPhrase(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               const ArticleSlots::Slot &s) const
{
    // "asset accumulation method", "time frame": native writers leave compounds bare more freely
    for (int k = s.first; k < s.head; ++k)
        if (!R::tagIs(tags, k, "JJ") && !R::tagIs(tags, k, "RB"))
            return false;
    const int before = s.first - 1;
    const std::string &head = t[size_t(s.head)].lower, next = R::lowerAt(t, s.head + 1);
    const Lexicon &lex = m_numbers.lexicon();
    // "does matter", "will party": after "do" or a modal the noun is a verb the tagger misread; "a
    // well designed case": an article before an adverb or participle may serve the phrase; "kind
    // of", "sort of" hedge
    const std::string prev = R::lowerAt(t, before);
    if (lex.isModal(prev) || prev == "do" || prev == "does" || prev == "did")
        return false;
    // "that looks matter.": a verb base closing the clause after a verb is a verb itself
    const bool clauseEnd = s.head + 1 >= int(t.size()) || t[size_t(s.head) + 1].kind == Token::Punct;
    if (s.first == s.head && clauseEnd && lex.isCommonVerbBase(head)
        && (R::tagIs(tags, before, "VBZ") || R::tagIs(tags, before, "VBP") || R::tagIs(tags, before, "VBD")))
        return false;
    // "next door", "first aid": an ordinal before the noun is the ordinal rule's ("the next step")
    static const Set ordinals = {"first", "second", "third", "fourth", "fifth", "last", "next"};
    if (ordinals.count(t[size_t(s.first)].lower))
        return false;
    for (int k = before; k >= 0 && k >= before - 2; --k) {
        const std::string &w = t[size_t(k)].lower;
        if (w == "a" || w == "an" || w == "the")
            return false;
        if (!R::tagIs(tags, k, "RB") && !R::tagIs(tags, k, "VBN") && !R::tagIs(tags, k, "VBD"))
            break;
    }
    // "future improved versions": a participle before another noun continues the phrase
    const bool participle = R::tagIs(tags, s.head + 1, "VBN") || R::tagIs(tags, s.head + 1, "VBD");
    const bool modifies = R::tagIs(tags, s.head + 2, "NN") || R::tagIs(tags, s.head + 2, "NNS");
    return !((head == "kind" || head == "sort") && next == "of") && !(participle && modifies);
}

bool BareNounRule::rarelyBare(const std::string &noun, double share) const
{
    const NounDeterminers *counts = m_articles.counts();
    if (!counts)
        return false;
    const NounDeterminers::Counts c = counts->counts(noun, "all");
    return c.total() >= kMinCounted && c.bare < share * c.total();
}

bool BareNounRule::pluralSubject(const std::vector<Token> &t, const std::vector<std::string> &tags, const Bare &b) const
{
    const int first = b.slot.first, v = b.slot.head + 1;
    // (a list, a compound or an abstract noun says nothing of a subject's number)
    if (b.guard != Unguarded || b.pluralMargin < m_thresholds.pluralSubject || v >= int(t.size())
        || !(R::tagIs(tags, v, "VBP") || R::tagIs(tags, v, "VB")) || t[size_t(v)].isCapitalised())
        return false;
    const Lexicon &lex = m_numbers.lexicon();
    const std::string &verb = t[size_t(v)].lower;
    if (!lex.isPos(verb, Lexicon::Verb) || lex.isModal(verb) || lex.isAuxiliary(verb)
        || lex.frequency(lex.thirdPerson(verb)) < 100000)
        return false;
    // the phrase opens the clause: the sentence, a comma, a subordinator or an opening adverb
    static const Set openers = {"because", "if", "when", "while", "although", "though", "since", "so", "but",
                                "that", "where", "whether"};
    if (first == 0)
        return true;
    const Token &p = t[size_t(first) - 1];
    if (p.kind == Token::Punct)
        return p.text == "," || p.text == ";";
    return openers.count(p.lower) || (first == 1 && R::tagIs(tags, 0, "RB"));
}

void BareNounRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const
{
    for (const Bare &b : find(t, tags)) {
        const bool subject = !flags(b) && pluralSubject(t, tags, b);
        if (!flags(b) && !subject)
            continue;
        Finding f = subject ? R::replace(t, b.slot.head, b.slot.head, b.plural, "GRAMMAR", "bare_singular", 2)
                            : finding(t, b);
        // (the plural changes the noun alone: a capital put on the phrase's first word stays)
        const bool nounAlone = subject || f.start == t[size_t(b.slot.head)].start;
        const int a = t[size_t(nounAlone ? b.slot.head : b.slot.first)].start, e = t[size_t(b.slot.head)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &x) { return x.start < e && a < x.end; }))
            continue;
        out->push_back(std::move(f));
    }
}

} // namespace PennovaChecker
