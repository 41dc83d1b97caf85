#include "agreementrules.h"

#include "articlerules.h"
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

// Heads whose number follows their meaning or the noun after "of".
const Set &looseHeads()
{
    static const Set s = {"police", "staff", "people", "family", "team", "government", "class", "couple", "majority",
                          "minority", "number", "group", "audience", "crowd", "committee", "public", "crew", "cattle",
                          "data", "media", "series", "species", "rest", "variety", "lot", "lots", "percent", "half",
                          "total", "remainder", "kind", "kinds", "sort", "type", "part", "portion", "bunch", "pair",
                          "set", "range", "plenty", "quarter", "third", "fraction", "proportion",
                          "percentage", "means", "headquarters", "board", "council", "army", "youth",
                          "generation", "band", "company", "jury", "faculty", "population", "community", "mass",
                          "host", "handful", "none", "all", "some", "most", "any", "each", "one", "per", "cent"};
    return s;
}

// Plurals without -s.
const Set &adjectivePeople()
{
    static const Set s = {"elderly", "poor", "rich", "unemployed", "disabled", "homeless", "wealthy", "needy",
                          "handicapped", "injured", "wounded"};
    return s;
}

const Set &plainPlurals()
{
    static const Set s = {"people", "children", "men", "women"};
    return s;
}

const Set &everyPronouns()
{
    static const Set s = {"everyone", "everybody", "everything", "someone", "somebody", "something", "nobody",
                          "anyone", "anybody", "nothing"};
    return s;
}

// School subjects and languages: singular without an article.
const Set &subjectNames()
{
    static const Set s = {"english", "math", "maths", "mathematics", "physics", "chemistry", "biology",
                          "geography", "history", "music", "economics", "science", "homework", "knowledge",
                          "information", "money", "education", "technology", "pollution", "traffic", "health"};
    return s;
}

const Set &adverbsBetween()
{
    static const Set s = {"there", "here", "also", "all", "still", "really", "often", "usually", "always",
                          "sometimes", "never", "both", "now", "today", "nowadays", "just", "only", "even",
                          "actually", "rarely", "seldom", "hardly"};
    return s;
}

bool isNounTag(const std::vector<std::string> &tags, int i)
{
    return R::tagIs(tags, i, "NN") && !R::tagIs(tags, i, "NNP");
}

bool isModifierTag(const std::vector<std::string> &tags, int i)
{
    return R::tagIs(tags, i, "JJ") || R::tagIs(tags, i, "CD") || R::tagIs(tags, i, "VBN") || R::tagIs(tags, i, "HYPH");
}

// A simple noun phrase from k: determiner, modifiers, nouns. Returns its last token
// (*head = the last noun) or -1.
int nounPhrase(const std::vector<Token> &t, const std::vector<std::string> &tags, int k, int *head)
{
    const int n = int(t.size());
    if (k < n && (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$")))
        ++k;
    *head = -1;
    int last = -1;
    while (k < n && (isModifierTag(tags, k) || isNounTag(tags, k) || R::tagIs(tags, k, "RB"))) {
        if (isNounTag(tags, k))
            *head = k;
        else if (*head >= 0)
            break; // a noun ends the phrase
        // two adjectives joined: "female and male students"
        if (*head < 0 && R::tagIs(tags, k, "JJ") && (R::lowerAt(t, k + 1) == "and" || R::lowerAt(t, k + 1) == "or")
            && R::tagIs(tags, k + 2, "JJ"))
            k += 2;
        last = k++;
    }
    return last >= 0 ? *head : -1;
}

// The end of a phrase after a head's prepositional phrase ends at end: a second bare noun
// joined by "and" ("of girls and boys") and one more place phrase ("of cars in big cities").
// *plural is set when the joined noun is plural.
int phraseTail(const std::vector<Token> &t, const std::vector<std::string> &tags, int end, bool *plural)
{
    static const Set places = {"in", "at", "from", "on", "near", "around", "across", "inside", "outside"};
    int head = -1;
    const std::string joiner = R::lowerAt(t, end + 1);
    if ((joiner == "and" || joiner == "or") && !R::tagIs(tags, end + 2, "DT") && !R::tagIs(tags, end + 2, "PRP$")) {
        const int joined = nounPhrase(t, tags, end + 2, &head);
        if (joined >= 0 && R::lowerAt(t, joined + 1) != "of") {
            *plural = *plural || R::tagIs(tags, head, "NNS");
            end = joined;
        }
    }
    if (places.count(R::lowerAt(t, end + 1)) && R::tagIs(tags, end + 1, "IN")) {
        const int place = nounPhrase(t, tags, end + 2, &head);
        if (place >= 0 && R::lowerAt(t, place + 1) != "of")
            end = place;
    }
    return end;
}

bool clauseStart(const std::vector<Token> &t, int i)
{
    if (i == 0)
        return true;
    const Token &p = t[size_t(i) - 1];
    if (p.kind == Token::Punct)
        return p.text == "," || p.text == ";" || p.text == ":" || p.text == "(";
    static const Set joiners = {"and", "but", "because", "so", "although", "though", "while", "whereas", "since",
                                "when", "if", "that"};
    // at the very start "That"/"So" may be a determiner or an adverb: "That car is"
    return joiners.count(p.lower) != 0 && (i >= 2 || (p.lower != "that" && p.lower != "so"));
}

} // namespace

// "Pollution cause diseases", "Surveillance technology bring benefits": a bare singular noun
// phrase of lower-case common nouns right before a plain present verb. Collective heads
// ("Staff want"), -ing forms ("Swimming help": a gerund may be read either way) and words the
// lexicon does not know as nouns (names at the start) are left alone.
bool AgreementRules::bareSingularSubject(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                         int *phraseEnd) const
{
    int end = *phraseEnd;
    // the tagger reads a plain verb after a noun as part of a compound ("Pollution cause many
    // diseases"): a verb base before a determiner, a pronoun or a quantity ends the subject
    static const Set quantities = {"many", "more", "much", "most", "less", "few", "several", "some", "a", "an", "the"};
    int verbAt = end + 1;
    bool split = false;
    if (end > i && R::tagIs(tags, end, "NN") && m_lex.isCommonVerbBase(R::lowerAt(t, end))
        && (R::tagIs(tags, end + 1, "PRP") || R::tagIs(tags, end + 1, "PRP$") || quantities.count(R::lowerAt(t, end + 1)))) {
        verbAt = end--;
        split = true;
    }
    if (end < i || end - i > 2)
        return false;
    for (int k = i; k <= end; ++k) {
        const std::string &w = R::lowerAt(t, k);
        const bool nameTag = R::tagIs(tags, k, "NNP") && !(k == 0 && end > 0);
        if (!(R::tagIs(tags, k, "NN") || R::tagIs(tags, k, "JJ")) || nameTag || R::tagIs(tags, k, "NNS")
            || (k > 0 && t[size_t(k)].isCapitalised()) || t[size_t(k)].isAllCaps() || w.size() < 3
            || (k == end && !m_lex.isPos(w, Lexicon::Noun)))
            return false;
    }
    const std::string &head = R::lowerAt(t, end);
    const std::string &verb = R::lowerAt(t, verbAt);
    if (!R::tagIs(tags, end, "NN") || R::tagIs(tags, end, "NNP") || looseHeads().count(head)
        || head.compare(head.size() - 3, 3, "ing") == 0 || head.back() == 's' || m_lex.isCommonVerbBase(head)
        || ArticleRules::rarelyBare(m_counts, head, nullptr))
        return false; // ("therapist need": the noun wants an article or a plural, not the verb an -s)
    const bool plainVerb = R::tagIs(tags, verbAt, "VBP") || R::tagIs(tags, verbAt, "VB") || split;
    if (!plainVerb || !(m_lex.isCommonVerbBase(verb) || m_lex.isPlainVerbOnly(verb)) || verb == "be" || m_lex.baseEqualsPast(verb)
        || R::tagIs(tags, verbAt + 1, "VB"))
        return false;
    *phraseEnd = end;
    return true;
}

AgreementRules::Subject AgreementRules::subjectAt(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                  int i) const
{
    Subject s;
    const std::string w = R::lowerAt(t, i);
    if (w.empty())
        return s;
    int head = -1;
    if (everyPronouns().count(w)) {
        s = {i, Singular, "agreement_every", 3};
    } else if ((w == "every" || w == "each") && (R::tagIs(tags, i + 1, "NN") || R::tagIs(tags, i + 1, "JJ"))) {
        const int end = nounPhrase(t, tags, i + 1, &head);
        if (end < 0 || R::tagIs(tags, head, "NNS"))
            return s;
        s = {end, Singular, "agreement_every", 3};
    } else if ((w == "one" || w == "each" || w == "either" || w == "neither") && R::lowerAt(t, i + 1) == "of") {
        if (R::lowerAt(t, i - 1) == "the" || R::lowerAt(t, i - 1) == "no")
            return s; // "the one of ..." is rare; "no one of" is another phrase
        int end = nounPhrase(t, tags, i + 2, &head);
        if (end < 0 && (R::lowerAt(t, i + 2) == "them" || R::lowerAt(t, i + 2) == "us" || R::lowerAt(t, i + 2) == "you"))
            end = i + 2;
        else if (end < 0 || !R::tagIs(tags, head, "NNS"))
            return s;
        s = {end, Singular, "agreement_one_of", w == "one" || w == "each" ? 3 : 2};
    } else if ((w == "most" || w == "all" || w == "many" || w == "both" || w == "several" || w == "few"
                || w == "some")
               && R::lowerAt(t, i + 1) == "of") {
        // "Most of my friends likes music", "All of them is": the plural after "of" decides
        const std::string &object = R::lowerAt(t, i + 2);
        int end = nounPhrase(t, tags, i + 2, &head);
        if (end < 0 && (object == "them" || object == "us" || object == "you"))
            end = head = i + 2;
        else if (end < 0 || !R::tagIs(tags, head, "NNS") || looseHeads().count(R::lowerAt(t, head)))
            return s;
        s = {end, Plural, "agreement_of_phrase", 2};
    } else if (w == "more" && R::lowerAt(t, i + 1) == "and" && R::lowerAt(t, i + 2) == "more") {
        // "more and more people is" -> "are"
        const int end = nounPhrase(t, tags, i + 3, &head);
        const std::string noun = R::lowerAt(t, head);
        const bool persons = noun == "people" || noun == "children";
        if (end < 0 || !(R::tagIs(tags, head, "NNS") || persons) || (looseHeads().count(noun) && !persons))
            return s;
        s = {end, Plural, "sv_agreement", 2};
    } else if ((w == "a" && (R::lowerAt(t, i + 1) == "lot" || R::lowerAt(t, i + 1) == "number"
                             || R::lowerAt(t, i + 1) == "couple") && R::lowerAt(t, i + 2) == "of")
               || ((w == "lots" || w == "plenty") && R::lowerAt(t, i + 1) == "of")) {
        // "A lot of people is" -> "are": the plural after the quantity decides
        const int of = w == "a" ? i + 2 : i + 1;
        const int end = nounPhrase(t, tags, of + 1, &head);
        if (end < 0 || !R::tagIs(tags, head, "NNS"))
            return s;
        s = {end, Plural, "agreement_of_phrase", 2};
    } else if (w == "both" && R::lowerAt(t, i + 1) != "of") {
        // "Both Facebook and Instagram is": two things joined under "both" are plural
        const auto phraseOrName = [&](int k) {
            int end = nounPhrase(t, tags, k, &head);
            for (; end < 0 && k < int(t.size()) && R::tagIs(tags, k, "NNP") && t[size_t(k)].isCapitalised(); ++k)
                if (!R::tagIs(tags, k + 1, "NNP"))
                    end = k;
            return end;
        };
        const int first = phraseOrName(i + 1);
        if (first < 0 || R::lowerAt(t, first + 1) != "and")
            return s;
        const int end = phraseOrName(first + 2);
        if (end < 0)
            return s;
        s = {end, Plural, "sv_agreement", 2};
    } else if (w == "the" && adjectivePeople().count(R::lowerAt(t, i + 1)) && !isNounTag(tags, i + 2)
               && !R::tagIs(tags, i + 2, "JJ")) {
        // "The elderly is", "the poor has": an adjective for a group of people is plural
        s = {i + 1, Plural, "sv_agreement", 2};
    } else if (subjectNames().count(w) && t[size_t(i)].isCapitalised() == (i == 0 || w == "english")
               && !R::tagIs(tags, i + 1, "NN")) {
        s = {i, Singular, "agreement_uncountable", 2};
    } else if (const bool marked = R::tagIs(tags, i, "DT") || R::tagIs(tags, i, "PRP$") || R::tagIs(tags, i, "NNS")
                   || R::tagIs(tags, i, "JJ")
                   || (R::tagIs(tags, i, "VBN") && R::tagIs(tags, i + 1, "NNS")) // "endangered animals"
                   || (isNounTag(tags, i) && R::tagIs(tags, i + 1, "NNS") && i + 1 < int(t.size()) // "pirate copies"
                       && !t[size_t(i) + 1].isCapitalised() && (i == 0 || !t[size_t(i)].isCapitalised()));
               marked || (R::tagIs(tags, i, "NN") && !R::tagIs(tags, i, "NNP") && (i == 0 || !t[size_t(i)].isCapitalised()))) {
        if (R::tagIs(tags, i, "DT") && w != "the" && w != "this" && w != "that" && w != "these" && w != "those"
            && w != "a" && w != "an")
            return s; // "some", "all", "no" ... agree either way
        int end = nounPhrase(t, tags, i, &head);
        // "Several country have": the count word's plural is the writer's meaning; the noun is
        // the slip, not the verb
        static const Set counting = {"several", "many", "few", "various", "numerous", "both", "these", "those",
                                     "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"};
        for (int k = i; k >= 0 && k < head; ++k)
            if (counting.count(R::lowerAt(t, k)) || (R::tagIs(tags, k, "CD") && R::lowerAt(t, k) != "one"
                                                     && R::lowerAt(t, k) != "1"))
                return s;
        bool verbNext = false;
        // "My father work in a factory": after a noun for a person, a verb the tagger joined to
        // the phrase as a compound ("father work") before a preposition, an object or an adverb
        static const Set persons = {"father", "mother", "brother", "sister", "friend", "teacher", "son", "daughter",
                                    "boss", "uncle", "aunt", "grandfather", "grandmother", "husband", "wife",
                                    "cousin", "neighbour", "neighbor", "classmate", "roommate", "dad", "mom", "mum"};
        if (end >= i + 1 && end == head && persons.count(R::lowerAt(t, head - 1)) && R::tagIs(tags, head, "NN")
            && !R::tagIs(tags, head, "NNS") && m_lex.isCommonVerbBase(R::lowerAt(t, head))
            && (R::tagIs(tags, head + 1, "IN") || R::tagIs(tags, head + 1, "DT") || R::tagIs(tags, head + 1, "PRP")
                || R::tagIs(tags, head + 1, "RB"))
            && R::lowerAt(t, head + 1) != "of") {
            --end;
            --head;
            verbNext = true;
        }
        // "The number of students are", "the percentage of women are": after "the" a measure is
        // singular whatever follows ("a number of" is not; "the majority of" follows its noun)
        static const Set measures = {"number", "percentage", "proportion", "total"};
        if (end == head && w == "the" && measures.count(R::lowerAt(t, head)) && R::lowerAt(t, end + 1) == "of"
            && (end == i + 1 || R::tagIs(tags, end - 1, "JJ"))) {
            int ofHead = -1;
            const int ofEnd = nounPhrase(t, tags, end + 2, &ofHead);
            bool plural = R::tagIs(tags, ofHead, "NNS");
            const int tail = ofEnd >= 0 ? phraseTail(t, tags, ofEnd, &plural) : -1;
            if (tail >= 0 && plural)
                return {tail, Singular, "agreement_of_phrase", 2};
            return s;
        }
        // "people", "children": plurals without -s ("a people" is one nation)
        const bool plainPlural = end >= 0 && plainPlurals().count(R::lowerAt(t, head)) && w != "a" && w != "an";
        if (end < 0 || (looseHeads().count(R::lowerAt(t, head)) && !plainPlural))
            return s;
        const bool determined = R::tagIs(tags, i, "DT") || R::tagIs(tags, i, "PRP$");
        const bool plural = R::tagIs(tags, head, "NNS") || plainPlural;
        if ((!determined && !plural) || !marked) {
            const int phraseEnd = end;
            if (!bareSingularSubject(t, tags, i, &end))
                return s; // a bare singular may be a gerund or a name
            verbNext = verbNext || end != phraseEnd;
        }
        const std::string &h = R::lowerAt(t, head);
        if (plural && !plainPlural && (h.size() < 3 || h.compare(h.size() - 1, 1, "s") != 0 || h.compare(h.size() - 3, 3, "ics") == 0))
            return s; // irregular or "-ics" subject names: left to the word lists
        bool of = false;
        // "The price of the books are", "The teachers in my school is": the head decides, not
        // the noun of the phrase after it
        static const Set prepositions = {"of", "in", "at", "from", "on", "with", "near", "around", "inside",
                                         "outside", "under", "across"};
        if (prepositions.count(R::lowerAt(t, end + 1)) && R::tagIs(tags, end + 1, "IN")) {
            int ofHead = -1;
            int ofEnd = nounPhrase(t, tags, end + 2, &ofHead);
            // an -ing form and its object after "of": "The figures of consuming the electricity is"
            if (ofEnd < 0 && R::lowerAt(t, end + 1) == "of" && R::tagIs(tags, end + 2, "VBG"))
                ofEnd = nounPhrase(t, tags, end + 3, &ofHead);
            // a name after the preposition: "My friends in New York is"
            for (int k = end + 2; ofEnd < 0 && k < int(t.size()) && R::tagIs(tags, k, "NNP") && t[size_t(k)].isCapitalised(); ++k)
                if (!R::tagIs(tags, k + 1, "NNP"))
                    ofEnd = k;
            if (ofEnd < 0)
                return s;
            // "of fuel force us": a noun before an object pronoun is the verb, not part of the phrase
            const Set &objects = WordClasses::words(WordClass::PlainObject);
            if (ofEnd > end + 2 && objects.count(R::lowerAt(t, ofEnd + 1)) && R::tagIs(tags, ofEnd, "NN"))
                --ofEnd;
            of = R::lowerAt(t, end + 1) == "of";
            bool joinedPlural = false;
            end = phraseTail(t, tags, ofEnd, &joinedPlural);
        }
        s = {end, plural ? Plural : Singular, of ? "agreement_of_phrase" : "sv_agreement", 2};
        s.verbNext = verbNext;
    }
    return s;
}

std::string AgreementRules::agreeing(const std::vector<Token> &t, const std::vector<std::string> &tags, int v,
                                     Number number, bool sureSubject) const
{
    static const std::unordered_map<std::string, std::string> toSingular = {
        {"are", "is"}, {"were", "was"}, {"have", "has"}, {"do", "does"}, {"don't", "doesn't"},
        {"aren't", "isn't"}, {"weren't", "wasn't"}, {"haven't", "hasn't"}};
    static const std::unordered_map<std::string, std::string> toPlural = {
        {"is", "are"}, {"was", "were"}, {"has", "have"}, {"does", "do"}, {"doesn't", "don't"},
        {"isn't", "aren't"}, {"wasn't", "weren't"}, {"hasn't", "haven't"}};
    const std::string w = R::lowerAt(t, v);
    const auto &table = number == Singular ? toSingular : toPlural;
    auto it = table.find(w);
    if (it != table.end())
        return it->second;
    // "like" after an every-subject is read as IN by the tagger; a word followed by
    // another verb is a noun ("The reference work pointed to")
    // and "like" before "to" or -ing ("My friend like to swim") is the verb
    const bool likeVerb = w == "like" && (sureSubject || R::tagIs(tags, v + 1, "TO") || R::tagIs(tags, v + 1, "VBG"));
    const bool bareVerb = (R::tagIs(tags, v, "VBP") || R::tagIs(tags, v, "VB") || likeVerb)
        && !R::tagIs(tags, v + 1, "VB") && !R::tagIs(tags, v + 1, "MD");
    if (number == Singular && bareVerb && m_lex.isCommonVerbBase(w) && w != "be"
        && !m_lex.baseEqualsPast(w) && !m_lex.isPastOfOther(w))
        return m_lex.thirdPerson(w);
    // a verb outside the common table ("the professor oppose"): a WordNet verb only, whose
    // -s form is a common word
    if (number == Singular && bareVerb && R::tagIs(tags, v, "VBP") && m_lex.isPlainVerbOnly(w))
        return m_lex.thirdPerson(w);
    // any WordNet verb with an object pronoun after it: "This amount of fuel force us"
    const std::string object = R::lowerAt(t, v + 1);
    // (the tagger may call it a noun: "fuel force" reads as a compound to it)
    if (number == Singular && (R::tagIs(tags, v, "VBP") || R::tagIs(tags, v, "VB") || R::tagIs(tags, v, "NN"))
        && w.size() > 2 && (object == "us" || object == "me" || object == "him" || object == "them") && m_lex.isPos(w, Lexicon::Verb)
        && !m_lex.baseEqualsPast(w) && m_lex.baseOf(w).empty())
        return m_lex.thirdPerson(w);
    if (number == Plural && R::tagIs(tags, v, "VBZ")) {
        const std::string base = m_lex.baseOfThird(w);
        return base == w || base == "be" ? std::string() : base;
    }
    return {};
}

void AgreementRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           std::vector<Finding> *out) const
{
    if (tags.empty() || tags[0].empty())
        return;
    subjects(t, tags, out);
    relativeAgreement(t, tags, out);
    gerundSubject(t, tags, out);
    thereBe(t, tags, out);
    determinerNumber(t, tags, out);
}

void AgreementRules::determinerNumber(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                      std::vector<Finding> *out) const
{
    static const Set quantities = {"few", "lot", "couple", "number", "great", "good", "dozen", "hundred",
                                   "thousand", "million", "series", "means", "species", "news", "variety",
                                   "pair", "total", "kind", "type", "sort"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const std::string &d = t[size_t(i)].lower;
        // "Every students like him" -> "Every student" ("every two weeks", "every few days" stay)
        if ((d == "every" || d == "each" || d == "another") && R::tagIs(tags, i + 1, "NNS")
            && !t[size_t(i) + 1].isCapitalised() && !quantities.count(R::lowerAt(t, i + 1))
            && !m_lex.isThirdPerson(R::lowerAt(t, i + 1))) {
            const std::string &noun = t[size_t(i) + 1].lower;
            const std::string single = noun.size() > 4 && noun.compare(noun.size() - 3, 3, "ies") == 0
                ? noun.substr(0, noun.size() - 3) + "y"
                : noun.size() > 3 && noun.back() == 's' && noun.compare(noun.size() - 2, 2, "ss") != 0
                ? noun.substr(0, noun.size() - 1)
                : std::string();
            // "Each faces ...": after the pronoun "each" a noun-verb word is its verb
            if (single.empty() || !m_lex.isPos(single, Lexicon::Noun) || R::tagIs(tags, i + 2, "NN")
                || (d == "each" && m_lex.isPos(single, Lexicon::Verb)))
                continue;
            // "another places": learners mostly mean several, "other places"
            if (d == "another")
                out->push_back(R::replace(t, i, i, "other", "GRAMMAR", "determiner_number", 2));
            else
                out->push_back(R::replace(t, i + 1, i + 1, single, "GRAMMAR", "determiner_number", 2));
            continue;
        }
        // "that kinds of problem" -> "those kinds of"; "one of this important element" -> "these"
        const std::string next = R::lowerAt(t, i + 1);
        if ((d == "this" || d == "that") && (next == "kinds" || next == "types" || next == "sorts")
            && R::lowerAt(t, i + 2) == "of") {
            out->push_back(R::replace(t, i, i, d == "this" ? "these" : "those", "GRAMMAR", "determiner_number", 2));
            continue;
        }
        if ((d == "this" || d == "that") && R::lowerAt(t, i - 1) == "of" && R::lowerAt(t, i - 2) == "one"
            && (R::tagIs(tags, i + 1, "JJ") || R::tagIs(tags, i + 1, "NN")) && !R::tagIs(tags, i + 1, "NNP")) {
            out->push_back(R::replace(t, i, i, d == "this" ? "these" : "those", "GRAMMAR", "determiner_number", 2));
            continue;
        }
        if ((d != "a" && d != "an" && d != "this") || !R::tagIs(tags, i, "DT"))
            continue;
        // "influenza A viruses": a capital A inside the sentence names a letter
        if (i > 0 && t[size_t(i)].isCapitalised() && t[size_t(i) - 1].kind == Token::Word)
            continue;
        int k = i + 1;
        // adjectives and -ing modifiers: "a beautiful places", "an advancing fires"
        while (k < int(t.size()) && (R::tagIs(tags, k, "JJ") || R::tagIs(tags, k, "VBG"))
               && !quantities.count(R::lowerAt(t, k)))
            ++k;
        if (k >= int(t.size()) || !R::tagIs(tags, k, "NNS") || quantities.count(R::lowerAt(t, k))
            || R::tagIs(tags, k + 1, "NN") || R::lowerAt(t, k + 1) == "of" || (k > i + 1 && R::tagIs(tags, k - 1, "CD")))
            continue;
        const std::string &noun = R::lowerAt(t, k);
        if (noun.size() < 4 || noun.back() != 's' || noun.compare(noun.size() - 2, 2, "ss") == 0
            || noun.compare(noun.size() - 3, 3, "ics") == 0 || t[size_t(k)].isCapitalised())
            continue;
        // nouns that keep their -s before another noun ("a savings account", "a singles win"),
        // the first part of a compound ("a hands-on class"), and an ordinal standing for a
        // noun before its verb ("a third dies")
        static const Set pluralModifiers = {"savings", "singles", "sales", "sports", "arts", "goods", "customs",
                                            "arms", "earnings", "humanities", "outskirts", "doubles"};
        static const Set ordinals = {"second", "third", "fourth", "fifth", "sixth", "seventh", "eighth", "ninth",
                                     "tenth", "last", "next", "first"};
        if (pluralModifiers.count(noun) || (k + 1 < int(t.size()) && t[size_t(k) + 1].text == "-")
            || (k > i + 1 && ordinals.count(R::lowerAt(t, k - 1)) && m_lex.isThirdPerson(noun)))
            continue;
        if (d == "this") {
            // a verb must follow: "this varies with ..." is a pronoun and a verb read as a plural;
            // a plural that cannot be a verb may also end a phrase ("thank this animals to")
            bool verbAfter = R::tagIs(tags, k + 1, "VB") || R::tagIs(tags, k + 1, "MD");
            const bool verbLike = m_lex.isThirdPerson(noun) || m_lex.isPos(noun.substr(0, noun.size() - 1), Lexicon::Verb)
                || m_lex.isPos(noun.substr(0, noun.size() - 2), Lexicon::Verb)
                || (noun.size() > 4 && m_lex.isPos(noun.substr(0, noun.size() - 3) + "y", Lexicon::Verb));
            // "This casts doubt on it": after a word that may be the pronoun's verb, what follows must
            // be a verb that cannot be its object
            const std::string after = R::lowerAt(t, k + 1);
            if (verbLike && verbAfter && !R::tagIs(tags, k + 1, "MD") && !m_lex.isAuxiliary(after)
                && m_lex.isPos(after, Lexicon::Noun))
                verbAfter = false;
            const bool phraseEnd = !verbLike
                && (R::tagIs(tags, k + 1, "TO") || R::tagIs(tags, k + 1, "IN") || R::tagIs(tags, k + 1, "CC")
                    || k + 1 >= int(t.size()) || t[size_t(k) + 1].kind == Token::Punct);
            if (k != i + 1 || !(verbAfter || phraseEnd))
                continue;
            out->push_back(R::replace(t, i, i, "these", "GRAMMAR", "determiner_number", 2));
        } else {
            // either may be the slip: "a products" is "products" or "a product"; right after the
            // article the finding covers both words and offers both, the article's deletion
            // first (not over a misspelling, whose own finding comes first)
            const std::string single = noun.compare(noun.size() - 3, 3, "ies") == 0
                ? noun.substr(0, noun.size() - 3) + "y"
                : noun.substr(0, noun.size() - 1);
            Finding f;
            if (k == i + 1 && m_lex.frequency(noun) > 0 && m_lex.isPos(single, Lexicon::Noun)
                && m_lex.frequency(single) > 0) {
                f = R::replace(t, i, k, R::caseLike(t[size_t(i)], t[size_t(k)].text), "GRAMMAR", "determiner_number", 2);
                Candidate one = R::replace(t, i, k, t[size_t(i)].text + " " + R::caseLike(t[size_t(k)], single),
                                           "GRAMMAR", "determiner_number", 2).candidates.front();
                one.score /= 2;
                f.candidates.push_back(one);
                out->push_back(f);
            } else if (R::deletion(t, i, "GRAMMAR", "determiner_number", 2, &f)) {
                out->push_back(f);
            }
        }
    }
}

void AgreementRules::subjects(const std::vector<Token> &t, const std::vector<std::string> &tags,
                              std::vector<Finding> *out) const
{
    // a fronted phrase without a comma ("In 2015 the figures is", "According to the graph the
    // numbers was", "In 2008 metals was"): a clause that opens with a preposition and no verb or
    // mark of its own has its subject at the first determiner after a noun or a number, or at a
    // plural right after the preposition's number or name ("At the heart of the D1S bulbs is" inverts)
    std::vector<int> frontedSubjects;
    static const Set subordinators = {"if", "because", "although", "though", "while", "whereas", "since", "that",
                                      "as", "when", "unless", "whether", "like", "than", "before", "after",
                                      "until", "so"};
    for (int c = 0; c + 1 < int(t.size()); ++c) {
        if (!clauseStart(t, c) || !((R::tagIs(tags, c, "IN") && !subordinators.count(R::lowerAt(t, c)))
                                    || (R::lowerAt(t, c) == "according" && R::lowerAt(t, c + 1) == "to")))
            continue;
        for (int k = c + 1; k < int(t.size()) && (t[size_t(k)].kind == Token::Word || t[size_t(k)].kind == Token::Number);
             ++k) {
            if (R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD"))
                break;
            const bool afterNoun = R::tagIs(tags, k - 1, "NN") || R::tagIs(tags, k - 1, "CD");
            const bool afterNumber = R::tagIs(tags, k - 1, "CD") || R::tagIs(tags, k - 1, "NNP");
            if (((R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$")) && afterNoun)
                || (R::tagIs(tags, k, "NNS") && !t[size_t(k)].isCapitalised() && afterNumber && k == c + 2)) {
                frontedSubjects.push_back(k);
                break;
            }
        }
    }
    for (int i = 0; i < int(t.size()); ++i) {
        // a sentence may open with an adverb and no comma: "Nowadays students is ..."
        if (!clauseStart(t, i) && !(i == 1 && R::tagIs(tags, 0, "RB") && t[0].isCapitalised())
            && std::find(frontedSubjects.begin(), frontedSubjects.end(), i) == frontedSubjects.end())
            continue;
        Subject s = subjectAt(t, tags, i);
        if (s.number == Unknown)
            continue;
        if (R::lowerAt(t, i - 1) == "and" || R::lowerAt(t, i - 1) == "or")
            continue; // "facilities and resources makes": half of a compound subject
        // "for journalists, artists, musicians doesn't": the last of a list of plurals
        if (i >= 3 && t[size_t(i) - 1].text == "," && R::tagIs(tags, i - 2, "NNS") && t[size_t(i) - 3].text == ",")
            continue;
        int v = s.end + 1;
        // "His ideas and plans is", "Movies and music is", "My exam and his exam is": nouns joined
        // by "and" are one plural subject (in Brown nine in ten such subjects of two singulars take
        // a plural verb, "trade and industrial training is" the rest)
        if (s.explain == std::string("sv_agreement") && R::lowerAt(t, v) == "and") {
            int head = -1;
            const int end = nounPhrase(t, tags, v + 1, &head);
            // two singulars only when the second is no compound: "research and development
            // approach" is one approach
            const bool plural = s.number == Plural || R::tagIs(tags, head, "NNS");
            const bool compound = head != end || (end > v + 1 && isNounTag(tags, end - 1));
            if (end < 0 || R::lowerAt(t, end + 1) == "of" || (!plural && compound)
                || (looseHeads().count(R::lowerAt(t, head)) && !plainPlurals().count(R::lowerAt(t, head))))
                continue;
            s.number = Plural;
            v = end + 1;
        }
        // one prepositional phrase after an every-subject: "Every student in my class"
        if (s.explain == std::string("agreement_every") && R::tagIs(tags, v, "IN") && R::lowerAt(t, v) != "that") {
            int head = -1;
            const int end = nounPhrase(t, tags, v + 1, &head);
            if (end < 0)
                continue;
            v = end + 1;
        }
        // a participle phrase between, before a form of be or have: "The quality mentioned in
        // the shops are", "People living in big cities is", "Students using phones has"
        bool afterParticiple = false;
        if ((R::tagIs(tags, v, "VBN") || R::tagIs(tags, v, "VBG")) && !t[size_t(v)].isCapitalised()
            && !t[size_t(s.end)].isAllCaps()) {
            int k = v + 1;
            int head = -1;
            // an -ing form's object opens with a determiner or is plural: "sounding suite" is a compound
            if (R::tagIs(tags, v, "VBG") && !R::tagIs(tags, k, "IN")) {
                const int object = nounPhrase(t, tags, k, &head);
                const bool marked = R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$") || R::tagIs(tags, head, "NNS");
                k = object < 0 || !marked ? -1 : object + 1;
            }
            for (int phrases = 0; k > 0 && phrases < 2 && R::tagIs(tags, k, "IN") && R::lowerAt(t, k) != "that"; ++phrases) {
                const int end = nounPhrase(t, tags, k + 1, &head);
                k = end < 0 ? -1 : end + 1;
            }
            static const Set beHave = {"is", "are", "was", "were", "has", "have"};
            if (k > v + 1 && beHave.count(R::lowerAt(t, k))) {
                v = k;
                afterParticiple = true;
            }
        }
        // a subject relative clause between, before a form of be or have: "People who live in
        // cities is", "The man who sold the cars were"
        if (!afterParticiple) {
            const int be = subjectClauseVerb(t, tags, v);
            if (be > v) {
                v = be;
                afterParticiple = true;
            }
        }
        // an object relative clause between: "The book which I bought yesterday are ..."
        const int relativeEnd = afterParticiple ? -1 : relativeClauseEnd(t, tags, v);
        const bool afterRelative = relativeEnd > v;
        if (afterRelative)
            v = relativeEnd + 1;
        if (adverbsBetween().count(R::lowerAt(t, v)))
            ++v;
        if (v >= int(t.size()) || t[size_t(v)].kind != Token::Word || t[size_t(v)].isCapitalised())
            continue;
        const Set &beForms = WordClasses::words(WordClass::NounBe);
        if (afterRelative && !beForms.count(t[size_t(v)].lower))
            continue;
        if (R::lowerAt(t, i - 1) == "if" && R::lowerAt(t, v) == "were")
            continue; // "if the price of books were lower": the subjunctive
        std::string fix = agreeing(t, tags, v, s.number, s.certainty >= 3);
        if (fix.empty() && s.verbNext && v == s.end + 1 && s.number == Singular && !m_lex.baseEqualsPast(t[size_t(v)].lower))
            fix = m_lex.thirdPerson(t[size_t(v)].lower);
        if (fix.empty())
            continue;
        out->push_back(R::replace(t, v, v, fix, "GRAMMAR", s.explain, s.certainty));
    }
}

int AgreementRules::subjectClauseVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int r) const
{
    const std::string w = R::lowerAt(t, r);
    if ((w != "which" && w != "that" && w != "who") || !(R::tagIs(tags, r, "WDT") || R::tagIs(tags, r, "WP")))
        return -1;
    // the clause's own finite verb, not one a clause may follow ("who think the city is safe")
    const int verb = r + 1;
    if (!(R::tagIs(tags, verb, "VBP") || R::tagIs(tags, verb, "VBZ") || R::tagIs(tags, verb, "VBD"))
        || m_lex.isAuxiliary(R::lowerAt(t, verb)) || m_lex.formInClass(WordClass::ClauseVerb, R::lowerAt(t, verb)))
        return -1;
    // then only an object, adverbs and phrases up to the next form of be or have
    static const Set beHave = {"is", "are", "was", "were", "has", "have"};
    for (int k = verb + 1; k < int(t.size()) && k <= verb + 7; ++k) {
        if (beHave.count(R::lowerAt(t, k)))
            return k > verb + 1 && !R::tagIs(tags, k - 1, "IN") ? k : -1;
        if (t[size_t(k)].kind != Token::Word
            || !(isModifierTag(tags, k) || isNounTag(tags, k) || R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$")
                 || R::tagIs(tags, k, "RB") || (R::tagIs(tags, k, "IN") && R::lowerAt(t, k) != "that"))
            || R::tagIs(tags, k, "NNP"))
            return -1;
    }
    return -1;
}

int AgreementRules::relativeClauseEnd(const std::vector<Token> &t, const std::vector<std::string> &tags, int r) const
{
    const std::string w = R::lowerAt(t, r);
    if ((w != "which" && w != "that" && w != "who" && w != "whom") || !(R::tagIs(tags, r, "WDT") || R::tagIs(tags, r, "WP")))
        return -1;
    const std::string subject = R::lowerAt(t, r + 1);
    if (!R::isSubjectPronoun(subject) || !(R::tagIs(tags, r + 2, "VBD") || R::tagIs(tags, r + 2, "VBP") || R::tagIs(tags, r + 2, "VBZ")))
        return -1;
    // the clause runs on to the next form of "be", within a few words and no punctuation
    for (int k = r + 3; k < int(t.size()) && k <= r + 7; ++k) {
        if (t[size_t(k)].kind != Token::Word || R::clauseBoundary(t[size_t(k)]) || R::tagIs(tags, k, "MD"))
            return -1;
        const std::string &x = t[size_t(k)].lower;
        if (x == "is" || x == "are" || x == "was" || x == "were")
            return k - 1;
    }
    return -1;
}

void AgreementRules::relativeAgreement(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                       std::vector<Finding> *out) const
{
    // adverbs that may stand between the pronoun and its verb
    static const Set adverbs = {"also", "often", "always", "usually", "still", "really", "just", "only", "never",
                                "sometimes", "even", "already", "mostly", "rarely", "seldom"};
    for (int r = 1; r + 1 < int(t.size()); ++r) {
        const std::string &w = t[size_t(r)].lower;
        if ((w != "who" && w != "which" && w != "that") || !(R::tagIs(tags, r, "WDT") || R::tagIs(tags, r, "WP")))
            continue;
        // "people, who is": "who" after a comma still describes the persons before it
        const int n = w == "who" && t[size_t(r) - 1].text == "," ? r - 2 : r - 1;
        if (n < 0 || (n < r - 1 && t[size_t(n)].isCapitalised()))
            continue;
        const std::string &noun = t[size_t(n)].lower;
        const bool plain = plainPlurals().count(noun) != 0;
        const bool plural = plain || (R::tagIs(tags, n, "NNS") && !(n > 0 && t[size_t(n)].isCapitalised()) && noun.size() >= 4
                                      && noun.back() == 's' && noun.compare(noun.size() - 2, 2, "ss") != 0
                                      && noun.compare(noun.size() - 3, 3, "ics") != 0 && !looseHeads().count(noun));
        // "a person who have", "everyone that like": one person before "who" (after a thing "that"
        // may open a clause of the noun's own: "a reason that ...")
        // (in Brown one such clause in fifteen takes a plural verb, nearly all after a group noun
        // or a noun of a phrase after the head, which are left alone)
        const bool pronoun = everyPronouns().count(noun) != 0;
        const bool single = w != "which" && (n == 0 || !t[size_t(n)].isCapitalised()) && (pronoun
            || (w == "who" && tags[size_t(n)] == "NN" && !looseHeads().count(noun) && !plainPlurals().count(noun)));
        if (!plural && !single)
            continue;
        // "one of the students who is", "a list of books which is": the clause may belong to
        // the noun before "of"
        int k = n - 1;
        while (!pronoun && k >= 0 && (isModifierTag(tags, k) || isNounTag(tags, k)))
            --k;
        const bool determined = k >= 0 && (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$"));
        if (determined)
            --k;
        if (single && !pronoun && !determined)
            continue; // a bare singular may be a mass noun the clause does not describe
        // a share or count before "of" does not take the clause: "20% of people who", "a lot of"
        const std::string before = k >= 1 ? t[size_t(k) - 1].lower : std::string();
        const bool share = plural && R::lowerAt(t, k) == "of"
            && ((!before.empty() && before.back() == '%') || before == "percent" || before == "lot" || before == "lots"
                || before == "most" || before == "many" || (R::tagIs(tags, k - 1, "CD") && before != "one"));
        if (k >= 0 && t[size_t(k)].kind == Token::Word && R::tagIs(tags, k, "IN") && !share)
            continue;
        // "the scenes and other views which adds": after "and" it may describe both, or the whole
        if (k >= 0 && (t[size_t(k)].lower == "and" || t[size_t(k)].lower == "or" || t[size_t(k)].lower == "but"))
            continue;
        int v = r + 1;
        if (adverbs.count(R::lowerAt(t, v)))
            ++v;
        if (v >= int(t.size()) || t[size_t(v)].kind != Token::Word || t[size_t(v)].isCapitalised())
            continue;
        // only a finite verb right after the pronoun: "which is", "who lives", "who have"
        const std::string &verb = t[size_t(v)].lower;
        // (after "who" the tagger may read an -s verb as a plural noun: "Students who studies")
        const bool sVerb = R::tagIs(tags, v, "VBZ") || (w == "who" && R::tagIs(tags, v, "NNS") && m_lex.isThirdPerson(verb));
        if (plural ? !sVerb && verb != "was" && verb != "wasn't"
                   : !R::tagIs(tags, v, "VBP") && !R::tagIs(tags, v, "VB") && verb != "like" && verb != "were"
                         && verb != "weren't")
            continue;
        std::string fix = agreeing(t, tags, v, plural ? Plural : Singular, pronoun);
        if (fix.empty() && plural && sVerb && !R::tagIs(tags, v, "VBZ")) {
            const std::string base = m_lex.baseOf(verb);
            fix = base == verb || base == "be" ? std::string() : base;
        }
        if (!fix.empty())
            out->push_back(R::replace(t, v, v, fix, "GRAMMAR", "agreement_relative", 2));
    }
}

void AgreementRules::gerundSubject(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    // "Smoking are bad for you" -> "is": an -ing subject is singular ("Following are the results" is inverted)
    if (t.size() < 3 || !t[0].isCapitalised())
        return;
    if (R::tagIs(tags, 0, "VBG") && t[0].lower != "following" && t[0].lower != "remaining") {
        const std::string be = R::lowerAt(t, 1);
        if (be == "are" || be == "were") {
            out->push_back(R::replace(t, 1, 1, be == "are" ? "is" : "was", "GRAMMAR", "sv_agreement", 2));
            return;
        }
    }
    // "Reading books make me happy", "To learn English need time": an activity with its object
    // is one subject ("Flying planes are" may be planes: only gerunds that head activities)
    static const Set activities = {"playing", "reading", "learning", "studying", "watching", "eating", "doing",
                                   "making", "taking", "using", "having", "keeping", "spending", "travelling",
                                   "traveling", "writing", "speaking", "helping", "smoking", "drinking", "surfing"};
    const bool gerund = activities.count(t[0].lower) > 0;
    const bool infinitive = t[0].lower == "to" && R::tagIs(tags, 1, "VB") && m_lex.isCommonVerbBase(t[1].lower);
    if (!gerund && !infinitive)
        return;
    static const Set languages = {"english", "chinese", "japanese", "french", "german", "math", "spanish"};
    int v = gerund ? 1 : 2;
    int nouns = 0;
    while (v < int(t.size()) && v <= 5 && (R::tagIs(tags, v, "DT") || R::tagIs(tags, v, "JJ") || R::tagIs(tags, v, "NN")
                                           || R::tagIs(tags, v, "PRP$"))) {
        // "Using this system boys have": a plural after a determined noun opens the clause's own subject
        if (R::tagIs(tags, v, "NNS") && R::tagIs(tags, v - 1, "NN") && !R::tagIs(tags, v - 1, "NNS")
            && (R::tagIs(tags, v - 2, "DT") || R::tagIs(tags, v - 2, "PRP$")))
            return;
        nouns += R::tagIs(tags, v, "NN") || languages.count(t[size_t(v)].lower) ? 1 : 0;
        ++v;
    }
    // "Learning English help us": the tagger joined the verb to the phrase before its object
    const Set &objectPronouns = WordClasses::words(WordClass::ObjectPronoun);
    if (v - 1 > 1 && R::tagIs(tags, v - 1, "NN") && !R::tagIs(tags, v - 1, "NNS") && objectPronouns.count(R::lowerAt(t, v))
        && m_lex.isCommonVerbBase(R::lowerAt(t, v - 1))) {
        --v;
        --nouns;
    }
    // "Smoking cause cancer": the tagger read the verb after a gerund alone as a noun before
    // its object
    if (gerund && v > 2 && R::tagIs(tags, 1, "NN") && !R::tagIs(tags, 1, "NNS") && m_lex.isCommonVerbBase(t[1].lower)
        && !m_lex.baseEqualsPast(t[1].lower)
        && (R::tagIs(tags, 2, "DT") || R::tagIs(tags, 2, "PRP$") || R::tagIs(tags, 2, "JJ")
            || (R::tagIs(tags, 2, "NN") && !R::tagIs(tags, 2, "NNS") && !R::tagIs(tags, 2, "NNP")))) {
        v = 1;
        nouns = 1;
    }
    // a name may be the subject's head ("Visiting John make"): languages only; a gerund alone
    // ("Smoking do harm") only before a form of be, have or do
    if (v >= int(t.size()) || (R::tagIs(tags, v - 1, "NNP") && !languages.count(t[size_t(v) - 1].lower))
        || (nouns == 0 && !(gerund && v == 1)))
        return;
    static const std::unordered_map<std::string, std::string> singular = {
        {"are", "is"}, {"were", "was"}, {"have", "has"}, {"do", "does"}, {"don't", "doesn't"}};
    const std::string verb = R::lowerAt(t, v);
    std::string fix;
    if (singular.count(verb))
        fix = singular.at(verb);
    else if (nouns > 0 && (tags[size_t(v)] == "VBP" || tags[size_t(v)] == "VB" || tags[size_t(v)] == "NN")
             && m_lex.isCommonVerbBase(verb)
             && !m_lex.baseEqualsPast(verb) && (R::tagIs(tags, v + 1, "PRP") || R::tagIs(tags, v + 1, "DT")
                                                || R::tagIs(tags, v + 1, "NN") || R::tagIs(tags, v + 1, "JJ")))
        fix = m_lex.thirdPerson(verb);
    if (!fix.empty())
        out->push_back(R::replace(t, v, v, fix, "GRAMMAR", "sv_agreement", 2));
}

void AgreementRules::thereBe(const std::vector<Token> &t, const std::vector<std::string> &tags,
                             std::vector<Finding> *out) const
{
    static const Set quantityNouns = {"lot", "number", "couple", "variety", "total", "series", "range", "host",
                                      "bunch", "few", "great", "good", "handful", "pair", "set", "group", "majority",
                                      "plenty", "dozen", "hundred", "thousand", "million", "kind", "sort", "type"};
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "there")
            continue;
        // "there" opens its clause: at a boundary, after a verb a clause may follow ("I think
        // there is"), or after a fronted phrase with no verb of its own ("In my city there is",
        // "Now there is"); "the man there is" is a place
        bool opening = clauseStart(t, i) || (i > 0 && m_lex.formInClass(WordClass::ClauseVerb, t[size_t(i) - 1].lower));
        // (a sentence may open with "and" or "but" before the phrase: "And in my city there is")
        const int front = R::tagIs(tags, 0, "CC") ? 1 : 0;
        if (!opening && i > front && (R::tagIs(tags, front, "IN") || R::tagIs(tags, front, "RB"))) {
            opening = true;
            for (int k = front; k < i && opening; ++k)
                opening = !(R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD")) && t[size_t(k)].kind != Token::Punct;
        }
        if (!opening)
            continue;
        const int v = i + 1;
        const std::string be = R::lowerAt(t, v);
        const bool singularVerb = be == "is" || be == "was";
        const bool pluralVerb = be == "are" || be == "were";
        if (!singularVerb && !pluralVerb)
            continue;
        int k = v + 1;
        // an adverb between: "there is only two", "there are also a problem"
        static const Set adverbs = {"only", "also", "still", "just", "now", "really", "always", "usually", "even",
                                    "often", "certainly", "definitely", "actually"};
        if (adverbs.count(R::lowerAt(t, k)))
            ++k;
        const int start = k;
        const std::string first = R::lowerAt(t, k);
        if (singularVerb) {
            // "There is a lot of people", "There is a number of reasons": the plural after the quantity
            if ((first == "a" && (R::lowerAt(t, k + 1) == "lot" || R::lowerAt(t, k + 1) == "number")
                 && R::lowerAt(t, k + 2) == "of")
                || ((first == "lots" || first == "plenty") && R::lowerAt(t, k + 1) == "of")) {
                int head = -1;
                const int end = nounPhrase(t, tags, first == "a" ? k + 3 : k + 2, &head);
                const std::string noun = R::lowerAt(t, head);
                const bool persons = noun == "people" || noun == "children";
                if (end >= 0 && (persons || (R::tagIs(tags, head, "NNS") && !looseHeads().count(noun) && noun.back() == 's')))
                    out->push_back(R::replace(t, v, v, be == "is" ? "are" : "were", "GRAMMAR", "there_be_number", 2));
                continue;
            }
            // "There is a few reasons": "a few" counts a plural
            if (first == "a" && R::lowerAt(t, k + 1) == "few")
                k += 2;
            // "There is big changes": a plural noun with no article or only adjectives
            else if (first == "a" || first == "an" || first == "one" || first == "the" || first == "this" || first == "that")
                continue;
            // a count or quantity before the noun: "there is two reasons", "there was many parks"
            if (first == "no" || first == "some" || first == "few" || first == "many" || first == "several"
                || (R::tagIs(tags, k, "CD") && first != "one"))
                ++k;
            while (k < int(t.size()) && R::tagIs(tags, k, "JJ"))
                ++k;
            if (!R::tagIs(tags, k, "NNS") || R::tagIs(tags, k + 1, "NN") || R::lowerAt(t, k + 1) == "and"
                || looseHeads().count(R::lowerAt(t, k)))
                continue;
            const std::string &noun = R::lowerAt(t, k);
            const bool persons = noun == "people" || noun == "children" || noun == "men" || noun == "women";
            if (!persons && (noun.size() < 3 || noun.back() != 's' || noun.compare(noun.size() - 3, 3, "ics") == 0))
                continue;
            out->push_back(R::replace(t, v, v, be == "is" ? "are" : "were", "GRAMMAR", "there_be_number", 2));
        } else {
            // "There are a problem", "There are no answer": one thing (or none) after a plural verb
            const bool none = first == "no";
            // "There are always someone who": an indefinite pronoun is one
            if (everyPronouns().count(first) && !R::tagIs(tags, k + 1, "NN")
                && R::lowerAt(t, k + 1).compare(0, 4, "else") != 0) {
                out->push_back(R::replace(t, v, v, be == "are" ? "is" : "was", "GRAMMAR", "there_be_number", 2));
                continue;
            }
            if (first != "a" && first != "an" && !none)
                continue;
            ++k;
            while (k < int(t.size()) && R::tagIs(tags, k, "JJ"))
                ++k;
            const std::string noun = R::lowerAt(t, k);
            // "a large amount of money" is one amount, "a number of people" many
            const bool amountOf = !none && (noun == "amount" || noun == "deal") && R::lowerAt(t, k + 1) == "of";
            if (!R::tagIs(tags, k, "NN") || R::tagIs(tags, k, "NNS") || quantityNouns.count(noun)
                || (R::lowerAt(t, k + 1) == "of" && !amountOf) || R::lowerAt(t, k + 1) == "and"
                || R::tagIs(tags, k + 1, "NN") || R::lowerAt(t, k - 1) == "few" || (R::lowerAt(t, k - 1) == "great" && !amountOf))
                continue;
            // after "no" only a noun that is plainly one thing: not "no staff", "no data", "no news"
            if (none && (looseHeads().count(noun) || noun.size() < 3 || noun.back() == 's' || k != start + 1))
                continue;
            out->push_back(R::replace(t, v, v, be == "are" ? "is" : "was", "GRAMMAR", "there_be_number", 2));
        }
    }
}

} // namespace PennovaChecker
