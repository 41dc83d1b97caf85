#pragma once
// Marks and letter case around words: a contraction written with a backtick or another
// wrong mark ("don`t", "can=t"), "non" written apart ("non biological"), the slips in
// "and so on" ("and the so on", "and etc.", "books etc."), a whole sentence in capitals,
// commas edited text never sets (before a that-clause, a restrictive relative clause or
// "than"), one it always sets (before "especially" adding an afterthought) and a comma that
// joins two sentences.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class WordForms;

class PunctuationRules
{
public:
    // lexicon and forms are not owned and must outlive the rules
    PunctuationRules(const Lexicon &lexicon, const WordForms &forms) : m_lex(lexicon), m_forms(forms) {}
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    // "I ANSWERED THE QUESTION AND ...": a style finding whose candidate is the sentence in
    // sentence case, keeping "I" and acronyms (BMW, NASA).
    void allCapitals(const std::vector<Token> &tokens, std::vector<Finding> *out) const;
    // The sentence-case form of one all-capital word (first: it opens the sentence).
    std::string sentenceCase(const Token &word, bool first) const;

private:
    void contractionMarks(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void nonApart(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    void soOn(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void doubledMarks(const std::vector<Token> &t, std::vector<Finding> *out) const; // "the others..", ",,"
    void gluedNumber(const std::vector<Token> &t, std::vector<Finding> *out) const;  // "100million"
    // "it,but", "it.But": no space after a comma or a full stop between words
    void missingSpace(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "hard ,so", and "it , but" where the sentence's other marks touch their words: no
    // space before a mark (text split into tokens spaces every mark and is left alone)
    void spaceBeforeMark(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "Why do people like it." -> "?": a question opened by a question word and an inverted verb
    void questionMark(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "it，but": Chinese full-width marks between English words
    void fullWidthMarks(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "It is unlikely, that ...", "I think, that ...", "the idea, that ...": no comma between a
    // word and the that-clause it takes
    void commaBeforeThat(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const;
    // "those, who", "the number of people, who", "factories, that produce": no comma before a
    // clause that says which ones are meant
    void commaBeforeRelative(const std::vector<Token> &t, const std::vector<std::string> &tags,
                             std::vector<Finding> *out) const;
    // "more popular, than ...": no comma between a comparative and its "than"
    void commaBeforeThan(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const;

    // "cars especially in cities" -> "cars, especially in cities": a comma before the afterthought
    void commaBeforeEspecially(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               std::vector<Finding> *out) const;

    // "English is widely spoken, it is ...": two sentences joined by a bare comma
    void commaSplice(const std::vector<Token> &t, const std::vector<std::string> &tags,
                     std::vector<Finding> *out) const;

    const Lexicon &m_lex;
    const WordForms &m_forms;
};

} // namespace PennovaChecker
