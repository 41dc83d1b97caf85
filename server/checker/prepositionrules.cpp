#include "prepositionrules.h"

#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

} // namespace

void PrepositionRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        missingOrExtra(t, i, out);
    }
}

void PrepositionRules::missingOrExtra(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    const std::string &w = t[size_t(i)].lower;
    const int n = R::nextWord(t, i);
    const std::string next = R::lowerAt(t, n);
    // "go to home", "went to abroad", "arrived at home": these adverbs take no preposition
    static const Set motion = {"go", "goes", "went", "going", "gone", "come", "comes", "came", "coming", "return",
                               "returns", "returned", "returning", "arrive", "arrives", "arrived", "arriving",
                               "get", "gets", "got", "travel", "travels", "traveled", "travelled", "move", "moved"};
    static const Set places = {"home", "abroad", "overseas", "downstairs", "upstairs", "downtown"};
    if (motion.count(w) && (next == "to" || (next == "at" && w.rfind("arriv", 0) == 0)) && n >= 0) {
        // "went to home page", "came to home base": a compound is a place noun after all
        static const Set compounds = {"town", "page", "work", "country", "team", "office", "base", "run", "game",
                                      "screen", "market", "ground", "side", "plate", "city", "state"};
        const int place = R::nextWord(t, n);
        if (place >= 0 && places.count(t[size_t(place)].lower) && !compounds.count(R::lowerAt(t, place + 1))
            && !(place + 1 < int(t.size()) && !t[size_t(place) + 1].spaceBefore && t[size_t(place) + 1].text == "-")) {
            Finding f;
            if (R::deletion(t, n, "GRAMMAR", "preposition_extra", 2, &f))
                out->push_back(f);
        }
    }
}

} // namespace PennovaChecker
