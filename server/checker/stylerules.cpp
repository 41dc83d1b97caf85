#include "stylerules.h"

#include "rulesupport.h"

#include <sstream>
#include <unordered_map>

namespace PennovaChecker {

namespace {

struct Phrase
{
    const char *words;
    const char *concise;
    int certainty;
};

// Wordy phrase -> concise wording.
const Phrase kPhrases[] = {
    {"in order to", "to", 1},
    {"very unique", "unique", 3},
    {"quite unique", "unique", 2},
    {"due to the fact that", "because", 3},
    {"owing to the fact that", "because", 3},
    {"in spite of the fact that", "although", 3},
    {"despite the fact that", "although", 3},
    {"at this point in time", "now", 3},
    {"at the present time", "now", 2},
    {"in the event that", "if", 2},
    {"for the purpose of", "for", 2},
    {"has the ability to", "can", 2},
    {"have the ability to", "can", 2},
    {"a large number of", "many", 1},
    {"the majority of", "most", 1},
    {"each and every", "every", 3},
    {"first and foremost", "first", 2},
    {"absolutely essential", "essential", 3},
    {"completely destroyed", "destroyed", 2},
    {"past history", "history", 3},
    {"end result", "result", 3},
    {"free gift", "gift", 3},
    {"return back", "return", 3},
    {"returned back", "returned", 3},
    {"repeat again", "repeat", 3},
    {"revert back", "revert", 3},
    {"final outcome", "outcome", 3},
    {"basic fundamentals", "fundamentals", 3},
    {"in my opinion i think", "I think", 3},
    {"i personally think", "I think", 2},
    {"with regard to", "about", 1},
    {"in regard to", "about", 2},
    {"as a matter of fact", "in fact", 2},
    {"on a daily basis", "daily", 2},
    {"during the course of", "during", 3},
    {"in close proximity to", "near", 3},
    {"until such time as", "until", 3},
    {"prior to", "before", 1},
    {"a great deal of", "much", 1},
    {"advance planning", "planning", 3},
    {"close proximity", "proximity", 2},
    {"the reason why is because", "the reason is that", 3},
    {"the reason is because", "the reason is that", 3},
    {"in today's society", "today", 2},
    {"in today's world", "today", 2},
    {"it goes without saying that", "clearly,", 2},
    {"new innovations", "innovations", 3},
    {"future plans", "plans", 1},
    {"join together", "join", 2},
    {"combine together", "combine", 3},
    {"cooperate together", "cooperate", 3},
    {"mutual cooperation", "cooperation", 2},
    {"totally impossible", "impossible", 2},
};

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

std::vector<std::string> split(const char *words)
{
    std::vector<std::string> out;
    std::stringstream ss(words);
    std::string w;
    while (ss >> w)
        out.push_back(w);
    return out;
}

} // namespace

void StyleRules::phrases(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const std::vector<std::pair<std::vector<std::string>, const Phrase *>> table = [] {
        std::vector<std::pair<std::vector<std::string>, const Phrase *>> v;
        for (const Phrase &p : kPhrases)
            v.emplace_back(split(p.words), &p);
        return v;
    }();
    for (int i = 0; i < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        for (const auto &[words, phrase] : table) {
            if (words[0] != t[size_t(i)].lower || i + int(words.size()) > int(t.size()))
                continue;
            bool match = true;
            for (size_t k = 1; k < words.size() && match; ++k) {
                const Token &tok = t[size_t(i) + k];
                match = tok.kind == Token::Word && tok.lower == words[k];
            }
            if (!match)
                continue;
            const int last = i + int(words.size()) - 1;
            out->push_back(RuleSupport::replace(t, i, last, phrase->concise, "STYLE", "wordy_phrase",
                                                phrase->certainty));
            out->back().featureKeys = {phrase->words};
            i = last;
            break;
        }
    }
}

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
