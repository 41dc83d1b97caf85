#include "cedictindex.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace PennovaDictionary {

namespace {

constexpr std::size_t MaxLineBytes = 8192;
constexpr std::size_t MaxKeyBytes = 60;
constexpr std::size_t MaxHitsPerKey = 16;

// Notes that mark a sense as regional, old or informal: such a sense ranks far back.
const char *const RareMarks[] = {"(tw)", "(old)", "(literary)", "(archaic)", "(dialect)", "(slang)",
                                 "(cantonese)", "(classical)", "(onom.)", "(internet slang)", "(taiwan)",
                                 "(buddhism)", "(chinese medicine)", "(vulgar)", "(derog.)"};

std::vector<std::string> split(const std::string &text, char sep)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(sep, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string lower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

std::size_t codePoints(const std::string &s)
{
    std::size_t n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

bool hasAsciiAlnum(const std::string &s)
{
    return std::any_of(s.begin(), s.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Entries that only point elsewhere or are names.
bool skippedEntry(const CedictEntry &e)
{
    const std::string d = lower(e.definitions);
    return hasAsciiAlnum(e.simplified) || d.find("variant of") != std::string::npos
        || d.rfind("surname ", 0) == 0 || d.rfind("see ", 0) == 0 || d.rfind("used in ", 0) == 0
        || d.rfind("abbr. for", 0) == 0;
}

} // namespace

CedictIndex::CedictIndex(const std::string &cedictPath, const std::string &frequencyPath)
{
    load(cedictPath);
    // Counts only for the headwords we have: the frequency file is much larger.
    std::unordered_map<std::string, std::uint64_t> counts;
    std::ifstream in(frequencyPath);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() > MaxLineBytes)
            continue;
        const std::size_t space = line.find(' ');
        if (space == std::string::npos)
            continue;
        std::string word(line.c_str(), space);
        if (m_chinese.count(word))
            counts[std::move(word)] = std::strtoull(line.c_str() + space + 1, nullptr, 10);
    }
    buildEnglish(counts);
}

void CedictIndex::load(const std::string &cedictPath)
{
    std::ifstream in(cedictPath);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.size() > MaxLineBytes)
            continue;
        if (line.back() == '\r')
            line.pop_back();
        std::vector<std::string> f = split(line, '\t');
        if (f.size() != 4 || f[0].empty() || f[3].empty())
            continue;
        const auto index = std::uint32_t(m_entries.size());
        m_entries.push_back({f[0], f[1], f[2], f[3]});
        m_chinese[f[0]].push_back(index);
        if (f[1] != f[0])
            m_chinese[f[1]].push_back(index);
        m_longestHead = std::max({m_longestHead, f[0].size(), f[1].size()});
    }
}

void CedictIndex::buildEnglish(const std::unordered_map<std::string, std::uint64_t> &counts)
{
    for (std::uint32_t i = 0; i < m_entries.size(); ++i) {
        const CedictEntry &e = m_entries[i];
        if (skippedEntry(e))
            continue;
        std::vector<std::string> senses;
        for (const std::string &definition : split(e.definitions, '/'))
            for (const std::string &sense : split(definition, ';'))
                senses.push_back(sense);
        const auto count = counts.find(e.simplified);
        const double common = std::log2(1.0 + (count == counts.end() ? 0.0 : double(count->second)));
        // Single characters and names (capitalised pinyin) rank behind common words.
        const bool name = !e.pinyin.empty() && e.pinyin[0] >= 'A' && e.pinyin[0] <= 'Z';
        const double base = 0.5 * double(senses.size()) - common + (codePoints(e.simplified) == 1 ? 3.0 : 0.0)
            + (name ? 4.0 : 0.0);
        for (std::size_t place = 0; place < senses.size(); ++place) {
            const std::string key = senseKey(senses[place]);
            if (key.empty())
                continue;
            const std::string raw = lower(senses[place]);
            const bool rare = std::any_of(std::begin(RareMarks), std::end(RareMarks),
                                          [&raw](const char *mark) { return raw.find(mark) != std::string::npos; });
            // A phrase is rarely glossed by one character ("look after": not 看).
            const bool single = codePoints(e.simplified) == 1 && key.find(' ') != std::string::npos;
            m_english[key].push_back({i, float(base + 0.4 * double(place) + (rare ? 6.0 : 0.0) + (single ? 4.0 : 0.0))});
        }
    }
    for (auto &[key, hits] : m_english) {
        std::stable_sort(hits.begin(), hits.end(), [](const Hit &a, const Hit &b) { return a.score < b.score; });
        // One hit per Chinese word (its best), and only the first few (so few that a
        // look through them is quicker than a set).
        std::vector<Hit> kept;
        for (const Hit &h : hits) {
            if (kept.size() == MaxHitsPerKey)
                break;
            const std::string &word = m_entries[h.entry].simplified;
            if (std::none_of(kept.begin(), kept.end(), [&](const Hit &k) { return m_entries[k.entry].simplified == word; }))
                kept.push_back(h);
        }
        hits.swap(kept);
    }
}

std::vector<const CedictEntry *> CedictIndex::english(const std::string &lowerKey, std::size_t max,
                                                      std::vector<float> *scores) const
{
    std::vector<const CedictEntry *> out;
    if (scores)
        scores->clear();
    const auto it = m_english.find(lowerKey);
    if (it == m_english.end())
        return out;
    for (const Hit &h : it->second) {
        if (out.size() == max)
            break;
        out.push_back(&m_entries[h.entry]);
        if (scores)
            scores->push_back(h.score);
    }
    return out;
}

std::vector<const CedictEntry *> CedictIndex::chinese(const std::string &text) const
{
    std::vector<const CedictEntry *> out;
    const auto it = m_chinese.find(text);
    if (it != m_chinese.end())
        for (std::uint32_t i : it->second)
            out.push_back(&m_entries[i]);
    return out;
}

std::size_t CedictIndex::longestChineseAt(const std::string &text, std::size_t offset) const
{
    std::size_t best = 0;
    std::size_t end = offset;
    while (end < text.size() && end - offset < m_longestHead) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        if (m_chinese.count(text.substr(offset, end - offset)))
            best = end - offset;
    }
    return best;
}

std::string CedictIndex::withoutNotes(const std::string &sense)
{
    std::string plain;
    int depth = 0;
    for (char c : sense) {
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if (depth == 0)
            plain += c;
    }
    return plain;
}

std::string CedictIndex::readable(const std::string &definitions)
{
    std::string out;
    for (const std::string &sense : split(definitions, '/')) {
        if (sense.rfind("CL:", 0) == 0 || sense.rfind("Taiwan pr.", 0) == 0 || sense.rfind("also pr.", 0) == 0)
            continue;
        std::string plain;
        bool pinyin = false;
        for (std::size_t i = 0; i < sense.size(); ++i) {
            const char c = sense[i];
            if (c == '[') {
                pinyin = true;
            } else if (c == ']' && pinyin) {
                pinyin = false;
            } else if (pinyin) {
                continue;
            } else if (c == '|') {
                // "臺|台": drop the traditional form written before the bar.
                while (!plain.empty() && static_cast<unsigned char>(plain.back()) >= 0x80)
                    plain.pop_back();
            } else {
                plain += c;
            }
        }
        if (pinyin) // an unclosed bracket: the rest was no pinyin after all
            continue;
        const std::size_t first = plain.find_first_not_of(' ');
        if (first == std::string::npos)
            continue;
        out += (out.empty() ? "" : "/") + plain.substr(first, plain.find_last_not_of(' ') - first + 1);
    }
    return out;
}

std::string CedictIndex::senseKey(const std::string &sense)
{
    const std::string plain = withoutNotes(lower(sense));
    std::vector<std::string> words;
    for (std::string w : split(plain, ' ')) {
        while (!w.empty() && (w.back() == ',' || w.back() == '.' || w.back() == '!' || w.back() == '?'))
            w.pop_back();
        if (!w.empty() && w != "sb" && w != "sth" && w != "sb's" && w != "sth's" && w != "etc")
            words.push_back(w);
    }
    if (words.size() > 1 && (words[0] == "to" || words[0] == "a" || words[0] == "an" || words[0] == "the"))
        words.erase(words.begin());
    std::string key;
    for (const std::string &w : words)
        key += (key.empty() ? "" : " ") + w;
    const bool letter = std::any_of(key.begin(), key.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    if (!letter || key.size() > MaxKeyBytes || key.find(':') != std::string::npos
        || key.find('|') != std::string::npos)
        return {};
    return key;
}

std::string CedictIndex::toneMarks(const std::string &numbered)
{
    // Marked vowels a e i o u ü, tones 1-4, lower then upper case.
    static const char *const marks[2][6][4] = {
        {{"ā", "á", "ǎ", "à"}, {"ē", "é", "ě", "è"}, {"ī", "í", "ǐ", "ì"},
         {"ō", "ó", "ǒ", "ò"}, {"ū", "ú", "ǔ", "ù"}, {"ǖ", "ǘ", "ǚ", "ǜ"}},
        {{"Ā", "Á", "Ǎ", "À"}, {"Ē", "É", "Ě", "È"}, {"Ī", "Í", "Ǐ", "Ì"},
         {"Ō", "Ó", "Ǒ", "Ò"}, {"Ū", "Ú", "Ǔ", "Ù"}, {"Ǖ", "Ǘ", "Ǚ", "Ǜ"}}};
    static const std::string vowels = "aeiouv";
    std::string out;
    for (const std::string &syllable : split(numbered, ' ')) {
        if (!out.empty())
            out += ' ';
        std::string s = syllable;
        for (std::size_t p; (p = s.find("u:")) != std::string::npos;)
            s.replace(p, 2, "v");
        for (std::size_t p; (p = s.find("U:")) != std::string::npos;)
            s.replace(p, 2, "V");
        int tone = 0;
        if (!s.empty() && s.back() >= '1' && s.back() <= '5') {
            tone = s.back() - '0';
            s.pop_back();
        }
        const std::string l = lower(s);
        // a or e takes the mark, then the o of "ou", else the last vowel.
        std::size_t at = l.find_first_of("ae");
        if (at == std::string::npos)
            at = l.find("ou");
        if (at == std::string::npos)
            at = l.find_last_of(vowels);
        if (hasAsciiAlnum(s) && std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            for (std::size_t i = 0; i < s.size(); ++i) {
                const std::size_t v = vowels.find(l[i]);
                const int upper = s[i] >= 'A' && s[i] <= 'Z';
                if (v != std::string::npos && i == at && tone >= 1 && tone <= 4)
                    out += marks[upper][v][tone - 1];
                else if (l[i] == 'v' && v != std::string::npos)
                    out += upper ? "Ü" : "ü";
                else
                    out += s[i];
            }
        } else {
            out += syllable;
        }
    }
    return out;
}

} // namespace PennovaDictionary
