#include "patternrules.h"

#include "rulesupport.h"

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

} // namespace PennovaChecker
