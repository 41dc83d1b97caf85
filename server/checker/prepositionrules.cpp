#include "prepositionrules.h"

#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

const Set &weekdays()
{
    static const Set s = {"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday", "mondays",
                          "tuesdays", "wednesdays", "thursdays", "fridays", "saturdays", "sundays"};
    return s;
}

} // namespace

void PrepositionRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        missingOrExtra(t, i, out);
        times(t, i, out);
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

void PrepositionRules::times(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    const std::string &w = t[size_t(i)].lower;
    if (w != "in" && w != "on" && w != "at")
        return;
    if (i + 1 >= int(t.size()))
        return;
    const Token &n = t[size_t(i) + 1];
    // days take "on"
    if (w != "on" && weekdays().count(n.lower) && n.isCapitalised()) {
        out->push_back(R::replace(t, i, i, "on", "GRAMMAR", "preposition_time", 3));
        return;
    }
    // years take "in": "on 2010" -> "in 2010"
    if (w != "in" && n.kind == Token::Number && n.text.size() == 4 && (n.text.rfind("19", 0) == 0 || n.text.rfind("20", 0) == 0)
        && (i + 2 >= int(t.size()) || t[size_t(i) + 2].kind == Token::Punct || t[size_t(i) + 2].kind == Token::Word)) {
        const std::string after = R::lowerAt(t, i + 2);
        if (after != "prices" && after != "levels" && after != "dollars")
            out->push_back(R::replace(t, i, i, "in", "GRAMMAR", "preposition_time", 2));
        return;
    }
    // "in night" -> "at night"
    if (w == "in" && n.lower == "night" && R::lowerAt(t, i + 2) != "school" && R::lowerAt(t, i + 2) != "shift")
        out->push_back(R::replace(t, i, i, "at", "GRAMMAR", "preposition_time", 3));
}

} // namespace PennovaChecker
