#include "synonymfinder.h"

#include "lexicon.h"
#include "tokenizer.h"
#include "wordnetdictionary.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace PennovaChecker {

namespace {

std::string plural(const std::string &n)
{
    if (n.empty())
        return n;
    const char last = n.back();
    if (last == 's' || last == 'x' || last == 'z' || (n.size() > 1 && (n.compare(n.size() - 2, 2, "ch") == 0
                                                                      || n.compare(n.size() - 2, 2, "sh") == 0)))
        return n + "es";
    if (last == 'y' && n.size() > 1 && std::string("aeiou").find(n[n.size() - 2]) == std::string::npos)
        return n.substr(0, n.size() - 1) + "ies";
    return n + "s";
}

} // namespace

bool SynonymFinder::participleAdjective(const std::string &word) const
{
    const bool participle = (word.size() > 5 && word.compare(word.size() - 3, 3, "ing") == 0)
        || (word.size() > 4 && word.compare(word.size() - 2, 2, "ed") == 0);
    return participle && m_wordnet.senseCount(word, WordNetDictionary::Adjective) > 0;
}

bool SynonymFinder::adjectivalLead(const std::string &prev)
{
    static const std::unordered_set<std::string> leads{
        "am", "be", "been", "being", "seem", "seems", "seemed", "feel", "feels", "felt", "look", "looks",
        "looked", "become", "becomes", "became", "get", "gets", "got", "quite", "really", "rather",
        "extremely", "pretty", "fairly", "more", "most", "less", "least", "not"};
    return leads.count(prev) != 0;
}

std::string SynonymFinder::inflect(const std::string &candidate, const std::string &base, const std::string &original,
                                   int pos) const
{
    if (original == base)
        return candidate;
    // inflect the first word of a phrase ("look into" -> "looked into")
    const size_t sp = candidate.find(' ');
    const std::string head = candidate.substr(0, sp);
    const std::string rest = sp == std::string::npos ? std::string() : candidate.substr(sp);
    std::string inflected = head;
    if (pos == WordNetDictionary::Noun) {
        if (original == plural(base))
            inflected = plural(head);
    } else if (pos == WordNetDictionary::Verb) {
        if (original == m_lex.thirdPerson(base))
            inflected = m_lex.thirdPerson(head);
        else if (original == m_lex.pastOf(base))
            inflected = m_lex.pastOf(head);
        else if (original == m_lex.participleOf(base))
            inflected = m_lex.participleOf(head);
        else if (original == m_lex.ingOf(base))
            inflected = m_lex.ingOf(head);
    }
    return inflected + rest;
}

std::vector<std::string> SynonymFinder::find(const std::string &sentence, int start, int end, size_t max) const
{
    std::vector<std::string> out;
    if (!m_wordnet.available() || start < 0 || end <= start || sentence.size() > 200000)
        return out;
    const std::u32string text = Tokenizer::decode(sentence);
    const int from = Tokenizer::codePointIndex(text, start);
    const int to = Tokenizer::codePointIndex(text, end);
    if (to <= from || to - from > 60)
        return out;
    std::string span = Tokenizer::encode(text.substr(size_t(from), size_t(to - from)));
    while (!span.empty() && span.back() == ' ')
        span.pop_back();
    while (!span.empty() && span.front() == ' ')
        span.erase(0, 1);
    if (span.empty() || span.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ -'") != std::string::npos)
        return out;
    const bool capital = span[0] >= 'A' && span[0] <= 'Z';
    const std::string word = Tokenizer::toLower(span);

    // part of speech from the word before the span
    std::string prev;
    for (const Token &t : Tokenizer::tokenize(Tokenizer::encode(text.substr(0, size_t(from)))))
        prev = t.kind == Token::Word ? t.lower : std::string();
    int guess = 0;
    if (!prev.empty()) {
        if (m_lex.isDeterminer(prev))
            guess = WordNetDictionary::Noun;
        else if (prev == "to" || m_lex.isModal(prev) || prev == "i" || prev == "we" || prev == "they"
                 || prev == "you" || prev == "he" || prev == "she")
            guess = WordNetDictionary::Verb;
        else if (prev == "very" || prev == "so" || prev == "too" || prev == "is" || prev == "are" || prev == "was"
                 || prev == "were")
            guess = WordNetDictionary::Adjective;
    }
    if (!guess && word.size() > 4 && word.compare(word.size() - 2, 2, "ly") == 0)
        guess = WordNetDictionary::Adverb;
    // An -ing or -ed word that WordNet also lists as an adjective ("interesting",
    // "bored") is the adjective unless the word before makes it a verb.
    if (guess != WordNetDictionary::Verb && participleAdjective(word)
        && (guess != 0 || prev.empty() || adjectivalLead(prev)))
        guess = WordNetDictionary::Adjective;

    std::vector<int> order;
    if (guess)
        order.push_back(guess);
    std::vector<std::pair<int, int>> bySenses; // (-senses, pos)
    for (int p = WordNetDictionary::Noun; p <= WordNetDictionary::Adverb; ++p) {
        if (p == guess)
            continue;
        std::string base = m_wordnet.baseForm(word, WordNetDictionary::Pos(p));
        const int senses = m_wordnet.senseCount(base.empty() ? word : base, WordNetDictionary::Pos(p));
        if (senses > 0)
            bySenses.emplace_back(-senses, p);
    }
    std::sort(bySenses.begin(), bySenses.end());
    for (const auto &bs : bySenses)
        order.push_back(bs.second);

    std::unordered_set<std::string> seen{word};
    for (int p : order) {
        std::string base = m_wordnet.baseForm(word, WordNetDictionary::Pos(p));
        if (base.empty())
            base = word;
        std::vector<std::pair<double, std::string>> ranked;
        for (const WordNetDictionary::Synonym &s : m_wordnet.synonyms(base, WordNetDictionary::Pos(p))) {
            // earlier senses first; within a sense, frequent words first
            const double freq = std::log(double(m_lex.frequency(s.word)) + 1.0);
            ranked.emplace_back(3.0 * s.sense - freq, s.word);
        }
        std::stable_sort(ranked.begin(), ranked.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &r : ranked) {
            std::string cand = inflect(r.second, base, word, p);
            if (capital && !cand.empty() && cand[0] >= 'a' && cand[0] <= 'z')
                cand[0] = char(cand[0] - 'a' + 'A');
            if (cand == base || !seen.insert(Tokenizer::toLower(cand)).second)
                continue;
            out.push_back(cand);
            if (out.size() >= max)
                return out;
        }
        if (!out.empty() && p == guess)
            break; // the context decided the part of speech
    }
    return out;
}

} // namespace PennovaChecker
