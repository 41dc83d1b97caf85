#include "negationrules.h"

#include "rulesupport.h"

#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;

bool negator(const std::string &w)
{
    static const std::unordered_set<std::string> s = {"not", "never", "cannot"};
    return s.count(w) || (w.size() > 3 && w.compare(w.size() - 3, 3, "n't") == 0);
}

} // namespace

void NegationRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const
{
    static const std::unordered_map<std::string, std::string> anyForm = {
        {"nothing", "anything"}, {"nobody", "anybody"}, {"nowhere", "anywhere"}, {"never", "ever"}, {"none", ""}};
    // phrases where a second negative is idiomatic or the "no" is no determiner
    static const std::unordered_set<std::string> noPhrases = {"longer", "matter", "doubt", "more", "less", "sooner",
                                                              "way", "wonder", "one", "problem", "worries"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word || !negator(t[size_t(i)].lower))
            continue;
        if (R::lowerAt(t, i + 1) == "only" || R::lowerAt(t, i - 1) == "if")
            continue; // "not only ... but", "if not"
        for (int k = i + 1; k < int(t.size()) && k <= i + 5; ++k) {
            const Token &tok = t[size_t(k)];
            if (R::clauseBoundary(tok) || negator(tok.lower) != (tok.lower == "never"))
                break; // a new clause, or a second negated verb
            if (tok.lower == "but" || tok.lower == "than")
                break;
            auto it = anyForm.find(tok.lower);
            if (it != anyForm.end() && !it->second.empty()) {
                if (tok.lower == "never" && k != i + 1)
                    break;
                out->push_back(R::replace(t, k, k, it->second, "GRAMMAR", "double_negative", 3));
                break;
            }
            if (tok.lower == "no" && R::lowerAt(t, k + 1) == "one") {
                out->push_back(R::replace(t, k, k + 1, "anyone", "GRAMMAR", "double_negative", 3));
                break;
            }
            if (tok.lower == "no" && !noPhrases.count(R::lowerAt(t, k + 1))
                && (R::tagIs(tags, k + 1, "NN") || R::tagIs(tags, k + 1, "JJ"))) {
                out->push_back(R::replace(t, k, k, "any", "GRAMMAR", "double_negative", 2));
                break;
            }
        }
    }
}

} // namespace PennovaChecker
