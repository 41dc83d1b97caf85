#include "clausecommarule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

bool wordAt(const std::vector<Token> &t, int i)
{
    return i >= 0 && i < int(t.size()) && (t[size_t(i)].kind == Token::Word || t[size_t(i)].kind == Token::Number);
}

bool finiteTag(const std::vector<std::string> &tags, int i)
{
    return R::tagEquals(tags, i, "MD") || R::tagEquals(tags, i, "VBZ") || R::tagEquals(tags, i, "VBP")
        || R::tagEquals(tags, i, "VBD");
}

const std::string &lemmaAt(const std::vector<Token> &t, int i)
{
    return t[size_t(i)].lemma.empty() ? t[size_t(i)].lower : t[size_t(i)].lemma;
}

bool quantifier(const std::string &w)
{
    static const Set words = {"many", "most", "some", "all", "few", "several", "each", "every", "no", "any", "both"};
    return words.count(w) > 0;
}

// Words that take a clause without "that": "If you think people are lazy", "When I was sure
// it was over". The clause after them is their object, not the main clause.
bool takesClause(const std::string &lemma)
{
    static const Set words = {
        "think", "believe", "know", "say", "feel", "find", "hope", "see", "hear", "mean", "guess", "suppose",
        "realize", "realise", "notice", "understand", "show", "suggest", "expect", "wish", "agree", "claim",
        "argue", "admit", "tell", "ensure", "learn", "discover", "decide", "remember", "forget", "imagine",
        "doubt", "fear", "predict", "assume", "pretend", "prove", "insist", "indicate", "worry", "promise",
        "complain", "recommend", "demand", "confirm", "declare", "mention", "explain", "report", "state",
        "reveal", "warn", "bet", "reckon", "estimate", "mind", "sure", "afraid", "aware", "certain", "glad",
        "sorry", "worried", "confident", "convinced", "surprised", "proud"};
    return words.count(lemma) > 0;
}

// Verbs that "as" reports with: "As the chart shows", "As we can see", "As mentioned above".
bool reportingVerb(const std::string &lemma)
{
    static const Set words = {"show", "see", "say", "mention", "suggest", "indicate", "illustrate", "know",
                              "report", "state", "reveal", "demonstrate", "depict", "describe", "note",
                              "point", "display", "present", "predict", "expect", "notice", "observe",
                              "tell", "explain", "find", "give"};
    return words.count(lemma) > 0;
}

// Marks that leave the word before a gap where a main clause cannot start: a preposition, a
// determiner or a conjunction still looks for its object or its second part.
bool endsNothing(const std::vector<Token> &t, const std::vector<std::string> &tags, int p)
{
    static const Set words = {"that", "then", "so", "not", "than", "as", "to", "very", "too", "also", "such"};
    return R::tagIs(tags, p, "IN") || R::tagIs(tags, p, "DT") || R::tagIs(tags, p, "PRP$") || R::tagIs(tags, p, "TO")
        || R::tagIs(tags, p, "CC") || R::tagIs(tags, p, "W") || R::tagIs(tags, p, "EX") || R::tagIs(tags, p, "POS")
        || R::tagIs(tags, p, "PDT") || words.count(t[size_t(p)].lower) > 0;
}

// Adverbs that open a main clause after a subordinate one: "If it rains then we stay", "While
// he allows a few, still he", "If she could not, at least she could".
bool sentenceAdverb(const std::string &w)
{
    static const Set words = {"then", "still", "least", "obviously", "clearly", "perhaps", "probably",
                              "certainly", "surely", "fortunately", "unfortunately", "nevertheless",
                              "nonetheless", "together", "finally", "however", "therefore", "thus",
                              "instead", "otherwise", "hence", "consequently", "meanwhile", "moreover",
                              "furthermore", "besides", "maybe"};
    return words.count(w) > 0;
}

} // namespace

int ClauseCommaRule::nounPhraseEnd(const Tokens &t, const Tags &tags, int k, bool bare, int depth)
{
    if (!wordAt(t, k))
        return -1;
    int i = k;
    const std::string &w = t[size_t(k)].lower;
    if (R::tagIs(tags, k, "NNP")) {
        while (wordAt(t, i) && R::tagIs(tags, i, "NNP") && t[size_t(i)].isCapitalised() && i < k + 4)
            ++i;
    } else {
        const bool determiner = R::tagIs(tags, i, "DT") || R::tagIs(tags, i, "PRP$") || quantifier(w)
            || R::tagIs(tags, i, "CD") || t[size_t(i)].kind == Token::Number;
        if ((R::tagIs(tags, i, "PDT") || w == "all" || w == "both")
            && (R::tagIs(tags, i + 1, "DT") || R::tagIs(tags, i + 1, "PRP$")))
            ++i;
        if (determiner)
            ++i;
        else if (!bare)
            return -1;
        const int modifiers = i;
        int head = -1;
        while (wordAt(t, i) && i < modifiers + 5) {
            const bool modifier = R::tagIs(tags, i, "JJ") || R::tagEquals(tags, i, "RBS")
                || R::tagEquals(tags, i, "RBR") || R::tagEquals(tags, i, "POS")
                || ((R::tagEquals(tags, i, "VBG") || R::tagEquals(tags, i, "VBN"))
                    && (R::tagIs(tags, i + 1, "NN") || R::tagIs(tags, i + 1, "JJ")));
            const bool noun = R::nounTag(tags, i) || R::tagIs(tags, i, "CD") || t[size_t(i)].kind == Token::Number;
            if ((!modifier && !noun) || (head >= 0 && R::tagIs(tags, i, "NNP") && !R::tagIs(tags, head, "NNP")))
                break; // "the station all night Killpath": a name after a common noun starts anew
            if (noun)
                head = i;
            ++i;
        }
        // "these are", "most were": a determiner that stands for its noun
        static const Set pronouns = {"this", "these", "those", "some", "many", "most", "all", "both"};
        if (head < 0 && determiner && i == modifiers && pronouns.count(w))
            return i;
        if (head < 0 || head != i - 1)
            return -1;
    }
    // "the number of people in the city": a prepositional phrase or two on the noun
    static const Set prepositions = {"of", "in", "on", "for", "from", "with", "at", "about", "between", "among"};
    for (int pp = 0; pp < 2 && depth == 0 && prepositions.count(R::lowerAt(t, i)); ++pp) {
        const int e = nounPhraseEnd(t, tags, i + 1, true, depth + 1);
        if (e < 0)
            break;
        i = e;
    }
    return i;
}

int ClauseCommaRule::finiteVerbAt(const Tokens &t, const Tags &tags, int k) const
{
    for (int adverbs = 0; wordAt(t, k) && R::tagIs(tags, k, "RB") && adverbs < 2; ++adverbs)
        ++k;
    if (!wordAt(t, k))
        return -1;
    if (finiteTag(tags, k))
        return k;
    // "the usage of Facebook correlates with age": a verb in -s the tagger took for a plural
    const std::string &w = t[size_t(k)].lower;
    if (R::tagEquals(tags, k, "NNS") && w.size() > 3 && w.back() == 's'
        && (m_lex.isThirdPerson(w) || m_lex.isPos(w.substr(0, w.size() - 1), Lexicon::Verb))
        && (R::tagIs(tags, k + 1, "IN") || R::tagIs(tags, k + 1, "DT") || R::tagIs(tags, k + 1, "RB")))
        return k;
    return -1;
}

int ClauseCommaRule::subjectClause(const Tokens &t, const Tags &tags, int j, bool bare) const
{
    if (!wordAt(t, j))
        return -1;
    if (R::tagEquals(tags, j, "PRP"))
        return R::isSubjectPronoun(t[size_t(j)].lower) ? finiteVerbAt(t, tags, j + 1) : -1;
    if (R::tagIs(tags, j, "EX"))
        return finiteVerbAt(t, tags, j + 1);
    const int e = nounPhraseEnd(t, tags, j, bare);
    return e < 0 ? -1 : finiteVerbAt(t, tags, e);
}

int ClauseCommaRule::clauseAt(const Tokens &t, const Tags &tags, int j) const
{
    const int p = j - 1;
    if (!wordAt(t, j) || !wordAt(t, p) || t[size_t(j)].attached || endsNothing(t, tags, p))
        return -1;
    const bool verb = R::tagIs(tags, p, "VB") || R::tagIs(tags, p, "MD");
    // a participle after "have" takes an object as the finite verb does ("After you have
    // taken a breather"); after "be" it is passive and ends its clause
    bool perfect = false;
    for (int k = p - 1; k >= 0 && k >= p - 3 && R::tagEquals(tags, p, "VBN") && !perfect; --k)
        perfect = lemmaAt(t, k) == "have";
    const bool active = verb && (!R::tagEquals(tags, p, "VBN") || perfect);
    if ((verb || R::tagIs(tags, p, "JJ")) && takesClause(lemmaAt(t, p)))
        return -1;
    if ((R::tagIs(tags, p, "RP") || t[size_t(p)].lower == "out") && p > 0 && takesClause(lemmaAt(t, p - 1)))
        return -1; // "If he found out Ma found it"
    static const Set degreeWords = {"how", "too", "so", "as", "such"};
    if (R::tagIs(tags, p, "JJ") && p > 0 && degreeWords.count(t[size_t(p) - 1].lower))
        return -1; // "how tense he had been", "too small a posse"
    if (R::tagEquals(tags, p, "PRP") && p > 0 && takesClause(lemmaAt(t, p - 1)))
        return -1; // "When I told him someone had torn it": the clause is what was told
    const std::string &w = t[size_t(j)].lower;
    if (R::tagEquals(tags, j, "PRP")) {
        // "it" or "you" after a finite verb is its object ("factors that reinforce it must
        // be"); after an infinitive it opens the main clause ("want to succeed you must")
        const bool objectForm = w == "it" || w == "you";
        if (!R::isSubjectPronoun(w) || (objectForm && active && !R::tagEquals(tags, p, "VB")))
            return -1;
        return subjectClause(t, tags, j, false);
    }
    if (R::tagIs(tags, j, "EX"))
        return subjectClause(t, tags, j, false);
    // a noun phrase after a verb is its object
    if (active || R::tagEquals(tags, p, "VBG"))
        return -1;
    // "school teachers", "grade 6": a noun after a noun is one phrase with it
    if (R::nounTag(tags, p) && (R::nounTag(tags, j) || R::tagIs(tags, j, "CD") || t[size_t(j)].kind == Token::Number))
        return R::tagIs(tags, j, "NNP") && subjectClause(t, tags, j, false) >= 0 ? Unread : -1;
    const bool determiner = R::tagIs(tags, j, "DT") || R::tagIs(tags, j, "PRP$") || R::tagIs(tags, j, "PDT")
        || quantifier(w) || R::tagIs(tags, j, "CD") || t[size_t(j)].kind == Token::Number || R::tagIs(tags, j, "NNP");
    if (R::tagIs(tags, p, "JJ") && R::tagIs(tags, j, "NNP")
        && (R::tagIs(tags, p - 1, "DT") || R::tagIs(tags, p - 1, "JJ") || R::tagIs(tags, p - 1, "PRP$")))
        return -1; // "these same Protestants": an adjective before a name describes it
    if ((R::tagIs(tags, j, "CD") || t[size_t(j)].kind == Token::Number) && R::tagIs(tags, p, "JJ"))
        return -1; // "the first two volumes"
    if (determiner) {
        // a noun phrase after a word that can end a clause, with no verb of its own: the
        // clause boundary is there but the main clause is not one the rule can read
        const int v = subjectClause(t, tags, j, false);
        return v >= 0 || R::tagIs(tags, j, "NNP") ? v : Unread;
    }
    // a bare plural or mass noun opens a clause only where no adjective or noun could take it
    // ("When I was young people ..." reads as "young people"; "almost everything")
    static const Set degree = {"almost", "nearly", "about", "only", "even", "just", "quite", "rather",
                               "approximately", "exactly", "roughly", "around", "over"};
    const bool open = (R::tagIs(tags, p, "RB") && !degree.count(t[size_t(p)].lower)) || R::tagIs(tags, p, "RP")
        || R::tagEquals(tags, p, "PRP");
    return open && R::nounTag(tags, j) ? subjectClause(t, tags, j, true) : -1;
}

bool ClauseCommaRule::wholeClause(const Tokens &t, const Tags &tags, int v) const
{
    int k = v + 1;
    int last = v;
    while (wordAt(t, k) && (R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD") || R::tagIs(tags, k, "RB"))) {
        if (!R::tagIs(tags, k, "RB"))
            last = k;
        ++k;
    }
    // "my mother said she was tired": a verb of saying or thinking takes the clause after it
    if (takesClause(lemmaAt(t, last)) || R::tagIs(tags, k, "TO"))
        return true;
    // "the ones I dreamed of, nor", "the part you are working on is": a preposition left
    // without its object
    if (R::tagEquals(tags, k, "IN") && (!wordAt(t, k + 1) || finiteTag(tags, k + 1)))
        return false;
    // a transitive verb without its object, then another subject and verb: the clause was a
    // relative one ("things my parents like I feel")
    if (subjectClause(t, tags, k, true) >= 0)
        return false;
    // a second clause start further on ("the airfields we have in this country we could"):
    // one of the two is a relative clause, and which one is not for the tags to tell
    for (; wordAt(t, k); ++k)
        if (clauseAt(t, tags, k) >= 0)
            return false;
    return true;
}

int ClauseCommaRule::sourceEnd(const Tokens &t, const Tags &tags, int k)
{
    static const Set places = {"above", "below", "before", "earlier", "here"};
    if (R::lowerAt(t, k) == "out")
        ++k;
    if (places.count(R::lowerAt(t, k)))
        return k + 1;
    static const Set prepositions = {"from", "in", "on", "by", "at", "through"};
    if (prepositions.count(R::lowerAt(t, k))) {
        k = nounPhraseEnd(t, tags, k + 1, true);
        if (k < 0)
            return -1;
        if (places.count(R::lowerAt(t, k)))
            ++k;
    }
    return k;
}

void ClauseCommaRule::check(const Tokens &t, const Tags &tags, std::vector<Finding> *out) const
{
    int f = 0;
    while (f < int(t.size()) && (t[size_t(f)].text == "\"" || t[size_t(f)].text == "'" || t[size_t(f)].text == "("))
        ++f;
    if (!wordAt(t, f) || t.back().text == "?")
        return;
    const auto flag = [&](int p) {
        // a word the lexicon does not know is likely misspelt, and its spelling comes first
        const Token &last = t[size_t(p)];
        if (last.kind == Token::Word && !last.isCapitalised() && m_lex.frequencyRank(last.lower) == 0)
            return;
        // the comma goes after the opener's last word
        out->push_back(R::replace(t, p, p, t[size_t(p)].text + ",", "GRAMMAR", "comma_after_clause", 2));
    };
    const std::string &w = t[size_t(f)].lower;
    const std::string &second = R::lowerAt(t, f + 1);

    // "According to the chart the number ...", "As can be seen from the table the ...", "As
    // the chart shows the ...": the main clause must begin right after the phrase
    int source = -1;
    if (w == "according" && second == "to") {
        source = nounPhraseEnd(t, tags, f + 2, true);
        if (source > 0 && (R::lowerAt(t, source) == "above" || R::lowerAt(t, source) == "below"))
            ++source;
    } else if (w == "as" && (R::tagIs(tags, f + 1, "MD") || second == "is" || second == "was")) {
        // "as can be seen", "as is shown"
        int k = f + 1;
        while (wordAt(t, k) && !R::tagEquals(tags, k, "VBN") && k < f + 4 && (R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD")))
            ++k;
        if (R::tagEquals(tags, k, "VBN") && reportingVerb(lemmaAt(t, k)))
            source = sourceEnd(t, tags, k + 1);
    } else if (w == "as" && R::tagEquals(tags, f + 1, "VBN") && reportingVerb(lemmaAt(t, f + 1))) {
        source = sourceEnd(t, tags, f + 2); // "As shown in the chart"
    } else if (w == "as") {
        // "As the chart shows", "As we can see": the verb's object is the "as" itself
        const int v = subjectClause(t, tags, f + 1, true);
        int k = v;
        while (k > 0 && wordAt(t, k + 1) && (R::tagIs(tags, k + 1, "VB") || R::tagIs(tags, k + 1, "RB")))
            ++k;
        if (v > 0 && reportingVerb(lemmaAt(t, k)) && !R::tagIs(tags, k, "MD"))
            source = sourceEnd(t, tags, k + 1);
    }
    if (source > f + 1) {
        const int p = source - 1;
        const std::string &end = R::lowerAt(t, p);
        if (!wordAt(t, p) || (endsNothing(t, tags, p) && end != "above" && end != "below"))
            return;
        const int v = subjectClause(t, tags, source, true);
        if (v >= 0 && wholeClause(t, tags, v))
            flag(p);
        return;
    }

    // Brown closes an opening clause with a comma nearly nine times in ten or more after these
    // ("if" 292 of 318, "since" 81 of 83, "when" 269 of 309), from three words on ("If I can,
    // ...": 0.87 to 1.0 at every length); "before", "until", "unless", "whenever"
    // and "as soon as" run on without it one time in four or more and are left to the writer.
    static const Set subordinators = {"if", "when", "as", "since", "although", "though", "while",
                                      "once", "because", "after", "whereas"};
    // Before a pronoun or "there" Brown drops the comma after "when" and "as" one time in
    // three ("When he came home he ...": 82 commas, 39 none; "as" 27 and 12), where "if" sets
    // it 115 times against 24 and the rest 102 against 11; before a noun phrase all of them
    // set it nine times in ten.
    const bool pronounOptional = (w == "when" || w == "as") && second != "long";
    int s = -1;
    if (w == "even" && (second == "if" || second == "though"))
        s = f + 2;
    else if (w == "as" && second == "long" && R::lowerAt(t, f + 2) == "as")
        s = f + 3;
    else if (subordinators.count(w))
        s = f + 1;
    if (s < 0)
        return;
    // the opener's own subject and finite verb: "After dinner we", "As a result we", "Since
    // then we", "When did you" have none
    const int v = subjectClause(t, tags, s, true);
    if (v < 0)
        return;
    for (int j = v + 1; j < int(t.size()) && j < v + 30; ++j) {
        // a comma or another mark: the writer has punctuated the clause; "then", "still" or
        // "at least" open the main clause and take the comma before them
        if (!wordAt(t, j) || sentenceAdverb(t[size_t(j)].lower))
            return;
        const int mv = clauseAt(t, tags, j);
        if (mv == Unread)
            return;
        if (mv < 0)
            continue;
        // "If we have a job we like, we will": a comma further on before a subject closes the
        // opener there, and the words before it were a relative clause
        int mark = mv + 1;
        while (wordAt(t, mark))
            ++mark;
        const int after = mark + 1;
        const bool closedLater = mark < int(t.size()) && t[size_t(mark)].text == "," && wordAt(t, after)
            && (R::tagEquals(tags, after, "PRP") || R::tagIs(tags, after, "DT") || R::tagIs(tags, after, "PRP$")
                || R::tagIs(tags, after, "EX") || R::nounTag(tags, after) || R::tagIs(tags, after, "JJ")
                || R::tagIs(tags, after, "CD") || t[size_t(after)].lower == "then");
        const bool pronoun = R::tagEquals(tags, j, "PRP") || R::tagIs(tags, j, "EX");
        if (!closedLater && !(pronounOptional && pronoun) && wholeClause(t, tags, mv))
            flag(j - 1);
        return;
    }
}

} // namespace PennovaChecker
