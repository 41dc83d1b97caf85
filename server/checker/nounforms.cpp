#include "nounforms.h"

#include "lexicon.h"

#include <fstream>
#include <sstream>
#include <unordered_set>

namespace PennovaChecker {

namespace {

bool endsWith(const std::string &s, const char *suffix)
{
    const std::string t(suffix);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

} // namespace

NounForms::NounForms(const Lexicon &lexicon, const std::string &wordnetDir)
    : m_lex(lexicon)
{
    std::ifstream in(wordnetDir + "/noun.exc");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ss(line);
        std::string plural, single;
        if (!(ss >> plural) || plural.find('_') != std::string::npos)
            continue;
        // "leaves leaf leave": the first singular is the usual one
        bool first = true;
        while (ss >> single) {
            if (single == plural || single.find('_') != std::string::npos)
                continue;
            if (first)
                m_singular.emplace(plural, single);
            first = false;
            // "brethren brother": of several plurals the more frequent one wins (pluralOf)
            const auto it = m_plural.find(single);
            if (it == m_plural.end() || m_lex.frequency(plural) > m_lex.frequency(it->second))
                m_plural[single] = plural;
        }
    }
    // "people" is a lemma of its own in WordNet
    m_singular.emplace("people", "person");
    m_plural["person"] = "people";
}

std::string NounForms::singularOf(const std::string &w) const
{
    if (const auto it = m_singular.find(w); it != m_singular.end())
        return it->second;
    if (w.size() < 3 || w.back() != 's' || endsWith(w, "ss") || endsWith(w, "us") || endsWith(w, "is")
        || endsWith(w, "ics") || w.find('\'') != std::string::npos)
        return w;
    auto noun = [&](const std::string &s) { return s.size() >= 2 && m_lex.isPos(s, Lexicon::Noun); };
    if (endsWith(w, "ies")) {
        const std::string y = w.substr(0, w.size() - 3) + "y";
        if (noun(y))
            return y;
    }
    if (endsWith(w, "es")) {
        const std::string stem = w.substr(0, w.size() - 2);
        if ((endsWith(stem, "s") || endsWith(stem, "x") || endsWith(stem, "z") || endsWith(stem, "ch")
             || endsWith(stem, "sh") || endsWith(stem, "o"))
            && noun(stem) && !noun(w.substr(0, w.size() - 1)))
            return stem;
    }
    const std::string stem = w.substr(0, w.size() - 1);
    return noun(stem) ? stem : w;
}

std::string NounForms::pluralOf(const std::string &w) const
{
    if (w.size() < 2 || !m_lex.isPos(w, Lexicon::Noun))
        return {};
    std::string regular;
    if (endsWith(w, "s") || endsWith(w, "x") || endsWith(w, "z") || endsWith(w, "ch") || endsWith(w, "sh"))
        regular = w + "es";
    else if (w.back() == 'y' && !isVowel(w[w.size() - 2]))
        regular = w.substr(0, w.size() - 1) + "ies";
    else if (w.back() == 'o' && m_lex.frequency(w + "es") > m_lex.frequency(w + "s"))
        regular = w + "es"; // "potatoes", "heroes"
    else
        regular = w + "s";
    const auto it = m_plural.find(w);
    if (it != m_plural.end() && m_lex.frequency(it->second) >= m_lex.frequency(regular))
        return it->second;
    return regular;
}

double NounForms::pluralShare(const std::string &lemma) const
{
    const std::string plural = pluralOf(lemma);
    const double s = double(m_lex.frequency(lemma)), p = plural.empty() ? 0.0 : double(m_lex.frequency(plural));
    return s + p > 0 ? p / (s + p) : -1.0;
}

bool NounForms::numberFixed(const std::string &w) const
{
    static const std::unordered_set<std::string> latin = {"data", "datum", "media", "medium", "criteria", "phenomena",
                                                          "bacteria", "agenda", "stamina", "trivia", "kudos"};
    if (latin.count(w) || endsWith(w, "ics"))
        return true;
    // "news", "clothes", "glasses", "means", "series": a form in -s that WordNet lists as a lemma
    return w.size() > 3 && w.back() == 's' && !endsWith(w, "ss") && m_lex.isPos(w, Lexicon::Noun);
}

bool NounForms::uncountable(const std::string &lemma) const
{
    static const std::unordered_set<std::string> words = {
        "information", "advice", "furniture", "equipment", "luggage", "baggage", "homework", "housework",
        "knowledge", "feedback", "software", "hardware", "scenery", "machinery", "garbage", "rubbish", "leisure",
        "sunshine", "wealth", "health", "livestock", "slang", "clothing", "evidence", "research", "traffic",
        "progress", "weather", "pollution", "music", "money", "stuff", "jewelry", "jewellery", "vocabulary",
        "poetry", "mankind", "nature", "safety", "transport", "transportation", "employment", "unemployment",
        "education", "entertainment", "fun", "luck", "patience", "courage", "honesty", "happiness", "garbage",
        "litter", "accommodation", "permission", "behaviour", "behavior", "grammar", "punctuation", "violence"};
    return words.count(lemma) != 0;
}

} // namespace PennovaChecker
