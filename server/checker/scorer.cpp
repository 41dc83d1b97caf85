#include "scorer.h"

#include "lexicon.h"
#include "tokenizer.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace PennovaChecker {

namespace {

const std::unordered_set<std::string> &functionWords()
{
    static const std::unordered_set<std::string> s = {
        "a", "an", "the", "and", "or", "but", "of", "in", "on", "at", "to", "for", "with", "by", "from", "is",
        "are", "was", "were", "be", "been", "am", "i", "you", "he", "she", "it", "we", "they", "me", "him", "her",
        "us", "them", "my", "your", "his", "its", "our", "their", "this", "that", "these", "those", "do", "does",
        "did", "have", "has", "had", "not", "no", "so", "as", "if", "than", "then", "there", "here", "will",
        "would", "can", "could", "should", "may", "might", "must", "shall", "what", "which", "who", "when", "where",
        "why", "how", "all", "some", "any", "very", "too", "also", "just", "about", "into", "up", "out"};
    return s;
}

double clamp01(double v) { return std::max(0.0, std::min(1.0, v)); }

} // namespace

int Scorer::wordLevel(const std::string &w) const
{
    int level = m_lex.cefrLevel(w);
    if (!level) {
        const std::string base = m_lex.baseOf(w);
        if (!base.empty())
            level = m_lex.cefrLevel(base);
    }
    if (!level) {
        for (const char *suf : {"s", "es", "ed", "d", "ing", "ly"}) {
            const std::string s(suf);
            if (w.size() > s.size() + 2 && w.compare(w.size() - s.size(), s.size(), s) == 0) {
                level = m_lex.cefrLevel(w.substr(0, w.size() - s.size()));
                if (level)
                    break;
            }
        }
    }
    if (level)
        return level;
    const int rank = m_lex.frequencyRank(w);
    if (!rank)
        return 0;
    return rank < 2000 ? 1 : rank < 5000 ? 2 : rank < 10000 ? 3 : rank < 20000 ? 4 : rank < 40000 ? 5 : 6;
}

double Scorer::lexicalScore(const std::vector<std::string> &sentences) const
{
    double levelSum = 0.0;
    int counted = 0;
    int content = 0;
    std::unordered_set<std::string> types;
    for (const std::string &s : sentences) {
        for (const Token &t : Tokenizer::tokenize(s)) {
            if (t.kind != Token::Word || functionWords().count(t.lower))
                continue;
            ++content;
            types.insert(t.lower);
            const int level = wordLevel(t.lower);
            if (level) {
                levelSum += double(level - 1) / 5.0;
                ++counted;
            }
        }
    }
    if (!content)
        return 0.0;
    const double sophistication = counted ? levelSum / counted : 0.0;
    const double cttr = double(types.size()) / std::sqrt(2.0 * content);
    const double diversity = std::min(1.0, cttr / 6.0);
    return clamp01(0.6 * std::min(1.0, sophistication / 0.4) + 0.4 * diversity);
}

int Scorer::errorCount(const Json::Value &record)
{
    const Json::Value &corr = record["corrections"];
    if (!corr.isArray())
        return 0;
    int errors = 0;
    for (const Json::Value &c : corr) {
        const std::string type = c["errorType"].isString() ? c["errorType"].asString() : std::string();
        if (type == "GRAMMAR" || type == "MOPHOLOGY" || type == "REAL" || type == "SUGGESTION")
            ++errors;
    }
    return errors;
}

double Scorer::syntaxScore(const std::vector<std::string> &sentences, const std::vector<Json::Value> &records,
                           int cachedErrors) const
{
    static const std::unordered_set<std::string> markers = {
        "because", "although", "though", "which", "who", "whom", "whose", "when", "while", "if", "since", "unless",
        "whereas", "until", "whether", "where", "after", "before"};
    std::vector<int> lengths;
    std::unordered_set<std::string> openers;
    int markerCount = 0;
    for (const std::string &s : sentences) {
        int words = 0;
        std::string opener;
        for (const Token &t : Tokenizer::tokenize(s)) {
            if (t.kind != Token::Word)
                continue;
            if (!words)
                opener = t.lower;
            ++words;
            markerCount += markers.count(t.lower) ? 1 : 0;
        }
        if (words) {
            lengths.push_back(words);
            openers.insert(opener);
        }
    }
    if (lengths.empty())
        return 0.0;
    const double n = double(lengths.size());
    double mean = 0.0;
    for (int l : lengths)
        mean += l;
    mean /= n;
    double var = 0.0;
    for (int l : lengths)
        var += (l - mean) * (l - mean);
    const double stddev = std::sqrt(var / n);

    int errors = std::max(0, cachedErrors);
    for (const Json::Value &r : records)
        errors += errorCount(r);
    const double length = clamp01(1.0 - std::fabs(mean - 18.0) / 18.0);
    const double variety = 0.5 * std::min(1.0, stddev / 8.0) + 0.5 * double(openers.size()) / n;
    const double complexity = std::min(1.0, markerCount / n);
    const double errorDensity = std::min(1.0, errors / n / 2.0);
    return clamp01((0.35 * length + 0.25 * variety + 0.4 * complexity) * (1.0 - 0.5 * errorDensity));
}

} // namespace PennovaChecker
