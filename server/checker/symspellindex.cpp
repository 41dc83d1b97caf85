#include "symspellindex.h"

#include "editdistance.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

uint32_t SymSpellIndex::hash(const std::string &s)
{
    uint32_t h = 2166136261u; // FNV-1a
    for (unsigned char c : s) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}

void SymSpellIndex::deletes(const std::string &s, int distance, std::vector<std::string> *out)
{
    // all strings reachable from s by deleting up to `distance` characters
    std::vector<std::string> frontier{s};
    out->push_back(s);
    for (int d = 0; d < distance; ++d) {
        std::vector<std::string> next;
        for (const std::string &f : frontier) {
            if (f.size() <= 1)
                continue;
            for (size_t i = 0; i < f.size(); ++i) {
                std::string r = f;
                r.erase(i, 1);
                next.push_back(std::move(r));
            }
        }
        std::sort(next.begin(), next.end());
        next.erase(std::unique(next.begin(), next.end()), next.end());
        out->insert(out->end(), next.begin(), next.end());
        frontier.swap(next);
    }
}

void SymSpellIndex::addDeleteHashes(const std::string &s, uint32_t word)
{
    // The hashes of deletes(s, 2), without building the strings (start-up time): the
    // FNV state after each prefix, continued past one or two skipped characters.
    // Duplicates go with the sort in build().
    static_assert(kMaxDistance == 2, "enumerates up to two deletions");
    const size_t n = s.size();
    uint32_t before[kPrefix + 1];
    before[0] = 2166136261u;
    for (size_t k = 0; k < n; ++k)
        before[k + 1] = (before[k] ^ uint8_t(s[k])) * 16777619u;
    const auto entry = [word](uint32_t h) { return (uint64_t(h) << 32) | word; };
    const auto rest = [&s, n](uint32_t h, size_t from, size_t skip) {
        for (size_t k = from; k < n; ++k)
            if (k != skip)
                h = (h ^ uint8_t(s[k])) * 16777619u;
        return h;
    };
    m_entries.push_back(entry(before[n]));
    if (n <= 1)
        return;
    for (size_t i = 0; i < n; ++i) {
        m_entries.push_back(entry(rest(before[i], i + 1, n)));
        if (n <= 2)
            continue;
        for (size_t j = i + 1; j < n; ++j)
            m_entries.push_back(entry(rest(before[i], i + 1, j)));
    }
}

void SymSpellIndex::add(const std::string &word, uint64_t count)
{
    if (word.empty())
        return;
    auto it = m_lookup.find(word);
    if (it != m_lookup.end()) {
        m_counts[it->second] = std::max(m_counts[it->second], count);
        return;
    }
    const uint32_t idx = uint32_t(m_words.size());
    m_words.push_back(word);
    m_counts.push_back(count);
    m_lookup.emplace(word, idx);
}

void SymSpellIndex::build()
{
    m_entries.clear();
    m_sounds.clear();
    m_skeletons.clear();
    m_trigrams.clear();
    m_entries.reserve(m_words.size() * 24);
    for (uint32_t i = 0; i < m_words.size(); ++i) {
        const std::string &w = m_words[i];
        addDeleteHashes(w.substr(0, kPrefix), i);
        if (w.size() >= 3) {
            m_sounds.emplace(EditDistance::soundKey(w), i);
            m_skeletons.emplace(skeleton(w), i);
            for (uint32_t t : trigrams(w))
                m_trigrams[t].push_back(i);
        }
    }
    std::sort(m_entries.begin(), m_entries.end());
    m_entries.erase(std::unique(m_entries.begin(), m_entries.end()), m_entries.end());
    // where each run of hashes with the same top bits starts: a look-up searches that run only
    m_buckets.assign(kBuckets + 1, uint32_t(m_entries.size()));
    for (size_t k = m_entries.size(); k-- > 0;)
        m_buckets[size_t(m_entries[k] >> (64 - kBucketBits))] = uint32_t(k);
    for (size_t b = kBuckets; b-- > 0;)
        m_buckets[b] = std::min(m_buckets[b], m_buckets[b + 1]);
}

std::vector<SymSpellIndex::Hit> SymSpellIndex::lookup(const std::string &lower, int maxDistance) const
{
    std::vector<Hit> hits;
    if (lower.empty() || lower.size() > 40 || m_buckets.empty())
        return hits;
    maxDistance = std::min(maxDistance, int(kMaxDistance));
    std::vector<std::string> dels;
    deletes(lower.substr(0, kPrefix), maxDistance, &dels);
    // the words already compared, marked in a table as long as the word list (kept per thread)
    thread_local std::vector<uint8_t> seen;
    thread_local std::vector<uint32_t> marked;
    if (seen.size() < m_words.size())
        seen.assign(m_words.size(), 0);
    marked.clear();
    for (const std::string &d : dels) {
        const uint64_t key = uint64_t(hash(d)) << 32;
        const size_t bucket = size_t(key >> (64 - kBucketBits));
        const auto last = m_entries.begin() + m_buckets[bucket + 1];
        auto it = std::lower_bound(m_entries.begin() + m_buckets[bucket], last, key);
        for (; it != last && (*it >> 32) == (key >> 32); ++it) {
            const uint32_t idx = uint32_t(*it & 0xffffffffu);
            if (seen[idx])
                continue;
            seen[idx] = 1;
            marked.push_back(idx);
            const int dist = EditDistance::damerau(lower, m_words[idx], maxDistance);
            if (dist <= maxDistance)
                hits.push_back({idx, dist});
        }
    }
    for (uint32_t idx : marked)
        seen[idx] = 0;
    return hits;
}

std::vector<uint32_t> SymSpellIndex::soundAlikes(const std::string &lower) const
{
    std::vector<uint32_t> out;
    auto range = m_sounds.equal_range(EditDistance::soundKey(lower));
    for (auto it = range.first; it != range.second; ++it)
        out.push_back(it->second);
    return out;
}

} // namespace PennovaChecker

namespace PennovaChecker {

std::string SymSpellIndex::skeleton(const std::string &w)
{
    std::string s;
    for (size_t i = 0; i < w.size(); ++i) {
        const char c = w[i];
        const bool vowel = c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y' || c == 'h' || c == 'w';
        if (i > 0 && vowel)
            continue;
        if (s.empty() || s.back() != c)
            s.push_back(c);
    }
    return s;
}

std::vector<uint32_t> SymSpellIndex::trigrams(const std::string &lower)
{
    const std::string padded = "^" + lower + "$";
    std::vector<uint32_t> out;
    for (size_t i = 0; i + 3 <= padded.size(); ++i)
        out.push_back((uint32_t(uint8_t(padded[i])) << 16) | (uint32_t(uint8_t(padded[i + 1])) << 8)
                      | uint8_t(padded[i + 2]));
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

namespace {
constexpr size_t kMaxSimilarLength = 200; // keeps the per-word counts far below their limit
} // namespace

std::vector<uint32_t> SymSpellIndex::similar(const std::string &lower, size_t max) const
{
    if (lower.size() > kMaxSimilarLength)
        return {}; // no word of the list is that long
    const std::vector<uint32_t> grams = trigrams(lower);
    // shared trigrams per word, counted in a table as long as the word list and kept per
    // thread: the common trigrams' lists run to thousands of words
    thread_local std::vector<uint16_t> shared;
    thread_local std::vector<uint32_t> touched;
    if (shared.size() < m_words.size())
        shared.assign(m_words.size(), 0);
    touched.clear();
    for (uint32_t g : grams) {
        auto it = m_trigrams.find(g);
        if (it == m_trigrams.end())
            continue;
        for (uint32_t w : it->second)
            if (shared[w]++ == 0)
                touched.push_back(w);
    }
    std::vector<std::pair<double, uint32_t>> ranked;
    for (uint32_t w : touched) {
        const int common = shared[w];
        shared[w] = 0;
        const size_t other = m_words[w].size() + 2 - 2; // trigram count of the padded word
        const double dice = 2.0 * common / double(grams.size() + other);
        if (dice >= 0.4)
            ranked.emplace_back(-dice, w);
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<uint32_t> out;
    for (size_t i = 0; i < ranked.size() && i < max; ++i)
        out.push_back(ranked[i].second);
    return out;
}

std::vector<uint32_t> SymSpellIndex::sameSkeleton(const std::string &lower) const
{
    std::vector<uint32_t> out;
    auto range = m_skeletons.equal_range(skeleton(lower));
    for (auto it = range.first; it != range.second; ++it)
        out.push_back(it->second);
    return out;
}

} // namespace PennovaChecker
