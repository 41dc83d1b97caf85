#pragma once
// NounForms: the singular and plural of English nouns, for the noun-number classifier
// and its rule. Irregular plurals come from WordNet's noun.exc ("children child"); the
// regular ones (-s, -es, -ies) are checked against WordNet's noun lemmas and the word
// frequency list. Read-only after loading.

#include <string>
#include <unordered_map>

namespace PennovaChecker {

class Lexicon;

class NounForms
{
public:
    // lexicon is not owned and must outlive this; wordnetDir holds noun.exc (missing: no
    // irregular plurals).
    NounForms(const Lexicon &lexicon, const std::string &wordnetDir);

    // The singular of a plural form ("cities" -> "city", "children" -> "child",
    // "informations" -> "information"); the word itself when it is no plural form.
    std::string singularOf(const std::string &lower) const;
    bool isPlural(const std::string &lower) const { return singularOf(lower) != lower; }
    // The plural of a singular noun ("box" -> "boxes", "child" -> "children"); "" when the
    // word is not a noun.
    std::string pluralOf(const std::string &lemma) const;
    // How often the plural is written among both forms in the frequency list (0 .. 1);
    // -1 when neither form is listed.
    double pluralShare(const std::string &lemma) const;
    // A noun whose number does not change: one used in the plural form only or as its own
    // lemma ("news", "clothes", "physics", "series", "means"), or a plural of Latin or Greek
    // form that writers use either way ("data", "media", "criteria").
    bool numberFixed(const std::string &lower) const;
    // A noun that is hardly ever counted ("information", "advice", "furniture"): it takes
    // no plural whatever the context.
    bool uncountable(const std::string &lemma) const;

private:
    const Lexicon &m_lex;
    std::unordered_map<std::string, std::string> m_singular; // irregular plural -> singular
    std::unordered_map<std::string, std::string> m_plural;   // singular -> irregular plural
};

} // namespace PennovaChecker
