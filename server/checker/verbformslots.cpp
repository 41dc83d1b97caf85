#include "verbformslots.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

namespace {

// the features' view of words and tags, shared with the other slot classifiers
std::string wordAt(const std::vector<Token> &t, int i) { return RuleSupport::featureWordAt(t, i); }
std::string tagAt(const std::vector<std::string> &tags, int i) { return RuleSupport::featureTagAt(tags, i); }
bool tagStarts(const std::vector<std::string> &tags, int i, const char *prefix)
{
    return RuleSupport::tagIs(tags, i, prefix);
}

using Set = std::unordered_set<std::string>;

// exact tags, not prefixes
bool tagIs(const std::vector<std::string> &tags, int i, const char *tag)
{
    return RuleSupport::tagEquals(tags, i, tag);
}

const Set &subjectPronouns()
{
    static const Set s = {"i", "you", "he", "she", "it", "we", "they"};
    return s;
}

// Words before a verb that choose its form: be, have and do in all their forms, "to" and
// the modals (the tag MD covers the rest).
const Set &auxiliaries()
{
    static const Set s = {"be", "am", "is", "are", "was", "were", "been", "being", "'m", "'re", "'s",
                          "have", "has", "had", "having", "'ve", "'d", "do", "does", "did", "to",
                          "will", "would", "shall", "should", "can", "could", "may", "might", "must", "'ll"};
    return s;
}

// Words a verb's form agrees with across the sentence: its time and its tense.
const Set &timeWords()
{
    static const Set s = {"yesterday", "ago", "last", "tomorrow", "since", "next", "already", "yet", "ever",
                          "recently", "now", "today", "usually", "often", "always", "every", "when", "while",
                          "before", "after", "until", "then", "later", "soon", "nowadays", "currently",
                          "once", "never", "just", "still", "lately", "so", "far", "century", "childhood"};
    return s;
}

// Adverbs and negations a walk back passes over.
bool skippable(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    const std::string w = wordAt(t, i);
    return tagStarts(tags, i, "RB") || w == "not" || w == "n't" || w == "never";
}

VerbFormSlots::Form tagForm(const std::string &tag)
{
    if (tag == "VBZ")
        return VerbFormSlots::Third;
    if (tag == "VBD")
        return VerbFormSlots::Past;
    if (tag == "VBN")
        return VerbFormSlots::Participle;
    if (tag == "VBG")
        return VerbFormSlots::Ing;
    return VerbFormSlots::Base;
}

// A subject noun's number by its tag, or by its spelling where the tagger left a plural as NN
// ("businessmen", a misspelt "sportsmens").
std::string nounNumber(const std::vector<Token> &t, const std::vector<std::string> &tags, int h, const Lexicon &lex)
{
    const std::string tag = tagAt(tags, h), w = wordAt(t, h);
    if (tag == "NNPS" || (h > 0 && t[size_t(h)].isCapitalised() && tag == "NNS"))
        return "ppl"; // "the Philippines", "Save the Children": often one thing
    if (tag == "NNS")
        return "pl";
    if (tag == "CD")
        return "cd";
    const size_t n = w.size();
    if (tag == "NN" && n > 4 && w.compare(n - 3, 3, "men") == 0)
        return "pl";
    if (tag == "NN" && n > 3 && w.back() == 's' && w[n - 2] != 's' && lex.posMask(w) == 0
        && lex.isPos(w.substr(0, n - 1), Lexicon::Noun))
        return "pl";
    return "3sg";
}

struct Subject
{
    std::string subject = "-"; // a pronoun, a noun's tag, ...
    std::string number = "-";  // 3sg, pl, other (I, you), and (joined nouns), ...
    std::string pp;            // the number of a noun before a preposition before the subject
    bool gerund = false;       // the subject's phrase opens with an -ing verb ("joining these activities")
    bool relative = false;     // the subject is "who", "which" or "that": its noun is a guess
    bool prepositional = false; // the noun found is a preposition's ("the lives of kids has")
    bool object = false;        // the noun found follows a verb: its object ("a chef that tries new dishes wins")
};

// The subject of a verb whose auxiliaries begin after k: the nearest pronoun or noun, the
// head before "of" ("the defenders of this opinion"), a relative pronoun's noun ("people who").
Subject subjectBefore(const std::vector<Token> &t, const std::vector<std::string> &tags, int k, const Lexicon &lex)
{
    Subject out;
    std::string subject;
    for (int j = k, steps = 0; j >= 0 && steps < 6; --j, ++steps) {
        const std::string w = wordAt(t, j), tag = tagAt(tags, j);
        if (skippable(t, tags, j) || auxiliaries().count(w) || tag == "MD")
            continue;
        if (tag == "WDT" || tag == "WP") {
            subject = "rel:";
            out.relative = true;
            j = wordAt(t, j - 1) == "," ? j - 2 : j - 1;
        } else if (tag == "PRP" || tag == "EX") {
            out.subject = w;
            out.number = w == "he" || w == "she" || w == "it" ? "3sg"
                : w == "there"                                ? "there"
                : subjectPronouns().count(w)                  ? "other"
                                                              : "obj"; // "achieving them requires"
            // "it" or "you" right after a verb or a preposition is its object ("those who
            // support it believe"), not the subject of the verb after it
            const std::string before = tagAt(tags, j - 1);
            if ((w == "it" || w == "you") && (before.rfind("VB", 0) == 0 || before == "IN" || before == "TO"))
                out.number = "obj";
            return out;
        }
        const std::string head = tagAt(tags, j);
        if (head == "NN" || head == "NNS" || head == "NNP" || head == "NNPS" || head == "CD") {
            int h = j, m = j - 1;
            while (m >= 0 && (tagStarts(tags, m, "JJ") || tagIs(tags, m, "DT") || tagIs(tags, m, "PRP$") || tagIs(tags, m, "CD")
                              || tagIs(tags, m, "NN") || tagIs(tags, m, "NNS")))
                --m;
            if (wordAt(t, m) == "of" && (tagIs(tags, m - 1, "NN") || tagIs(tags, m - 1, "NNS")))
                h = m - 1;
            // the phrase itself after a preposition ("the lives of kids", "in crontab"): the subject is further back
            int before = h - 1;
            while (before >= 0 && (tagStarts(tags, before, "JJ") || tagIs(tags, before, "DT") || tagIs(tags, before, "PRP$")
                                   || tagIs(tags, before, "CD") || tagStarts(tags, before, "NN")))
                --before;
            out.prepositional = tagIs(tags, before, "IN") || tagIs(tags, before, "TO");
            // (a base verb's too: "take risks teaches" has an -ing subject written as a base; not
            // a causative's, whose object does the verb: "make children spends")
            static const Set causatives = {"make", "let", "help", "have", "see", "watch", "hear", "get"};
            out.object = tagIs(tags, before, "VBZ") || tagIs(tags, before, "VBP") || tagIs(tags, before, "VBD")
                || (tagIs(tags, before, "VB") && !causatives.count(wordAt(t, before)));
            subject += tagAt(tags, h);
            out.number = nounNumber(t, tags, h, lex);
            // nouns joined by "and" ("my parents and my sister", "Melanie and Randy Cooper")
            for (int q = h - 1; q >= 0 && q >= h - 6; --q) {
                const std::string wq = wordAt(t, q);
                if (wq == "and" || wq == "&") {
                    out.number = "and";
                    break;
                }
                if (!(tagStarts(tags, q, "NN") || tagStarts(tags, q, "JJ") || tagIs(tags, q, "DT") || tagIs(tags, q, "PRP$")
                      || tagIs(tags, q, "CD")))
                    break;
            }
            if (wordAt(t, h + 1) == "and")
                out.number = "and";
            out.gerund = tagIs(tags, m, "VBG") || (h < j && tagIs(tags, h - 1, "VBG"));
            // a noun after a preposition may be inside the subject ("countries in the world"): the noun before it
            if (tagIs(tags, m, "IN") && wordAt(t, m) != "of") {
                int q = m - 1;
                while (q >= 0 && (tagStarts(tags, q, "JJ") || tagIs(tags, q, "DT") || tagIs(tags, q, "CD")))
                    --q;
                const std::string qt = tagAt(tags, q);
                const bool noun = qt == "NN" || qt == "NNS" || qt == "NNP" || qt == "NNPS";
                out.pp = noun ? nounNumber(t, tags, q, lex) : std::string("-");
            }
        } else if (head == "DT") {
            // "that" or "which" right before the verb opens a relative clause more often than it is its subject
            out.relative = out.relative || (j == k && (wordAt(t, j) == "that" || wordAt(t, j) == "which"));
            subject += "DT:" + wordAt(t, j);
            out.number = wordAt(t, j) == "these" || wordAt(t, j) == "those" ? "pl" : "3sg";
        } else {
            subject += "x:" + head;
        }
        break;
    }
    if (!subject.empty())
        out.subject = subject;
    return out;
}

// The first word before i that is no adverb or negation; *aux the auxiliary there ("-" for none,
// "MD" for a modal the list does not name).
int auxiliaryBefore(const std::vector<Token> &t, const std::vector<std::string> &tags, int i, std::string *aux)
{
    int k = i - 1;
    while (k >= 0 && skippable(t, tags, k))
        --k;
    *aux = "-";
    if (k >= 0 && (auxiliaries().count(wordAt(t, k)) || tagAt(tags, k) == "MD"))
        *aux = tagAt(tags, k) == "MD" && !auxiliaries().count(wordAt(t, k)) ? "MD" : wordAt(t, k);
    return k;
}

} // namespace

const std::vector<std::string> &VerbFormSlots::classNames()
{
    static const std::vector<std::string> names = {"base", "s", "past", "part", "ing"};
    return names;
}

std::string VerbFormSlots::lemmaOf(const std::string &w, const Lexicon &lex)
{
    if (w.size() > 4 && w.compare(w.size() - 3, 3, "ing") == 0) {
        const std::string stem = w.substr(0, w.size() - 3);
        std::vector<std::string> candidates = {stem, stem + "e"};
        if (stem.size() > 2 && stem.back() == stem[stem.size() - 2])
            candidates.push_back(stem.substr(0, stem.size() - 1));
        if (stem.size() > 1 && stem.back() == 'y')
            candidates.push_back(stem.substr(0, stem.size() - 1) + "ie");
        for (const std::string &c : candidates)
            if (lex.isCommonVerbBase(c) && lex.ingOf(c) == w)
                return c;
        return {};
    }
    return lex.baseOf(w);
}

std::vector<VerbFormSlots::Slot> VerbFormSlots::find(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                     const Lexicon &lex)
{
    std::vector<Slot> out;
    if (tags.size() != t.size())
        return out;
    const int n = int(t.size());
    for (int i = 0; i < n; ++i) {
        const Token &w = t[size_t(i)];
        const std::string &tag = tags[size_t(i)];
        if (w.kind != Token::Word || (i > 0 && w.isCapitalised()) || w.isAllCaps() || w.lower.size() < 2
            || w.lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos)
            continue;
        // glued to a hyphen or an apostrophe: part of another word
        auto glue = [&](int k) { return k >= 0 && k < n && (t[size_t(k)].text == "-" || t[size_t(k)].text == "'"); };
        if ((glue(i - 1) && !w.spaceBefore) || (glue(i + 1) && !t[size_t(i) + 1].spaceBefore))
            continue;
        const bool verbTag = tag == "VB" || tag == "VBP" || tag == "VBZ" || tag == "VBD" || tag == "VBN" || tag == "VBG";
        // a base form the tagger read as a noun right after a subject pronoun or a modal ("he need")
        const std::string before = wordAt(t, i - 1);
        const bool nounAfterSubject = (tag == "NN" || tag == "NNS")
            && ((subjectPronouns().count(before) && before != "it" && before != "you") || tagAt(tags, i - 1) == "MD");
        if (!verbTag && !nounAfterSubject)
            continue;
        Slot s;
        s.at = i;
        s.lemma = lemmaOf(w.lower, lex);
        if (s.lemma.empty() || s.lemma == "be")
            continue;
        if (nounAfterSubject && !lex.isPos(s.lemma, Lexicon::Verb))
            continue;
        // a base that is also another verb's past ("found", "saw", "lay"): whose forms, is unclear
        if (s.lemma == w.lower && (lex.isPastForm(w.lower) || lex.isParticiple(w.lower)) && lex.pastOf(s.lemma) != w.lower)
            continue;
        s.forms = {s.lemma, lex.thirdPerson(s.lemma), lex.pastOf(s.lemma), lex.participleOf(s.lemma), lex.ingOf(s.lemma)};
        for (int f = 0; f < FormCount; ++f)
            if (s.forms[size_t(f)] == w.lower)
                s.writtenMask |= 1u << f;
        if (!s.writtenMask)
            continue;
        const Form byTag = tagForm(tag);
        s.written = Base;
        if (s.writtenMask & (1u << byTag)) {
            s.written = byTag;
        } else {
            while (!(s.writtenMask & (1u << s.written)))
                s.written = Form(s.written + 1);
        }
        out.push_back(s);
    }
    return out;
}

std::vector<std::string> VerbFormSlots::featureNames(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                     const Slot &s, const Lexicon &lex)
{
    const int i = s.at;
    const std::string &l = s.lemma;
    const std::string p1 = wordAt(t, i - 1), p2 = wordAt(t, i - 2), n1 = wordAt(t, i + 1), n2 = wordAt(t, i + 2);
    const std::string p1t = tagAt(tags, i - 1), p2t = tagAt(tags, i - 2), n1t = tagAt(tags, i + 1),
                      n2t = tagAt(tags, i + 2);
    std::vector<std::string> f = {
        "b",
        "l=" + l,
        "p1=" + p1,
        "p1t=" + p1t,
        "p2p1=" + p2 + " " + p1,
        "p2t=" + p2t,
        "p2tp1t=" + p2t + " " + p1t,
        "p1l=" + p1 + " " + l,
        "p1tl=" + p1t + " " + l,
        "n1=" + n1,
        "n1t=" + n1t,
        "n1n2=" + n1 + " " + n2,
        "n1tn2t=" + n1t + " " + n2t,
        "n1l=" + n1 + " " + l,
        "n1tl=" + n1t + " " + l,
        "p1tn1t=" + p1t + " " + n1t,
        "p1n1t=" + p1 + " " + n1t,
    };
    // the auxiliaries before the verb, over adverbs and negations ("has not yet gone", "will have seen")
    std::string aux, aux2 = "-";
    const int k = auxiliaryBefore(t, tags, i, &aux);
    if (aux != "-") {
        int j = k - 1;
        while (j >= 0 && skippable(t, tags, j))
            --j;
        if (j >= 0 && (auxiliaries().count(wordAt(t, j)) || tagAt(tags, j) == "MD"))
            aux2 = wordAt(t, j);
        f.push_back("aux2=" + aux2 + " " + aux);
    }
    f.push_back("aux=" + aux);
    f.push_back("auxl=" + aux + " " + l);
    f.push_back("auxn1t=" + aux + " " + n1t);
    const Subject sj = subjectBefore(t, tags, k, lex);
    const std::string &subject = sj.subject, &number = sj.number;
    if (!sj.pp.empty())
        f.push_back("sjpp=" + sj.pp + " " + number);
    // a verb joined to another by "and", "or" or a comma ("hunts and kills"): that verb's tag
    if (k >= 0 && (wordAt(t, k) == "and" || wordAt(t, k) == "or" || wordAt(t, k) == "but" || wordAt(t, k) == ",")) {
        for (int j = k - 1; j >= 0 && j >= k - 10; --j) {
            if (tagStarts(tags, j, "VB") || tagIs(tags, j, "MD")) {
                f.push_back("cv=" + tagAt(tags, j));
                f.push_back("cvaux=" + tagAt(tags, j) + " " + (auxiliaries().count(wordAt(t, j)) ? wordAt(t, j) : "-"));
                break;
            }
            if (tagIs(tags, j, ".") || wordAt(t, j) == ";")
                break;
        }
    }
    f.push_back("sj=" + subject);
    f.push_back("sn=" + number);
    f.push_back("snaux=" + number + " " + aux);
    f.push_back("snp1t=" + number + " " + p1t);
    f.push_back("snn1t=" + number + " " + n1t);
    f.push_back("snl=" + number + " " + l);
    f.push_back("sjaux=" + subject + " " + aux);
    f.push_back("sjl=" + subject + " " + l);
    f.push_back("sjn1t=" + subject + " " + n1t);
    // a verb that governs this one, with its object between ("made me go", "let them play", "had it repaired")
    for (int j = i - 1, steps = 0; j >= 0 && steps < 4; --j, ++steps) {
        const std::string tag = tagAt(tags, j);
        if (tag.rfind("VB", 0) == 0 || tag == "MD") {
            // an auxiliary's verb reads it as aux (next to it) or auxq (before the subject: "did you go")
            if (auxiliaries().count(wordAt(t, j)) || tag == "MD") {
                if (j < k)
                    f.push_back("auxq=" + wordAt(t, j) + " " + std::to_string(std::min(i - j, 4)));
                break;
            }
            std::string gl = lemmaOf(wordAt(t, j), lex);
            if (gl.empty())
                gl = wordAt(t, j);
            f.push_back("gv=" + gl + " " + std::to_string(i - j));
            f.push_back("gvtl=" + tag + " " + gl + " " + tagAt(tags, i - 1));
            f.push_back("gvl=" + gl + " " + l);
            f.push_back("gvt=" + tag + " " + std::to_string(i - j));
            break;
        }
        if (tag == "." || tag == "," || tag == "CC" || tag == "IN" || tag == "WDT")
            break;
    }
    // time words and the other verbs' tenses anywhere in the sentence
    Set seen;
    for (int j = 0; j < int(t.size()); ++j) {
        if (j == i)
            continue;
        const std::string w = wordAt(t, j), tag = tagAt(tags, j);
        std::string name;
        if (timeWords().count(w))
            name = "tw=" + w + (j < i ? "<" : ">");
        else if (tag == "VBD" || tag == "VBZ" || tag == "VBP" || tag == "MD")
            name = "ov=" + tag;
        if (!name.empty() && seen.insert(name).second)
            f.push_back(name);
    }
    return f;
}

VerbFormSlots::Context VerbFormSlots::context(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                              const Slot &s, const Lexicon &lex)
{
    Context c;
    const int k = auxiliaryBefore(t, tags, s.at, &c.auxiliary);
    const std::string w = wordAt(t, k);
    c.joined = w == "and" || w == "or" || w == "but" || w == "," || w == "nor";
    const Subject sj = subjectBefore(t, tags, k, lex);
    c.subjectNumber = sj.number;
    c.gerundSubject = sj.gerund;
    // the last of a list of plurals ("for writers, artists, musicians does"): the verb may be the head's
    const bool listItem = tagIs(tags, k, "NNS") && wordAt(t, k - 1) == "," && tagIs(tags, k - 2, "NNS")
        && wordAt(t, k - 3) == ",";
    c.relativeSubject = sj.relative || sj.prepositional || sj.object || listItem;
    return c;
}

PerceptronModel::Features VerbFormSlots::features(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                  const Slot &s, const Lexicon &lex)
{
    PerceptronModel::Features out;
    for (const std::string &name : featureNames(t, tags, s, lex))
        out.push_back(PerceptronModel::hash(name));
    return out;
}

} // namespace PennovaChecker
