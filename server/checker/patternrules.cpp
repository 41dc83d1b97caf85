#include "patternrules.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

int firstWord(const std::vector<Token> &t)
{
    for (int i = 0; i < int(t.size()); ++i)
        if (t[size_t(i)].kind == Token::Word)
            return i;
        else if (t[size_t(i)].text != "\"" && t[size_t(i)].text != "'")
            return -1;
    return -1;
}

} // namespace

void PatternRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    pairedConjunctions(t, out);
    gerunds(t, out);
}

void PatternRules::pairedConjunctions(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    const int f = firstWord(t);
    if (f < 0)
        return;
    const std::string &opener = t[size_t(f)].lower;
    const bool concessive = opener == "although" || opener == "though"
        || (opener == "even" && f + 1 < int(t.size()) && t[size_t(f) + 1].lower == "though");
    const bool causal = opener == "because";
    if (!concessive && !causal)
        return;
    const char *partner = concessive ? "but" : "so";
    for (int i = f + 1; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind == Token::Punct && t[size_t(i)].text == ",") {
            const int n = RuleSupport::nextWord(t, i);
            // "Because it rains, and the plants grow, so ...": a part joined by "and" or "or"
            // still belongs to the first clause
            if (n >= 0 && (t[size_t(n)].lower == "and" || t[size_t(n)].lower == "or"))
                continue;
            if (n >= 0 && t[size_t(n)].lower == partner) {
                Finding fd;
                if (RuleSupport::deletion(t, n, "GRAMMAR", concessive ? "although_but" : "because_so", 3, &fd))
                    out->push_back(fd);
            }
            return; // otherwise the first comma joins the two clauses
        }
    }
}

void PatternRules::gerunds(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const std::unordered_set<std::string> look = {"look", "looks", "looked", "looking"};
    // verbs that take an -ing object and never stand alone before an infinitive
    static const std::unordered_set<std::string> gerundVerbs = {
        "enjoy", "enjoys", "enjoyed", "enjoying", "finish", "finishes", "finished", "avoid", "avoids", "avoided",
        "mind", "minds", "deny", "denies", "denied", "postpone", "postponed", "imagine", "imagined"};
    // "keep to" also means "stay on" ("kept to the path"), so a purpose may follow it: less sure.
    // quit, delay and practise are left out: alone they are often followed by a purpose ("He quit
    // to join a startup", "The flight was delayed to allow ...")
    static const std::unordered_set<std::string> intransitiveToo = {"keep", "keeps", "kept"};
    static const std::unordered_set<std::string> be = {"be", "is", "are", "was", "were", "been", "being", "am", "'s", "'re"};
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        const std::string &w = t[size_t(i)].lower;
        // look forward to + base verb -> -ing
        if (look.count(w) && t[size_t(i) + 1].lower == "forward" && i + 3 < int(t.size())
            && t[size_t(i) + 2].lower == "to") {
            const int v = RuleSupport::nextWord(t, i + 2);
            if (v >= 0 && m_lex.isCommonVerbBase(t[size_t(v)].lower) && !m_lex.isPos(t[size_t(v)].lower, Lexicon::Noun)
                && t[size_t(v)].lower != "be")
                out->push_back(RuleSupport::replace(t, v, v, m_lex.ingOf(t[size_t(v)].lower), "GRAMMAR",
                                                    "look_forward_to", 3));
            else if (v >= 0 && (t[size_t(v)].lower == "see" || t[size_t(v)].lower == "meet"
                                || t[size_t(v)].lower == "hear" || t[size_t(v)].lower == "work"))
                out->push_back(RuleSupport::replace(t, v, v, m_lex.ingOf(t[size_t(v)].lower), "GRAMMAR",
                                                    "look_forward_to", 3));
            continue;
        }
        // "capable to finish" -> "capable of finishing"
        if (w == "capable" && t[size_t(i) + 1].lower == "to") {
            const int v = RuleSupport::nextWord(t, i + 1);
            if (v >= 0 && m_lex.isCommonVerbBase(t[size_t(v)].lower))
                out->push_back(RuleSupport::replace(t, i + 1, v, "of " + m_lex.ingOf(t[size_t(v)].lower), "GRAMMAR",
                                                    "preposition_choice", 2));
            continue;
        }
        // enjoy to swim -> enjoy swimming
        const bool alone = intransitiveToo.count(w) > 0;
        if ((alone || gerundVerbs.count(w)) && t[size_t(i) + 1].lower == "to") {
            const int v = RuleSupport::nextWord(t, i + 1);
            if (v < 0 || !m_lex.isCommonVerbBase(t[size_t(v)].lower))
                continue;
            // "was delayed to allow": after a passive the infinitive tells the purpose
            int before = RuleSupport::prevWord(t, i);
            if (before >= 0 && t[size_t(before)].lower.size() > 2
                && t[size_t(before)].lower.compare(t[size_t(before)].lower.size() - 2, 2, "ly") == 0)
                before = RuleSupport::prevWord(t, before);
            if (before >= 0 && be.count(t[size_t(before)].lower))
                continue;
            out->push_back(RuleSupport::replace(t, i + 1, v, m_lex.ingOf(t[size_t(v)].lower), "GRAMMAR",
                                                "verb_gerund", alone ? 2 : 3));
        }
    }
}

} // namespace PennovaChecker
