#include "verbpatternrules.h"

#include "lexicon.h"
#include "rulesupport.h"
#include "wordclasses.h"
#include "transitivityrules.h"

#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

const std::string &lowerAt(const std::vector<Token> &t, int i)
{
    static const std::string none;
    return i >= 0 && i < int(t.size()) && t[size_t(i)].kind == Token::Word ? t[size_t(i)].lower : none;
}

// what is done, never compounded with a verb's noun: "good at play football", "was cook dinner",
// "without study hard"
const Set &doneThings()
{
    static const Set s = {"english", "chinese", "math", "homework", "football", "basketball", "tennis", "soccer",
                          "games", "music", "sports", "piano", "guitar", "home", "abroad", "hard", "dinner",
                          "lunch", "breakfast", "tv"};
    return s;
}

const Set &beForms()
{
    static const Set s = {"am", "is", "are", "was", "were", "i'm", "he's", "she's", "it's", "we're", "they're",
                          "you're"};
    return s;
}

// make and let in their forms
const Set &causativeVerbs()
{
    static const Set s = {"make", "makes", "made", "making", "let", "lets", "letting"};
    return s;
}

// have, has, had and 've
const Set &haveForms()
{
    static const Set s = {"have", "has", "had", "'ve"};
    return s;
}

} // namespace

void VerbPatternRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        veryWithVerb(t, i, out);
        thereHave(t, i, out);
        beWithVerb(t, i, out);
        causativeTo(t, i, out);
        perfectParticiple(t, i, out);
        perfectBase(t, i, out);
        passiveBase(t, i, out);
        beWithPast(t, i, out);
        modalAble(t, i, out);
        nounAsVerb(t, i, out);
    }
}

void VerbPatternRules::veryWithVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "I very like it" -> "I really like it"
    const Set &subjects = WordClasses::words(WordClass::PersonalSubject);
    static const Set verbs = {"like", "likes", "liked", "love", "loves", "loved", "enjoy", "enjoys", "enjoyed",
                              "want", "wants", "wanted", "hope", "hopes", "hoped", "appreciate", "appreciated",
                              "agree", "agreed", "miss", "missed", "admire", "admired", "thank", "hate", "hated"};
    if (t[size_t(i)].lower != "very" || !subjects.count(lowerAt(t, i - 1)) || !verbs.count(lowerAt(t, i + 1)))
        return;
    out->push_back(RuleSupport::replace(t, i, i, "really", "GRAMMAR", "very_verb", 3));
}

void VerbPatternRules::thereHave(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "There have many people" -> "There are many people"
    static const Set quantities = {"a", "an", "many", "some", "lots", "no", "several", "more", "much", "few",
                                   "two", "three", "four", "five", "plenty", "various", "lot"};
    static const Set joiners = {"but", "and", "so", "because", "now", "today", "still"};
    if (t[size_t(i)].lower != "there" || (i > 0 && t[size_t(i) - 1].kind == Token::Word && !joiners.count(t[size_t(i) - 1].lower)))
        return; // only "there" that opens a clause
    // one adverb may stand between: "There still have many problems"
    static const Set adverbs = {"still", "also", "always", "often", "usually", "even", "really", "certainly"};
    const int h = adverbs.count(lowerAt(t, i + 1)) ? i + 2 : i + 1;
    const std::string verb = lowerAt(t, h);
    if ((verb != "have" && verb != "has") || !quantities.count(lowerAt(t, h + 1)))
        return;
    const std::string next = lowerAt(t, h + 1);
    const std::string after = lowerAt(t, h + 2);
    const bool several = after == "lot" || after == "few" || after == "number" || after == "couple";
    const bool singular = verb == "has" || ((next == "a" || next == "an") && !several) || next == "much";
    out->push_back(RuleSupport::replace(t, h, h, singular ? "is" : "are", "GRAMMAR", "there_be", 3));
}

void VerbPatternRules::beWithVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    static const Set lackers = {"i", "we", "they", "he", "she", "you", "people", "students", "children", "kids",
                                "teenagers"};
    if (!beForms().count(t[size_t(i)].lower))
        return;
    int v = i + 1;
    const bool negated = lowerAt(t, v) == "not";
    if (negated)
        ++v;
    const std::string verb = lowerAt(t, v);
    if (verb == "agree" || verb == "disagree") {
        // "I am agree" -> "I agree"; "I am not agree" -> "I do not agree"
        const Token &be = t[size_t(i)];
        if (be.lower.find('\'') != std::string::npos) {
            const std::string subject = be.text.substr(0, be.text.find('\''));
            out->push_back(RuleSupport::replace(t, i, v, subject + (negated ? " do not " : " ") + verb, "GRAMMAR",
                                                "be_agree", 3));
        } else {
            const std::string lead = negated ? ((be.lower == "is" || be.lower == "was") ? "does not " : "do not ")
                                             : std::string();
            out->push_back(RuleSupport::replace(t, i, v, lead + verb, "GRAMMAR", "be_agree", 3));
        }
    } else if (verb == "lack" && lowerAt(t, v + 1) == "of" && !negated && lackers.count(lowerAt(t, i - 1))) {
        // "Some students are lack of self-control" -> "lack self-control"; after other
        // subjects "is lack of" may be a noun phrase ("The problem is lack of money")
        const std::string &be = t[size_t(i)].lower;
        const char *fix = be == "is" ? "lacks" : (be == "was" || be == "were") ? "lacked" : "lack";
        out->push_back(RuleSupport::replace(t, i, v + 1, fix, "GRAMMAR", "be_verb", 3));
    } else if (verb == "depend" && lowerAt(t, v + 1) == "on" && !negated) {
        // "It is depend on" -> "It depends on"
        const std::string subject = lowerAt(t, i - 1);
        const bool third = t[size_t(i)].lower == "is" || t[size_t(i)].lower == "it's" || t[size_t(i)].lower == "he's"
            || t[size_t(i)].lower == "she's";
        if (t[size_t(i)].lower.find('\'') != std::string::npos) {
            const std::string subj = t[size_t(i)].text.substr(0, t[size_t(i)].text.find('\''));
            out->push_back(RuleSupport::replace(t, i, v, subj + (third ? " depends" : " depend"), "GRAMMAR",
                                                "be_verb", 3));
        } else if (!subject.empty()) {
            out->push_back(RuleSupport::replace(t, i, v, third ? "depends" : "depend", "GRAMMAR", "be_verb", 3));
        }
    }
}

void VerbPatternRules::causativeTo(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "make him to go" -> "make him go"
    const Set &causatives = causativeVerbs();
    const Set &objects = WordClasses::words(WordClass::AnyObjectPronoun);
    if (!causatives.count(t[size_t(i)].lower) || !objects.count(lowerAt(t, i + 1)) || lowerAt(t, i + 2) != "to")
        return;
    if (!m_lex.isCommonVerbBase(lowerAt(t, i + 3)))
        return;
    Finding f;
    if (RuleSupport::deletion(t, i + 2, "GRAMMAR", "causative_to", 3, &f))
        out->push_back(f);
}

void VerbPatternRules::perfectParticiple(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "has went" -> "has gone"
    static const Set have = {"have", "has", "had", "i've", "we've", "they've", "you've", "haven't", "hasn't",
                             "hadn't"};
    if (!have.count(t[size_t(i)].lower))
        return;
    int v = i + 1;
    if (lowerAt(t, v) == "not" || lowerAt(t, v) == "never" || lowerAt(t, v) == "already" || lowerAt(t, v) == "just")
        ++v;
    const std::string form = lowerAt(t, v);
    if (form.empty() || !m_lex.isPastForm(form) || form == "was" || form == "were")
        return;
    const std::string base = m_lex.baseOf(form);
    const std::string participle = m_lex.participleOf(base);
    if (base.empty() || base == "get" || participle == form || m_lex.pastOf(base) != form)
        return; // "have got" is standard
    // "had" + past is also "had + object" ("had ran" is wrong, but "had a ran" is no concern here)
    out->push_back(RuleSupport::replace(t, v, v, participle, "GRAMMAR", "perfect_participle", 3));
}

void VerbPatternRules::nounAsVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "They success", "we can success": a noun where its verb belongs
    static const std::unordered_map<std::string, std::string> verbOf = {
        {"success", "succeed"}, {"belief", "believe"}, {"proof", "prove"}, {"choice", "choose"},
        {"loss", "lose"}, {"death", "die"}, {"failure", "fail"}, {"complaint", "complain"}};
    static const Set before = {"i", "we", "they", "you", "he", "she", "can", "could", "will", "would", "should",
                               "must", "may", "might", "to", "not", "don't", "didn't", "doesn't", "cannot", "never"};
    // nouns whose bare use after "not", "never" or "to" is common English ("not advice but",
    // "the key to survival"): only right after a subject pronoun, a modal or a do-negation
    static const std::unordered_map<std::string, std::string> derivedVerbOf = {
        {"survival", "survive"}, {"arrival", "arrive"}, {"decision", "decide"}, {"advice", "advise"},
        {"growth", "grow"}, {"existence", "exist"}, {"satisfaction", "satisfy"}, {"explanation", "explain"},
        {"description", "describe"}, {"solution", "solve"}, {"speech", "speak"}, {"agreement", "agree"},
        {"improvement", "improve"}, {"development", "develop"}, {"pollution", "pollute"},
        {"competition", "compete"}, {"discussion", "discuss"}, {"preparation", "prepare"},
        {"protection", "protect"}, {"behaviour", "behave"}, {"behavior", "behave"}, {"breath", "breathe"},
        {"imagination", "imagine"}, {"suggestion", "suggest"}, {"communication", "communicate"}};
    static const Set strictBefore = {"i", "we", "they", "he", "she", "can", "could", "will", "would",
                                     "should", "must", "might", "don't", "didn't", "doesn't", "cannot", "can't",
                                     "won't"};
    auto it = verbOf.find(t[size_t(i)].lower);
    if (it == verbOf.end()) {
        it = derivedVerbOf.find(t[size_t(i)].lower);
        // a modal opening the sentence asks a question: "Will growth continue?"
        if (it == derivedVerbOf.end() || !strictBefore.count(lowerAt(t, i - 1))
            || (!RuleSupport::isSubjectPronoun(lowerAt(t, i - 1)) && RuleSupport::prevWord(t, i - 1) < 0))
            return;
    } else if (!before.count(lowerAt(t, i - 1))) {
        return;
    }
    const std::string subject = lowerAt(t, i - 1);
    // "to success" may be "the road to success": only after a verb-taking word or before an object
    if (subject == "to" && !RuleSupport::isSubjectPronoun(lowerAt(t, i - 3)) && lowerAt(t, i + 1) != "in")
        return;
    const std::string fix = subject == "he" || subject == "she" ? m_lex.thirdPerson(it->second) : it->second;
    out->push_back(RuleSupport::replace(t, i, i, fix, "GRAMMAR", "noun_as_verb", 2));
}

void VerbPatternRules::beWithPast(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "I was went to school" -> "I went to school": a simple past needs no "be"; only past
    // forms that cannot be participles ("went", "came", "ate"), after a pronoun subject
    const Set &be = WordClasses::words(WordClass::BeForm);
    if (!be.count(t[size_t(i)].lower) || !RuleSupport::isSubjectPronoun(lowerAt(t, i - 1)))
        return;
    const int v = RuleSupport::nextWord(t, i);
    const std::string w = lowerAt(t, v);
    if (w.empty() || w == "was" || w == "were" || !m_lex.isPastForm(w) || t[size_t(v)].isCapitalised())
        return;
    const std::string base = m_lex.baseOf(w);
    if (base.empty() || m_lex.participleOf(base) == w || m_lex.isPos(w, Lexicon::Adjective))
        return;
    // a past that is also a noun ("drove", "saw", "spoke") only before an object: "They were drove
    // settlements", "I was saw him"; a bare singular noun after "be" would need an article
    if (m_lex.isPos(w, Lexicon::Noun)) {
        static const Set objects = {"me", "him", "her", "us", "them", "it", "my", "his", "their", "our", "your",
                                    "a", "an", "the", "this", "these", "those", "some"};
        const std::string next = lowerAt(t, v + 1);
        const bool pluralNoun = next.size() > 3 && next.back() == 's' && next[next.size() - 2] != 's'
            && m_lex.isPos(next.substr(0, next.size() - 1), Lexicon::Noun);
        if (!objects.count(next) && !pluralNoun)
            return;
    }
    out->push_back(RuleSupport::replace(t, i, v, w, "GRAMMAR", "be_verb", 2));
}

void VerbPatternRules::modalAble(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "You had better to go" -> "had better go": "had better" works as a modal
    if ((t[size_t(i)].lower == "had" || t[size_t(i)].lower.size() > 2) && lowerAt(t, i + 1) == "better"
        && lowerAt(t, i + 2) == "to" && m_lex.isCommonVerbBase(lowerAt(t, i + 3))
        && (t[size_t(i)].lower == "had" || t[size_t(i)].lower.compare(t[size_t(i)].lower.size() - 2, 2, "'d") == 0)) {
        Finding f;
        if (RuleSupport::deletion(t, i + 2, "GRAMMAR", "modal_to", 2, &f))
            out->push_back(f);
        return;
    }
    // "I am used to get up early" -> "used to getting": a person is used to something or doing it
    static const Set personBe = {"am", "i'm", "are", "we're", "they're", "you're", "is", "he's", "she's", "was",
                                 "were", "get", "got", "getting"};
    if (personBe.count(t[size_t(i)].lower) && lowerAt(t, i + 1) == "used" && lowerAt(t, i + 2) == "to"
        && (RuleSupport::isSubjectPronoun(lowerAt(t, i - 1)) || t[size_t(i)].lower.find('\'') != std::string::npos)
        && lowerAt(t, i - 1) != "it") {
        const std::string verb = lowerAt(t, i + 3);
        // ("used to work", "used to school": nouns that learners also use after it)
        if (m_lex.isCommonVerbBase(verb) && verb != "be" && verb != "work" && verb != "school" && verb != "life")
            out->push_back(RuleSupport::replace(t, i + 3, i + 3, m_lex.ingOf(verb), "GRAMMAR", "used_to_ing", 2));
        return;
    }
    // "We will able to do it" -> "will be able to": "able" is an adjective and needs "be"
    if (!m_lex.isModal(t[size_t(i)].lower) || lowerAt(t, i + 1) != "able" || lowerAt(t, i + 2) != "to")
        return;
    out->push_back(RuleSupport::replace(t, i + 1, i + 1, "be able", "GRAMMAR", "be_able", 3));
}

std::string VerbPatternRules::participleFor(const std::vector<Token> &t, int v) const
{
    const std::string w = lowerAt(t, v);
    if (w.empty() || t[size_t(v)].isCapitalised() || m_lex.isPos(w, Lexicon::Adjective))
        return {};
    // a WordNet verb outside the common table takes the regular ending ("strengthen", "limit")
    const bool regular = !m_lex.isCommonVerbBase(w) && m_lex.isPos(w, Lexicon::Verb) && w.size() > 3
        && m_lex.baseOf(w).empty() && w.compare(w.size() - 2, 2, "ed") != 0 && w.back() != 's';
    if (!m_lex.isCommonVerbBase(w) && !regular)
        return {};
    // a compound or a contraction goes on after the word ("follow-up", "set's")
    if (v + 1 < int(t.size()) && !t[size_t(v) + 1].spaceBefore && t[size_t(v) + 1].kind == Token::Punct
        && (t[size_t(v) + 1].text == "-" || t[size_t(v) + 1].text == "'"))
        return {};
    if (regular) {
        const char last = w.back(), before = w[w.size() - 2];
        const bool vowelBefore = std::string("aeiou").find(before) != std::string::npos;
        if (last == 'e')
            return w + "d";
        if (last == 'y' && !vowelBefore)
            return w.substr(0, w.size() - 1) + "ied";
        return w + "ed";
    }
    const std::string participle = m_lex.participleOf(w);
    return participle.empty() || participle == w ? std::string() : participle;
}

void VerbPatternRules::perfectBase(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "have ever think" -> "have ever thought", "Have you ever think" -> "Have you ever thought";
    // the adverb or the question order shows that "have" is the perfect's auxiliary
    static const Set have = {"have", "has", "had", "haven't", "hasn't", "hadn't"};
    static const Set adverbs = {"ever", "never", "already", "just", "not", "recently", "always", "also"};
    if (!have.count(t[size_t(i)].lower))
        return;
    int v = i + 1;
    const bool question = (i == 0 || t[size_t(i) - 1].kind == Token::Punct) && t[size_t(i)].isCapitalised()
        && t.back().text == "?" && RuleSupport::isSubjectPronoun(lowerAt(t, v));
    if (question)
        ++v;
    bool adverb = false;
    if (adverbs.count(lowerAt(t, v))) {
        adverb = true;
        ++v;
    }
    if (!question && !adverb)
        return;
    // "have not time" is a noun after a bare "not"; a word that is a noun needs the question form
    const std::string w = lowerAt(t, v);
    if (m_lex.isPos(w, Lexicon::Noun) && !question && lowerAt(t, v - 1) != "ever" && lowerAt(t, v - 1) != "never")
        return;
    const std::string participle = participleFor(t, v);
    if (participle.empty() || w == "got")
        return;
    out->push_back(RuleSupport::replace(t, v, v, participle, "GRAMMAR", "perfect_participle", 2));
}

void VerbPatternRules::passiveBase(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "can be finish", "will be limit", "has been change": a passive needs the participle
    const std::string &b = t[size_t(i)].lower;
    if (b != "be" && b != "been")
        return;
    static const Set adverbs = {"even", "also", "easily", "further", "still", "never", "always", "quickly",
                                "widely", "greatly", "completely", "finally"};
    int v = RuleSupport::nextWord(t, i);
    if (v >= 0 && adverbs.count(t[size_t(v)].lower))
        v = RuleSupport::nextWord(t, v); // "will be even strengthen"
    if (v < 0)
        return;
    // a prefix joined by a hyphen stays in front: "could be re-schedule" -> "re-scheduled"
    static const Set prefixes = {"re", "pre", "co", "over", "under", "mis", "out"};
    const int first = v;
    std::string prefix;
    if (prefixes.count(t[size_t(v)].lower) && v + 2 < int(t.size()) && t[size_t(v) + 1].text == "-"
        && !t[size_t(v) + 1].spaceBefore && !t[size_t(v) + 2].spaceBefore && t[size_t(v) + 2].kind == Token::Word) {
        prefix = t[size_t(v)].text + "-";
        v += 2;
    }
    const std::string w = t[size_t(v)].lower;
    const std::string participle = participleFor(t, v);
    if (participle.empty())
        return;
    // "They have been help us": a person who has been doing it (the -ing rule speaks)
    if (b == "been" && RuleSupport::isSubjectPronoun(lowerAt(t, i - 2)) && lowerAt(t, i - 2) != "it"
        && (lowerAt(t, v + 1) == "us" || lowerAt(t, v + 1) == "them" || lowerAt(t, v + 1) == "me"
            || lowerAt(t, v + 1) == "him" || lowerAt(t, v + 1) == "her"))
        return;
    // a noun after "be" is a complement ("be fun", "be home"): a word that is also a noun
    // only before "by", an article or a pronoun object ("be limit a time")
    if (m_lex.isPos(w, Lexicon::Noun)) {
        static const Set after = {"by", "a", "an", "the", "my", "his", "her", "their", "our", "it", "them",
                                  "him", "me", "us"};
        // or before an adverb of manner or time: "can be finish soon", "be use properly"
        static const Set adverbsAfter = {"soon", "easily", "quickly", "later", "completely", "carefully",
                                         "properly", "correctly", "successfully", "immediately", "effectively"};
        // ("there will be work soon" names a thing)
        const bool manner = adverbsAfter.count(lowerAt(t, v + 1)) && !m_lex.isPos(w, Lexicon::Adjective)
            && lowerAt(t, i - 2) != "there" && lowerAt(t, i - 1) != "there";
        if (!after.count(lowerAt(t, v + 1)) && !manner)
            return;
    }
    // "You must be finish it": an object after it makes the verb active; "be" goes
    if (b == "be" && prefix.empty() && m_lex.isModal(lowerAt(t, i - 1)) && activeAfterBe(t, v)) {
        out->push_back(beVerb(t, i, v, participle));
        return;
    }
    out->push_back(RuleSupport::replace(t, first, v, prefix + participle, "GRAMMAR", "passive_participle", 2));
}

void VerbPatternRules::perfectBareVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                       std::vector<Finding> *out) const
{
    // "I have finish my homework", "She has live here for years" -> the participle; a word that is
    // also a noun only before a possessive ("have finish my"): "we have work this week" is a noun
    const Set &have = haveForms();
    const Set &possessives = WordClasses::words(WordClass::Possessive);
    if (!have.count(t[size_t(i)].lower))
        return;
    const int v = i + 1;
    const std::string w = lowerAt(t, v);
    if (w.empty() || w == "to" || w == "better" || w == "got" || t[size_t(v)].isCapitalised()
        || !m_lex.isCommonVerbBase(w) || m_lex.baseEqualsPast(w) || m_lex.isAuxiliary(w))
        return;
    const std::string participle = m_lex.participleOf(w);
    if (participle.empty() || participle == w)
        return;
    const bool noun = m_lex.isPos(w, Lexicon::Noun), adjective = m_lex.isPos(w, Lexicon::Adjective);
    if (noun && !possessives.count(lowerAt(t, v + 1)))
        return;
    if (adjective && !(tags[size_t(v)] == "VB" && RuleSupport::tagIs(tags, v + 1, "RB")))
        return; // "have live music"; "has live here"
    if (!noun && !adjective && !RuleSupport::tagIs(tags, v, "VB") && !RuleSupport::tagIs(tags, v, "NN"))
        return;
    out->push_back(RuleSupport::replace(t, v, v, participle, "GRAMMAR", "perfect_participle", 2));
}

void VerbPatternRules::beenBareVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                    std::vector<Finding> *out) const
{
    // "I have been study English for years" -> "been studying": after "have been" a person's
    // doing takes -ing ("have been put there" is a passive: verbs whose participle is the base stay)
    const Set &have = haveForms();
    if (t[size_t(i)].lower != "been" || !have.count(lowerAt(t, i - 1)))
        return;
    const std::string subject = lowerAt(t, i - 2);
    const bool person = RuleSupport::isSubjectPronoun(subject) && subject != "it";
    const int v = i + 1;
    const std::string w = lowerAt(t, v);
    if (w.empty() || !person || t[size_t(v)].isCapitalised() || !m_lex.isCommonVerbBase(w) || m_lex.isAuxiliary(w)
        || m_lex.baseEqualsPast(w) || m_lex.participleOf(w) == w || m_lex.isPos(w, Lexicon::Adjective))
        return;
    if (!RuleSupport::tagIs(tags, v, "VB") && !RuleSupport::tagIs(tags, v, "NN"))
        return;
    out->push_back(RuleSupport::replace(t, v, v, m_lex.ingOf(w), "GRAMMAR", "perfect_progressive", 2));
}

namespace {

// Verbs that link their subject to an adjective ("look gorgeous") and have no passive.
const std::unordered_set<std::string> &linkingVerbs()
{
    static const std::unordered_set<std::string> s = {"look", "seem", "feel", "sound", "appear", "become",
                                                      "remain", "stay", "taste", "smell"};
    return s;
}

} // namespace

bool VerbPatternRules::activeAfterBe(const std::vector<Token> &t, int v) const
{
    // an object pronoun ("must be finish it"), an object noun phrase ("can be avoid genetic
    // modified food"; not after a verb of giving, whose passive keeps an object: "be give a
    // chance") or an adjective after a linking verb ("must be look gorgeous")
    static const Set objectPronouns = {"it", "them", "him", "me", "us"};
    static const Set giving = {"give", "offer", "show", "teach", "tell", "send", "grant", "award", "pay", "ask",
                               "allow", "deny", "promise", "lend", "hand", "call", "name", "consider", "elect"};
    const std::string w = lowerAt(t, v), next = lowerAt(t, v + 1);
    if (objectPronouns.count(next))
        return true;
    if (linkingVerbs().count(w))
        return m_lex.isPos(next, Lexicon::Adjective) && !m_lex.isPos(next, Lexicon::Noun) && !m_lex.isPreposition(next);
    if (giving.count(w))
        return false;
    // ("I will be limit a time": after "a" the learner's passive is as likely)
    static const Set notObjects = {"a", "an", "much", "what", "which", "whose"};
    return (WordClasses::contains(WordClass::Determiner, next) && !notObjects.count(next))
        || (m_lex.isPos(next, Lexicon::Adjective) && !m_lex.isPos(next, Lexicon::Noun) && !m_lex.isPreposition(next)
            && (m_lex.isPos(lowerAt(t, v + 2), Lexicon::Noun) || m_lex.isPos(lowerAt(t, v + 2), Lexicon::Adjective)));
}

Finding VerbPatternRules::beVerb(const std::vector<Token> &t, int be, int v, const std::string &participle)
{
    Finding f = RuleSupport::replace(t, be, v, t[size_t(v)].text, "GRAMMAR", "be_verb", 2);
    if (linkingVerbs().count(t[size_t(v)].lower))
        return f; // ("be looked" is no reading of "must be look gorgeous")
    Candidate passive = f.candidates[0];
    passive.correction = "be " + participle;
    passive.score = f.candidates[0].score / 2;
    f.candidates.push_back(passive);
    return f;
}

void VerbPatternRules::modalPassiveNoun(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                        std::vector<Finding> *out) const
{
    // "the fuels can be finish and" -> "finished": a base form that is also a noun, after a modal
    // and "be", where the tagger reads a verb ("might be stress and fatigue" stays a noun)
    if (t[size_t(i)].lower != "be" || !m_lex.isModal(lowerAt(t, i - 1)))
        return;
    const int v = RuleSupport::nextWord(t, i);
    if (v < 0 || !m_lex.isPos(t[size_t(v)].lower, Lexicon::Noun) || lowerAt(t, v + 1) == "of"
        || lowerAt(t, i - 2) == "there")
        return;
    // "will be help each other", "must be look gorgeous": an active verb with its object or
    // complement, read by the tagger as a verb
    if (tags[size_t(v)] == "VB" && m_lex.isCommonVerbBase(t[size_t(v)].lower) && activeAfterBe(t, v)) {
        const std::string participle = participleFor(t, v);
        if (!participle.empty())
            out->push_back(beVerb(t, i, v, participle));
        return;
    }
    // read as a noun, a verb base is still the verb before a time adverb ("can be finish today")
    // or joined to a participle ("can be finish and gone"): like joins like
    if (tags[size_t(v)] != "VB") {
        static const Set timeAdverbs = {"today", "tomorrow", "tonight", "soon", "now", "later"};
        const std::string link = lowerAt(t, v + 1), joined = lowerAt(t, v + 2);
        const bool participle = (link == "and" || link == "or")
            && (m_lex.isParticiple(joined) || m_lex.isPastForm(joined) || RuleSupport::tagIs(tags, v + 2, "VBN"));
        if (!m_lex.isCommonVerbBase(t[size_t(v)].lower) || !(participle || timeAdverbs.count(link)))
            return;
    }
    const std::string participle = participleFor(t, v);
    if (!participle.empty())
        out->push_back(RuleSupport::replace(t, v, v, participle, "GRAMMAR", "passive_participle", 2));
}

} // namespace PennovaChecker

namespace PennovaChecker {

namespace {

const std::unordered_map<std::string, std::string> &objectToSubject()
{
    static const std::unordered_map<std::string, std::string> m = {
        {"me", "I"}, {"him", "he"}, {"her", "she"}, {"us", "we"}, {"them", "they"}, {"you", "you"}};
    return m;
}

bool startsObject(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    return RuleSupport::tagIs(tags, i, "DT") || RuleSupport::tagIs(tags, i, "PRP") || RuleSupport::tagIs(tags, i, "NN")
        || RuleSupport::tagIs(tags, i, "JJ") || RuleSupport::tagIs(tags, i, "CD") || lowerAt(t, i) == "english";
}

} // namespace

std::string VerbPatternRules::regularPastBase(const std::string &w) const
{
    // "justified" -> "justify", "hoped" -> "hope", "planned" -> "plan": verbs outside the common table
    if (w.size() < 5 || w.compare(w.size() - 2, 2, "ed") != 0)
        return {};
    const std::string stem = w.substr(0, w.size() - 2);
    std::vector<std::string> tries = {stem, stem + "e"};
    if (stem.back() == 'i')
        tries.push_back(stem.substr(0, stem.size() - 1) + "y");
    if (stem.size() > 2 && stem.back() == stem[stem.size() - 2])
        tries.push_back(stem.substr(0, stem.size() - 1));
    for (const std::string &base : tries)
        if (m_lex.isPos(base, Lexicon::Verb) && !m_lex.isPos(w, Lexicon::Noun))
            return base;
    return {};
}

void VerbPatternRules::checkTagged(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    if (tags.size() != t.size() || tags.empty() || tags[0].empty())
        return;
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        sayTell(t, tags, i, out);
        objectPatterns(t, tags, i, out);
        gerundAfterPreposition(t, tags, i, out);
        infinitiveForm(t, tags, i, out);
        beBareVerb(t, tags, i, out);
        beAdverbVerb(t, tags, i, out);
        causativeNounTo(t, tags, i, out);
        modalPassiveNoun(t, tags, i, out);
        perfectBareVerb(t, tags, i, out);
        beenBareVerb(t, tags, i, out);
    }
}

void VerbPatternRules::sayTell(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                               std::vector<Finding> *out) const
{
    // "He said me the news" -> "told me": say takes no person as its object
    static const std::unordered_map<std::string, std::string> tell = {
        {"say", "tell"}, {"says", "tells"}, {"said", "told"}, {"saying", "telling"}};
    const std::string w = t[size_t(i)].lower;
    auto it = tell.find(w);
    const std::string object = lowerAt(t, i + 1);
    if (it != tell.end() && (object == "me" || object == "him" || object == "us" || object == "them")
        && lowerAt(t, i - 1) != "to" && !RuleSupport::tagIs(tags, i - 1, "MD")) {
        out->push_back(RuleSupport::replace(t, i, i, it->second, "GRAMMAR", "say_tell", 3));
        return;
    }
    // "He told that he was ill" -> "said that": tell needs a person first
    static const std::unordered_map<std::string, std::string> say = {{"tell", "say"}, {"tells", "says"}, {"told", "said"}};
    auto s = say.find(w);
    if (s != say.end() && lowerAt(t, i + 1) == "that" && RuleSupport::isSubjectPronoun(lowerAt(t, i + 2))
        && (RuleSupport::tagIs(tags, i + 3, "VB") || RuleSupport::tagIs(tags, i + 3, "MD")))
        out->push_back(RuleSupport::replace(t, i, i, s->second, "GRAMMAR", "say_tell", 2));
}

void VerbPatternRules::objectPatterns(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                      std::vector<Finding> *out) const
{
    static const Set suggest = {"suggest", "suggests", "suggested", "suggesting"};
    static const Set explain = {"explain", "explains", "explained", "explaining"};
    const std::string &w = t[size_t(i)].lower;
    const std::string object = lowerAt(t, i + 1);
    auto subject = objectToSubject().find(object);
    if (subject == objectToSubject().end())
        return;
    // "suggested me to go" -> "suggested that I go"
    if (suggest.count(w) && lowerAt(t, i + 2) == "to" && m_lex.isCommonVerbBase(lowerAt(t, i + 3))) {
        out->push_back(RuleSupport::replace(t, i + 1, i + 2, "that " + subject->second, "GRAMMAR", "suggest_that", 3));
        return;
    }
    // "explain me the rule" -> "explain to me the rule"
    if (explain.count(w) && object != "her" && object != "you" && object != "them"
        && (startsObject(t, tags, i + 2) || lowerAt(t, i + 2) == "how" || lowerAt(t, i + 2) == "what"
            || lowerAt(t, i + 2) == "why"))
        out->push_back(RuleSupport::replace(t, i + 1, i + 1, "to " + object, "GRAMMAR", "explain_to", 3));
}

void VerbPatternRules::gerundAfterPreposition(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                              std::vector<Finding> *out) const
{
    // "interested in learn English" -> "learning": a preposition takes the -ing form
    static const Set prepositions = {"of", "in", "about", "without", "by", "at", "on", "before", "after", "for"};
    if (!prepositions.count(t[size_t(i)].lower))
        return;
    const int v = RuleSupport::nextWord(t, i);
    if (v < 0 || t[size_t(v)].isCapitalised())
        return;
    const std::string &w = t[size_t(v)].lower;
    // before a finite verb the tagger may call "about" an adverb; the -s form still gives it away
    const bool preposition = RuleSupport::tagIs(tags, i, "IN");
    if (!preposition && !(RuleSupport::tagIs(tags, i, "RB") && m_lex.isThirdPerson(w)))
        return;
    // "Think about creates a fire break": an -s form of a verb that is not a noun too (the
    // tagger may still call it a plural noun there)
    if (m_lex.isThirdPerson(w) && (RuleSupport::tagIs(tags, v, "VBZ") || RuleSupport::tagIs(tags, v, "NNS")) && w != "is" && w != "has" && w != "does") {
        const std::string base = m_lex.baseOf(w);
        if (!base.empty() && !m_lex.isPos(base, Lexicon::Noun) && !m_lex.isPos(base, Lexicon::Adjective)
            && (RuleSupport::tagIs(tags, v + 1, "DT") || RuleSupport::tagIs(tags, v + 1, "PRP")))
            out->push_back(RuleSupport::replace(t, v, v, m_lex.ingOf(base), "GRAMMAR", "gerund_after_preposition", 2));
        return;
    }
    if (!preposition || !m_lex.isCommonVerbBase(w) || w == "be" || (m_lex.isPos(w, Lexicon::Adjective) && w != "go")
        || m_lex.baseEqualsPast(w))
        return;
    // a word that is also a noun ("in love", "after school") only with an object after it
    const bool noun = m_lex.isPos(w, Lexicon::Noun);
    const int o = v + 1;
    const std::string objectWord = lowerAt(t, o);
    const bool pronoun = objectWord == "me" || objectWord == "him" || objectWord == "us" || objectWord == "them";
    // things only done, never compounded: "good at play football", "without study hard", "of go home"
    const bool done = doneThings().count(objectWord) > 0;
    const bool object = RuleSupport::tagIs(tags, o, "DT") || pronoun || RuleSupport::tagIs(tags, o, "NN") || done
        || lowerAt(t, o) == "goodbye" || (o < int(t.size()) && t[size_t(o)].kind == Token::Word && t[size_t(o)].isCapitalised());
    if (!object || (noun && !RuleSupport::tagIs(tags, v, "VB") && !pronoun && !done))
        return;
    if (noun && RuleSupport::tagIs(tags, o, "NN") && !done)
        return; // "in touch screens": a noun compound
    if (noun && RuleSupport::timePhraseAt(t, o + 1))
        return; // "after work the next day"
    out->push_back(RuleSupport::replace(t, v, v, m_lex.ingOf(w), "GRAMMAR", "gerund_after_preposition", noun ? 2 : 3));
}

void VerbPatternRules::infinitiveForm(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                      std::vector<Finding> *out) const
{
    // "I like to reading" -> "to read"
    static const Set takesInfinitive = {"want", "wants", "wanted", "like", "likes", "liked", "love", "loves",
                                        "loved", "hope", "hopes", "hoped", "decide", "decided", "plan", "plans",
                                        "planned", "try", "tries", "tried", "need", "needs", "needed", "begin",
                                        "began", "start", "started", "have", "has", "had", "able",
                                        "wish", "wished", "would", "learn", "learned", "choose", "chose",
                                        "get", "gets", "got", "seem", "seems", "seemed", "tend", "tends", "order",
                                        "going", "continue", "continues", "refuse", "refused", "forget", "forgot"};
    if (t[size_t(i)].lower != "to" || !takesInfinitive.count(lowerAt(t, i - 1)))
        return;
    const int v = RuleSupport::nextWord(t, i);
    if (v < 0 || t[size_t(v)].isCapitalised())
        return;
    // "has to justified", "want to went": a past or -s form after the "to" of these verbs
    const std::string &w = t[size_t(v)].lower;
    if (!RuleSupport::tagIs(tags, v, "VBG")) {
        const bool past = m_lex.isPastForm(w) || m_lex.isParticiple(w);
        const std::string regular = past ? std::string() : regularPastBase(w);
        if (!(past || !regular.empty() || (m_lex.isThirdPerson(w) && !m_lex.isPos(w, Lexicon::Noun)))
            || m_lex.isCommonVerbBase(w) || m_lex.isPos(w, Lexicon::Verb)
            || (!past && regular.empty() && m_lex.isPos(m_lex.baseOf(w), Lexicon::Noun)))
            return; // "want to found a company"; "need to plans" is a noun
        if (!regular.empty() && (RuleSupport::tagIs(tags, v + 1, "NN") || RuleSupport::tagIs(tags, v + 1, "JJ")))
            return; // "have to related issues": an adjective before its noun
        const std::string base = regular.empty() ? m_lex.baseOf(w) : regular;
        if (!base.empty() && base != w)
            out->push_back(RuleSupport::replace(t, v, v, base, "GRAMMAR", "to_infinitive", 2));
        return;
    }
    if (lowerAt(t, i - 1) == "going" || lowerAt(t, i - 1) == "get" || lowerAt(t, i - 1) == "gets" || lowerAt(t, i - 1) == "got")
        return; // "money going to cutting costs", "get to thinking": "to" may be a preposition there
    const std::string base = RuleSupport::baseOfIng(m_lex, w);
    if (base.empty())
        return;
    out->push_back(RuleSupport::replace(t, v, v, base, "GRAMMAR", "to_infinitive", 3));
}

void VerbPatternRules::beBareVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                  std::vector<Finding> *out) const
{
    // "She is study English" -> "is studying" (or "studies")
    const Set &be = WordClasses::words(WordClass::BeForm);
    static const Set handledElsewhere = {"agree", "disagree", "depend", "lack", "like", "used", "suppose",
                                         "be", "have", "do", "let", "go", "come"};
    // verbs of state have no progressive: "They are need money" -> "They need money"
    static const Set stateVerbs = {"need", "want", "know", "own", "believe", "understand", "prefer", "hate",
                                   "love", "remember", "forget", "deserve", "belong", "contain", "exist",
                                   "seem", "consist", "mean", "depend", "matter", "include", "cost", "like",
                                   "possess", "realize", "recognize", "suppose"};
    const std::string &b = t[size_t(i)].lower;
    // a gerund heads a subject after an adjective or a determiner: "Bigger farming are use"
    const bool gerundSubject = RuleSupport::tagIs(tags, i - 1, "VBG")
        && (RuleSupport::tagIs(tags, i - 2, "JJ") || RuleSupport::tagIs(tags, i - 2, "DT")) && (b == "are" || b == "were");
    if (!be.count(b) || !(RuleSupport::tagIs(tags, i - 1, "PRP") || RuleSupport::tagIs(tags, i - 1, "NN") || gerundSubject))
        return;
    const int v = RuleSupport::nextWord(t, i);
    if (v < 0 || t[size_t(v)].isCapitalised())
        return;
    // "What I would like to do is get the file": after "do" a bare verb names the thing done
    for (int k = i - 1; k >= 0 && k >= i - 14; --k)
        if (t[size_t(k)].lower == "do" || t[size_t(k)].lower == "does" || t[size_t(k)].lower == "did")
            return;
    const std::string &w = t[size_t(v)].lower;
    static const Set goPlaces = {"to", "on", "back", "out", "home", "abroad", "shopping", "there"};
    if (w == "go" && goPlaces.count(lowerAt(t, v + 1)) && RuleSupport::isSubjectPronoun(lowerAt(t, i - 1))
        && lowerAt(t, i - 1) != "it") {
        // "They are go on doing it", "I am go to school" -> "are going" (or "go")
        const bool past = b == "was" || b == "were";
        const bool third = b == "is" || (b == "was" && lowerAt(t, i - 1) != "i");
        Finding f = RuleSupport::replace(t, i, v, t[size_t(i)].text + " going", "GRAMMAR", "be_verb", 2);
        Candidate simple = f.candidates[0];
        simple.correction = past ? "went" : third ? "goes" : "go";
        simple.score = f.candidates[0].score / 2;
        f.candidates.push_back(simple);
        out->push_back(f);
        return;
    }
    if (w == "come" && lowerAt(t, v + 1) == "from") {
        // "I am come from China" -> "I come from China"
        const bool third = b == "is" || (b == "was" && lowerAt(t, i - 1) != "i");
        const std::string fix = (b == "was" || b == "were") ? "came" : third ? "comes" : "come";
        out->push_back(RuleSupport::replace(t, i, v, fix, "GRAMMAR", "be_verb", 2));
        return;
    }
    if (!m_lex.isCommonVerbBase(w) || handledElsewhere.count(w) || TransitivityRules::isFeelingVerb(w)
        || m_lex.isPos(w, Lexicon::Adjective)
        || m_lex.baseEqualsPast(w))
        return;
    const bool noun = m_lex.isPos(w, Lexicon::Noun);
    // a word that is also a noun only after a personal pronoun and before an object:
    // "She is study English", never "The problem is work"
    // (or after a noun subject: "My brother is study English")
    const bool person = (RuleSupport::isSubjectPronoun(lowerAt(t, i - 1)) || RuleSupport::tagIs(tags, i - 1, "NN")
                         || gerundSubject)
        && lowerAt(t, i - 1) != "it";
    const bool state = stateVerbs.count(w) > 0;
    // verbs whose noun is rare: an object of any kind follows them ("are make products seem")
    static const Set mostlyVerbs = {"make", "take", "give", "get", "bring", "buy", "send", "tell", "find", "pay",
                                    "spend", "teach", "show", "build", "choose", "provide", "produce"};
    // a plain noun after the word may make a compound ("they are work friends"), except after a
    // verb of state ("are need money"); "more" and "to" open an object or an infinitive
    const std::string after = lowerAt(t, v + 1);
    const bool object = (startsObject(t, tags, v + 1) && !RuleSupport::tagIs(tags, v + 1, "NNS")
                         && !(RuleSupport::tagIs(tags, v + 1, "NN") && !RuleSupport::tagIs(tags, v + 1, "NNP") && !state))
        || after == "more" || (state && after == "to") || doneThings().count(after)
        || (mostlyVerbs.count(w) && (RuleSupport::tagIs(tags, v + 1, "NN") || RuleSupport::tagIs(tags, v + 1, "PRP")));
    // "She is study in the library": after a personal pronoun a noun would need an article too
    const bool personal = RuleSupport::isSubjectPronoun(lowerAt(t, i - 1)) && lowerAt(t, i - 1) != "it";
    const bool placeAfter = RuleSupport::tagIs(tags, v + 1, "IN") && lowerAt(t, v + 1) != "of";
    // a count noun of change needs an article: "The price is increase." is the verb
    static const Set trends = {"increase", "decrease", "decline", "drop", "shrink", "rise", "fall", "grow"};
    const bool trendEnd = trends.count(w) && lowerAt(t, i - 1) != "there" && lowerAt(t, i - 1) != "it"
        && (v + 1 >= int(t.size()) || t[size_t(v) + 1].kind == Token::Punct
            || (RuleSupport::tagIs(tags, v + 1, "RB") && lowerAt(t, v + 1).size() > 4));
    if (noun && !(person && object) && !(personal && placeAfter) && !trendEnd)
        return;
    if (!startsObject(t, tags, v + 1) && !(v + 1 < int(t.size()) && t[size_t(v) + 1].kind == Token::Punct)
        && !RuleSupport::tagIs(tags, v + 1, "RB") && !RuleSupport::tagIs(tags, v + 1, "IN") && !object)
        return;
    const std::string subject = lowerAt(t, i - 1);
    const bool third = b == "is" || (b == "was" && subject != "i");
    const bool past = b == "was" || b == "were";
    const std::string simpleForm = past ? m_lex.pastOf(w) : third ? m_lex.thirdPerson(w) : w;
    Finding f = RuleSupport::replace(t, i, v, state ? simpleForm : b + " " + m_lex.ingOf(w), "GRAMMAR", "be_verb", 2);
    if (!state) {
        Candidate simple = f.candidates[0];
        simple.correction = simpleForm;
        simple.score = f.candidates[0].score / 2;
        f.candidates.push_back(simple);
    }
    out->push_back(f);
}

void VerbPatternRules::beAdverbVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                    std::vector<Finding> *out) const
{
    // "They are never give up" -> "They never give up": "be" and a frequency adverb before a bare verb
    static const Set be = {"am", "is", "are"};
    static const Set adverbs = {"never", "always", "often", "usually", "sometimes", "also", "still", "seldom"};
    const std::string &b = t[size_t(i)].lower;
    if (!be.count(b) || !adverbs.count(lowerAt(t, i + 1)) || !RuleSupport::isSubjectPronoun(lowerAt(t, i - 1)))
        return;
    const int v = i + 2;
    const std::string w = lowerAt(t, v);
    if (w.empty() || !RuleSupport::tagIs(tags, v, "VB") || RuleSupport::tagIs(tags, v, "VBG")
        || RuleSupport::tagIs(tags, v, "VBN") || RuleSupport::tagIs(tags, v, "VBD") || !m_lex.isCommonVerbBase(w)
        || m_lex.isPos(w, Lexicon::Adjective) || w == "be")
        return;
    const std::string verb = b == "is" ? m_lex.thirdPerson(w) : w;
    out->push_back(RuleSupport::replace(t, i, v, t[size_t(i) + 1].text + " " + verb, "GRAMMAR", "be_verb", 2));
}

void VerbPatternRules::causativeNounTo(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                       std::vector<Finding> *out) const
{
    // "made the students to study" -> "made the students study"
    const Set &causatives = causativeVerbs();
    static const Set people = {"students", "children", "kids", "people", "parents", "teachers", "workers",
                               "employees", "son", "daughter", "child", "student", "friends", "everyone",
                               "everybody", "others", "player", "players"};
    if (!causatives.count(t[size_t(i)].lower))
        return;
    int k = i + 1;
    if (RuleSupport::tagIs(tags, k, "DT") || RuleSupport::tagIs(tags, k, "PRP$"))
        ++k;
    const bool person = people.count(lowerAt(t, k)) || (RuleSupport::tagIs(tags, k, "NNP") && t[size_t(k)].isCapitalised());
    if (!person || lowerAt(t, k + 1) != "to" || !m_lex.isCommonVerbBase(lowerAt(t, k + 2)))
        return;
    Finding f;
    if (RuleSupport::deletion(t, k + 1, "GRAMMAR", "causative_to", 3, &f))
        out->push_back(f);
}

} // namespace PennovaChecker
