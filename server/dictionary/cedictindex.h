#pragma once
// CC-CEDICT as an English-to-Chinese index. An entry glosses an English key when one of
// its senses, without notes in brackets, is the key or "to " / "a " / "an " / "the " and
// the key. Entries rank by the sense's place in the entry, how many senses the entry has,
// marks such as "(literary)" or "(Tw)", and how common the Chinese word is.
// Read-only after loading, so safe from many threads.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaDictionary {

struct CedictEntry
{
    std::string simplified;
    std::string traditional;
    std::string pinyin;      // tone numbers, as in the file ("xue2 xi2")
    std::string definitions; // senses separated by "/"
};

class CedictIndex
{
public:
    // cedictPath: "simplified<TAB>traditional<TAB>pinyin<TAB>definitions" lines.
    // frequencyPath: "word count [tag]" lines of Chinese word counts; may be missing.
    // Malformed lines are skipped; a missing file leaves the index empty.
    CedictIndex(const std::string &cedictPath, const std::string &frequencyPath);

    bool empty() const { return m_entries.empty(); }
    std::size_t entryCount() const { return m_entries.size(); }

    // Entries glossing the lower-case English word or phrase, best first, one per
    // Chinese word. scores (optional): each entry's rank score, lower is better.
    std::vector<const CedictEntry *> english(const std::string &lowerKey, std::size_t max,
                                             std::vector<float> *scores = nullptr) const;
    bool hasEnglish(const std::string &lowerKey) const { return m_english.count(lowerKey) != 0; }
    // Entries whose simplified or traditional headword is exactly the text.
    std::vector<const CedictEntry *> chinese(const std::string &text) const;
    // The longest headword (in bytes) that starts at `offset` of the UTF-8 text; 0 = none.
    std::size_t longestChineseAt(const std::string &text, std::size_t offset) const;

    // The key a sense is filed under: lower case, notes in brackets, "sb"/"sth" and a
    // leading "to "/"a "/"an "/"the " removed, spaces collapsed; "" when none.
    static std::string senseKey(const std::string &sense);
    // The sense without notes in (...) and pinyin references in [...].
    static std::string withoutNotes(const std::string &sense);
    // Definitions ("/"-separated) as a reader sees them: pinyin in [...] and the
    // traditional half of "臺|台" removed, classifier ("CL:") and pronunciation notes
    // dropped; "" when nothing is left.
    static std::string readable(const std::string &definitions);
    // "xue2 xi2" -> "xué xí"; "lu:e4" -> "lüè".
    static std::string toneMarks(const std::string &numbered);

private:
    struct Hit
    {
        std::uint32_t entry;
        float score; // lower is better
    };
    void load(const std::string &cedictPath);
    void buildEnglish(const std::unordered_map<std::string, std::uint64_t> &counts);

    std::vector<CedictEntry> m_entries;
    std::unordered_map<std::string, std::vector<Hit>> m_english;
    std::unordered_map<std::string, std::vector<std::uint32_t>> m_chinese;
    std::size_t m_longestHead = 0;
};

} // namespace PennovaDictionary
