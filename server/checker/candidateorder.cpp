#include "candidateorder.h"

#include "tokenizer.h"

#include <algorithm>
#include <cstring>

namespace PennovaChecker {

// form is base with the regular ending: -s ("families", "boxes"), -ed ("remembered",
// "stopped") or -ing ("making", "running")
bool CandidateOrder::inflectionOf(const std::string &base, const std::string &form, const std::string &ending)
{
    if (base.size() < 2 || form.size() <= base.size())
        return false;
    const std::string stem = base.substr(0, base.size() - 1);
    const char last = base.back();
    const bool consonantY = last == 'y' && !std::strchr("aeiou", base[base.size() - 2]);
    if (ending == "s")
        return form == base + "s" || form == base + "es" || (consonantY && form == stem + "ies");
    if (ending == "ed")
        return form == base + "ed" || (last == 'e' && form == base + "d") || (consonantY && form == stem + "ied")
            || form == base + last + "ed";
    return form == base + "ing" || (last == 'e' && form == stem + "ing") || form == base + last + "ing";
}

// Candidate k first; the scores stay in order.
void CandidateOrder::moveFirst(std::vector<SpellingSuggester::Suggestion> *ranked, size_t k)
{
    std::vector<double> scores;
    for (const auto &r : *ranked)
        scores.push_back(r.score);
    std::rotate(ranked->begin(), ranked->begin() + long(k), ranked->begin() + long(k) + 1);
    for (size_t m = 0; m < ranked->size(); ++m)
        (*ranked)[m].score = scores[m];
}

// word holds every letter of lower in order: lower only dropped letters ("prepation")
bool CandidateOrder::onlyDropped(const std::string &lower, const std::string &word)
{
    if (word.size() <= lower.size() || word.find(' ') != std::string::npos)
        return false;
    size_t at = 0;
    for (const char c : word)
        at += at < lower.size() && c == lower[at] ? 1 : 0;
    return at == lower.size();
}

// word is lower with one of a doubled letter gone ("carefull": careful)
bool CandidateOrder::undoubled(const std::string &lower, const std::string &word)
{
    if (word.size() + 1 != lower.size())
        return false;
    for (size_t k = 0; k + 1 < lower.size(); ++k)
        if (lower[k] == lower[k + 1] && lower.compare(0, k, word, 0, k) == 0
            && lower.compare(k + 1, std::string::npos, word, k, std::string::npos) == 0)
            return true;
    return false;
}

// A learner drops letters more than they write extra ones: where the first candidate is
// shorter than the written word, one that keeps every written letter goes ahead ("critism":
// criticism, not critic; "remaind": remained), unless the context has set the first far
// ahead ("My futher": father), the first only undoes a doubled letter ("carefull": careful)
// or a silent final e ("commite": commit), or the other merely adds an ending
// ("electronical": electronic, not electronically). A first candidate that changes a letter
// stays ("plase": place, not please).
void CandidateOrder::keepWrittenLetters(const std::string &lower, std::vector<SpellingSuggester::Suggestion> *ranked)
{
    const std::string first = ranked->empty() ? std::string() : Tokenizer::toLower((*ranked)[0].word);
    const bool extraFinalE = lower.back() == 'e' && first == lower.substr(0, lower.size() - 1); // "commite"
    if (ranked->size() < 2 || lower.size() < 4 || first.size() >= lower.size() || first.find(' ') != std::string::npos
        || undoubled(lower, first) || extraFinalE)
        return;
    for (size_t k = 1; k < ranked->size(); ++k) {
        if ((*ranked)[k].score < 0.25 * (*ranked)[0].score)
            break;
        const std::string c = Tokenizer::toLower((*ranked)[k].word);
        if (onlyDropped(lower, c) && c.compare(0, lower.size(), lower) != 0) {
            moveFirst(ranked, k);
            return;
        }
    }
}

// The ending a misspelling keeps tells the form: "familys" is the plural, "rememberd" the
// past, "tims" after "many" times; a misspelling without -s is no plural ("idean": idea).
// Only a candidate that is the first one's own inflection (or its base) moves ahead.
void CandidateOrder::keepInflection(const std::string &lower, std::vector<SpellingSuggester::Suggestion> *ranked)
{
    if (ranked->size() < 2 || lower.size() < 4)
        return;
    const auto ends = [](const std::string &w, const char *e) {
        const size_t n = std::strlen(e);
        return w.size() > n && w.compare(w.size() - n, n, e) == 0;
    };
    const std::string first = Tokenizer::toLower((*ranked)[0].word);
    if (first.find(' ') != std::string::npos)
        return;
    const bool plural = ends(lower, "s") && !ends(lower, "ss") && !ends(lower, "us") && !ends(lower, "is");
    const char *ending = plural ? "s" : ends(lower, "ed") || (ends(lower, "d") && !ends(lower, "nd")) ? "ed"
                                                : ends(lower, "ing") ? "ing" : nullptr;
    for (size_t k = 1; k < ranked->size(); ++k) {
        if ((*ranked)[k].score < 0.1)
            continue;
        const std::string c = Tokenizer::toLower((*ranked)[k].word);
        const bool toForm = ending && !ends(first, ending == std::string("ed") ? "d" : ending)
            && inflectionOf(first, c, ending);
        const bool toBase = !ends(lower, "s") && ends(first, "s") && inflectionOf(c, first, "s");
        if (!toForm && !toBase)
            continue;
        moveFirst(ranked, k);
        return;
    }
}

} // namespace PennovaChecker
