#pragma once
// Word tables the rules share: frequencies, WordNet parts of speech, verb forms,
// CEFR vocabulary levels. Loaded once; read-only (and so thread-safe) afterwards.

#include "wordclasses.h"
#include "wordtable.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

class Lexicon
{
public:
    enum Pos { Noun = 1, Verb = 2, Adjective = 4, Adverb = 8 };

    // dataDir holds the frequency list and the CEFR lists; wordnetDir the WordNet
    // database (index.noun, verb.exc, ...). Missing files leave those tables empty.
    Lexicon(const std::string &dataDir, const std::string &wordnetDir);

    uint64_t frequency(const std::string &lower) const;
    int frequencyRank(const std::string &lower) const; // 1 = most frequent; 0 = unknown
    const std::unordered_map<std::string, uint64_t> &frequencies() const { return m_freq; }

    int posMask(const std::string &lower) const; // WordNet lemmas only (no inflections)
    // WordNet's lexicographer file of a noun's first (most frequent) sense, -1 when unknown;
    // kept for words of the frequency list only.
    enum NounClass { NounAct = 4, NounAnimal = 5, NounArtifact = 6, NounCommunication = 10, NounGroup = 14,
                     NounLocation = 15, NounObject = 17, NounPerson = 18, NounPlant = 20 };
    int nounClass(const std::string &lower) const;
    bool isPos(const std::string &lower, Pos pos) const { return (posMask(lower) & pos) != 0; }

    // Common verbs with their forms (hand-made table plus regular rules).
    bool isCommonVerbBase(const std::string &lower) const;
    bool isThirdPerson(const std::string &lower) const; // "goes", "likes"
    bool isPastForm(const std::string &lower) const;    // simple past of a common verb
    bool isParticiple(const std::string &lower) const;  // past participle only ("gone", "written")
    bool baseEqualsPast(const std::string &base) const; // put, cut, set ...
    std::string baseOf(const std::string &form) const;  // "went" -> "go"; "" when unknown
    std::string baseOfPast(const std::string &past) const; // "saw" -> "see" though "saw" is a base too
    // A base that is also the simple past of another verb ("lay" of "lie", "found" of "find"):
    // after "he" or a noun it is read as that past, not as a present missing its -s.
    bool isPastOfOther(const std::string &lower) const
    {
        const std::string base = baseOfPast(lower);
        return isPastForm(lower) && !base.empty() && base != lower;
    }
    // A verb base outside the common table that can only be a verb ("transmit", "oppose"):
    // WordNet knows it as a verb and nothing else, and its -s form is a common word.
    bool isPlainVerbOnly(const std::string &lower) const;
    // The base of an -s form of a common verb or of a verb-only word ("attracts" -> "attract"); "" otherwise.
    std::string baseOfThird(const std::string &lower) const;
    std::string thirdPerson(const std::string &base) const;
    std::string pastOf(const std::string &base) const;
    std::string participleOf(const std::string &base) const;
    std::string ingOf(const std::string &base) const;

    // 2 for a comparative in the hand-made list (better, bigger), 1 for an -er form
    // of a WordNet adjective that is not also a noun (taller), 0 otherwise.
    int comparativeKind(const std::string &lower) const;

    // CEFR level 1 (A1) .. 6 (C2); 0 when the word is not listed.
    int cefrLevel(const std::string &lower) const;

    bool isDeterminer(const std::string &lower) const;
    bool isPreposition(const std::string &lower) const;
    bool isAuxiliary(const std::string &lower) const; // be/have/do forms and modals
    bool isModal(const std::string &lower) const;
    // A closed class by name (wordclasses.h): modals, pronouns, feeling verbs, ...
    bool inClass(WordClass c, const std::string &lower) const { return WordClasses::contains(c, lower); }
    // A form of a verb of a class of verbs (WordClasses::ofLemmas): "enjoyed", "postponing".
    bool formInClass(WordClass c, const std::string &lower) const;
    // A vulgar or offensive word (data/unsuitable-words.txt) that is never offered as a
    // correction to a student.
    bool isUnsuitable(const std::string &lower) const { return m_unsuitable.count(lower) > 0; }

private:
    void loadFrequencies(const std::string &path);
    void loadWordNetIndex(const std::string &path, int bit);
    void loadNounClasses(const std::string &dataPath);
    void loadCefr(const std::string &path);
    void loadUnsuitable(const std::string &path);
    void buildVerbTables();

    std::unordered_map<std::string, uint64_t> m_freq;
    std::unordered_set<std::string> m_unsuitable;
    // what every token asks: frequency, rank in the frequency list and WordNet parts of speech
    struct WordInfo
    {
        uint64_t frequency = 0;
        int rank = 0;
        int pos = 0;
    };
    WordTable<WordInfo> m_info;
    std::unordered_map<std::string, int> m_cefr;
    std::unordered_map<std::string, int> m_nounClass; // lemma -> first sense's offset while loading, then its file
    WordTable<char> m_commonBase;
    std::unordered_map<std::string, std::string> m_third;      // form -> base
    std::unordered_map<std::string, std::string> m_past;       // form -> base
    std::unordered_map<std::string, std::string> m_participle; // participle-only form -> base
    std::unordered_map<std::string, std::string> m_baseToPast;
    std::unordered_map<std::string, std::string> m_baseToParticiple;
    std::unordered_map<int, std::unordered_set<std::string>> m_classForms; // WordClass -> its verbs' forms
};

} // namespace PennovaChecker
