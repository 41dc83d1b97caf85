#include "countedamountrule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

using R = RuleSupport;

CountedAmountRule::CountedAmountRule(const Lexicon &lexicon)
    : m_lex(lexicon)
{
}

bool CountedAmountRule::countedPlural(const std::string &plural) const
{
    static const std::unordered_set<std::string> people = {"people", "men", "women", "children", "persons"};
    if (people.count(plural))
        return true;
    const size_t n = plural.size();
    if (n < 4 || plural.back() != 's' || plural[n - 2] == 's' || m_lex.isPos(plural, Lexicon::Noun))
        return false; // a plural that is a word of its own: "goods", "savings", "clothes"
    std::vector<std::string> singulars;
    if (n > 4 && plural.compare(n - 3, 3, "ies") == 0)
        singulars.push_back(plural.substr(0, n - 3) + "y");
    if (plural.compare(n - 2, 2, "es") == 0)
        singulars.push_back(plural.substr(0, n - 2));
    singulars.push_back(plural.substr(0, n - 1));
    for (const std::string &s : singulars) {
        const int c = m_lex.nounClass(s);
        if (c >= 0)
            return countedClass(c);
    }
    return false;
}

bool CountedAmountRule::countedClass(int nounClass)
{
    return nounClass == Lexicon::NounPerson || nounClass == Lexicon::NounAnimal || nounClass == Lexicon::NounArtifact
        || nounClass == Lexicon::NounLocation || nounClass == Lexicon::NounPlant
        || nounClass == Lexicon::NounCommunication;
}

void CountedAmountRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                              std::vector<Finding> *out) const
{
    if (tags.size() != t.size())
        return;
    static const std::unordered_set<std::string> determiners = {"the", "these", "those", "my", "our", "their",
                                                                "his", "her", "your", "its", "such"};
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        const std::string &a = t[size_t(i)].lower;
        if ((a != "amount" && a != "amounts") || t[size_t(i) + 1].lower != "of")
            continue;
        // "the same amount of people", "an equal amount of": native writers say so of people and
        // things alike
        const std::string before = R::lowerAt(t, i - 1);
        if (before == "same" || before == "equal")
            continue;
        // "the number and the amount of medications": a writer who names both means both
        bool numberNamed = false;
        for (int b = std::max(0, i - 4); b < i; ++b)
            numberNamed = numberNamed || t[size_t(b)].lower == "number" || t[size_t(b)].lower == "numbers";
        if (numberNamed)
            continue;
        int k = i + 2;
        if (determiners.count(R::lowerAt(t, k)))
            ++k;
        // up to three modifiers before the head: "old people", "pirate shops", "well-trained staff members"
        int head = -1;
        for (int m = 0; m < 4 && k < int(t.size()) && t[size_t(k)].kind == Token::Word; ++m, ++k) {
            if (R::tagEquals(tags, k, "NNS")) {
                head = k;
                break;
            }
            if (!(R::tagEquals(tags, k, "JJ") || R::tagEquals(tags, k, "JJR") || R::tagEquals(tags, k, "VBN")
                  || R::tagEquals(tags, k, "CD") || R::tagEquals(tags, k, "NN")))
                break;
        }
        if (head < 0 || t[size_t(head)].isCapitalised())
            continue;
        // "the amount of kinds of food": the noun after the second "of" is what is measured
        if (R::lowerAt(t, head + 1) == "of" || R::lowerAt(t, head + 1) == "'s")
            continue;
        // "the amount of time men spend", "of gas consumers": a noun of what is measured right
        // before the plural is the head itself or makes the plural a measure of it
        if (R::tagEquals(tags, head - 1, "NN") && !countedClass(m_lex.nounClass(R::lowerAt(t, head - 1))))
            continue;
        if (!countedPlural(t[size_t(head)].lower))
            continue;
        out->push_back(R::replace(t, i, i, a == "amount" ? "number" : "numbers", "GRAMMAR", "amount_number", 2));
    }
}

} // namespace PennovaChecker
