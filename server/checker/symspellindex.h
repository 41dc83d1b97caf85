#pragma once
// Symmetric-delete index over a word list: finds every word within Damerau
// distance 2 of a query without comparing it to the whole list.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

class SymSpellIndex
{
public:
    struct Hit
    {
        uint32_t word; // index into words()
        int distance;
    };

    static constexpr int kMaxDistance = 2;
    static constexpr size_t kPrefix = 7;

    void add(const std::string &word, uint64_t count);
    void build(); // call once after the last add()

    std::vector<Hit> lookup(const std::string &lower, int maxDistance = kMaxDistance) const;
    // Words sharing EditDistance::soundKey with the query.
    std::vector<uint32_t> soundAlikes(const std::string &lower) const;
    // Words with the same consonant skeleton (first letter kept, vowels dropped).
    std::vector<uint32_t> sameSkeleton(const std::string &lower) const;
    static std::string skeleton(const std::string &lower);
    // Up to max words sharing most letter trigrams with the query (Dice >= 0.4).
    std::vector<uint32_t> similar(const std::string &lower, size_t max) const;

    const std::string &word(uint32_t i) const { return m_words[i]; }
    uint64_t count(uint32_t i) const { return m_counts[i]; }
    size_t size() const { return m_words.size(); }
    bool contains(const std::string &w) const { return m_lookup.count(w) != 0; }

private:
    static uint32_t hash(const std::string &s);
    static void deletes(const std::string &s, int distance, std::vector<std::string> *out);
    void addDeleteHashes(const std::string &s, uint32_t word);

    std::vector<std::string> m_words;
    std::vector<uint64_t> m_counts;
    std::unordered_map<std::string, uint32_t> m_lookup;
    std::vector<uint64_t> m_entries; // (hash << 32) | word, sorted
    static constexpr int kBucketBits = 16;
    static constexpr size_t kBuckets = size_t(1) << kBucketBits;
    std::vector<uint32_t> m_buckets; // top bits of the hash -> first entry with them; kBuckets + 1 long
    std::unordered_multimap<std::string, uint32_t> m_sounds;
    std::unordered_multimap<std::string, uint32_t> m_skeletons;
    std::unordered_map<uint32_t, std::vector<uint32_t>> m_trigrams; // trigram -> words
    static std::vector<uint32_t> trigrams(const std::string &lower);
};

} // namespace PennovaChecker
