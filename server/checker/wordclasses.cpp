#include "wordclasses.h"

#include "wordtable.h"

#include <utility>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

struct Entry
{
    WordClass wordClass;
    const char *name;
    Set words;
};

const std::vector<Entry> &table()
{
    static const std::vector<Entry> entries = [] {
        const Set modals = {"can", "could", "will", "would", "shall", "should", "may", "might", "must", "can't",
                            "cannot", "couldn't", "won't", "wouldn't", "shouldn't", "mustn't", "mightn't", "shan't",
                            "'ll"};
        Set auxiliaries = {"am", "is", "are", "was", "were", "be", "been", "being", "have", "has", "had", "do", "does",
                           "did", "don't", "doesn't", "didn't", "isn't", "aren't", "wasn't", "weren't", "haven't",
                           "hasn't", "hadn't"};
        auxiliaries.insert(modals.begin(), modals.end());
        return std::vector<Entry>{
            {WordClass::Modal, "modal", modals},
            {WordClass::Determiner, "determiner",
             {"a", "an", "the", "this", "that", "these", "those", "my", "your", "his", "her", "its", "our", "their",
              "some", "any", "no", "every", "each", "many", "much", "few", "several", "all", "both", "either",
              "neither", "another", "other", "such", "what", "which", "whose"}},
            {WordClass::Preposition, "preposition",
             {"of", "in", "on", "at", "for", "with", "by", "from", "about", "into", "onto", "over", "under", "after",
              "before", "between", "among", "through", "during", "without", "within", "against", "towards", "toward",
              "upon", "across", "behind", "beside", "besides", "beyond", "near", "around", "since", "until", "like"}},
            {WordClass::Auxiliary, "auxiliary", auxiliaries},
            {WordClass::SubjectPronoun, "subject_pronoun", {"i", "you", "he", "she", "it", "we", "they"}},
            {WordClass::PersonalSubject, "personal_subject", {"i", "you", "he", "she", "we", "they"}},
            {WordClass::ObjectPronoun, "object_pronoun", {"me", "him", "her", "us", "them"}},
            {WordClass::PlainObject, "plain_object", {"me", "him", "us", "them"}},
            {WordClass::AnyObjectPronoun, "any_object_pronoun", {"me", "him", "her", "us", "them", "it", "you"}},
            {WordClass::Possessive, "possessive", {"my", "your", "his", "her", "its", "our", "their"}},
            {WordClass::DoForm, "do_form", {"do", "does", "did", "don't", "doesn't", "didn't"}},
            {WordClass::DoNot, "do_not", {"don't", "doesn't", "didn't"}},
            {WordClass::BeForm, "be_form", {"am", "is", "are", "was", "were"}},
            {WordClass::NounBe, "noun_be", {"is", "are", "was", "were"}},
            {WordClass::QuestionWord, "question_word", {"what", "where", "why", "how", "when", "who", "which"}},
            {WordClass::Negative, "negative",
             {"not", "never", "cannot", "don't", "doesn't", "didn't", "can't", "couldn't", "won't", "wouldn't",
              "shouldn't", "mustn't", "mightn't", "shan't", "needn't", "daren't", "oughtn't", "isn't", "aren't",
              "wasn't", "weren't", "haven't", "hasn't", "hadn't", "ain't"}},
            {WordClass::FeelingVerb, "feeling_verb",
             {"interest", "satisfy", "bore", "excite", "disappoint", "confuse", "frighten", "scare", "amaze", "shock",
              "embarrass", "frustrate", "exhaust", "annoy", "surprise", "worry", "depress", "amuse", "puzzle",
              "disgust", "astonish", "terrify", "thrill", "concern", "irritate", "overwhelm", "impress", "fascinate",
              "upset"}},
            {WordClass::GerundVerb, "gerund_verb", {"enjoy", "finish", "avoid", "mind", "deny", "postpone", "imagine"}},
            {WordClass::ClauseVerb, "clause_verb",
             {"think", "know", "believe", "say", "hope", "guess", "feel", "mean", "find", "see", "hear", "suppose",
              "bet", "remember", "forget", "realize", "realise", "agree", "show", "prove", "seem", "understand",
              "notice", "admit", "wish", "expect", "assume", "claim", "doubt"}},
        };
    }();
    return entries;
}

} // namespace

const std::unordered_set<std::string> &WordClasses::words(WordClass c)
{
    for (const Entry &e : table())
        if (e.wordClass == c)
            return e.words;
    static const Set none;
    return none;
}

bool WordClasses::contains(WordClass c, const std::string &lower)
{
    // the rules ask at nearly every token: the same sets, by enum and in cheaper tables
    static const std::vector<WordTable<char>> byClass = [] {
        std::vector<WordTable<char>> out;
        for (const Entry &e : table()) {
            const size_t k = size_t(e.wordClass);
            if (out.size() <= k)
                out.resize(k + 1);
            for (const std::string &w : e.words)
                out[k][w] = 1;
        }
        return out;
    }();
    return size_t(c) < byClass.size() && byClass[size_t(c)].contains(lower);
}

bool WordClasses::byName(const std::string &name, WordClass *out)
{
    for (const Entry &e : table())
        if (name == e.name) {
            if (out)
                *out = e.wordClass;
            return true;
        }
    return false;
}

std::vector<std::string> WordClasses::names()
{
    std::vector<std::string> out;
    for (const Entry &e : table())
        out.push_back(e.name);
    return out;
}

} // namespace PennovaChecker
