#include "feelingrules.h"

#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

const std::pair<const char *, const char *> kPairs[] = {
    {"bored", "boring"}, {"interested", "interesting"}, {"excited", "exciting"}, {"tired", "tiring"},
    {"confused", "confusing"}, {"surprised", "surprising"}, {"disappointed", "disappointing"},
    {"frightened", "frightening"}, {"embarrassed", "embarrassing"}, {"satisfied", "satisfying"},
    {"worried", "worrying"}, {"annoyed", "annoying"}, {"amazed", "amazing"}, {"shocked", "shocking"},
    {"exhausted", "exhausting"}, {"relaxed", "relaxing"}, {"frustrated", "frustrating"}, {"amused", "amusing"},
    {"terrified", "terrifying"}, {"depressed", "depressing"}, {"disgusted", "disgusting"},
    {"fascinated", "fascinating"}, {"thrilled", "thrilling"}, {"puzzled", "puzzling"}};

bool endsWith(const std::string &s, const char *suffix)
{
    const std::string x(suffix);
    return s.size() > x.size() && s.compare(s.size() - x.size(), x.size(), x) == 0;
}

const Set &intensifiers()
{
    static const Set s = {"very", "so", "really", "quite", "too", "extremely", "a", "bit", "little", "rather",
                          "pretty", "always", "often", "never", "not", "getting", "becoming", "still"};
    return s;
}

const Set &be()
{
    static const Set s = {"am", "is", "are", "was", "were", "be", "been", "i'm", "we're", "they're", "he's",
                          "she's", "you're", "it's", "feel", "feels", "felt", "get", "gets", "got", "become",
                          "became"};
    return s;
}

} // namespace

std::string FeelingRules::otherForm(const std::string &w)
{
    for (const auto &[ed, ing] : kPairs) {
        if (w == ed)
            return ing;
        if (w == ing)
            return ed;
    }
    return {};
}

void FeelingRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const Set persons = {"i", "we", "he", "she", "they", "you", "i'm", "we're", "they're", "he's", "she's",
                                "you're", "students", "people", "children", "everyone", "everybody"};
    // things that cause a feeling: "The movie was very excited" -> "exciting"
    static const Set things = {"it", "this", "that", "it's", "movie", "film", "book", "story", "game", "match",
                               "trip", "journey", "lesson", "lecture", "course", "show", "party",
                               "concert", "news", "job", "speech", "novel", "program", "programme", "result",
                               "meeting", "competition", "situation", "weekend", "holiday", "experience"};
    static const Set prepositions = {"in", "with", "about", "by", "at", "of", "to", "that"};
    for (int i = 0; i < int(t.size()); ++i) {
        const std::string &w = t[size_t(i)].lower;
        if (t[size_t(i)].kind != Token::Word || (!endsWith(w, "ing") && !endsWith(w, "ed")))
            continue;
        const std::string other = otherForm(w);
        if (other.empty())
            continue;
        // walk back over intensifiers to the linking verb and its subject
        int k = i - 1;
        while (k >= 0 && intensifiers().count(R::lowerAt(t, k)))
            --k;
        const std::string link = R::lowerAt(t, k);
        if (!be().count(link))
            continue;
        const bool contracted = link.find('\'') != std::string::npos;
        const std::string subject = contracted ? link : R::lowerAt(t, k - 1);
        const std::string next = R::lowerAt(t, i + 1);
        const bool feelingVerb = link == "feel" || link == "feels" || link == "felt";
        if (endsWith(w, "ing") && persons.count(subject)) {
            // a person is "bored": certain with "feel" or a following "in/with/about";
            // "I am boring" may be meant, so it stays a likely finding
            const bool firstPerson = subject == "i" || subject == "we" || subject == "i'm" || subject == "we're";
            const int certainty = feelingVerb || prepositions.count(next) ? 3 : firstPerson ? 2 : 0;
            if (certainty && !(R::lowerAt(t, i + 1) == "to" && !feelingVerb))
                out->push_back(R::replace(t, i, i, other, "GRAMMAR", "feeling_adjective", certainty));
        } else if (endsWith(w, "ed") && things.count(subject) && !feelingVerb && !prepositions.count(next)
                   && next != "by" && (i + 1 >= int(t.size()) || t[size_t(i) + 1].kind == Token::Punct
                                       || next == "and" || next == "but" || next == "because")) {
            out->push_back(R::replace(t, i, i, other, "GRAMMAR", "feeling_adjective", 2));
        }
    }
}

} // namespace PennovaChecker
