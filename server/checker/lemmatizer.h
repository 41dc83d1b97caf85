#pragma once
// The lemma of each word of a sentence, from the forms the checker already knows: a verb's
// base from the lexicon's verb tables ("went" -> "go", "making" -> "make", "is" -> "be"), a
// noun's singular from NounForms ("children" -> "child"). The tag picks between them where
// a word is both ("saw", "leaves"); a word of neither keeps its lower-case form.

#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class NounForms;

class Lemmatizer
{
public:
    // Neither is owned; both must outlive this.
    Lemmatizer(const Lexicon &lexicon, const NounForms &nouns) : m_lex(lexicon), m_nouns(nouns) {}

    // The lemma of the token with its tag ("" = untagged); "" for a token that is no word.
    std::string lemmaOf(const Token &token, const std::string &tag) const;
    // Sets every token's lemma; tags may be empty (untagged) or one per token.
    void fill(std::vector<Token> *tokens, const std::vector<std::string> &tags) const;

private:
    std::string verbBase(const std::string &lower) const;

    const Lexicon &m_lex;
    const NounForms &m_nouns;
};

} // namespace PennovaChecker
