#include "numberlistrules.h"

#include "lexicon.h"
#include "noundeterminers.h"
#include "numberrules.h"
#include "rulesupport.h"

#include <algorithm>

namespace PennovaChecker {

void NumberListRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                            std::vector<Finding> *out) const
{
    singularAmongPlurals(t, tags, out);
    bareSingularList(t, tags, out);
}

void NumberListRules::singularAmongPlurals(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                       std::vector<Finding> *out) const
{
    using R = RuleSupport;
    if (!m_counts || m_counts->empty())
        return;
    const int n = int(t.size());
    const auto joiner = [&](int k) { return R::lowerAt(t, k) == "and" || R::lowerAt(t, k) == "or"; };
    const auto comma = [&](int k) { return k >= 0 && k < n && t[size_t(k)].text == ","; };
    const auto noun = [&](int k) {
        return k >= 0 && k < n && t[size_t(k)].kind == Token::Word
            && (R::tagEquals(tags, k, "NN") || R::tagEquals(tags, k, "NNS"));
    };
    const auto countedPluralAt = [&](int k) {
        return k >= 0 && k < n && R::tagEquals(tags, k, "NNS") && !t[size_t(k)].isCapitalised()
            && m_numbers.countedPlural(t[size_t(k)].lower);
    };
    // a determiner, possessive or quantifier before the phrase ending at k may serve the whole
    // list with a singular in it ("your records or chart", "any company, organization, or
    // talent seekers")
    const auto determined = [&](int k) {
        while (k > 0 && t[size_t(k) - 1].kind == Token::Word
               && (R::tagIs(tags, k - 1, "JJ") || R::tagIs(tags, k - 1, "NN") || R::tagIs(tags, k - 1, "VBN")
                   || R::tagIs(tags, k - 1, "VBG")))
            --k;
        const int d = k - 1;
        // ("the ideas and concept": "the" serves either number)
        if (R::lowerAt(t, d) == "the")
            return false;
        return d >= 0 && (R::tagIs(tags, d, "DT") || R::tagIs(tags, d, "PRP$") || R::tagIs(tags, d, "POS")
                          || R::tagIs(tags, d, "CD") || m_lex.isDeterminer(t[size_t(d)].lower)
                          || t[size_t(d)].lower.find('\'') != std::string::npos);
    };
    for (int h = 1; h < n; ++h) {
        const Token &w = t[size_t(h)];
        if (!R::tagEquals(tags, h, "NN") || w.kind != Token::Word || w.isCapitalised())
            continue;
        // the item ends at the noun: a comma, "and", "or", a mark, a preposition or the end
        // follows; a word that is a verb too only before a comma, "and", "or" or a mark ("or
        // wave at friends")
        const bool verb = m_lex.isPos(w.lower, Lexicon::Verb);
        const bool ends = h + 1 >= n || comma(h + 1) || joiner(h + 1)
            || (t[size_t(h) + 1].kind == Token::Punct && t[size_t(h) + 1].text != "-" && t[size_t(h) + 1].text != "'")
            || (!verb && R::tagEquals(tags, h + 1, "IN"));
        if (!ends)
            continue;
        // the plural next to it in the list, joined by "and" or "or": "ideas and concept",
        // "friend or hobbies" (a plural after it alone, not a phrase it may modify: "sport and
        // health activities")
        int partner = -1;
        if (joiner(h - 1) && countedPluralAt(h - 2))
            partner = h - 2;
        else if (joiner(h - 1) && comma(h - 2) && countedPluralAt(h - 3))
            partner = h - 3;
        else {
            const int r = joiner(h + 1) ? h + 2 : comma(h + 1) && joiner(h + 2) ? h + 3 : -1;
            if (r > 0 && countedPluralAt(r) && !noun(r + 1) && R::lowerAt(t, r + 1) != "'")
                partner = r;
        }
        if (partner < 0)
            continue;
        // "sport and health activities": before a longer phrase the noun may share its head
        if (joiner(h + 1) && (R::tagIs(tags, h + 2, "JJ") || R::tagIs(tags, h + 2, "NN")) && noun(h + 3))
            continue;
        // the noun stands alone in its item, and no determiner before the list serves both
        const int before = h - 1;
        const bool alone = partner < h || comma(before) || joiner(before)
            || (t[size_t(before)].kind == Token::Word && !R::tagIs(tags, before, "JJ") && !R::tagIs(tags, before, "NN")
                && !R::tagIs(tags, before, "VBN"));
        if (!alone || determined(std::min(h, partner)))
            continue;
        std::string plural;
        if (!m_numbers.mostlyCounted(w.lower, &plural, 0.3))
            continue;
        if (!rarelyBare(w.lower))
            continue;
        out->push_back(R::replace(t, h, h, R::caseLike(w, plural), "MOPHOLOGY", "noun_number", 2));
    }
}

bool NumberListRules::rarelyBare(const std::string &w) const
{
    // (Brown and UD counts, chosen on the learner dev sets against unedited CWEB sentences)
    constexpr double kMaxBare = 0.2;
    constexpr unsigned kMinUses = 10;
    if (!m_counts)
        return false;
    const NounDeterminers::Counts c = m_counts->counts(w, "all");
    return c.total() >= kMinUses && c.bare <= c.total() * kMaxBare;
}

void NumberListRules::bareSingularList(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    using R = RuleSupport;
    if (!m_counts || m_counts->empty())
        return;
    const int n = int(t.size());
    const auto nounAt = [&](int k) { return k >= 0 && k < n && t[size_t(k)].kind == Token::Word && R::tagEquals(tags, k, "NN")
                                            && !t[size_t(k)].isCapitalised(); };
    for (int s = 1; s < n; ++s) {
        // the list follows a verb or "such as", "like": it is an object or a set of examples
        const std::string &p = t[size_t(s) - 1].lower;
        const bool opens = (R::tagIs(tags, s - 1, "VB") && !m_lex.isAuxiliary(p) && !m_lex.isModal(p))
            || (p == "as" && R::lowerAt(t, s - 2) == "such") || p == "like";
        if (!opens || !nounAt(s))
            continue;
        // items of one or two nouns (their last the head), commas between, "and" or "or" before
        // the last; "and so on" or "etc" may end the list
        std::vector<int> heads;
        bool joined = false, more = false;
        int k = s;
        while (true) {
            int head = k;
            if (nounAt(k + 1))
                ++head;
            if (nounAt(head + 1))
                break; // a longer compound: a name or a term
            heads.push_back(head);
            int j = head + 1;
            const bool comma = j < n && t[size_t(j)].text == ",";
            if (comma)
                ++j;
            const std::string joiner = R::lowerAt(t, j);
            if (joiner == "and" || joiner == "or") {
                ++j;
                if (R::lowerAt(t, j) == "so" && R::lowerAt(t, j + 1) == "on") {
                    more = true;
                    break;
                }
                if (joined || !nounAt(j))
                    break;
                joined = true;
            } else if (R::lowerAt(t, j) == "etc") {
                more = true;
                break;
            } else if (!comma || !nounAt(j)) {
                break;
            }
            k = j;
            if (joined) {
                int last = k;
                if (nounAt(k + 1))
                    ++last;
                if (!nounAt(last + 1))
                    heads.push_back(last);
                else
                    heads.clear();
                break;
            }
        }
        if (!(joined && heads.size() >= 3) && !(more && heads.size() >= 2))
            continue;
        // every item a noun native text hardly ever leaves bare
        std::vector<std::string> plurals;
        for (int h : heads) {
            std::string plural;
            if (!rarelyBare(t[size_t(h)].lower) || !m_numbers.mostlyCounted(t[size_t(h)].lower, &plural, 0.1))
                break;
            plurals.push_back(plural);
        }
        if (plurals.size() != heads.size())
            continue;
        for (size_t i = 0; i < heads.size(); ++i)
            out->push_back(R::replace(t, heads[i], heads[i], R::caseLike(t[size_t(heads[i])], plurals[i]), "MOPHOLOGY",
                                      "noun_number", 2));
        s = heads.back();
    }
}

} // namespace PennovaChecker
