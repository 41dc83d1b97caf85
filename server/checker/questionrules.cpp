#include "questionrules.h"

#include "lexicon.h"
#include "rulesupport.h"
#include "wordclasses.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;
using R = RuleSupport;

} // namespace

void QuestionRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const
{
    // a question word, a pronoun subject and its verb, and a question mark at the end ("How come
    // you are late?" keeps statement order: "come" is no pronoun)
    const Set &questionWords = WordClasses::words(WordClass::QuestionWord);
    static const Set auxiliaries = {"am", "is", "are", "was", "were", "can", "could", "will", "would", "should",
                                    "may", "might", "must", "have", "has", "had", "don't", "doesn't", "didn't",
                                    "can't", "won't", "isn't", "aren't", "wasn't", "weren't", "haven't", "hasn't",
                                    "couldn't", "shouldn't", "wouldn't"};
    if (t.size() < 4 || tags.size() != t.size() || t.back().text != "?" || !questionWords.count(R::lowerAt(t, 0))
        || !t[0].isCapitalised())
        return;
    const std::string subject = R::lowerAt(t, 1);
    if (!R::isSubjectPronoun(subject))
        return;
    const std::string verb = R::lowerAt(t, 2);
    if (verb.empty() || t[2].isCapitalised())
        return;
    // "What I want is this?": the clause is the subject of a later verb
    for (size_t k = 3; k < t.size(); ++k)
        if (R::tagIs(tags, int(k), "VBZ") || R::tagIs(tags, int(k), "VBP") || R::tagIs(tags, int(k), "VBD")
            || R::tagIs(tags, int(k), "MD"))
            return;
    const std::string opener = t[0].text + " ";
    if (auxiliaries.count(verb)) {
        // "have" asks only as the perfect's auxiliary: "What you have done?"
        if ((verb == "have" || verb == "has" || verb == "had") && !R::tagIs(tags, 3, "VBN"))
            return;
        out->push_back(R::replace(t, 0, 2, opener + t[2].text + " " + t[1].text, "GRAMMAR", "question_order", 2));
        return;
    }
    // a main verb: "do", "does" or "did" before the subject, the verb in its base form
    const bool past = R::tagIs(tags, 2, "VBD") && m_lex.isPastForm(verb);
    const bool third = R::tagIs(tags, 2, "VBZ") && m_lex.isThirdPerson(verb);
    const bool plain = (R::tagIs(tags, 2, "VBP") || R::tagIs(tags, 2, "VB")) && m_lex.isCommonVerbBase(verb);
    if (!past && !third && !plain)
        return;
    const std::string base = plain ? verb : m_lex.baseOf(verb);
    if (base.empty() || base == "be")
        return;
    const bool singular = subject == "he" || subject == "she" || subject == "it";
    const char *helper = past ? "did" : (third || (singular && plain)) ? "does" : "do";
    out->push_back(R::replace(t, 0, 2, opener + helper + " " + t[1].text + " " + base, "GRAMMAR",
                              "question_order", 2));
}

} // namespace PennovaChecker
