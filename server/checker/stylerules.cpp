#include "stylerules.h"

#include "rulesupport.h"

#include <unordered_map>

namespace PennovaChecker {

namespace {

// Transition openers and the alternatives offered when one opens two sentences in a row.
const std::unordered_map<std::string, std::vector<std::string>> &openerAlternatives()
{
    static const std::unordered_map<std::string, std::vector<std::string>> m = {
        {"then", {"After that", "Next", "Later"}},
        {"and", {"Also", "In addition", "Moreover"}},
        {"also", {"In addition", "Moreover", "Furthermore"}},
        {"so", {"Therefore", "As a result", "Thus"}},
        {"but", {"However", "Yet", "Nevertheless"}},
        {"however", {"Nevertheless", "Yet", "Even so"}},
        {"moreover", {"Furthermore", "In addition", "Besides"}},
        {"besides", {"Moreover", "In addition", "Furthermore"}},
        {"furthermore", {"Moreover", "In addition", "Besides"}},
        {"firstly", {"To begin with", "First of all"}},
        {"secondly", {"Next", "In addition"}},
        {"finally", {"Lastly", "In the end"}},
        {"therefore", {"Thus", "As a result", "Consequently"}},
        {"because", {"Since", "As"}},
    };
    return m;
}

} // namespace

std::string StyleRules::opener(const std::vector<Token> &t)
{
    for (const Token &tok : t) {
        if (tok.kind == Token::Word)
            return tok.lower;
        if (tok.kind != Token::Punct || (tok.text != "\"" && tok.text != "'" && tok.text != "("))
            return {};
    }
    return {};
}

void StyleRules::repeatedOpener(const std::vector<Token> &t, const std::vector<std::string> &previousOpeners,
                                std::vector<Finding> *out) const
{
    if (previousOpeners.empty())
        return;
    const std::string first = opener(t);
    if (first.empty() || first != previousOpeners.back())
        return;
    auto alt = openerAlternatives().find(first);
    if (alt == openerAlternatives().end())
        return;
    int idx = 0;
    while (t[size_t(idx)].kind != Token::Word)
        ++idx;
    // sentence adverbs are followed by a comma
    const bool comma = first != "because" && !(idx + 1 < int(t.size()) && t[size_t(idx) + 1].text == ",");
    const std::string tail = comma ? "," : "";
    Finding f = RuleSupport::replace(t, idx, idx, alt->second[0] + tail, "STYLE", "repeated_opener", 2);
    for (size_t k = 1; k < alt->second.size(); ++k) {
        Candidate c = f.candidates[0];
        c.correction = alt->second[k] + tail;
        c.score = f.candidates[0].score * (1.0 - 0.2 * double(k));
        f.candidates.push_back(c);
    }
    out->push_back(f);
}

} // namespace PennovaChecker
