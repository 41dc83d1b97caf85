#include "pronounrules.h"

#include "rulesupport.h"

#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;

const std::unordered_map<std::string, std::string> &subjectForms()
{
    static const std::unordered_map<std::string, std::string> m = {
        {"me", "I"}, {"him", "he"}, {"her", "she"}, {"us", "we"}, {"them", "they"}};
    return m;
}

// A finite verb or modal: what follows a subject.
bool finiteVerb(const std::vector<std::string> &tags, int k)
{
    return R::tagIs(tags, k, "VBD") || R::tagIs(tags, k, "VBP") || R::tagIs(tags, k, "VBZ") || R::tagIs(tags, k, "MD");
}

bool clauseStart(const std::vector<Token> &t, int k)
{
    if (k == 0)
        return true;
    const Token &p = t[size_t(k) - 1];
    return p.kind == Token::Punct ? p.text == "," || p.text == ";" || p.text == ":" || p.text == "\"" : false;
}

// The end of a short noun phrase that begins at k ("my friend", "his old car", "Tom"),
// or -1: a pronoun, a name, or a possessive or article with up to two more words.
int phraseEnd(const std::vector<Token> &t, const std::vector<std::string> &tags, int k)
{
    if (k < 0 || k >= int(t.size()) || t[size_t(k)].kind != Token::Word)
        return -1;
    // ("her" before "and" is the object form, whatever the tagger says)
    const bool possessive = t[size_t(k)].lower == "her" && (R::tagIs(tags, k + 1, "NN") || R::tagIs(tags, k + 1, "JJ"));
    if (!possessive && ((R::tagIs(tags, k, "PRP") && !R::tagIs(tags, k, "PRP$")) || subjectForms().count(t[size_t(k)].lower)))
        return k;
    if (R::tagIs(tags, k, "NNP"))
        return R::tagIs(tags, k + 1, "NNP") ? k + 1 : k;
    if (!R::tagIs(tags, k, "PRP$") && !R::tagIs(tags, k, "DT"))
        return -1;
    int e = k + 1;
    for (int n = 0; n < 2 && R::tagIs(tags, e + 1, "NN"); ++n)
        ++e;
    return R::tagIs(tags, e, "NN") ? e : -1;
}

} // namespace

void PronounRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const
{
    jointSubject(t, tags, out);
    peoples(t, tags, out);
}

void PronounRules::jointSubject(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                std::vector<Finding> *out) const
{
    for (int a = 0; a + 3 < int(t.size()); ++a) {
        if (!clauseStart(t, a) || t[size_t(a)].kind != Token::Word)
            continue;
        // "X and Y" opening the clause, then its verb
        const int x = phraseEnd(t, tags, a);
        if (x < 0 || R::lowerAt(t, x + 1) != "and")
            continue;
        const int y = phraseEnd(t, tags, x + 2);
        // (a joined subject takes the plural, which the tagger may call a base form)
        if (y < 0 || !(finiteVerb(tags, y + 1) || R::tagIs(tags, y + 1, "VB")) || t[size_t(y) + 1].kind != Token::Word)
            continue;
        const auto f = a == x ? subjectForms().find(t[size_t(a)].lower) : subjectForms().end();
        const auto s = x + 2 == y ? subjectForms().find(t[size_t(y)].lower) : subjectForms().end();
        if (f == subjectForms().end() && s == subjectForms().end())
            continue;
        // the corrected phrase, with "I" last: "Me and him" -> "He and I" (replace() gives
        // it the capital of the first word)
        std::string left = f != subjectForms().end() ? f->second : R::textOf(t, a, x);
        std::string right = s != subjectForms().end() ? s->second : R::textOf(t, x + 2, y);
        if (left == "I")
            std::swap(left, right);
        const std::string fixed = left + " and " + right;
        out->push_back(R::replace(t, a, y, fixed, "GRAMMAR", "pronoun_case", 2));
        a = y;
    }
}

void PronounRules::peoples(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           std::vector<Finding> *out) const
{
    // "the peoples of Asia", "indigenous peoples" name nations: only after a quantifier
    // and before a verb is it a number of persons
    static const std::unordered_set<std::string> quantifiers = {"many", "some", "most", "these", "those", "few",
                                                                "more", "other", "lots", "all"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "peoples" || t[size_t(i)].kind != Token::Word)
            continue;
        const int q = R::prevWord(t, i);
        std::string before = R::lowerAt(t, q);
        if (before == "of" && R::lowerAt(t, q - 1) == "lot")
            before = "lots";
        // (or as the subject opening the sentence or a clause after a comma: "Peoples are
        // friendly", "For instance, peoples should know")
        const bool opens = i == 0 || (t[size_t(i) - 1].kind == Token::Punct && t[size_t(i) - 1].text == ",");
        if (!quantifiers.count(before) && !opens)
            continue;
        const int v = R::nextWord(t, i);
        if (v < 0 || !(finiteVerb(tags, v) || R::lowerAt(t, v) == "who"))
            continue;
        out->push_back(R::replace(t, i, i, "people", "MOPHOLOGY", "people_plural", 3));
    }
}

} // namespace PennovaChecker
