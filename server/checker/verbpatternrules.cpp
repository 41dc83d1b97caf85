#include "verbpatternrules.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

std::string lowerAt(const std::vector<Token> &t, int i)
{
    return i >= 0 && i < int(t.size()) && t[size_t(i)].kind == Token::Word ? t[size_t(i)].lower : std::string();
}

const Set &beForms()
{
    static const Set s = {"am", "is", "are", "was", "were", "i'm", "he's", "she's", "it's", "we're", "they're",
                          "you're"};
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
    }
}

void VerbPatternRules::veryWithVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    // "I very like it" -> "I really like it"
    static const Set subjects = {"i", "we", "they", "you", "he", "she"};
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
    if (t[size_t(i)].lower != "there" || (i > 0 && t[size_t(i) - 1].kind == Token::Word))
        return; // only "there" that opens a clause
    const std::string verb = lowerAt(t, i + 1);
    if ((verb != "have" && verb != "has") || !quantities.count(lowerAt(t, i + 2)))
        return;
    const std::string next = lowerAt(t, i + 2);
    const bool singular = verb == "has" || next == "a" || next == "an" || next == "much";
    out->push_back(RuleSupport::replace(t, i + 1, i + 1, singular ? "is" : "are", "GRAMMAR", "there_be", 3));
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
    static const Set causatives = {"make", "makes", "made", "making", "let", "lets", "letting"};
    static const Set objects = {"me", "him", "her", "us", "them", "you", "it"};
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

} // namespace PennovaChecker
