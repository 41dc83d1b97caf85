#include "punctuationrules.h"

#include "lexicon.h"
#include "rulesupport.h"
#include "wordclasses.h"
#include "wordforms.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

// Contractions as "left'right", lower case.
const Set &contractions()
{
    static const Set s = {"don't", "doesn't", "didn't", "can't", "won't", "isn't", "aren't", "wasn't", "weren't",
                          "haven't", "hasn't", "hadn't", "couldn't", "wouldn't", "shouldn't", "mustn't", "needn't",
                          "ain't", "i'm", "i've", "i'll", "i'd", "you're", "you've", "you'll", "you'd", "he's",
                          "he'll", "he'd", "she's", "she'll", "she'd", "it's", "it'll", "that's", "there's",
                          "what's", "let's", "we're", "we've", "we'll", "we'd", "they're", "they've", "they'll",
                          "they'd", "who's"};
    return s;
}

// Marks written where the apostrophe belongs: backtick, equals sign, hyphen, acute accent
// and the left single quotation mark.
bool wrongApostrophe(const Token &t)
{
    return t.text == "`" || t.text == "=" || t.text == "-" || t.text == "\xC2\xB4" || t.text == "\xE2\x80\x98";
}

} // namespace

void PunctuationRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                             std::vector<Finding> *out) const
{
    contractionMarks(t, out);
    nonApart(t, tags, out);
    soOn(t, out);
    doubledMarks(t, out);
    gluedNumber(t, out);
    commaBeforeThat(t, tags, out);
    commaBeforeRelative(t, tags, out);
    commaBeforeThan(t, tags, out);
    commaBeforeEspecially(t, tags, out);
    commaSplice(t, tags, out);
    missingSpace(t, out);
    spaceBeforeMark(t, out);
    fullWidthMarks(t, out);
    questionMark(t, out);
}

void PunctuationRules::questionMark(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    const Set &questionWords = WordClasses::words(WordClass::QuestionWord);
    static const Set inverted = {"do", "does", "did", "is", "are", "was", "were", "can", "could", "will", "would",
                                 "should", "have", "has"};
    // a subject after the verb: "Why do people ...", "What is the reason ..."
    static const Set subjects = {"i", "you", "he", "she", "it", "we", "they", "the", "this", "that", "these",
                                 "those", "my", "your", "his", "her", "our", "their", "people", "students"};
    if (t.size() < 5 || t.back().text != "." || t[0].kind != Token::Word || !questionWords.count(t[0].lower)
        || !inverted.count(R::lowerAt(t, 1)) || !subjects.count(R::lowerAt(t, 2)))
        return;
    // one clause up to the full stop: "What is the most important is ..." (a second verb) and
    // "Why is it so? Because ..." (more punctuation) are left alone
    for (size_t k = 3; k + 1 < t.size(); ++k)
        if ((t[k].kind == Token::Punct && t[k].text != "'") || t[k].is("is") || t[k].is("are") || t[k].is("was")
            || t[k].is("were"))
            return;
    out->push_back(R::replace(t, int(t.size()) - 1, int(t.size()) - 1, "?", "GRAMMAR", "question_mark", 2));
}

void PunctuationRules::missingSpace(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int m = 1; m + 1 < int(t.size()); ++m) {
        const Token &a = t[size_t(m) - 1], &mark = t[size_t(m)], &b = t[size_t(m) + 1];
        if (a.kind != Token::Word || b.kind != Token::Word || mark.spaceBefore || b.spaceBefore || a.attached
            || b.attached || a.lower.size() < 2 || b.lower.size() < 2)
            continue;
        // both sides are common words ("it,but", "lance,sword"); "file.txt", "Node.js", "e.g."
        // and "St.Louis" are names and abbreviations
        const bool knownA = m_lex.frequencyRank(a.lower) > 0 && m_lex.frequencyRank(a.lower) <= 20000;
        const bool knownB = m_lex.frequencyRank(b.lower) > 0 && m_lex.frequencyRank(b.lower) <= 20000;
        if (!knownA || !knownB)
            continue;
        bool fix = false;
        if (mark.text == ",") {
            // ("Akron,Ohio": a place and its state are written so in addresses)
            fix = !a.isAllCaps() && !b.isAllCaps() && !(a.isCapitalised() && b.isCapitalised());
        } else if (mark.text == ".") {
            // a new sentence: a lower-case word, then a capitalised one, and no dot further on
            static const Set abbreviations = {"mr", "mrs", "ms", "dr", "st", "vs", "no", "jr", "sr", "co", "inc",
                                              "ltd", "etc", "prof", "fig", "vol", "dept", "gen", "gov"};
            fix = a.text == a.lower && !abbreviations.count(a.lower) && b.isCapitalised() && !b.isAllCaps()
                && !(m + 2 < int(t.size()) && t[size_t(m) + 2].text == "." && !t[size_t(m) + 2].spaceBefore);
        }
        if (fix)
            out->push_back(R::replace(t, m - 1, m + 1, a.text + mark.text + " " + b.text, "GRAMMAR", "space_after_mark", 2));
    }
}

void PunctuationRules::spaceBeforeMark(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const Set marks = {",", ";", ":", "?", "!", "."};
    const int n = int(t.size());
    // evidence that the writer sets marks by hand: a comma-like mark touching its word and
    // followed by a space ("1,000" and "U.S." prove nothing)
    bool touching = false;
    for (int m = 1; m < n; ++m)
        touching = touching
            || (t[size_t(m)].text != "." && marks.count(t[size_t(m)].text) && !t[size_t(m)].spaceBefore
                && t[size_t(m) - 1].kind == Token::Word && (m + 1 == n || t[size_t(m) + 1].spaceBefore));
    for (int m = 1; m < n; ++m) {
        const Token &a = t[size_t(m) - 1], &mark = t[size_t(m)];
        if (!marks.count(mark.text) || !mark.spaceBefore || a.kind != Token::Word || a.attached)
            continue;
        const bool end = m + 1 == n;
        // a run of marks ("...", "?!") or a smiley (":)")
        if (!end && !t[size_t(m) + 1].spaceBefore && t[size_t(m) + 1].kind != Token::Word)
            continue;
        const bool wordAfter = !end && !t[size_t(m) + 1].spaceBefore && !t[size_t(m) + 1].attached;
        // (".com", ".NET": a dot before a word is part of a name)
        if ((mark.text == "." && !end) || (m >= 2 && t[size_t(m) - 2].kind == Token::Punct && !a.spaceBefore))
            continue;
        if (!wordAfter && !touching)
            continue;
        std::string fixed = a.text + mark.text;
        int last = m;
        if (wordAfter) {
            fixed += " " + t[size_t(m) + 1].text;
            last = m + 1;
        }
        out->push_back(R::replace(t, m - 1, last, fixed, "GRAMMAR", "space_before_mark", 2));
    }
}

void PunctuationRules::fullWidthMarks(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // the full-width forms of , . ; : ! ? ( ) and the enumeration comma
    static const std::pair<const char *, const char *> marks[] = {
        {"\xEF\xBC\x8C", ","}, {"\xE3\x80\x82", "."}, {"\xEF\xBC\x9B", ";"}, {"\xEF\xBC\x9A", ":"},
        {"\xEF\xBC\x81", "!"}, {"\xEF\xBC\x9F", "?"}, {"\xEF\xBC\x88", "("}, {"\xEF\xBC\x89", ")"},
        {"\xE3\x80\x81", ","}};
    for (int i = 1; i < int(t.size()); ++i) {
        const Token &mark = t[size_t(i)];
        const char *ascii = nullptr;
        for (const auto &[wide, plain] : marks)
            if (mark.text == wide)
                ascii = plain;
        // inside English: an English word before it, and no Chinese text after it
        if (!ascii || t[size_t(i) - 1].kind != Token::Word || t[size_t(i) - 1].attached
            || (i + 1 < int(t.size()) && t[size_t(i) + 1].kind == Token::Other))
            continue;
        const bool opening = std::string(ascii) == "(";
        const bool wordAfter = i + 1 < int(t.size()) && t[size_t(i) + 1].kind == Token::Word;
        // "it，but" -> "it, but": a space follows the mark unless the sentence ends there
        std::string fixed = opening ? std::string(" ") + ascii : std::string(ascii);
        int last = i;
        if (wordAfter && !t[size_t(i) + 1].spaceBefore && !opening) {
            fixed += " " + t[size_t(i) + 1].text;
            last = i + 1;
        }
        out->push_back(R::replace(t, i, last, fixed, "GRAMMAR", "full_width_mark", 3));
    }
}

void PunctuationRules::doubledMarks(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        const Token &a = t[size_t(i)], &b = t[size_t(i) + 1];
        if (a.kind != Token::Punct || (a.text != "." && a.text != ",") || b.text != a.text || b.spaceBefore)
            continue;
        // an ellipsis has three or more, and each mark must follow a word ("etc..": the
        // abbreviation's own dot ends the sentence as well)
        const bool run = (i + 2 < int(t.size()) && t[size_t(i) + 2].text == a.text && !t[size_t(i) + 2].spaceBefore)
            || t[size_t(i) - 1].text == a.text;
        if (run || a.spaceBefore || t[size_t(i) - 1].kind != Token::Word || t[size_t(i) - 1].lower == "etc")
            continue;
        out->push_back(R::replace(t, i, i + 1, a.text, "GRAMMAR", "doubled_mark", 3));
    }
}

void PunctuationRules::gluedNumber(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // words that are written apart from their number (units such as "km", "pm", "th" are not)
    static const Set words = {"million", "billion", "thousand", "hundred", "dollars", "dollar", "yuan", "years",
                              "year", "people", "times", "percent", "students", "days", "hours", "minutes",
                              "months", "weeks", "pounds", "euros", "meters", "metres", "kilometers", "kilometres"};
    for (int i = 0; i < int(t.size()); ++i) {
        const Token &n = t[size_t(i)];
        if (n.kind != Token::Number)
            continue;
        size_t letters = 0;
        while (letters < n.lower.size() && !(n.lower[letters] >= 'a' && n.lower[letters] <= 'z'))
            ++letters;
        if (letters == 0 || letters >= n.lower.size() || !words.count(n.lower.substr(letters)))
            continue;
        out->push_back(R::replace(t, i, i, n.text.substr(0, letters) + " " + n.text.substr(letters), "GRAMMAR",
                                  "number_space", 3));
    }
}

void PunctuationRules::commaBeforeThat(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                       std::vector<Finding> *out) const
{
    // Edited text sets no comma between a word and the that-clause it takes: Brown sets it
    // in 1 % of "I think/say/know ... that" (bar parentheticals "..., he said, that"), in
    // 2.5 % of "the idea/fact ... that" and never after "it is clear".
    static const Set be = {"is", "was", "seems", "seemed", "be", "it's"};
    static const Set reporting = {"say", "says", "said", "think", "thinks", "thought", "believe", "believes",
                                  "believed", "know", "knows", "knew", "known", "see", "seen", "mention",
                                  "mentioned", "add", "added", "claim", "claims", "claimed", "argue", "argues",
                                  "argued", "mean", "means", "hope", "notice", "noticed", "suppose", "understand",
                                  "realize", "realise", "agree", "note", "noted", "state", "stated", "conclude",
                                  "admit", "suggest", "suggested", "assume", "assumed", "prove", "proved",
                                  "show", "shows", "showed", "shown", "feel", "emphasize", "emphasise", "stress"};
    static const Set personal = {"sure", "certain", "convinced", "aware", "confident"};
    static const Set anyBe = {"am", "is", "are", "was", "were", "be", "been", "i'm", "we're", "they're"};
    static const Set contentNouns = {"idea", "fact", "opinion", "belief", "view", "conclusion", "doubt", "statement",
                                     "notion", "assumption", "claim", "argument"};
    // "that is", "that means", "that would ...": a demonstrative "that" after a comma
    static const Set demonstrativeVerbs = {"is", "was", "'s", "means", "meant", "would", "will", "way", "being"};
    // before the verb: its subject, a modal or "to" ("I think", "we can see", "to say"), a
    // passive's be ("it can be seen") or an adverb ("personally think")
    static const Set subjects = {"i", "we", "you", "they", "he", "she", "it", "people", "to", "can", "could",
                                 "would", "will", "should", "must", "may", "might", "be", "been", "is", "was",
                                 "also", "personally", "really", "strongly", "firmly"};
    for (int c = 2; c + 2 < int(t.size()); ++c) {
        if (t[size_t(c)].text != "," || R::lowerAt(t, c + 1) != "that" || demonstrativeVerbs.count(R::lowerAt(t, c + 2))
            || t[size_t(c) + 2].kind != Token::Word || t[size_t(c) + 1].isCapitalised())
            continue;
        // "the reason, and no other that I can see, that ...", "as he asserted, that": the
        // comma closes an aside
        bool aside = false;
        for (int k = std::max(0, c - 5); k < c - 1; ++k)
            aside = aside || t[size_t(k)].is("that") || t[size_t(k)].is("which") || t[size_t(k)].is("as");
        const std::string w = R::lowerAt(t, c - 1);
        bool fix = false;
        if (R::tagIs(tags, c - 1, "JJ")) {
            // "it is (very) unlikely, that": the adjective's own clause
            int v = c - 2;
            if (R::tagIs(tags, v, "RB"))
                --v;
            const std::string verb = R::lowerAt(t, v);
            fix = be.count(verb) && (verb == "it's" || R::lowerAt(t, v - 1) == "it");
            // "I am sure, that", "people are convinced, that": Brown sets this comma once in 111
            fix = fix || (personal.count(w) && anyBe.count(verb) && R::lowerAt(t, v - 1) != "to");
        }
        if (!fix && reporting.count(w)) {
            const std::string before = R::lowerAt(t, c - 2);
            // ", he says, that" is a parenthetical: a comma before its subject as well
            const bool parenthetical = c >= 3 && t[size_t(c) - 3].text == ",";
            const bool adverbAfterSubject = R::tagIs(tags, c - 2, "RB")
                && (subjects.count(R::lowerAt(t, c - 3)) || R::tagIs(tags, c - 3, "MD")); // "we can easily say"
            fix = (subjects.count(before) || R::tagIs(tags, c - 2, "NN") || R::tagIs(tags, c - 2, "MD")
                   || adverbAfterSubject)
                && !parenthetical && !aside;
        }
        if (!fix && contentNouns.count(w)) {
            // "the idea, that", "no doubt, that"; "In my opinion, that ..." opens a clause
            // (a that-clause earlier makes this one of a series: "... that X, an opinion, that Y")
            const std::string det = R::lowerAt(t, c - 2);
            bool series = false;
            for (int k = 0; k < c - 1; ++k)
                series = series || t[size_t(k)].is("that");
            // ("with opinion, that": a bare noun after a preposition is the same noun)
            const bool determined = det == "the" || det == "a" || det == "an" || R::tagEquals(tags, c - 2, "IN");
            fix = !series && (w == "doubt" ? det == "no" : determined);
        }
        Finding f;
        if (fix && R::deletion(t, c, "GRAMMAR", "comma_that", 2, &f))
            out->push_back(f);
    }
}

void PunctuationRules::commaBeforeRelative(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                           std::vector<Finding> *out) const
{
    // A clause that says which people are meant takes no comma. Brown: "those who" 206 times,
    // never with a comma; "anyone/someone/everyone who" 35, never; a quantified antecedent
    // ("many/most/some ... people who") 5 % of 77; bare "people/students/children who" after
    // a verb, preposition or conjunction 31, never; "there are ... who" 20, never; against
    // 73 % after a name.
    static const Set pronouns = {"those", "anyone", "anybody", "someone", "somebody", "everyone", "everybody"};
    static const Set quantifiers = {"many", "most", "some", "few", "several", "all", "no", "any", "every", "each"};
    static const Set amounts = {"number", "numbers", "percentage", "proportion", "share", "majority", "amount",
                                "level", "rate", "ratio", "quantity"};
    // "something that", "the ones who": Brown's 81 relative clauses after an indefinite pronoun
    // or "the one(s)" are all without the comma
    static const Set indefinite = {"something", "anything", "everything", "nothing"};
    static const Set existential = {"is", "are", "was", "were"};
    static const Set groups = {"people", "students", "children", "adults", "teenagers", "persons"};
    for (int c = 1; c + 2 < int(t.size()); ++c) {
        if (t[size_t(c)].text != "," || t[size_t(c) + 1].kind != Token::Word || t[size_t(c) + 2].kind != Token::Word)
            continue;
        const std::string rel = R::lowerAt(t, c + 1);
        bool fix = false;
        const std::string before = R::lowerAt(t, c - 1);
        const bool theOnes = (before == "one" || before == "ones") && R::lowerAt(t, c - 2) == "the";
        if ((rel == "who" || rel == "that") && theOnes)
            fix = true;
        else if (rel == "that" && (indefinite.count(before) || pronouns.count(before))) {
            // "something, that is, a lie": "that is" set off by commas means "namely"
            fix = !(R::lowerAt(t, c + 2) == "is" && c + 3 < int(t.size()) && t[size_t(c) + 3].text == ",");
        } else if (rel == "who") {
            fix = pronouns.count(R::lowerAt(t, c - 1)) > 0;
            // "punish people, who share": a bare plural of people, straight after a verb, a
            // preposition, a conjunction, a comma or the start
            if (!fix && groups.count(R::lowerAt(t, c - 1)))
                fix = c == 1 || t[size_t(c) - 2].text == "," || R::tagIs(tags, c - 2, "VB")
                    || R::tagIs(tags, c - 2, "IN") || R::tagIs(tags, c - 2, "TO") || R::tagIs(tags, c - 2, "CC");
            // any bare plural straight after a preposition ("among women, who"): Brown 82 of 87
            // without the comma
            if (!fix && R::tagEquals(tags, c - 1, "NNS") && R::tagEquals(tags, c - 2, "IN"))
                fix = true;
            // back over the noun phrase ("many young people", "the number of (the) people")
            int k = c - 1;
            if (!fix && R::nounTag(tags, k) && !R::tagIs(tags, k, "NNP")) {
                int words = 0;
                while (k - 1 >= 0 && words < 3 && (R::tagIs(tags, k - 1, "JJ") || R::nounTag(tags, k - 1))
                       && !R::tagIs(tags, k - 1, "NNP") && !quantifiers.count(R::lowerAt(t, k - 1)))
                    --k, ++words;
                std::string det = R::lowerAt(t, k - 1);
                // "a lot of girls, who": an amount like "many"
                if (det == "of" && (R::lowerAt(t, k - 2) == "lot" || R::lowerAt(t, k - 2) == "lots"))
                    det = "many";
                // "the most shiftless adolescent": a superlative, not a quantity; "In any
                // case, who ...": the comma closes an opening phrase
                const bool opening = k - 2 == 0 && R::tagIs(tags, 0, "IN");
                fix = quantifiers.count(det) > 0 && R::lowerAt(t, k - 2) != "the" && !opening;
                const int of = det == "the" ? k - 2 : k - 1;
                if (!fix && R::lowerAt(t, of) == "of")
                    fix = amounts.count(R::lowerAt(t, of - 1)) > 0;
                // "there are (a lot of) people, who": Brown's 20 are all without the comma
                int be = k - 1;
                if (det == "a" || det == "an" || det == "the" || det == "some" || det == "many")
                    --be;
                if (R::lowerAt(t, be) == "of" && R::lowerAt(t, be - 1) == "lot" && R::lowerAt(t, be - 2) == "a")
                    be -= 3;
                if (!fix && existential.count(R::lowerAt(t, be)))
                    fix = R::lowerAt(t, be - 1) == "there";
            }
        } else if (rel == "that") {
            // "factories, that produce": a plural verb shows a relative "that", never set off
            const std::string verb = R::lowerAt(t, c + 2);
            fix = R::tagIs(tags, c - 1, "NNS")
                && (verb == "are" || verb == "were" || verb == "have" || R::tagEquals(tags, c + 2, "VBP"));
        }
        Finding f;
        if (fix && R::deletion(t, c, "GRAMMAR", "comma_relative", 2, &f))
            out->push_back(f);
    }
}

void PunctuationRules::commaBeforeThan(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                       std::vector<Finding> *out) const
{
    // "more popular, than e-books": Brown sets a comma between a comparative and its "than"
    // in 8 of 1,629 (only after a list or an aside: "bigger, tougher, than")
    static const Set comparatives = {"more", "less", "fewer", "better", "worse", "rather", "other"};
    for (int c = 2; c + 1 < int(t.size()); ++c) {
        if (t[size_t(c)].text != "," || R::lowerAt(t, c + 1) != "than")
            continue;
        // the comparative within four words before the comma, with no mark between
        int k = c - 1;
        while (k >= 0 && k >= c - 4 && t[size_t(k)].kind == Token::Word && !R::tagIs(tags, k, "JJR")
               && !R::tagIs(tags, k, "RBR") && !comparatives.count(t[size_t(k)].lower))
            --k;
        const bool comparative = k >= 0 && k >= c - 4 && t[size_t(k)].kind == Token::Word;
        // "bigger, tougher, than", "as valuable, or more valuable, than", "less shallow, if
        // less sharp, than": a list or an aside keeps its closing comma
        static const Set joiners = {",", "or", "and", "if", "but", "even"};
        const bool aside = k >= 1 && joiners.count(t[size_t(k) - 1].lower);
        Finding f;
        if (comparative && !aside && R::deletion(t, c, "GRAMMAR", "comma_than", 2, &f))
            out->push_back(f);
    }
}

void PunctuationRules::contractionMarks(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int m = 1; m + 1 < int(t.size()); ++m) {
        const Token &left = t[size_t(m) - 1], &mark = t[size_t(m)], &right = t[size_t(m) + 1];
        if (!wrongApostrophe(mark) || mark.spaceBefore || right.spaceBefore || left.kind != Token::Word
            || right.kind != Token::Word)
            continue;
        const std::string joined = left.lower + "'" + right.lower;
        if (!contractions().count(joined))
            continue;
        // a hyphen joins words far more often: only before "t" ("don-t"), where nothing is joined
        if (mark.text == "-" && right.lower != "t")
            continue;
        // marks around the pair make it code or markup: "`don`t`", "x=don=t"
        const bool before = m >= 2 && !left.spaceBefore && t[size_t(m) - 2].text == mark.text;
        const bool after = m + 2 < int(t.size()) && !t[size_t(m) + 2].spaceBefore && t[size_t(m) + 2].text == mark.text;
        if (before || after)
            continue;
        out->push_back(R::replace(t, m - 1, m + 1, left.text + "'" + right.text, "GRAMMAR", "contraction_mark", 3));
    }
}

void PunctuationRules::nonApart(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                std::vector<Finding> *out) const
{
    // Latin phrases keep "non" apart: "sine qua non", "non sequitur", "persona non grata"
    static const Set latinBefore = {"qua", "persona", "sine"};
    static const Set latinAfter = {"sequitur", "grata", "compos", "obstante", "est", "plus"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "non" || t[size_t(i)].kind != Token::Word)
            continue;
        const int n = R::nextWord(t, i);
        if (n != i + 1 || !t[size_t(n)].spaceBefore || t[size_t(n)].attached || t[size_t(n)].isAllCaps()
            || latinBefore.count(R::lowerAt(t, i - 1)) || latinAfter.count(t[size_t(n)].lower))
            continue;
        // the word after it is an adjective or a noun the dictionary knows
        const std::string &w = t[size_t(n)].lower;
        // (a misspelt word is the spelling check's: "non Europian")
        const bool known = (m_lex.posMask(w) & (Lexicon::Adjective | Lexicon::Noun)) != 0
            || ((R::tagIs(tags, n, "JJ") || R::tagIs(tags, n, "NN") || R::tagIs(tags, n, "VBG")) && m_lex.frequency(w) > 0);
        if (w.size() < 3 || !known)
            continue;
        out->push_back(R::replace(t, i, n, t[size_t(i)].text + "-" + t[size_t(n)].text, "GRAMMAR", "non_prefix", 2));
    }
}

void PunctuationRules::soOn(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // "pens, books etc and more" -> "etc.": the abbreviation keeps its dot
    for (int i = 1; i < int(t.size()); ++i)
        if (t[size_t(i)].lower == "etc" && t[size_t(i)].kind == Token::Word && R::lowerAt(t, i - 1) != "and"
            && !(i + 1 < int(t.size()) && t[size_t(i) + 1].text == "." && !t[size_t(i) + 1].spaceBefore))
            out->push_back(R::replace(t, i, i, t[size_t(i)].text + ".", "GRAMMAR", "so_on", 3));
    // "the God, the death etc." -> "death, etc.": Brown sets the comma before "etc." 58 times
    // of 58 (after "and" or "or" the slip is the conjunction, above)
    for (int i = 1; i < int(t.size()); ++i) {
        const Token &before = t[size_t(i) - 1];
        if (t[size_t(i)].lower == "etc" && t[size_t(i)].kind == Token::Word && t[size_t(i)].spaceBefore
            && (before.kind == Token::Word || before.text == ")") && before.lower != "and" && before.lower != "or")
            out->push_back(R::replace(t, i - 1, i - 1, before.text + ",", "GRAMMAR", "comma_etc", 2));
    }
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "and")
            continue;
        // "and the so on" -> "and so on"
        if (R::lowerAt(t, i + 1) == "the" && R::lowerAt(t, i + 2) == "so" && R::lowerAt(t, i + 3) == "on") {
            out->push_back(R::replace(t, i, i + 3, t[size_t(i)].text + " so on", "GRAMMAR", "so_on", 3));
            continue;
        }
        // "apples, pears and etc." -> "apples, pears, etc.": etc. already means "and so on"
        if (R::lowerAt(t, i + 1) == "etc" && R::nextWord(t, i) == i + 1) {
            const bool dot = i + 2 < int(t.size()) && t[size_t(i) + 2].text == "." && !t[size_t(i) + 2].spaceBefore;
            const int last = dot ? i + 2 : i + 1;
            out->push_back(R::replace(t, i, last, "etc.", "GRAMMAR", "so_on", 3));
        }
    }
}

std::string PunctuationRules::sentenceCase(const Token &word, bool first) const
{
    if (word.text == "I" || word.kind != Token::Word)
        return word.text;
    const std::string &w = word.lower;
    if (m_lex.isDeterminer(w) || m_lex.isPreposition(w) || m_lex.isAuxiliary(w) || R::isSubjectPronoun(w)
        || w.find('\'') != std::string::npos)
        return first ? R::caseLike(word, w) : w;
    // the dictionary lists it in capitals (NASA) or only capitalised (China, English)
    const std::string written = m_forms.signature(word.text);
    if (written.rfind('=', 0) == 0 || written.find(" =") != std::string::npos)
        return word.text;
    const std::string lower = m_forms.signature(w);
    if (!lower.empty() && lower[0] == 'c')
        return R::caseLike(word, w);
    // an acronym the dictionary lacks (BMW) is short and no common word
    const bool known = m_lex.posMask(w) != 0 || (m_lex.frequencyRank(w) > 0 && m_lex.frequencyRank(w) <= 3000);
    if (!known && w.size() <= 5)
        return word.text;
    return first ? R::caseLike(word, w) : w;
}

void PunctuationRules::allCapitals(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // at least five words, all in capitals, in a sentence that ends as one (a heading does not)
    int words = 0, firstWord = -1, lastWord = -1;
    for (int i = 0; i < int(t.size()); ++i) {
        const Token &w = t[size_t(i)];
        if (w.kind != Token::Word)
            continue;
        if (!(w.isAllCaps() || w.text == "I" || w.text == "A"))
            return;
        ++words;
        if (firstWord < 0)
            firstWord = i;
        lastWord = i;
    }
    const std::string &end = t.empty() ? std::string() : t.back().text;
    if (words < 5 || (end != "." && end != "!" && end != "?"))
        return;
    std::string text;
    for (int i = firstWord; i <= lastWord; ++i) {
        if (i > firstWord && t[size_t(i)].spaceBefore)
            text += ' ';
        text += sentenceCase(t[size_t(i)], i == firstWord);
    }
    out->push_back(R::replace(t, firstWord, lastWord, text, "STYLE", "sentence_all_caps", 2));
}

void PunctuationRules::commaBeforeEspecially(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                             std::vector<Finding> *out) const
{
    // "other cars especially in cities" -> "cars, especially in": an afterthought that narrows
    // what went before. Brown sets a comma before "especially" or "particularly" and such a
    // phrase or clause 99 times; straight after a noun or adjective without a mark, 3 times.
    static const Set openers = {"when", "if", "in", "for", "since", "because", "after", "during", "among", "at",
                                "on", "with", "the", "those", "as", "where", "by"};
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        const std::string &w = t[size_t(i)].lower;
        if ((w != "especially" && w != "particularly") || t[size_t(i) - 1].kind != Token::Word
            || !openers.count(R::lowerAt(t, i + 1)))
            continue;
        if (!R::nounTag(tags, i - 1) && !R::tagIs(tags, i - 1, "JJ") && !R::tagIs(tags, i - 1, "CD"))
            continue;
        out->push_back(R::replace(t, i - 1, i - 1, t[size_t(i) - 1].text + ",", "GRAMMAR", "comma_especially", 2));
    }
}

namespace {

// The finding for the comma at c between two sentences: a semicolon, or a full stop.
void spliceAt(const std::vector<Token> &t, int c, std::vector<Finding> *out)
{
    const int s = c + 1;
    // a semicolon keeps the two together; a full stop parts them
    Finding f = R::replace(t, c, s, "; " + t[size_t(s)].text, "GRAMMAR", "comma_splice", 2);
    Candidate stop = f.candidates[0];
    std::string capital = t[size_t(s)].text;
    if (!capital.empty() && capital[0] >= 'a' && capital[0] <= 'z')
        capital[0] = char(capital[0] - 'a' + 'A');
    stop.correction = ". " + capital;
    stop.score = f.candidates[0].score / 2;
    stop.originalScore = 1.0 - stop.score;
    f.candidates.push_back(stop);
    out->push_back(f);
}

} // namespace

void PunctuationRules::commaSplice(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    // "English is widely spoken, it is ...": two sentences joined by a bare comma. A sentence
    // that opens with a plain clause (no conjunction, subordinator or relative word before
    // its first comma) and goes on with a pronoun subject and its verb: Brown has 50 in 7,126
    // such sentences, nearly all a report ("..., it was announced") or fiction.
    static const Set joiners = {"and", "but", "or", "so", "if", "when", "because", "although", "though", "as",
                                "since", "while", "that", "which", "who", "whom", "whose", "where", "whether",
                                "what", "how", "why", "unless", "until", "after", "before", "once", "then", "not"};
    static const Set subjects = {"it", "they", "he", "she", "we", "i", "you", "there"};
    static const Set saying = {"say", "says", "said", "think", "thinks", "thought", "believe", "believed", "know",
                               "knew", "guess", "suppose", "suspect", "feel", "felt", "hope", "mean", "told",
                               "asked", "decided", "seems", "seemed", "wrote", "added", "explained", "agree",
                               "admit", "reckon", "bet", "understand", "see", "saw", "recall", "remember",
                               "sure", "certain", "convinced", "aware", "afraid", "assured", "replied", "insisted",
                               "warned", "promised", "answered", "admitted", "cried", "whispered", "shouted"};
    const int n = int(t.size());
    for (const Token &tok : t)
        if (tok.text == "\"")
            return;
    // each sentence of the text from its first word b
    for (int b = 0; b < n; ++b) {
        if (b > 0 && t[size_t(b) - 1].text != "." && t[size_t(b) - 1].text != "!" && t[size_t(b) - 1].text != "?")
            continue;
        // "Dr. Adenauer": a full stop after a title or an initial ends no sentence
        static const Set titles = {"dr", "mr", "mrs", "ms", "st", "jr", "sr", "prof", "vs", "no", "gen", "col"};
        if (b > 1 && t[size_t(b) - 1].text == "."
            && (titles.count(R::lowerAt(t, b - 2)) || t[size_t(b) - 2].text.size() == 1))
            continue;
        if (t[size_t(b)].kind != Token::Word || R::tagIs(tags, b, "IN") || R::tagIs(tags, b, "RB")
            || R::tagIs(tags, b, "CC") || R::tagIs(tags, b, "VB") || R::tagIs(tags, b, "TO") || R::tagIs(tags, b, "W")
            || R::tagIs(tags, b, "MD"))
            continue;
        int c = b;
        bool plain = true;
        while (c < n && t[size_t(c)].text != "," && plain) {
            const std::string &w = t[size_t(c)].text;
            plain = w != ";" && w != ":" && w != "(" && w != "." && w != "!" && w != "?"
                && !joiners.count(t[size_t(c)].lower);
            ++c;
        }
        if (!plain || c < b + 3 || c + 3 >= n)
            continue;
        // ("I think having lost a friend, she ...", "I am sure, it ...": the comma may close an
        // opening phrase inside the clause a verb of saying or thinking takes, or stand before it)
        bool verb = false, saidBefore = false;
        for (int k = b + 1; k < c; ++k) {
            saidBefore = saidBefore || saying.count(t[size_t(k)].lower);
            verb = verb || R::tagIs(tags, k, "MD") || R::tagEquals(tags, k, "VBZ") || R::tagEquals(tags, k, "VBP")
                || R::tagEquals(tags, k, "VBD");
        }
        const int s = c + 1, v = c + 2;
        const bool second = subjects.count(R::lowerAt(t, s)) && R::nextWord(t, s) == v
            && (R::tagIs(tags, v, "MD") || R::tagEquals(tags, v, "VBZ") || R::tagEquals(tags, v, "VBP")
                || R::tagEquals(tags, v, "VBD"))
            && !saying.count(R::lowerAt(t, v)) && t[size_t(v) + 1].text != "," && t[size_t(v) + 1].text != ".";
        // "There will be days of joy, there will be days of calm": a deliberate series; "...,
        // it was announced": a passive report
        const bool series = R::lowerAt(t, b) == R::lowerAt(t, s) && R::lowerAt(t, b + 1) == R::lowerAt(t, v);
        static const Set reported = {"said", "announced", "reported", "believed", "thought", "claimed", "known",
                                     "expected", "rumored", "rumoured", "understood", "estimated", "alleged",
                                     "feared", "hoped", "agreed", "decided", "stated", "suggested", "argued",
                                     "assumed", "felt", "learned", "learnt", "noted", "added", "explained"};
        const bool report = R::lowerAt(t, s) == "it" && R::tagEquals(tags, v + 1, "VBN")
            && reported.count(R::lowerAt(t, v + 1));
        // "She stayed, he went to bed, and we left": a list of clauses closed by ", and"
        bool list = false;
        for (int k = v + 1; k + 1 < n && !list; ++k) {
            const std::string &w = t[size_t(k)].text;
            if (w == "." || w == "!" || w == "?" || w == ";")
                break;
            list = w == "," && (R::lowerAt(t, k + 1) == "and" || R::lowerAt(t, k + 1) == "or");
        }
        if (verb && second && !saidBefore && !series && !report && !list)
            spliceAt(t, c, out);
    }
}

} // namespace PennovaChecker
