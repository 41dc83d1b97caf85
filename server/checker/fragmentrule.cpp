#include "fragmentrule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

bool FragmentRule::mayBeFiniteVerb(const std::vector<Token> &t, int i) const
{
    const Token &tok = t[size_t(i)];
    const std::string &w = tok.lower;
    if (m_lex.isAuxiliary(w) || m_lex.isModal(w))
        return true;
    // contractions carry a verb: it's, they're, I'll, we've, he'd, isn't
    for (const char *suf : {"'s", "'re", "'ll", "'ve", "'d", "'m", "n't"}) {
        const std::string s(suf);
        if (w.size() > s.size() && w.compare(w.size() - s.size(), s.size(), s) == 0)
            return true;
    }
    if (w.size() > 4 && w.compare(w.size() - 3, 3, "ing") == 0)
        return false; // a participle alone does not make a clause
    if (w == "its" && RuleSupport::prevWord(t, i) < 0)
        return true; // "Its a nice day": the real-word check speaks for it
    // "was very tired": a participle a few words after an auxiliary belongs to it
    if (m_lex.isParticiple(w) || (w.size() > 4 && w.compare(w.size() - 2, 2, "ed") == 0)) {
        for (int k = i - 1; k >= 0 && k >= i - 3 && t[size_t(k)].kind == Token::Word; --k)
            if (m_lex.isAuxiliary(t[size_t(k)].lower))
                return false;
    }
    // "written" alone is no clause; "wagged", past tense as well, may be its verb
    if (m_lex.isParticiple(w) && !m_lex.isPastForm(w))
        return false;
    std::string base = m_lex.baseOf(w);
    bool verb = !base.empty() || m_lex.isPos(w, Lexicon::Verb);
    if (!verb) {
        // regular inflections of WordNet verbs: -s, -es, -ed, -ied
        for (const char *suf : {"s", "es", "ed", "d"}) {
            const std::string s(suf);
            if (w.size() > s.size() + 2 && w.compare(w.size() - s.size(), s.size(), s) == 0
                && m_lex.isPos(w.substr(0, w.size() - s.size()), Lexicon::Verb))
                verb = true;
        }
        if (w.size() > 4 && (w.compare(w.size() - 3, 3, "ies") == 0 || w.compare(w.size() - 3, 3, "ied") == 0)
            && m_lex.isPos(w.substr(0, w.size() - 3) + "y", Lexicon::Verb))
            verb = true;
        // a doubled consonant: "wagged", "stopped", "planned"
        if (w.size() > 5 && w.compare(w.size() - 2, 2, "ed") == 0 && w[w.size() - 3] == w[w.size() - 4]
            && std::string("aeiouy").find(w[w.size() - 3]) == std::string::npos
            && m_lex.isPos(w.substr(0, w.size() - 3), Lexicon::Verb))
            verb = true;
    }
    if (!verb)
        return false;
    // after a determiner, preposition or "to" the word is a noun or an infinitive;
    // after an auxiliary it belongs to the auxiliary's verb phrase
    const int p = RuleSupport::prevWord(t, i);
    if (p >= 0) {
        const std::string &pw = t[size_t(p)].lower;
        // words such as "this" or "neither" may be subjects themselves
        static const std::unordered_set<std::string> articles = {"a", "an", "the", "my", "your", "its", "our",
                                                                 "their", "every", "no", "her", "his"};
        if (articles.count(pw) || pw == "to" || (m_lex.isPreposition(pw) && pw != "like") || m_lex.isAuxiliary(pw))
            return false;
    }
    return true;
}

bool FragmentRule::check(const std::vector<Token> &t, Finding *out) const
{
    int words = 0;
    int finite = 0;
    int firstWord = -1, lastToken = -1;
    bool comma = false;
    for (int i = 0; i < int(t.size()); ++i) {
        const Token &tok = t[size_t(i)];
        if (tok.kind == Token::Punct) {
            if (tok.text == "?" || tok.text == "!" || tok.text == ":" || tok.text == "\"" || tok.text == "("
                || tok.text == ";")
                return false; // questions, exclamations, lists, quotations: leave alone
            if (tok.text == ",")
                comma = true;
        }
        if (tok.kind == Token::Other || tok.kind == Token::Url)
            return false;
        if (tok.kind == Token::Word) {
            if (!m_lex.frequency(tok.lower) && !m_lex.posMask(tok.lower))
                return false; // an unknown word may be the verb: no judgement
            ++words;
            if (firstWord < 0)
                firstWord = i;
            if (mayBeFiniteVerb(t, i))
                ++finite;
        }
        lastToken = i;
    }
    if (words < 4 || firstWord < 0 || !t[size_t(firstWord)].isCapitalised())
        return false;
    if (t[size_t(lastToken)].text != ".")
        return false;
    const std::string &opener = t[size_t(firstWord)].lower;
    // a second finite verb may belong to a clause inside the subordinate one: "Although the
    // professor explains that the solution is acceptable."
    bool innerClause = false;
    for (int i = firstWord + 1; i < lastToken; ++i)
        innerClause = innerClause || t[size_t(i)].lower == "that" || t[size_t(i)].lower == "which"
            || t[size_t(i)].lower == "who" || t[size_t(i)].lower == "what" || t[size_t(i)].lower == "how";
    const bool subordinate = (opener == "because" || opener == "although" || opener == "though") && !comma
        && (finite == 1 || (finite == 2 && innerClause));
    if (finite > 0 && !subordinate)
        return false;

    Finding f;
    f.start = t[size_t(firstWord)].start;
    f.end = t[size_t(lastToken)].end;
    f.errorType = "SUGGESTION";
    f.explainType = subordinate ? "fragment_subordinate" : "fragment_no_verb";
    f.errorInfo = RuleSupport::textOf(t, firstWord, lastToken);
    f.featureKeys = {opener};
    // a short "Because ..." answer is common in informal writing: only at the highest level;
    // a longer one in an essay has lost its main clause
    f.certainty = subordinate && words < 6 ? 1 : 2;
    *out = f;
    return true;
}

} // namespace PennovaChecker
