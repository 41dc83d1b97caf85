#include "lemmatizer.h"

#include "lexicon.h"
#include "nounforms.h"
#include "rulesupport.h"

namespace PennovaChecker {

std::string Lemmatizer::verbBase(const std::string &w) const
{
    static const char *const be[] = {"am", "is", "are", "was", "were", "be", "been", "being", "'m", "'re"};
    for (const char *form : be)
        if (w == form)
            return "be";
    if (m_lex.isCommonVerbBase(w))
        return w;
    const std::string base = m_lex.baseOf(w);
    return base.empty() ? RuleSupport::baseOfIng(m_lex, w) : base;
}

std::string Lemmatizer::lemmaOf(const Token &token, const std::string &tag) const
{
    if (token.kind != Token::Word)
        return {};
    const std::string &w = token.lower;
    const bool verbTag = tag.compare(0, 2, "VB") == 0 || tag == "MD";
    const bool nounTag = tag.compare(0, 2, "NN") == 0;
    if (tag.empty() || verbTag) {
        const std::string base = verbBase(w);
        if (!base.empty())
            return base;
    }
    if (tag.empty() || nounTag)
        return m_nouns.singularOf(w);
    return w;
}

void Lemmatizer::fill(std::vector<Token> *tokens, const std::vector<std::string> &tags) const
{
    const bool tagged = tags.size() == tokens->size();
    for (size_t k = 0; k < tokens->size(); ++k)
        (*tokens)[k].lemma = lemmaOf((*tokens)[k], tagged ? tags[k] : std::string());
}

} // namespace PennovaChecker
