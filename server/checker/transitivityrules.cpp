#include "transitivityrules.h"

#include "lexicon.h"
#include "rulesupport.h"
#include "wordclasses.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;
using R = RuleSupport;

// what a feeling verb may be followed by when it describes the person who feels
// The time the finite verbs of the sentence other than the one at skip speak in: 1 past,
// -1 present or future, 0 none.
int timeOfOtherVerbs(const std::vector<Token> &t, const std::vector<std::string> &tags, int skip)
{
    static const Set presentModals = {"will", "can", "may", "shall", "must", "'ll"};
    bool past = false;
    for (int k = 0; k < int(t.size()); ++k) {
        if (k == skip)
            continue;
        if (R::tagIs(tags, k, "VBZ") || R::tagIs(tags, k, "VBP") || presentModals.count(t[size_t(k)].lower))
            return -1;
        past = past || R::tagIs(tags, k, "VBD") || t[size_t(k)].is("could") || t[size_t(k)].is("would");
    }
    return past ? 1 : 0;
}

bool feelingComplement(const std::vector<Token> &t, int k)
{
    static const Set prepositions = {"in", "with", "about", "by", "at", "of"};
    if (k >= int(t.size()))
        return true;
    const Token &tok = t[size_t(k)];
    return (tok.kind == Token::Punct && tok.text != "-" && tok.text != "'") || prepositions.count(tok.lower);
}

const Set &feelingVerbs() { return WordClasses::words(WordClass::FeelingVerb); }

} // namespace

bool TransitivityRules::isFeelingVerb(const std::string &w)
{
    return feelingVerbs().count(w) != 0;
}

std::string TransitivityRules::feelingBase(const Lexicon &lex, const std::string &w)
{
    if (isFeelingVerb(w))
        return w;
    if (w.size() < 4)
        return {};
    for (const std::string &base : feelingVerbs())
        if (w.compare(0, 3, base, 0, 3) == 0
            && (w == lex.thirdPerson(base) || w == lex.pastOf(base) || w == lex.participleOf(base)))
            return base;
    return {};
}

std::string TransitivityRules::feelingWithoutObjectAt(const Lexicon &lex, const std::vector<Token> &t, int i)
{
    static const Set intransitiveToo = {"worry", "tire", "please", "relax", "upset"};
    const std::string subject = R::lowerAt(t, i);
    if (!R::isSubjectPronoun(subject) || subject == "it" || R::lowerAt(t, i - 1) == "as")
        return {};
    const int v = i + 1;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || t[size_t(v)].isCapitalised())
        return {};
    const std::string base = feelingBase(lex, w);
    if (base.empty() || intransitiveToo.count(base) || !feelingComplement(t, v + 1))
        return {};
    return base;
}

void TransitivityRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                              std::vector<Finding> *out) const
{
    if (tags.size() != t.size() || tags.empty() || tags[0].empty())
        return;
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        riseWithObject(t, tags, i, out);
        raiseWithoutObject(t, tags, i, out);
        lieLay(t, tags, i, out);
        enjoyWithoutObject(t, tags, i, out);
        haveForBe(t, tags, i, out);
        beFeelingBase(t, tags, i, out);
        feelingWithoutObject(t, tags, i, out);
    }
}

void TransitivityRules::riseWithObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "rise" goes up by itself; what someone lifts, brings up or collects is "raised":
    // "rise a family", "rise money", "rise the price", "taxes will be risen"
    static const std::unordered_map<std::string, std::string> raise = {
        {"rise", "raise"}, {"rises", "raises"}, {"rose", "raised"}, {"risen", "raised"}, {"rising", "raising"}};
    static const Set objects = {"family", "families", "children", "child", "kids", "money", "funds", "fund",
                                "awareness", "question", "questions", "issue", "issues", "concern", "concerns",
                                "price", "prices", "tax", "taxes", "salary", "salaries", "wages", "standard",
                                "standards", "voice", "voices", "hand", "hands", "flag", "animals", "cattle", "pigs",
                                "chickens", "crops", "capital", "alarm", "objection", "objections", "doubts", "fees",
                                "cost", "costs", "rent", "interest", "income", "level", "quality"};
    const Set &pronouns = WordClasses::words(WordClass::PlainObject);
    const auto form = raise.find(t[size_t(i)].lower);
    if (form == raise.end() || t[size_t(i)].isCapitalised())
        return;
    const std::string prev = R::lowerAt(t, i - 1);
    const bool passive = (prev == "be" || prev == "been" || prev == "being")
        && (form->first == "risen" || form->first == "rose");
    bool object = false;
    // "rising" before a noun is mostly an adjective ("rising oil costs"): a verb only after "be" or "by"
    static const Set beforeRising = {"am", "is", "are", "was", "were", "be", "been", "by", "about"};
    if (form->first == "rising" && !beforeRising.count(prev))
        return;
    if (!passive) {
        if (!R::tagIs(tags, i, "VB") && !R::tagIs(tags, i, "NN"))
            return; // the tagger may read "rise" before a noun as a noun ("the rise the price")
        if (R::tagIs(tags, i - 1, "DT") || R::tagIs(tags, i - 1, "JJ") || R::tagIs(tags, i - 1, "PRP$")
            || m_lex.isDeterminer(prev) || (R::tagIs(tags, i, "NN") && R::tagIs(tags, i - 1, "IN")))
            return; // "a rise in prices", "the sharp rise", "the rise the price caused"
        int k = i + 1;
        if (pronouns.count(R::lowerAt(t, k))) {
            object = true;
        } else {
            // a determiner or a possessive, adjectives and nouns, then the thing raised ("the gas tax")
            if (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$"))
                ++k;
            for (int n = 0; n < 3 && !object && k < int(t.size()); ++n, ++k) {
                object = objects.count(R::lowerAt(t, k)) > 0;
                if (!(R::tagIs(tags, k, "JJ") && !R::tagIs(tags, k, "JJR")) && !R::tagIs(tags, k, "NN"))
                    break;
            }
            object = object && !R::timePhraseAt(t, i + 1);
        }
    }
    if (!passive && !object)
        return;
    out->push_back(R::replace(t, i, i, R::caseLike(t[size_t(i)], form->second), "GRAMMAR", "rise_raise", 2));
}

void TransitivityRules::raiseWithoutObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "Prices raise every year", "The price raised sharply" -> "rise", "rose": a thing that goes
    // up by itself rises; "raise" needs an object
    static const std::unordered_map<std::string, std::string> rise = {
        {"raise", "rise"}, {"raises", "rises"}, {"raised", "rose"}, {"raising", "rising"}};
    static const Set after = {"sharply", "rapidly", "quickly", "steadily", "dramatically", "significantly",
                              "slowly", "gradually", "greatly", "again", "every", "each", "year", "continuously"};
    const auto form = rise.find(t[size_t(i)].lower);
    if (form == rise.end())
        return;
    // "The temperature has raised" -> "risen"
    const std::string prev = R::lowerAt(t, i - 1);
    const bool perfect = (prev == "has" || prev == "have" || prev == "had") && form->first == "raised";
    const int s = perfect ? i - 2 : i - 1;
    if (!R::tagIs(tags, s, "NN") || (s > 0 && t[size_t(s)].isCapitalised()))
        return;
    const int n = i + 1;
    const bool ends = n >= int(t.size()) || (t[size_t(n)].kind == Token::Punct && t[size_t(n)].text != "-");
    if (!ends && !after.count(R::lowerAt(t, n)))
        return;
    // "The temperature has raised" -> "risen"; "the children raised there" needs a person: things only
    static const Set things = {"price", "prices", "cost", "costs", "temperature", "temperatures", "level", "levels",
                               "number", "rate", "rates", "sea", "water", "tax", "taxes", "salary", "salaries",
                               "population", "demand", "sales", "income", "rent", "fees", "value", "unemployment"};
    if (!things.count(t[size_t(s)].lower))
        return;
    out->push_back(R::replace(t, i, i, perfect ? "risen" : form->second, "GRAMMAR", "rise_raise", 2));
}

void TransitivityRules::enjoyWithoutObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I enjoyed very much" -> "enjoyed it very much": "enjoy" needs what is enjoyed
    static const Set forms = {"enjoy", "enjoys", "enjoyed"};
    static const Set degree = {"very", "so", "greatly", "too"};
    if (!forms.count(t[size_t(i)].lower) || !R::tagIs(tags, i, "VB"))
        return;
    const std::string next = R::lowerAt(t, i + 1);
    const bool aLot = next == "a" && R::lowerAt(t, i + 2) == "lot";
    if (!aLot && !(degree.count(next) && R::lowerAt(t, i + 2) == "much"))
        return;
    out->push_back(R::replace(t, i, i, t[size_t(i)].text + " it", "GRAMMAR", "enjoy_object", 2));
}

void TransitivityRules::haveForBe(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "The school has located in the city", "I have satisfied with it", "father has handicapped."
    // -> "is located", "am satisfied": a state described by a participle takes "be"; "have" with it
    // would need an object ("have tired of it" grows tired: "tire" goes without one)
    static const std::unordered_map<std::string, std::string> toBe = {{"has", "is"}, {"have", "are"}, {"had", "was"}};
    static const Set states = {"located", "situated", "based", "handicapped", "disabled", "injured", "married",
                               "interested", "satisfied", "bored", "excited", "disappointed", "confused", "worried",
                               "surprised", "shocked", "frightened", "scared", "amazed", "embarrassed"};
    const auto be = toBe.find(t[size_t(i)].lower);
    if (be == toBe.end() || !states.count(R::lowerAt(t, i + 1))
        || (!R::tagIs(tags, i - 1, "NN") && !R::tagIs(tags, i - 1, "PRP")))
        return;
    const std::string subject = R::lowerAt(t, i - 1);
    if (subject == "it" && R::lowerAt(t, i + 1) != "located" && R::lowerAt(t, i + 1) != "situated")
        return; // "it has interested me"
    // what follows shows a state: a place after located/situated/based, "with"/"in"/"about" after a
    // feeling, or the end of the clause ("has married" alone is the event: married only before "to")
    const std::string w = R::lowerAt(t, i + 1), next = R::lowerAt(t, i + 2);
    const bool place = (w == "located" || w == "situated" || w == "based") && (next == "in" || next == "at" || next == "on"
                                                                                || next == "near");
    const bool feeling = (next == "with" || next == "about" || next == "in" || next == "of" || next == "at")
        && w != "married" && w != "injured" && w != "located" && w != "situated" && w != "based";
    const bool ends = (i + 2 >= int(t.size()) || t[size_t(i) + 2].kind == Token::Punct)
        && (w == "handicapped" || w == "disabled");
    const bool marriedTo = w == "married" && next == "to";
    if (!place && !feeling && !ends && !marriedTo)
        return;
    std::string fix = be->second;
    if (subject == "i")
        fix = be->first == "had" ? "was" : "am";
    else if (be->first == "had" && (R::tagIs(tags, i - 1, "NNS") || subject == "we" || subject == "they" || subject == "you"))
        fix = "were";
    out->push_back(R::replace(t, i, i, fix, "GRAMMAR", "have_be", 2));
}

void TransitivityRules::lieLay(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I want to lay down", "The book lays on the table", "I was laying on the bed" -> lie, lies,
    // lying: to rest somewhere is "lie"; "lay" puts something down ("lay the book on the table")
    static const Set places = {"down", "on", "in", "there", "here", "around", "awake", "still", "back"};
    const std::string &w = t[size_t(i)].lower;
    const std::string prev = R::lowerAt(t, i - 1);
    if (!places.count(R::lowerAt(t, i + 1)) || t[size_t(i)].isCapitalised())
        return;
    // "lay down the rules": an object after the particle; "laying on the charm": "on" and "in"
    // only before a place to rest
    const std::string particle = R::lowerAt(t, i + 1);
    if (R::tagIs(tags, i + 2, "DT") && particle == "down")
        return;
    static const Set restingPlaces = {"bed", "floor", "ground", "sofa", "couch", "grass", "beach", "sand", "back",
                                      "side", "stomach", "table", "desk", "shelf", "bench"};
    if ((particle == "on" || particle == "in")
        && !restingPlaces.count(R::lowerAt(t, i + 2)) && !restingPlaces.count(R::lowerAt(t, i + 3)))
        return;
    static const Set baseBefore = {"to", "can", "could", "will", "would", "should", "must", "may", "might", "don't",
                                   "didn't", "let's"};
    static const Set beBefore = {"am", "is", "are", "was", "were", "be", "been"};
    std::string fix;
    if (w == "lay" && baseBefore.count(prev))
        fix = "lie";
    else if (w == "lays" && R::tagIs(tags, i - 1, "NN") && !R::tagIs(tags, i - 1, "NNS"))
        fix = "lies";
    else if (w == "laying" && beBefore.count(prev))
        fix = "lying";
    if (fix.empty())
        return;
    out->push_back(R::replace(t, i, i, fix, "GRAMMAR", "lie_lay", 2));
}

void TransitivityRules::beFeelingBase(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I am interest in music", "She is very worry about it" -> "interested", "worried"
    static const Set be = {"am", "is", "are", "was", "were", "be", "been", "i'm", "we're", "they're", "you're",
                           "he's", "she's"};
    static const Set degree = {"very", "so", "really", "quite", "too", "more", "not", "always", "also", "still",
                               "never", "often", "extremely", "deeply"};
    if (!be.count(t[size_t(i)].lower))
        return;
    // a person feels: a personal pronoun or a noun for people, not "it is concern for"
    const std::string subject = R::lowerAt(t, i - 1);
    const bool contracted = t[size_t(i)].lower.find('\'') != std::string::npos;
    const bool person = contracted || (R::isSubjectPronoun(subject) && subject != "it")
        || ((subject == "be" || subject == "been") && R::isSubjectPronoun(R::lowerAt(t, i - 2)));
    const bool modalBe = (subject == "will" || subject == "would" || subject == "can" || subject == "may"
                          || subject == "might" || subject == "must" || subject == "should")
        && R::isSubjectPronoun(R::lowerAt(t, i - 2)) && R::lowerAt(t, i - 2) != "it";
    if (!person && !modalBe && !R::tagIs(tags, i - 1, "NNS"))
        return;
    int v = i + 1;
    while (degree.count(R::lowerAt(t, v)) && v < i + 3)
        ++v;
    const std::string w = R::lowerAt(t, v);
    if (!isFeelingVerb(w) || t[size_t(v)].isCapitalised() || !feelingComplement(t, v + 1))
        return;
    out->push_back(R::replace(t, v, v, m_lex.participleOf(w), "GRAMMAR", "feeling_passive", 2));
}

void TransitivityRules::feelingWithoutObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "The more I satisfy", "I satisfy with my job" -> "I am satisfied": the verb needs the
    // one it acts on; the person who feels takes the passive
    const std::string base = feelingWithoutObjectAt(m_lex, t, i);
    if (base.empty())
        return;
    const int v = i + 1;
    const std::string &subject = t[size_t(i)].lower, &w = t[size_t(v)].lower;
    // "interested" may be the past or the participle the learner meant: the rest of the
    // sentence gives the time; with none, a condition is in the present ("If they
    // interested in music" -> "are") and otherwise the form says it
    const int time = timeOfOtherVerbs(t, tags, v);
    const bool conditional = std::any_of(t.begin(), t.begin() + i, [](const Token &k) { return k.is("if") || k.is("unless"); });
    const bool past = time > 0 || (time == 0 && !conditional && w != base && w == m_lex.pastOf(base));
    const bool third = subject == "he" || subject == "she";
    const char *beForm = past ? (subject == "i" || third ? "was" : "were")
                              : subject == "i" ? "am" : third ? "is" : "are";
    const std::string fix = t[size_t(i)].text + " " + beForm + " " + m_lex.participleOf(base);
    out->push_back(R::replace(t, i, v, fix, "GRAMMAR", "feeling_passive", 2));
}

} // namespace PennovaChecker
