#pragma once
// Pronunciation files of English words: made once with espeak-ng (speech) and lame
// (MP3), then kept in a cache folder and served from there.

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>

namespace PennovaDictionary {

class PronunciationCache
{
public:
    // cacheDir: created (owner only) when needed. toolsDir: where to look for the two
    // programs; empty = the PATH.
    explicit PronunciationCache(std::string cacheDir, std::string toolsDir = {});

    // Whether espeak-ng and lame were found.
    bool available() const { return m_available; }
    // Letters, spaces, hyphens and apostrophes, 1..40 bytes: what may be spoken.
    static bool speakable(const std::string &lowerWord);
    // The file name of the word's pronunciation ("look_after.mp3").
    static std::string fileName(const std::string &lowerWord);

    // The MP3 data of the word, made on the first request; empty when the word is not
    // speakable or the programs failed. Safe from many threads; one word is made once.
    std::string mp3(const std::string &lowerWord);
    // How many files this cache has made (the rest were read from the folder).
    int madeCount() const;

private:
    bool make(const std::string &word, const std::string &path);

    std::string m_cacheDir;
    std::string m_espeak;
    std::string m_lame;
    bool m_available = false;
    mutable std::mutex m_lock;
    std::condition_variable m_done;
    std::set<std::string> m_making;
    int m_made = 0;
};

} // namespace PennovaDictionary
