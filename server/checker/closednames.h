#pragma once
// The capitalised names of closed classes (continents, countries, big cities, months,
// weekdays, languages, nationalities and the words of place names such as "Middle East"),
// read from closed-names.txt: a capitalised word no dictionary knows, one slip from
// one of them, is that name misspelt ("Afica", "Julay", "Gernany").

#include "tokenizer.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

class SpellingSuggester;

class ClosedNames
{
public:
    // "Name<TAB>class" a line, "#" opens a comment. False (and no names kept) with *error
    // set on a missing or malformed file.
    bool load(const std::string &path, std::string *error = nullptr);
    bool empty() const { return m_names.empty(); }
    size_t size() const { return m_names.size(); }
    // The name itself, written as in the list ("Europe"), or lower case ("europe").
    bool contains(const std::string &lower) const { return m_lower.count(lower) > 0; }
    // Its class as the list gives it ("month", "country", ...); "" for no such name.
    std::string classOf(const std::string &lower) const
    {
        const auto it = m_lower.find(lower);
        return it == m_lower.end() ? std::string() : it->second;
    }
    // The names nearest to a capitalised word (lower case given), fewest slips first and
    // the list's order among equals: one slip, never at the first letter; empty when none
    // is that near.
    std::vector<std::string> near(const std::string &lower) const;

    // The names that token i (a capitalised word; word: its text without a possessive)
    // is a slip of; empty when it is none or may be a name of its own: known to a word
    // list, written twice, after a title (Mr, Dr) or beside another capitalised word that
    // is no such name (Frace Johnson, Quirry Street); and where no place or month is
    // expected (Mauch said).
    std::vector<std::string> slipOf(const std::vector<Token> &tokens, size_t i, const std::string &word,
                                    const SpellingSuggester &speller) const;

private:
    struct Name
    {
        std::string written; // "Europe"
        std::string lower;   // "europe"
        std::string kind;    // "continent"
    };
    std::vector<Name> m_names;
    std::unordered_map<std::string, std::string> m_lower; // lower case -> class
};

} // namespace PennovaChecker
