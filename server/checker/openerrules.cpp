#include "openerrules.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <cstring>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;

int firstWord(const std::vector<Token> &t)
{
    for (int i = 0; i < int(t.size()); ++i) {
        if (t[size_t(i)].kind == Token::Word)
            return i;
        if (t[size_t(i)].text != "\"" && t[size_t(i)].text != "'" && t[size_t(i)].text != "(")
            return -1;
    }
    return -1;
}

// Linking words set off by a comma in edited text as good as always. Time and comment
// adverbials ("Nowadays", "Of course", "In fact", "Unfortunately") leave it to the writer.
// Before a subject Brown sets the comma after "in general" 9 of 9 times, "in contrast" /
// "by contrast" 7 of 7, "on the one hand" 5 of 5, "for this reason" 5 of 5, "personally"
// 5 of 5, "nonetheless" 3 of 3, "even so" 10 of 11, "yes" 48 of 49, "second" / "third" 19 of
// 22 (against "also" 24 of 35, "finally" 27 of 43, "of course" 36 of 61, "thus" 41 % and
// "hence" 31 %: "Thus we see" is good English). "After all" 32 of 34, "on the contrary" 8 of
// 9, "above all" 8 of 9, "as a matter of fact" 7 of 8, "all in all" 3 of 3. A viewpoint
// ("In my opinion") is left to the writer: web text drops its comma.
const char *const kOpeners[] = {"for example", "for instance", "moreover", "furthermore", "in conclusion",
                                "first of all", "on the other hand", "in addition", "to sum up", "in other words",
                                "therefore", "firstly", "secondly", "thirdly", "lastly",
                                "consequently", "nevertheless", "additionally", "as a result", "in short",
                                "however", "in general", "in contrast", "by contrast", "on the one hand",
                                "for this reason", "personally", "nonetheless", "even so", "yes", "second",
                                "third", "after all", "on the contrary", "above all", "as a matter of fact",
                                "all in all"};

// Linking words inside a sentence, after a comma or a semicolon: before a subject or a noun
// phrase Brown closes them with a comma too ("..., however, the" 321 of 322, "for example"
// 84 of 84, "therefore" 61 of 62, "on the other hand" 20 of 20, "moreover" 15 of 15).
// "Thus", "in fact" and "of course" run on without one often enough to leave them be.
const char *const kLinkers[] = {"for example", "for instance", "however", "therefore", "moreover", "furthermore",
                                "consequently", "nevertheless", "nonetheless", "on the other hand",
                                "in other words", "as a result", "in addition", "in contrast", "by contrast"};

// The index of the phrase's last word when its words stand from k on, else -1.
int matchPhrase(const std::vector<Token> &t, int k, const char *phrase)
{
    const char *p = phrase;
    while (*p) {
        const char *space = std::strchr(p, ' ');
        const size_t len = space ? size_t(space - p) : std::strlen(p);
        if (k >= int(t.size()) || t[size_t(k)].lower.size() != len || t[size_t(k)].lower.compare(0, len, p, len) != 0)
            return -1;
        ++k;
        p = space ? space + 1 : p + len;
    }
    return k - 1;
}

// "many people", "most students": an amount that opens a noun phrase, whatever its tag
bool quantifier(const std::string &lower)
{
    return lower == "many" || lower == "much" || lower == "most" || lower == "several" || lower == "few";
}

// "For example if ...", "Therefore when ...": a clause of condition or time after the opener
bool subordinator(const std::string &lower)
{
    return lower == "if" || lower == "when" || lower == "because" || lower == "although" || lower == "though"
        || lower == "while" || lower == "unless" || lower == "whenever";
}

// Adverbs that link two sentences in meaning but cannot join them into one.
bool joiningAdverb(const std::string &lower)
{
    return lower == "however" || lower == "therefore" || lower == "moreover" || lower == "furthermore"
        || lower == "consequently" || lower == "nevertheless" || lower == "nonetheless";
}

// A finite verb from k (exclusive) on in direction step (-1 back, 1 on), up to a mark that
// ends a clause or the end.
bool finiteVerbBetween(const std::vector<Token> &t, const std::vector<std::string> &tags, int k, int step)
{
    for (int i = k + (step < 0 ? -1 : 0); i >= 0 && i < int(t.size()); i += step) {
        const std::string &mark = t[size_t(i)].text;
        if (mark == "," || mark == ";" || mark == ":" || mark == "." || mark == "!" || mark == "?" || mark == "("
            || mark == ")")
            return false;
        if (R::tagIs(tags, i, "MD") || R::tagEquals(tags, i, "VBZ") || R::tagEquals(tags, i, "VBP")
            || R::tagEquals(tags, i, "VBD"))
            return true;
    }
    return false;
}

// Openers that never take an object of their own: a preposition after them opens a phrase
// of the main clause ("For example, in a chemistry class, ..."), where "as a result of",
// "in addition to" or "second to none" go on with their own.
bool takesNoObject(const char *opener)
{
    static const std::unordered_set<std::string> words = {"for example", "for instance", "however", "moreover",
                                                          "furthermore", "therefore", "firstly", "secondly",
                                                          "thirdly", "lastly", "consequently", "nevertheless",
                                                          "nonetheless", "additionally"};
    return words.count(opener) > 0;
}

// A comma somewhere after token k.
bool commaAfter(const std::vector<Token> &t, int k)
{
    for (int i = k + 1; i < int(t.size()); ++i)
        if (t[size_t(i)].text == ",")
            return true;
    return false;
}

// "However you define it, ...": "however" before a clause closed by a comma means "in
// whatever way", and "however much" / "however hard" ask for a degree.
bool howeverOfManner(const std::vector<Token> &t, const std::vector<std::string> &tags, int next)
{
    const std::string &n = t[size_t(next)].lower;
    return n == "much" || n == "many"
        || ((R::tagIs(tags, next, "PRP") || R::tagIs(tags, next, "NNP")) && commaAfter(t, next));
}

} // namespace

void OpenerRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                        std::vector<Finding> *out) const
{
    lowerCaseStart(t, tags, out);
    commaAfterOpener(t, tags, out);
    commaAfterLinker(t, tags, out);
    capitalAfterComma(t, out);
    missingSubject(t, tags, out);
    comparedWith(t, out);
}

void OpenerRules::comparedWith(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    const int f = firstWord(t);
    if (f < 0 || t[size_t(f)].lower != "comparing")
        return;
    const std::string with = R::lowerAt(t, f + 1);
    if (with != "with" && with != "to")
        return;
    // the phrase must end at a comma before its main clause
    for (int k = f + 2; k < int(t.size()); ++k)
        if (t[size_t(k)].kind == Token::Punct) {
            if (t[size_t(k)].text == ",")
                out->push_back(R::replace(t, f, f, "compared", "GRAMMAR", "compared_with", 2));
            return;
        }
}

void OpenerRules::missingSubject(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                 std::vector<Finding> *out) const
{
    // Chinese drops the empty subject: "Is very important to study." -> "It is ...";
    // "Have many people in the park." -> "There are many people ..." (only statements:
    // the same words open questions)
    const int f = firstWord(t);
    if (f < 0 || t.back().text != "." || !t[size_t(f)].isCapitalised())
        return;
    const std::string &w = t[size_t(f)].lower;
    int a = R::nextWord(t, f);
    if ((w == "is" || w == "was") && a >= 0) {
        if (R::lowerAt(t, a) == "very" || R::lowerAt(t, a) == "so" || R::lowerAt(t, a) == "really")
            a = R::nextWord(t, a);
        if (R::tagIs(tags, a, "JJ") && (R::lowerAt(t, a + 1) == "to" || R::lowerAt(t, a + 1) == "for"
                                       || R::lowerAt(t, a + 1) == "that"))
            out->push_back(R::replace(t, f, f, "It " + w, "GRAMMAR", "missing_subject", 2));
        return;
    }
    // "Have a look", "Have some water": an imperative takes any amount but a plural one
    static const std::unordered_set<std::string> amounts = {"many", "much", "some", "lots", "no", "few", "several",
                                                           "a", "an", "plenty"};
    static const std::unordered_set<std::string> plural = {"many", "lots", "several", "plenty"};
    const std::string amount = R::lowerAt(t, a);
    if (((w == "has" && amounts.count(amount)) || (w == "have" && plural.count(amount))) && a >= 0) {
        const bool singular = w == "has" || R::lowerAt(t, a) == "a" || R::lowerAt(t, a) == "an"
            || R::lowerAt(t, a) == "much";
        out->push_back(R::replace(t, f, f, singular ? "There is" : "There are", "GRAMMAR", "missing_subject", 2));
    }
}

void OpenerRules::capitalAfterComma(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // function words that a comma does not capitalise; "He"/"His" stay for the reverent use
    static const std::unordered_set<std::string> words = {
        "we", "they", "she", "it", "if", "when", "many", "the", "this", "that", "there", "but", "and", "so",
        "because", "you", "our", "my", "their", "some", "most", "in", "as", "for", "although", "though", "while",
        "then", "what", "how", "these", "those", "after", "before", "since", "which", "who", "a", "an", "all"};
    for (int i = 2; i + 1 < int(t.size()); ++i) {
        const Token &w = t[size_t(i)];
        if (t[size_t(i) - 1].text != "," || w.kind != Token::Word || !w.isCapitalised() || w.isAllCaps()
            || !words.count(w.lower))
            continue;
        // a title or a name in title case ("..., The Oxford Handbook") goes on with a capital
        const int n = R::nextWord(t, i);
        if (n < 0 || t[size_t(n)].isCapitalised() || t[size_t(n)].text.empty() || t[size_t(n)].text[0] < 'a'
            || t[size_t(n)].text[0] > 'z')
            continue;
        std::string fixed = w.text;
        fixed[0] = char(fixed[0] - 'A' + 'a');
        Finding f = R::replace(t, i, i, fixed, "GRAMMAR", "capital_after_comma", 2);
        f.candidates[0].correction = fixed; // replace() would give it the token's capital back
        out->push_back(f);
    }
}

void OpenerRules::lowerCaseStart(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                 std::vector<Finding> *out) const
{
    const int f = firstWord(t);
    if (f < 0 || f + 1 >= int(t.size()))
        return;
    const Token &w = t[size_t(f)];
    if (w.text.empty() || w.text[0] < 'a' || w.text[0] > 'z' || w.attached)
        return;
    // only common words: a lower-case brand or term ("iPhone", "pstext") is left alone
    for (char c : w.text)
        if (c >= 'A' && c <= 'Z')
            return;
    // fragments of a longer text begin with a joining word or a verb
    static const char *const joiners[] = {"nor", "that", "which", "who", "whom", "whose",
                                          "was", "were", "is", "are", "than"};
    for (const char *j : joiners)
        if (w.lower == j)
            return;
    // "and", "but", "or", "then" open a sentence of their own only with a verb after them
    // ("and other parameters of the system." is the tail of a split one)
    if (w.lower == "and" || w.lower == "but" || w.lower == "or" || w.lower == "then") {
        bool verb = false;
        for (int k = f + 1; k < int(t.size()) && !verb; ++k)
            verb = R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD");
        if (!verb)
            return;
    }
    if (R::tagIs(tags, f, "VB"))
        return;
    int open = 0;
    for (const Token &tok : t) {
        open += tok.text == "(" ? 1 : tok.text == ")" ? -1 : 0;
        if (open < 0)
            return; // "dates May 28 to August 3)." is the tail of a longer sentence
    }
    // a contraction counts as its first part ("it's" as "it")
    const int rank = m_lex.frequencyRank(w.lower.substr(0, w.lower.find('\'')));
    const bool beforeComma = f + 1 < int(t.size()) && t[size_t(f) + 1].text == ",";
    if (w.lower != "i" && (rank == 0 || rank > (beforeComma ? 30000 : 3000)))
        return;
    // a sentence of at least four words, ending like a sentence
    int words = 0;
    for (const Token &tok : t)
        words += tok.kind == Token::Word ? 1 : 0;
    const std::string &end = t.back().text;
    const bool ended = end == "." || end == "?" || end == "!";
    if (words < (ended ? 4 : 6))
        return;
    std::string fixed = w.text;
    fixed[0] = char(fixed[0] - 'a' + 'A');
    out->push_back(R::replace(t, f, f, fixed, "GRAMMAR", "sentence_capital", 2));
}

void OpenerRules::commaAfterOpener(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    const int f = firstWord(t);
    if (f < 0)
        return;
    for (const char *opener : kOpeners) {
        const int last = matchPhrase(t, f, opener);
        if (last < 0)
            continue;
        const int next = R::nextWord(t, last);
        if (next < 0) {
            // "For example; smoking ...": a semicolon joins clauses, the opener takes a comma
            if (last + 2 < int(t.size()) && t[size_t(last) + 1].text == ";" && t[size_t(last) + 2].kind == Token::Word)
                out->push_back(R::replace(t, last, last + 1, t[size_t(last)].text + ",", "GRAMMAR",
                                          "comma_after_opener", 2));
            return; // a comma, or punctuation of another kind, follows
        }
        const std::string &n = t[size_t(next)].lower;
        // "However hard", "Finally arrived", "Besides the park", "In contrast to it": an
        // adverb of degree, a verb or a preposition's object belongs to the opener
        // ("Moreover modern technology": after a linking word an adjective before a noun opens
        // the subject; after "however" or "even so" it asks for a degree)
        const bool adjectiveOfSubject = R::tagIs(tags, next, "JJ") && R::nounTag(tags, next + 1)
            && std::strcmp(opener, "however") != 0 && std::strcmp(opener, "even so") != 0
            && finiteVerbBetween(t, tags, next, 1);
        if ((R::tagIs(tags, next, "JJ") && !quantifier(n) && !adjectiveOfSubject) || R::tagIs(tags, next, "RB")
            || R::tagIs(tags, next, "VB")
            || (R::tagIs(tags, next, "IN") && !subordinator(n) && !takesNoObject(opener)) || n == "to")
            return;
        // "To sum up this information, it is ...": the infinitive takes an object, and the comma
        // comes after it
        if (std::strncmp(opener, "to ", 3) == 0 && (R::tagIs(tags, next, "DT") || R::tagIs(tags, next, "PDT") || R::tagIs(tags, next, "PRP$"))) {
            bool commaLater = false;
            for (int k = next + 1; k < int(t.size()) && !commaLater; ++k)
                commaLater = t[size_t(k)].text == ",";
            if (commaLater)
                return;
        }
        if (std::strcmp(opener, "however") == 0 && howeverOfManner(t, tags, next))
            return;
        // "After all the work", "above all the noise": a preposition and its object unless a
        // pronoun subject follows
        if ((std::strcmp(opener, "after all") == 0 || std::strcmp(opener, "above all") == 0)
            && !R::tagIs(tags, next, "PRP") && !R::tagIs(tags, next, "EX"))
            return;
        // "Second place went to ...", "In general terms": an ordinal or adjective can describe
        // the noun after it; a pronoun or a determiner opens the clause instead
        const bool describes = std::strcmp(opener, "second") == 0 || std::strcmp(opener, "third") == 0
            || std::strcmp(opener, "in general") == 0;
        if (describes && !R::tagIs(tags, next, "PRP") && !R::tagIs(tags, next, "DT"))
            return;
        // the comma goes right after the opener: replace its last word by itself and ","
        out->push_back(R::replace(t, last, last, t[size_t(last)].text + ",", "GRAMMAR", "comma_after_opener", 2));
        return;
    }
}

void OpenerRules::commaAfterLinker(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    // "A younger person however will need ...": between a subject and its verb Brown sets
    // "however" off with two commas 81 times, never without
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "however" || t[size_t(i) - 1].kind != Token::Word || R::nextWord(t, i) != i + 1)
            continue;
        const bool subject = R::nounTag(tags, i - 1) || R::tagEquals(tags, i - 1, "PRP");
        const bool verb = R::tagIs(tags, i + 1, "MD") || R::tagEquals(tags, i + 1, "VBZ")
            || R::tagEquals(tags, i + 1, "VBP") || R::tagEquals(tags, i + 1, "VBD");
        if (subject && verb)
            out->push_back(R::replace(t, i - 1, i + 1,
                                      t[size_t(i) - 1].text + ", " + t[size_t(i)].text + ", " + t[size_t(i) + 1].text,
                                      "GRAMMAR", "comma_after_linker", 2));
    }
    for (int c = 1; c + 2 < int(t.size()); ++c) {
        if (t[size_t(c)].text != "," && t[size_t(c)].text != ";")
            continue;
        for (const char *linker : kLinkers) {
            const int last = matchPhrase(t, c + 1, linker);
            if (last < 0)
                continue;
            const int next = R::nextWord(t, last);
            if (next < 0)
                break; // its comma is there, or another mark
            // a subject or a noun phrase opens the clause after it; an adjective, adverb,
            // verb or preposition belongs to the linker ("however hard", "in addition to")
            const bool clause = R::tagIs(tags, next, "PRP") || R::tagIs(tags, next, "DT")
                || quantifier(R::lowerAt(t, next)) || R::tagIs(tags, next, "EX") || R::nounTag(tags, next)
                || R::tagIs(tags, next, "CD");
            if (!clause || (std::strcmp(linker, "however") == 0 && howeverOfManner(t, tags, next)))
                break;
            // "The results, however the reader sees them, are clear": an aside between the
            // subject and its verb
            if (!finiteVerbBetween(t, tags, c, -1) && commaAfter(t, next))
                break;
            // "It rose, however the demand fell": an adverb cannot join two clauses the way a
            // conjunction does; the comma before it becomes a semicolon
            if (t[size_t(c)].text == "," && last == c + 1 && joiningAdverb(t[size_t(last)].lower)
                && finiteVerbBetween(t, tags, c, -1) && finiteVerbBetween(t, tags, next, 1)) {
                out->push_back(R::replace(t, c, next, "; " + t[size_t(last)].lower + ", " + t[size_t(next)].text,
                                          "GRAMMAR", "comma_after_linker", 2));
                break;
            }
            out->push_back(R::replace(t, last, last, t[size_t(last)].text + ",", "GRAMMAR", "comma_after_linker", 2));
            break;
        }
    }
}

} // namespace PennovaChecker
