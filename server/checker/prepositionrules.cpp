#include "prepositionrules.h"

#include "rulesupport.h"

#include <cstring>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

bool listed(const char *list, const std::string &w)
{
    const char *p = list;
    const size_t n = w.size();
    while (*p) {
        const char *end = std::strchr(p, ' ');
        const size_t len = end ? size_t(end - p) : std::strlen(p);
        if (len == n && w.compare(0, n, p, len) == 0)
            return true;
        if (!end)
            break;
        p = end + 1;
    }
    return false;
}

const Set &weekdays()
{
    static const Set s = {"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday", "mondays",
                          "tuesdays", "wednesdays", "thursdays", "fridays", "saturdays", "sundays"};
    return s;
}

} // namespace

void PrepositionRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                             std::vector<Finding> *out) const
{
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        listenTo(t, tags, i, out);
        missingOrExtra(t, i, out);
        times(t, i, out);
    }
}

void PrepositionRules::listenTo(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                std::vector<Finding> *out) const
{
    // "listen music" -> "listen to music"
    static const Set listen = {"listen", "listens", "listened", "listening"};
    if (!listen.count(t[size_t(i)].lower))
        return;
    const int n = R::nextWord(t, i);
    if (n < 0)
        return;
    const std::string &next = t[size_t(n)].lower;
    static const Set objects = {"music", "songs", "the", "my", "his", "her", "their", "our", "your", "me", "him",
                                "them", "us", "it", "this", "that", "radio", "teachers", "teacher", "parents",
                                "english", "lectures"};
    if (!objects.count(next) || R::tagIs(tags, i, "NN"))
        return;
    out->push_back(R::replace(t, i, i, t[size_t(i)].text + " to", "GRAMMAR", "preposition_missing", 3));
}

void PrepositionRules::missingOrExtra(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    const std::string &w = t[size_t(i)].lower;
    const int n = R::nextWord(t, i);
    const std::string next = R::lowerAt(t, n);
    static const Set objectPronouns = {"me", "him", "her", "us", "them", "you"};
    static const Set determiners = {"the", "a", "an", "this", "that", "these", "those", "my", "our", "your", "his",
                                    "her", "their"};
    // "waited me" -> "waited for me"; "talked the problem" -> "talked about the problem";
    // "graduated Peking University" -> "graduated from"
    if (listed("wait waits waited waiting", w) && objectPronouns.count(next)) {
        out->push_back(R::replace(t, i, i, t[size_t(i)].text + " for", "GRAMMAR", "preposition_missing", 2));
        return;
    }
    // "I agree the statement" -> "agree with" ("agree that ..." takes a clause)
    if (w == "agree" && determiners.count(next) && next != "that" && next != "this"
        && R::isSubjectPronoun(R::lowerAt(t, i - 1)) && R::lowerAt(t, i - 1) != "it") {
        out->push_back(R::replace(t, i, i, t[size_t(i)].text + " with", "GRAMMAR", "preposition_missing", 2));
        return;
    }
    if (listed("talk talks talked talking", w) && determiners.count(next) && next != "that") {
        out->push_back(R::replace(t, i, i, t[size_t(i)].text + " about", "GRAMMAR", "preposition_missing", 2));
        return;
    }
    // (the verb after a pronoun subject: "the Graduate School", "will graduate the course" stay)
    if (listed("graduate graduates graduated", w) && n >= 0 && !t[size_t(i)].isCapitalised()
        && (t[size_t(n)].isCapitalised() || next == "the" || next == "my")
        && R::isSubjectPronoun(R::lowerAt(t, i - 1))) {
        out->push_back(R::replace(t, i, i, t[size_t(i)].text + " from", "GRAMMAR", "preposition_missing", 2));
        return;
    }
    // "go to home", "went to abroad", "arrived at home": these adverbs take no preposition
    static const Set motion = {"go", "goes", "went", "going", "gone", "come", "comes", "came", "coming", "return",
                               "returns", "returned", "returning", "arrive", "arrives", "arrived", "arriving",
                               "get", "gets", "got", "travel", "travels", "traveled", "travelled", "move", "moved"};
    static const Set places = {"home", "abroad", "overseas", "downstairs", "upstairs", "downtown"};
    // "have been to there", "go to there": here and there take no preposition
    if ((motion.count(w) || w == "been") && next == "to" && n >= 0) {
        const int place = R::nextWord(t, n);
        const std::string where = R::lowerAt(t, place);
        if (place == n + 1 && (where == "there" || where == "here")) {
            Finding f;
            if (R::deletion(t, n, "GRAMMAR", "preposition_extra", 2, &f))
                out->push_back(f);
            return;
        }
    }
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
