#pragma once
// The dictionary service's pages: "/tessel/find" (a word's entry, a phrase's glosses,
// a sentence's gloss line), "/tessel/translate" (the gloss of a text, said to be no
// full translation) and "/tessel/search" (where to send a web search).
// Every page is a whole UTF-8 HTML document; every echoed text is escaped.
// Loading takes about a second; afterwards every member may run on many threads.

#include <memory>
#include <string>
#include <vector>

namespace PennovaChecker {
class Lexicon;
class WordNetDictionary;
}

namespace PennovaDictionary {

class CedictIndex;
class PronunciationCache;
class TextGloss;
class WordForms;

class DictionaryPages
{
public:
    struct Paths
    {
        std::string cedict;           // cedict.tsv
        std::string chineseFrequency; // Chinese word counts (jieba's dict.txt); may be missing
        std::string checkerData;      // frequency list and CEFR lists
        std::string wordnet;          // WordNet database folder
        std::string audioCache;       // where pronunciation files are kept
        std::string toolsDir;         // where espeak-ng and lame are; empty = PATH
    };
    // The shipped and system files, with the audio cache under dataDir.
    static Paths defaultPaths(const std::string &dataDir);
    // Audio files are served under this path ("/tessel/audio/study.mp3").
    static constexpr const char *AudioPath = "/tessel/audio/";
    // Longer contents are cut to this many bytes (at a character boundary).
    static constexpr std::size_t MaxContentBytes = 2000;

    explicit DictionaryPages(const Paths &paths);
    ~DictionaryPages();
    DictionaryPages(const DictionaryPages &) = delete;
    DictionaryPages &operator=(const DictionaryPages &) = delete;

    std::string findPage(const std::string &content) const;
    std::string translatePage(const std::string &content) const;
    // The results page of "google" or (any other engine) Bing for the content.
    static std::string searchTarget(const std::string &content, const std::string &engine);

    // Chinese glosses of an English word, best first (lemma first: "studies" -> study's).
    std::vector<std::string> chineseGlosses(const std::string &word, std::size_t max) const;
    // The word an English word is entered under ("studies" -> "study").
    std::string headword(const std::string &word) const;
    // Whether the lower-case word (or every word of a phrase) is known to the word
    // lists or the dictionaries: only known words get a pronunciation.
    bool knownWord(const std::string &lower) const;
    // The MP3 data of a known word's pronunciation; empty for unknown or unspeakable
    // words and when the programs are missing.
    std::string pronunciation(const std::string &lower) const;

private:
    std::string wordEntry(const std::string &lower, const std::string &typed) const;
    std::string chineseEntry(const std::string &text) const;
    std::string glossLine(const std::string &text) const;
    std::string pronunciationLink(const std::string &lower) const;
    // The headword and its inflections ("affects", "looked after"): an example is shown
    // only when it holds one of them.
    std::vector<std::string> formsOf(const std::string &head) const;

    std::unique_ptr<PennovaChecker::Lexicon> m_lexicon;
    std::unique_ptr<PennovaChecker::WordNetDictionary> m_wordnet;
    std::unique_ptr<CedictIndex> m_cedict;
    std::unique_ptr<WordForms> m_forms;
    std::unique_ptr<TextGloss> m_gloss;
    std::unique_ptr<PronunciationCache> m_audio;
};

} // namespace PennovaDictionary
