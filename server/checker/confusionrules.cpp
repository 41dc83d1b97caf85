#include "confusionrules.h"

#include "lexicon.h"
#include "rulesupport.h"
#include "wordclasses.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

std::string lowerAt(const std::vector<Token> &t, int i)
{
    return i >= 0 && i < int(t.size()) && t[size_t(i)].kind == Token::Word ? t[size_t(i)].lower : std::string();
}

// true when token i is the end of the sentence or followed by punctuation
bool endsAfter(const std::vector<Token> &t, int i)
{
    return i + 1 >= int(t.size()) || t[size_t(i) + 1].kind == Token::Punct;
}

// Words that go on a clause, never follow the adjective "everyday" (which takes a noun)
const Set &everydayFollowers()
{
    static const Set s = {"instead", "and", "but", "so", "because", "in", "at", "on", "with", "for", "to", "from",
                          "after", "before", "when", "until", "since", "i", "we", "they", "he", "she", "you",
                          "then", "too", "again", "now", "or"};
    return s;
}

// Subjects before which "thing" can only be a slip for "think"
const Set &thinkSubjects()
{
    static const Set s = {"i", "we", "they", "you", "people", "really", "also", "still", "just"};
    return s;
}

// A negated auxiliary just before word i: "don't", "cannot", "do not", "can not"
bool negatedAuxiliary(const std::vector<Token> &t, int i)
{
    static const Set contracted = {"don't", "doesn't", "didn't", "can't", "cannot", "couldn't", "won't",
                                   "wouldn't", "dont"};
    static const Set auxiliaries = {"do", "does", "did", "can", "could", "will", "would"};
    const std::string prev = lowerAt(t, i - 1);
    return contracted.count(prev) || (prev == "not" && auxiliaries.count(lowerAt(t, i - 2)));
}

const Set &determiners()
{
    static const Set s = {"a", "an", "the", "this", "that", "our", "my", "your", "their", "his", "her", "its"};
    return s;
}

const Set &modalsAndNegations()
{
    static const Set s = {"to", "will", "can", "could", "may", "might", "would", "should", "must", "don't",
                          "didn't", "doesn't", "not", "never", "won't", "can't", "cannot", "shall"};
    return s;
}

const Set &objects()
{
    static const Set s = {"us", "them", "me", "him", "her", "my", "our", "their", "his", "your", "its", "people",
                          "students", "children", "everyone", "everybody", "you"};
    return s;
}

void add(std::vector<Finding> *out, const std::vector<Token> &t, int i, const std::string &fix, const char *key,
         int certainty)
{
    out->push_back(RuleSupport::replace(t, i, i, fix, "REAL", key, certainty));
}

} // namespace

void ConfusionRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    bool comparativeSeen = false;
    for (int i = 0; i < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        const Spot spot{t, i, t[size_t(i)].lower, lowerAt(t, i - 1), lowerAt(t, i + 1)};
        possessives(spot, out);
        soundAlikes(spot, comparativeSeen, out);
        thanThen(spot, &comparativeSeen, out);
        verbNounPairs(spot, out);
        others(spot, out);
    }
}

namespace {

bool verbTag(const std::vector<std::string> &tags, int i)
{
    return RuleSupport::tagIs(tags, i, "VB") || RuleSupport::tagIs(tags, i, "MD");
}

} // namespace

void ConfusionRules::contextSlips(const std::vector<Token> &t, const std::vector<std::string> &tags, bool rareWords,
                                  std::vector<Finding> *out) const
{
    if (!m_model.isLoaded())
        return;
    int first = 0;
    while (first < int(t.size()) && t[size_t(first)].kind != Token::Word)
        ++first;
    for (int i = 0; i < int(t.size()); ++i) {
        const Token &tok = t[size_t(i)];
        // a capital inside the sentence makes a name ("Mr Grate", "the Sun Hotel")
        if (tok.kind != Token::Word || (tok.isCapitalised() && i != first) || (tok.text.size() > 1 && tok.isAllCaps()))
            continue;
        const ConfusionModel::Verdict v = m_model.judge(t, tags, i);
        if (!v.better.empty() && v.rareWord == rareWords)
            add(out, t, i, v.better, "confusion_context", 2);
    }
}

void ConfusionRules::checkTagged(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                 std::vector<Finding> *out) const
{
    // "with there curriculum", "helped there parents": "there" between a preposition or a
    // verb and its noun object is "their" ("Is there time", "over there people" stay)
    static const Set notBefore = {"is", "are", "was", "were", "be", "been", "being", "isn't", "aren't", "wasn't",
                                  "weren't", "over", "up", "down", "out", "back", "get", "got", "go", "went", "gone"};
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "there" || t[size_t(i)].isCapitalised())
            continue;
        const int p = RuleSupport::prevWord(t, i);
        const int n = RuleSupport::nextWord(t, i);
        if (p < 0 || n < 0 || notBefore.count(t[size_t(p)].lower) || t[size_t(n)].isCapitalised())
            continue;
        const bool governed = (RuleSupport::tagIs(tags, p, "IN") && m_lex.isPreposition(t[size_t(p)].lower))
            || RuleSupport::tagIs(tags, p, "VB");
        const std::string &noun = t[size_t(n)].lower;
        // a common noun that is not also a verb or an adverb ("there remain", "there too")
        if (!governed || !RuleSupport::tagIs(tags, n, "NN") || RuleSupport::tagIs(tags, n, "NNP")
            || m_lex.isPos(noun, Lexicon::Adverb) || m_lex.isThirdPerson(noun) || m_lex.isCommonVerbBase(noun))
            continue;
        add(out, t, i, "their", "confusion_their", 2);
    }
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const std::string &w = t[size_t(i)].lower;
        // "many others animals": the determiner "other" takes no -s
        if (w == "others" && t[size_t(i) + 1].spaceBefore) {
            int n = i + 1;
            while (RuleSupport::tagIs(tags, n, "JJ"))
                ++n;
            if (RuleSupport::tagIs(tags, n, "NNS") && !t[size_t(n)].isCapitalised())
                add(out, t, i, "other", "confusion_others", 2);
        }
        // "The boy which is tall": a person takes "who"
        static const Set persons = {"boy", "girl", "man", "woman", "person", "people", "student", "students",
                                    "teacher", "teachers", "friend", "friends", "child", "children", "men",
                                    "women", "boys", "girls", "mother", "father", "parents", "doctor"};
        if (w == "which" && persons.count(RuleSupport::lowerAt(t, i - 1)) && (verbTag(tags, i + 1)))
            add(out, t, i, "who", "confusion_which", 2);
        // "died because the cold": "because" before a noun phrase and no verb is "because of"
        if (w == "because" && (RuleSupport::tagIs(tags, i + 1, "DT") || RuleSupport::tagIs(tags, i + 1, "PRP$"))
            && RuleSupport::lowerAt(t, i + 1) != "that" && RuleSupport::lowerAt(t, i + 1) != "this") {
            int k = i + 1;
            bool verb = false;
            // up to the next punctuation: "because the cost of staff and tools is high" has its verb
            static const Set stops = {",", ";", ":", ".", "!", "?"};
            for (; k < int(t.size()) && !(t[size_t(k)].kind == Token::Punct && stops.count(t[size_t(k)].text)); ++k)
                verb = verb || RuleSupport::tagIs(tags, k, "VB") || RuleSupport::tagIs(tags, k, "MD");
            if (!verb && k > i + 2)
                out->push_back(RuleSupport::replace(t, i, i, "because of", "GRAMMAR", "because_of", 2));
        }
    }
}

void ConfusionRules::possessives(const Spot &spot, std::vector<Finding> *out) const
{
    static const Set afterIts = {"a", "an", "the", "not", "been", "going", "getting", "so", "too", "really",
                                 "always", "never", "my", "your", "our", "their", "his", "her", "no"};
    static const Set afterTheir = {"is", "are", "was", "were", "has", "have", "isn't", "aren't", "wasn't",
                                   "weren't", "seems", "seem", "would", "should", "could", "might"};
    static const Set possessedNouns = {"parents", "children", "family", "families", "friends", "lives", "homes",
                                       "opinion", "opinions", "jobs", "teachers", "kids", "own", "country", "house"};
    static const Set beforeTheirNoun = {"for", "with", "to", "about", "love", "loves", "help", "helps", "ask",
                                        "tell", "told", "visit", "visited", "miss", "support", "by", "on"};
    static const Set afterYour = {"going", "not", "being", "doing", "getting", "looking", "so", "too", "really",
                                  "always", "never", "a", "an", "the"};
    static const Set afterWhose = {"going", "been", "coming", "gonna"};
    static const Set prepositions = {"of", "in", "with", "from", "by", "on", "at", "into", "through", "under"};
    const auto &[t, i, w, prev, next] = spot;
    if (next.empty() || !t[size_t(i) + 1].spaceBefore)
        return;
    // a plural of a noun-only word, not opening a cleft ("it's students who ...")
    auto possessedPlural = [&](int k) {
        const std::string n = lowerAt(t, k);
        if (n.size() < 4 || n.back() != 's' || n == "people")
            return false;
        const std::string after = lowerAt(t, k + 1);
        if (after == "who" || after == "that" || after == "which")
            return false;
        const std::string one = n.compare(n.size() - 3, 3, "ies") == 0 ? n.substr(0, n.size() - 3) + "y"
                                                                       : n.substr(0, n.size() - 1);
        const int pos = m_lex.posMask(one);
        return (pos & Lexicon::Noun) && !(pos & Lexicon::Adjective);
    };
    // a verb that takes an object, not a clause ("I think it's ...")
    auto objectTakingVerb = [&](int k) {
        static const Set clauseVerbs = {"think", "thought", "know", "knew", "believe", "believed", "say", "said",
                                        "hope", "hoped", "guess", "feel", "felt", "mean", "find", "found", "see",
                                        "saw", "hear", "heard", "suppose", "bet", "remember", "forget", "realize",
                                        "realise", "agree", "show", "prove", "seem", "seems", "understand",
                                        "notice", "admit", "is", "was", "thinks", "knows", "says", "means"};
        const std::string v = lowerAt(t, k);
        if (v.empty() || clauseVerbs.count(v))
            return false;
        if (m_lex.isCommonVerbBase(v) || m_lex.isPastForm(v) || m_lex.isThirdPerson(v))
            return true;
        // a regular past of a rarer verb: "licked", "wagged", "polished"
        if (v.size() < 5 || v.compare(v.size() - 2, 2, "ed") != 0)
            return false;
        const std::string stem = v.substr(0, v.size() - 2);
        const bool doubled = stem.size() > 2 && stem.back() == stem[stem.size() - 2];
        return m_lex.isPos(stem, Lexicon::Verb) || m_lex.isPos(stem + "e", Lexicon::Verb)
            || (doubled && m_lex.isPos(stem.substr(0, stem.size() - 1), Lexicon::Verb));
    };
    auto adjectiveOnlyAt = [&](int k) {
        const std::string a = lowerAt(t, k);
        return !a.empty() && m_lex.posMask(a) == Lexicon::Adjective;
    };
    // a noun, maybe after an adjective, as a possession ("wagged it's tail", "lost it's best
    // players"); not a word that "it is" names ("it's time", "it's fun") or a cleft ("it's
    // students who ...")
    auto possessedAt = [&](int k) {
        static const Set named = {"time", "fun", "lunch", "dinner", "breakfast", "noon", "night", "morning",
                                  "evening", "midnight", "bedtime", "summer", "winter", "spring", "autumn",
                                  "okay", "ok", "true", "fine", "nothing", "everything", "something", "anything"};
        if ((m_lex.posMask(lowerAt(t, k)) & Lexicon::Adjective) && lowerAt(t, k + 1) != "to")
            ++k;
        if (possessedPlural(k))
            return true;
        const std::string n = lowerAt(t, k);
        if (n.size() < 3 || named.count(n) || t[size_t(k)].isCapitalised() || n.compare(n.size() - 3, 3, "ing") == 0)
            return false;
        const std::string after = lowerAt(t, k + 1);
        if (after == "to" || after == "that" || after == "who" || after == "which")
            return false;
        const int pos = m_lex.posMask(n);
        return (pos & Lexicon::Noun) && !(pos & Lexicon::Adjective);
    };
    // "the chance of ones victory", "for ones health": the possessive of one; "the red ones",
    // "loved ones", "in ones and twos" stay
    static const Set beforeOnes = {"of", "for", "in", "on", "to", "with", "about", "from", "at", "into", "change",
                                   "improve", "follow", "express", "use", "lose", "protect"};
    const int nounAfter = m_lex.posMask(next);
    if (w == "ones" && beforeOnes.count(prev) && (next == "own" || ((nounAfter & Lexicon::Noun) && !(nounAfter & Lexicon::Verb)
                                                                    && !m_lex.isDeterminer(next))))
        add(out, t, i, "one's", "confusion_ones", 2);
    else if (w == "its" && afterIts.count(next))
        add(out, t, i, "it's", "confusion_its", 3);
    else if (w == "its" && (next == "very" || next == "quite") && adjectiveOnlyAt(i + 2))
        add(out, t, i, "it's", "confusion_its", 3); // "its very interesting", not "its very existence"
    else if (w == "it's" && next == "own")
        add(out, t, i, "its", "confusion_its", 3);
    else if (w == "it's" && prepositions.count(prev))
        add(out, t, i, "its", "confusion_its", 2);
    else if (w == "it's" && possessedAt(i + 1) && objectTakingVerb(i - 1))
        add(out, t, i, "its", "confusion_its", 2); // "avoid it's disadvantages", "wagged it's tail"
    else if (w == "their" && afterTheir.count(next))
        add(out, t, i, "there", "confusion_their", 3);
    else if (w == "there" && next == "own")
        add(out, t, i, "their", "confusion_their", 3);
    else if (w == "there" && beforeTheirNoun.count(prev) && possessedNouns.count(next))
        add(out, t, i, "their", "confusion_their", 2);
    else if (w == "they're" && (next == "is" || next == "are" || next == "was" || next == "were"))
        add(out, t, i, "there", "confusion_their", 3);
    else if (w == "they're" && next == "own")
        add(out, t, i, "their", "confusion_their", 3);
    else if (w == "your" && afterYour.count(next))
        add(out, t, i, "you're", "confusion_your", 3);
    else if (w == "your" && next == "welcome" && endsAfter(t, i + 1))
        add(out, t, i, "you're", "confusion_your", 3);
    else if (w == "you're" && next == "own")
        add(out, t, i, "your", "confusion_your", 3);
    else if (w == "whose" && afterWhose.count(next))
        add(out, t, i, "who's", "confusion_whose", 3);
}

void ConfusionRules::thanThen(const Spot &spot, bool *comparativeSeen, std::vector<Finding> *out) const
{
    static const Set sure = {"more", "less", "rather", "other", "fewer"};
    static const Set timeWords = {"since", "until", "till", "back"};
    const auto &[t, i, w, prev, next] = spot;
    if (w == "then" && !prev.empty() && !next.empty() && next != "and" && next != "but") {
        if (sure.count(prev))
            add(out, t, i, "than", "confusion_than", prev == "other" || prev == "more" ? 2 : 3);
        else if (m_lex.comparativeKind(prev))
            add(out, t, i, "than", "confusion_than", 2);
        else if ((lowerAt(t, i - 2) == "more" || lowerAt(t, i - 2) == "less")
                 && (m_lex.posMask(prev) & (Lexicon::Adjective | Lexicon::Adverb))
                 && !(m_lex.posMask(prev) & Lexicon::Noun))
            add(out, t, i, "than", "confusion_than", 2); // "more important then anything
    } else if (w == "than") {
        const bool first = i == 0 || (i == 1 && t[0].kind == Token::Punct);
        if (first && t[size_t(i)].isCapitalised())
            add(out, t, i, "then", "confusion_then", 3);
        else if (timeWords.count(prev))
            add(out, t, i, "then", "confusion_then", 3);
        else if (prev == "and" && !*comparativeSeen && !next.empty())
            add(out, t, i, "then", "confusion_then", 2);
    }
    if (sure.count(w) || m_lex.comparativeKind(w))
        *comparativeSeen = true;
}

void ConfusionRules::verbNounPairs(const Spot &spot, std::vector<Finding> *out) const
{
    static const Set beforeEffect = {"an", "a", "positive", "negative", "great", "big", "side", "no", "any",
                                     "little", "adverse", "significant", "huge", "bad", "good", "profound",
                                     "direct", "strong", "major", "serious", "harmful"};
    static const Set loseObjects = {"weight", "the", "my", "his", "her", "their", "our", "your", "a", "an",
                                    "money", "time", "interest", "control", "face", "hope", "heart", "touch",
                                    "sight", "confidence", "it", "them", "him", "me", "us", "everything", "nothing"};
    static const Set acceptObjects = {"the", "this", "that", "my", "your", "his", "her", "their", "our", "it",
                                      "them", "a", "an", "responsibility", "reality"};
    static const Set beforeAdvice = {"a", "an", "some", "good", "any", "much", "the", "my", "your", "his", "her",
                                     "their", "our", "this", "useful", "helpful"};
    static const Set beforeAdvise = {"i", "we", "they", "to", "will", "would", "should", "can", "could", "strongly"};
    const auto &[t, i, w, prev, next] = spot;
    if ((w == "affect" || w == "affects") && (beforeEffect.count(prev) || next == "on"))
        add(out, t, i, w == "affect" ? "effect" : "effects", "confusion_affect", 3);
    else if ((w == "effect" || w == "effects") && modalsAndNegations().count(prev) && objects().count(next))
        add(out, t, i, w == "effect" ? "affect" : "affects", "confusion_affect", 3);
    else if (w == "loose" && modalsAndNegations().count(prev) && loseObjects.count(next))
        add(out, t, i, "lose", "confusion_lose", 3);
    else if (w == "loosing" && loseObjects.count(next))
        add(out, t, i, "losing", "confusion_lose", 3);
    else if (w == "except" && modalsAndNegations().count(prev) && acceptObjects.count(next))
        add(out, t, i, "accept", "confusion_accept", 3);
    else if (w == "advise" && beforeAdvice.count(prev) && (next.empty() || !objects().count(next)))
        add(out, t, i, "advice", "confusion_advice", 3);
    else if (w == "advice" && beforeAdvise.count(prev) && objects().count(next))
        add(out, t, i, "advise", "confusion_advice", 3);
}

void ConfusionRules::others(const Spot &spot, std::vector<Finding> *out) const
{
    static const Set haveModals = {"could", "would", "should", "must", "might"};
    static const Set subjectPronouns = {"i", "we", "you", "he", "she", "they", "my", "our", "his", "her"};
    static const Set quiteFollowers = {"a", "good", "well", "often", "different", "sure", "easy", "difficult",
                                       "interesting", "important", "simple", "common", "popular", "similar",
                                       "clear", "true", "right", "useful", "expensive", "far", "possible", "likely"};
    static const Set weatherAdjectives = {"good", "bad", "nice", "cold", "hot", "warm", "fine", "rainy", "terrible"};
    static const Set tooAdjectives = {"hot", "cold", "big", "small", "late", "early", "difficult", "hard",
                                      "expensive", "busy", "tired", "young", "old", "much", "many", "far", "fast",
                                      "slow", "heavy", "boring", "dangerous", "noisy", "crowded", "tight", "short"};
    static const Set linking = {"is", "are", "was", "were", "am", "be", "been", "feel", "feels", "felt", "seem",
                                "seems", "seemed", "look", "looks", "looked", "get", "got", "become", "became",
                                "it's", "i'm", "you're", "we're", "they're", "he's", "she's"};
    static const Set wantVerbs = {"want", "wants", "wanted", "need", "needs", "needed", "going", "like", "try",
                                  "tried", "able", "used", "have", "has", "had", "hope", "decided", "plan"};
    static const Set maybeSubjects = {"it", "this", "that", "there"};
    static const Set maybeFollowers = {"a", "an", "the", "true", "possible", "better", "difficult", "hard", "easy",
                                       "right", "wrong", "useful", "helpful", "necessary", "different", "because",
                                       "due"};
    // the word opens the sentence or a clause after a comma or semicolon
    auto clauseStart = [&spot](int k) {
        const std::vector<Token> &tokens = spot.t;
        return k == 0 || (k > 0 && tokens[size_t(k) - 1].kind == Token::Punct
                          && (tokens[size_t(k) - 1].text == "," || tokens[size_t(k) - 1].text == ";"));
    };
    static const Set thoughtFollowers = {"of", "about", "that", "so", "to", "for", "over", "up", ","};
    static const Set futureWords = {"will", "would", "shall", "may", "might", "'ll", "later", "soon"};
    static const Set feelings = {"happy", "sad", "tired", "bored", "lonely", "good", "bad", "better", "worse",
                                 "comfortable", "nervous", "excited", "angry", "sorry", "proud", "great", "relaxed",
                                 "upset", "depressed", "disappointed", "satisfied", "confident", "uncomfortable"};
    static const Set degreeWords = {"very", "so", "really", "quite", "much", "more", "too", "extremely"};
    static const Set clothesBefore = {"wear", "wears", "wore", "worn", "wearing", "buy", "buys", "bought", "buying",
                                      "new", "warm", "fashionable", "beautiful", "expensive", "cheap", "my", "your",
                                      "his", "her", "our", "their", "winter", "summer", "school"};
    static const Set lifeOwners = {"my", "his", "our", "their", "your", "daily", "whole", "everyday", "social"};
    static const Set liveFollowers = {"in", "with", "on", "there", "here", "together", "alone", "happily", "without",
                                      "a", "an", "longer", "near", "abroad", "at"};
    static const Set throughFollowers = {"the", "a", "an", "my", "his", "her", "their", "our", "your", "its",
                                         "this", "these", "those", "which", "whom"};
    const auto &[t, i, w, prev, next] = spot;
    // "they search machine parts", "to search machines": search is the verb there
    auto searchIsVerb = [&spot, this](int k) {
        const std::string before = lowerAt(spot.t, k);
        return RuleSupport::isSubjectPronoun(before) || m_lex.isModal(before) || before == "to";
    };
    if (w == "of" && haveModals.count(prev))
        add(out, t, i, "have", "could_of", 3);
    else if (w == "quiet" && prev != "a" && prev != "the" && prev != "very" && prev != "so" && prev != "and"
             && (quiteFollowers.count(next)
                 || ((m_lex.posMask(next) & Lexicon::Adjective) && !(m_lex.posMask(next) & Lexicon::Noun))))
        add(out, t, i, "quite", "confusion_quite", next == "a" ? 3 : 2);
    else if (w == "whether" && (prev == "the" || weatherAdjectives.count(prev)))
        add(out, t, i, "weather", "confusion_weather", 3);
    else if (w == "weather" && next == "or" && lowerAt(t, i + 2) == "not")
        add(out, t, i, "whether", "confusion_weather", 3);
    else if (w == "to" && linking.count(prev)
             && (tooAdjectives.count(next)
                 || ((m_lex.posMask(next) & Lexicon::Adjective)
                     && !(m_lex.posMask(next) & (Lexicon::Noun | Lexicon::Verb))))
             && (i + 2 >= int(t.size()) || t[size_t(i) + 2].kind == Token::Punct || lowerAt(t, i + 2) == "to"
                 || lowerAt(t, i + 2) == "for"))
        add(out, t, i, "too", "confusion_too", 3);
    else if (w == "too" && wantVerbs.count(prev) && m_lex.isCommonVerbBase(next))
        add(out, t, i, "to", "confusion_too", 3);
    else if (w == "were" && i == 0 && (next == "is" || next == "are" || next == "do" || next == "does"
                                       || next == "did" || next == "can"))
        add(out, t, i, "where", "confusion_where", 3);
    else if (w == "where" && (prev == "we" || prev == "they" || prev == "you")
             && (next == "not" || next == "going" || next == "very" || next == "so" || next == "all"
                 || next == "happy" || next == "born" || next == "able"))
        add(out, t, i, "were", "confusion_where", 2);
    else if (w == "thing" && (thinkSubjects().count(prev) || negatedAuxiliary(t, i))
             && (next == "that" || next == "so" || next == "it" || next == "about" || next == "of"
                 || RuleSupport::isSubjectPronoun(next) || next == "the" || next == "this"))
        add(out, t, i, "think", "confusion_think", 3); // "I thing that", "I don't thing so"
    else if (w == "tough" && (next == "me" || next == "us" || next == "him" || next == "them")
             && prev != "too" && prev != "so" && prev != "very")
        add(out, t, i, "taught", "confusion_taught", 3); // "our parents tough us how to speak"
    else if (w == "image" && negatedAuxiliary(t, i) && (prev != "not" || lowerAt(t, i - 2) == "can")
             && next != "of" && !endsAfter(t, i))
        add(out, t, i, "imagine", "confusion_imagine", 3); // "we can't image life without it"
    else if (w == "everyday" && endsAfter(t, i))
        add(out, t, i, "every day", "confusion_everyday", 3);
    else if (w == "everyday" && everydayFollowers().count(next) && !determiners().count(prev))
        add(out, t, i, "every day", "confusion_everyday", 3); // "work everyday instead", "read everyday in the library"
    else if (w == "everyday" && RuleSupport::prevWord(t, i) < 0 && subjectPronouns.count(next))
        add(out, t, i, "every day", "confusion_everyday", 3); // "Everyday I get up at six.
    else if (w == "maybe" && maybeSubjects.count(prev) && maybeFollowers.count(next))
        add(out, t, i, "may be", "confusion_maybe", 3);
    else if (w == "breath" && prev == "to" && next != "of")
        add(out, t, i, "breathe", "confusion_breath", 3);
    else if (w == "breathe" && (prev == "a" || prev == "deep"))
        add(out, t, i, "breath", "confusion_breath", 3);
    else if (w == "passed" && prev == "the" && lowerAt(t, i - 2) == "in")
        add(out, t, i, "past", "confusion_past", 3);
    else if ((w == "machine" || w == "machines") && prev == "search" && !searchIsVerb(i - 2)
             && !(m_lex.posMask(next) & Lexicon::Noun))
        add(out, t, i, w == "machine" ? "engine" : "engines", "search_engine", 3); // 搜索引擎: a search engine
    else if (w == "live" && lifeOwners.count(prev)
             && (endsAfter(t, i) || next == "is" || next == "was" || next == "has" || next == "will"))
        add(out, t, i, "life", "confusion_life", 3); // "my live is busy": the noun is life
    else if (w == "life" && (m_lex.isModal(prev) || prev == "i" || prev == "we" || prev == "they")
             && liveFollowers.count(next))
        add(out, t, i, "live", "confusion_life", 3); // "we can life in peace": the verb is live
    else if (w == "beside" && clauseStart(i) && i + 1 < int(t.size()) && t[size_t(i) + 1].text == ",")
        add(out, t, i, "besides", "confusion_besides", 3); // "Beside, it is cheap": the linking adverb
    else if (w == "thought" && prev == "even" && clauseStart(i - 1) && !next.empty()
             && !thoughtFollowers.count(next))
        add(out, t, i, "though", "confusion_though", 3); // "Even thought it was late, ..."
    else if (w == "sometime" && clauseStart(i) && (RuleSupport::isSubjectPronoun(next) || next == "people")
             && !futureWords.count(lowerAt(t, i + 2)))
        add(out, t, i, "sometimes", "confusion_sometimes", 3); // "Sometime I feel sad": now and then
    else if (w == "fell" && (RuleSupport::isSubjectPronoun(prev) || prev == "people")
             && (feelings.count(next) || (degreeWords.count(next) && feelings.count(lowerAt(t, i + 2))))) {
        // "I fell very happy": fall takes no feeling ("fell asleep", "fell ill" stay)
        Finding f = RuleSupport::replace(t, i, i, "feel", "REAL", "confusion_feel", 3);
        Candidate past = f.candidates.front();
        past.correction = "felt";
        past.score = f.candidates.front().score / 2;
        f.candidates.push_back(past);
        out->push_back(f);
    } else if (w == "cloths" && clothesBefore.count(prev))
        add(out, t, i, "clothes", "confusion_clothes", 3); // "buy new cloths": the garments are clothes
    else if (w == "thorough" && throughFollowers.count(next))
        add(out, t, i, "through", "confusion_through", 3); // "thorough my experience": an adjective takes no determiner
}

void ConfusionRules::soundAlikes(const Spot &spot, bool comparativeSeen, std::vector<Finding> *out) const
{
    // verbs that take "off"; forms that are also nouns (turn, fall, cut) only after a subject,
    // "to", "please" or a modal: "the rise and fall of", "at the turn of the century" stay
    static const Set phrasalForms = {"turned", "turning", "switched", "switching", "got", "getting", "gets",
                                     "took", "taking", "takes", "putting", "jumped", "stepped", "fell",
                                     "logged", "dropped", "taken", "gotten"};
    static const Set phrasalBases = {"turn", "switch", "get", "take", "put", "jump", "step", "fall", "log",
                                     "shut", "cut", "drop"};
    static const Set verbOpeners = {"to", "please", "i", "we", "you", "they", "will", "can", "could", "would",
                                    "should", "must", "don't", "didn't", "not", "never", "let's"};
    static const Set determiners = {"a", "an", "the", "this", "that", "every", "each", "his", "her", "my", "your",
                                    "our", "their", "its", "first", "last", "next", "one", "another"};
    static const Set objectsOfOff = {"the", "my", "your", "his", "her", "our", "their", "a", "an", "this",
                                     "that", "all", "it", "them", "work"};
    const Set &subjects = WordClasses::words(WordClass::PersonalSubject);
    static const Set pastObjects = {"the", "a", "an", "my", "his", "her", "their", "our", "your", "all", "this",
                                    "that", "these", "those", "every", "each"};
    static const Set clauseOpeners = {"think", "thought", "believe", "believed", "guess", "hope", "know", "knew",
                                      "say", "said", "sure", "if", "because", "that", "maybe", "feel", "felt"};
    static const Set stateWords = {"right", "wrong", "welcome", "correct", "sure", "lucky", "late", "early"};
    static const Set quietBefore = {"very", "so", "too", "really", "keep", "kept", "stay", "stayed", "be",
                                    "remain", "remained", "extremely", "pretty"};
    static const Set wonder = {"know", "wonder", "wondered", "ask", "asked", "decide", "decided", "sure",
                               "doubt", "see", "check", "matter", "regardless", "unsure", "about"};
    static const Set timeAfter = {"today", "now", "tonight", "yesterday", "outside", "inside", "here", "there"};
    const auto &[t, i, w, prev, next] = spot;
    const bool nextSpaced = !next.empty() && t[size_t(i) + 1].spaceBefore;
    const std::string before2 = lowerAt(t, i - 2);
    const std::string after2 = lowerAt(t, i + 2);
    const bool phrasalVerb = (phrasalForms.count(prev) && !determiners.count(before2))
        || (phrasalBases.count(prev) && (verbOpeners.count(before2) || (i == 1 && t[0].isCapitalised())));
    if (w == "of" && phrasalVerb && (objectsOfOff.count(next) || endsAfter(t, i))
        && !(prev == "take" && next == "the" && lowerAt(t, i + 3) == "most"))
        // "turn of the light", "got of the bus" ("the turn of the year", "a cut of meat" stay)
        add(out, t, i, "off", "confusion_off", 2);
    else if (w == "past" && subjects.count(prev) && pastObjects.count(next))
        add(out, t, i, "passed", "confusion_past", 2); // "They past the exam"
    else if (w == "who's" && nextSpaced && (m_lex.posMask(next) & Lexicon::Noun) && !m_lex.isPastForm(next)
             && !(next.size() > 4 && next.compare(next.size() - 3, 3, "ing") == 0)
             && (after2 == "is" || after2 == "was" || after2 == "are" || after2 == "were"))
        add(out, t, i, "whose", "confusion_whose", 3); // "Who's book is this?"
    else if ((w == "weather" || w == "wether") && wonder.count(prev) && (subjects.count(next) || next == "it"
                                                                       || next == "to" || next == "or"))
        add(out, t, i, "whether", "confusion_weather", 3);
    else if (w == "lose" && (prev == "a" || prev == "too" || prev == "very" || prev == "so") && nextSpaced)
        add(out, t, i, "loose", "confusion_lose", 2); // "a lose screw" ("a lose-lose deal" is hyphenated)
    else if (w == "quite" && endsAfter(t, i) && quietBefore.count(prev))
        add(out, t, i, "quiet", "confusion_quite", 3); // "The room was very quite."
    else if (w == "your" && clauseOpeners.count(prev) && stateWords.count(next) && endsAfter(t, i + 1))
        add(out, t, i, "you're", "confusion_your", 3); // "I think your right." ("It is your right.")
    else if (w == "to" && (prev == "is" || prev == "was" || prev == "are" || prev == "were")
             && ((m_lex.posMask(next) & Lexicon::Adjective) && !(m_lex.posMask(next) & (Lexicon::Noun | Lexicon::Verb)))
             && timeAfter.count(after2))
        add(out, t, i, "too", "confusion_too", 3); // "It is to hot today."
    else if ((w == "affect" || w == "affects") && prev == "the" && next == "of")
        add(out, t, i, w == "affect" ? "effect" : "effects", "confusion_affect", 3); // "the affect of smoking"
    else if (w == "effects" && (prev == "it" || prev == "this" || prev == "which" || prev == "he" || prev == "she")
             && objects().count(next))
        add(out, t, i, "affects", "confusion_affect", 2); // "It effects everyone" ("it effects change" stays)
    else if (w == "you're" && nextSpaced && (m_lex.posMask(next) & Lexicon::Noun)
             && !(m_lex.posMask(next) & Lexicon::Adjective) && !(next.size() > 4 && next.compare(next.size() - 3, 3, "ing") == 0)
             && (after2 == "is" || after2 == "was" || after2 == "are" || after2 == "were" || after2 == "has"))
        add(out, t, i, "your", "confusion_your", 3); // "you're book is here" ("you're family" stays)
    else if (w == "than" && !comparativeSeen && i > 0 && t[size_t(i) - 1].text == "," && subjects.count(next))
        add(out, t, i, "then", "confusion_then", 2); // "First we ate, than we left."
}

} // namespace PennovaChecker
