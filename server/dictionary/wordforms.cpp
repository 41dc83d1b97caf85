#include "wordforms.h"

#include "lexicon.h"

#include <algorithm>
#include <fstream>

namespace PennovaDictionary {

namespace {

struct Rule
{
    const char *suffix;
    const char *ending;
};

// WordNet's detachment rules per part of speech.
const std::vector<Rule> &rules(WordForms::Pos pos)
{
    static const std::vector<Rule> noun{{"s", ""},     {"ses", "s"}, {"xes", "x"}, {"zes", "z"},
                                        {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
    static const std::vector<Rule> verb{{"s", ""},  {"ies", "y"}, {"es", "e"},  {"es", ""},
                                        {"ed", "e"}, {"ed", ""},   {"ing", "e"}, {"ing", ""}};
    static const std::vector<Rule> adjective{{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}};
    static const std::vector<Rule> none;
    switch (pos) {
    case WordForms::Noun: return noun;
    case WordForms::Verb: return verb;
    case WordForms::Adjective: return adjective;
    default: return none;
    }
}

bool endsWith(const std::string &s, const std::string &end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

void addUnique(std::vector<WordForms::Inflection> &list, const std::string &name, const std::string &word)
{
    if (word.empty())
        return;
    for (WordForms::Inflection &i : list) {
        if (i.word == word) {
            if (i.name.find(name) == std::string::npos)
                i.name += "/" + name;
            return;
        }
    }
    list.push_back({name, word});
}

constexpr WordForms::Pos AllPos[] = {WordForms::Verb, WordForms::Noun, WordForms::Adjective, WordForms::Adverb};

} // namespace

WordForms::WordForms(const PennovaChecker::Lexicon &lexicon, const std::string &wordnetDir)
    : m_lex(lexicon)
{
    loadExceptions(wordnetDir + "/noun.exc", Noun);
    loadExceptions(wordnetDir + "/verb.exc", Verb);
    loadExceptions(wordnetDir + "/adj.exc", Adjective);
    loadExceptions(wordnetDir + "/adv.exc", Adverb);
}

void WordForms::loadExceptions(const std::string &path, Pos pos)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() > 200)
            continue;
        std::vector<std::string> words;
        std::size_t start = 0;
        while (start < line.size()) {
            const std::size_t end = std::min(line.find(' ', start), line.size());
            if (end > start)
                words.push_back(line.substr(start, end - start));
            start = end + 1;
        }
        if (words.size() < 2 || words[0].find('_') != std::string::npos)
            continue;
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (words[i] == words[0] || words[i].find('_') != std::string::npos)
                continue;
            m_toBase[pos][words[0]].push_back(words[i]);
            m_toForm[pos][words[i]].push_back(words[0]);
        }
    }
}

int WordForms::posMask(const std::string &lemma) const
{
    return m_lex.posMask(lemma);
}

std::vector<WordForms::Lemma> WordForms::lemmas(const std::string &lower) const
{
    std::vector<Lemma> out;
    auto add = [&](const std::string &base, Pos pos) {
        if (base.empty() || base == lower)
            return;
        for (const Lemma &l : out)
            if (l.base == base && l.pos == pos)
                return;
        out.push_back({base, pos, formName(lower, base, pos)});
    };
    // Modal verbs have no entries of their own in WordNet's exception lists.
    static const std::unordered_map<std::string, std::string> modals{
        {"would", "will"}, {"could", "can"}, {"might", "may"}, {"should", "shall"}};
    const auto modal = modals.find(lower);
    if (modal != modals.end())
        add(modal->second, Verb);
    for (Pos pos : AllPos) {
        const auto table = m_toBase.find(pos);
        if (table != m_toBase.end()) {
            const auto it = table->second.find(lower);
            if (it != table->second.end())
                for (const std::string &base : it->second)
                    add(base, pos);
        }
        for (const Rule &rule : rules(pos)) {
            const std::string suffix = rule.suffix;
            if (lower.size() <= suffix.size() + 1 || !endsWith(lower, suffix))
                continue;
            const std::string base = lower.substr(0, lower.size() - suffix.size()) + rule.ending;
            // Two-letter bases are noise ("as" -> "a", "is" -> "i").
            if (base.size() >= 3 && (m_lex.posMask(base) & pos))
                add(base, pos);
        }
    }
    return out;
}

std::string WordForms::participleVerb(const std::string &lower) const
{
    if (!(endsWith(lower, "ing") || endsWith(lower, "ed")) || !(m_lex.posMask(lower) & Adjective))
        return {};
    std::string best;
    for (const Lemma &l : lemmas(lower))
        if (l.pos == Verb && (best.empty() || m_lex.frequency(l.base) > m_lex.frequency(best)))
            best = l.base;
    return best;
}

std::string WordForms::headword(const std::string &lower) const
{
    if (!participleVerb(lower).empty())
        return lower;
    const std::vector<Lemma> bases = lemmas(lower);
    std::string best;
    for (const Lemma &l : bases)
        if (best.empty() || m_lex.frequency(l.base) > m_lex.frequency(best))
            best = l.base;
    if (best.empty())
        return lower;
    const bool ownLemma = m_lex.posMask(lower) != 0;
    return !ownLemma || m_lex.frequency(best) >= m_lex.frequency(lower) ? best : lower;
}

std::string WordForms::formName(const std::string &word, const std::string &base, Pos pos) const
{
    switch (pos) {
    case Noun:
        return "复数";
    case Adjective:
    case Adverb:
        return endsWith(word, "st") ? "最高级" : "比较级";
    case Verb:
        break;
    }
    if (base == "will" || base == "can" || base == "may" || base == "shall")
        return "过去式";
    if (word == m_lex.thirdPerson(base) || word == "is")
        return "第三人称单数";
    if (word == m_lex.ingOf(base) || endsWith(word, "ing"))
        return "现在分词";
    const bool past = word == m_lex.pastOf(base) || word == "was" || word == "were";
    const bool participle = word == m_lex.participleOf(base);
    if (past && !participle)
        return "过去式";
    if (participle && !past)
        return "过去分词";
    if (base == "be")
        return word == "been" ? "过去分词" : "现在时";
    return "过去式/过去分词";
}

std::string WordForms::plural(const std::string &noun) const
{
    if (endsWith(noun, "s") || endsWith(noun, "x") || endsWith(noun, "z") || endsWith(noun, "ch")
        || endsWith(noun, "sh"))
        return noun + "es";
    if (noun.size() > 1 && noun.back() == 'y' && std::string("aeiou").find(noun[noun.size() - 2]) == std::string::npos)
        return noun.substr(0, noun.size() - 1) + "ies";
    return noun + "s";
}

std::vector<WordForms::Inflection> WordForms::inflections(const std::string &lemma) const
{
    std::vector<Inflection> out;
    const int mask = m_lex.posMask(lemma);
    auto irregular = [this, &lemma](Pos pos) {
        const auto table = m_toForm.find(pos);
        if (table == m_toForm.end())
            return std::vector<std::string>();
        const auto it = table->second.find(lemma);
        return it == table->second.end() ? std::vector<std::string>() : it->second;
    };
    auto known = [this](const std::string &w) { return m_lex.frequency(w) > 0; };
    if (mask & Verb) {
        const std::vector<std::string> forms = irregular(Verb);
        const std::string third = m_lex.thirdPerson(lemma);
        if (known(third))
            addUnique(out, "第三人称单数", third);
        const std::string past = m_lex.pastOf(lemma);
        const std::string participle = m_lex.participleOf(lemma);
        auto fits = [&](const std::string &w) {
            return forms.empty() ? known(w) : std::find(forms.begin(), forms.end(), w) != forms.end();
        };
        if (fits(past))
            addUnique(out, "过去式", past);
        if (fits(participle))
            addUnique(out, "过去分词", participle);
        for (const std::string &f : forms)
            if (f != past && f != participle && !endsWith(f, "ing") && f != third)
                addUnique(out, "过去式/过去分词", f);
        const std::string ing = m_lex.ingOf(lemma);
        if (known(ing))
            addUnique(out, "现在分词", ing);
    }
    if (mask & Noun) {
        const std::vector<std::string> forms = irregular(Noun);
        for (const std::string &f : forms)
            addUnique(out, "复数", f);
        if (forms.empty() && known(plural(lemma)))
            addUnique(out, "复数", plural(lemma));
    }
    if (mask & Adjective) {
        for (const std::string &f : irregular(Adjective))
            addUnique(out, endsWith(f, "st") ? "最高级" : "比较级", f);
    }
    return out;
}

} // namespace PennovaDictionary
