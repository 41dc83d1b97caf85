#include "numberslots.h"

#include "nounforms.h"
#include "rulesupport.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

// exact tags, not prefixes
bool tagIs(const std::vector<std::string> &tags, int i, const char *tag)
{
    return RuleSupport::tagEquals(tags, i, tag);
}


// Words that open a phrase and choose its number themselves: the walk back stops there.
const Set &determiners()
{
    static const Set s = {"a", "an", "the", "this", "that", "these", "those", "some", "any", "no", "every", "each",
                          "another", "either", "neither", "all", "both", "many", "much", "few", "several", "enough",
                          "such", "what", "which", "whose", "whatever", "whichever", "half", "more", "most", "less",
                          "fewer", "little", "my", "your", "his", "her", "its", "our", "their", "one", "per",
                          "various", "numerous", "certain", "multiple", "countless", "plenty", "lots"};
    return s;
}

// Nouns that head no phrase of their own or whose number is not the writer's choice here.
const Set &skippedHeads()
{
    static const Set s = {"nowadays", "today", "tomorrow", "yesterday", "tonight", "home", "abroad", "downtown",
                          "overseas", "upstairs", "downstairs", "outdoors", "indoors", "etc", "lot", "lots", "one",
                          "ones", "percent", "cent", "dozen", "hundred", "thousand", "million", "billion", "hundreds",
                          "thousands", "millions", "billions", "dozens", "others", "other", "plenty", "bit", "bits"};
    return s;
}

const Set &numberWords()
{
    static const Set s = {"two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "eleven", "twelve",
                          "fifteen", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety",
                          "hundred", "thousand", "million", "billion", "dozen"};
    return s;
}

// The word at i as the features read it: numbers by their kind, words in lower case.
std::string wordAt(const std::vector<Token> &t, int i)
{
    if (i < 0 || size_t(i) >= t.size())
        return "<s>";
    const Token &k = t[size_t(i)];
    if (k.kind == Token::Number) {
        if (k.lower == "1")
            return "#1";
        const bool year = k.lower.size() == 4 && (k.lower[0] == '1' || k.lower[0] == '2')
            && std::all_of(k.lower.begin(), k.lower.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        return year ? "#year" : "#n";
    }
    if (k.kind != Token::Word)
        return k.text;
    return numberWords().count(k.lower) ? "#num" : k.lower;
}

std::string tagAt(const std::vector<std::string> &tags, int i)
{
    return i < 0 || size_t(i) >= tags.size() ? "<s>" : tags[size_t(i)];
}

// Attached to a hyphen or an apostrophe on either side: "two-year-old", "students'".
bool joined(const std::vector<Token> &t, int i)
{
    auto glue = [&](int k) {
        return k >= 0 && size_t(k) < t.size() && (t[size_t(k)].text == "-" || t[size_t(k)].text == "'"
                                                  || t[size_t(k)].text == "/");
    };
    return (glue(i - 1) && !t[size_t(i)].spaceBefore)
        || (glue(i + 1) && !t[size_t(i) + 1].spaceBefore);
}

// How often the lemma's plural is written, in eight steps.
std::string shareBucket(double share)
{
    if (share < 0)
        return "u";
    static const double steps[] = {0.02, 0.05, 0.1, 0.2, 0.35, 0.5, 0.7};
    int b = 0;
    while (b < 7 && share >= steps[b])
        ++b;
    return std::to_string(b);
}

} // namespace

const std::vector<std::string> &NumberSlots::contextNames()
{
    static const std::vector<std::string> names = {"one", "many", "some", "of", "the", "poss", "none"};
    return names;
}

NumberSlots::Context NumberSlots::context(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                          const Slot &s)
{
    static const Set one = {"a", "an", "one", "every", "each", "another", "this", "either", "neither", "#1"};
    static const Set many = {"these", "those", "many", "several", "few", "both", "various", "numerous", "#num", "#n",
                             "multiple", "countless", "fewer", "certain"};
    static const Set some = {"some", "any", "no", "all", "more", "most", "enough", "such", "what", "which", "lots",
                             "plenty", "less", "much", "little", "whose", "whatever", "half"};
    const int i = s.first - 1;
    const std::string w = wordAt(t, i);
    // "parent's duty", "the students' rooms"
    if (tagIs(tags, i, "PRP$") || tagIs(tags, i, "POS") || tagIs(tags, i, "WP$") || w.find('\'') != std::string::npos)
        return Possessive;
    if (w == "of" || (wordAt(t, i - 1) == "of" && determiners().count(w)))
        return Of;
    // "a certain subject", "every certain case": one thing
    if (w == "certain" && (one.count(wordAt(t, i - 1)) || wordAt(t, i - 1) == "the"))
        return One;
    // "this" as a determiner only; "that" before a noun opens a clause as often ("sure that
    // countries should ...") and says nothing of its number
    if (w == "that" || (w == "this" && !tagIs(tags, i, "DT")))
        return NoDeterminer;
    if (one.count(w))
        return w == "one" && joined(t, i) ? Many : One; // "twenty-one"
    if (w == "#n") {
        // a count in digits: "20 students", not "1.8 aperture", "Fat 3 distribution", "a 20 minute walk",
        // "caliber 3235 movement"
        const Token &number = t[size_t(i)];
        const std::string before = wordAt(t, i - 1);
        const bool count = number.lower.size() <= 3
            && number.lower.find_first_not_of("0123456789") == std::string::npos
            && !(i > 0 && t[size_t(i) - 1].isCapitalised()) && before != "a" && before != "an"
            && before.rfind('#', 0) != 0 && !joined(t, i);
        return count ? Many : NoDeterminer;
    }
    if (many.count(w)) {
        // "a two column table" names one thing; "a dozen cars", "a hundred years" count
        static const Set counting = {"dozen", "hundred", "thousand", "million", "billion"};
        if (w == "#num" && (wordAt(t, i - 1) == "a" || wordAt(t, i - 1) == "an") && !counting.count(t[size_t(i)].lower))
            return One;
        if (w == "#num" && i > 1 && t[size_t(i) - 1].isCapitalised())
            return NoDeterminer; // "the January fifteen report"
        return Many;
    }
    if (w == "the")
        return The;
    if (some.count(w))
        return Some;
    return NoDeterminer;
}

const std::vector<std::string> &NumberSlots::classNames()
{
    static const std::vector<std::string> names = {"sg", "pl"};
    return names;
}

std::vector<NumberSlots::Slot> NumberSlots::find(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                 const NounForms &forms)
{
    std::vector<Slot> out;
    if (tags.size() != t.size())
        return out;
    const int n = int(t.size());
    for (int h = 0; h < n; ++h) {
        const Token &head = t[size_t(h)];
        // a common noun, lower case (or the first word), that no noun or possessive follows
        if (head.kind != Token::Word || !(tagIs(tags, h, "NN") || tagIs(tags, h, "NNS")) || RuleSupport::nounTag(tags, h + 1)
            || tagIs(tags, h + 1, "POS") || (h > 0 && head.isCapitalised()) || head.isAllCaps() || head.lower.size() < 2
            || skippedHeads().count(head.lower) || head.lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos
            || joined(t, h) || forms.numberFixed(head.lower))
            continue;
        Slot s;
        s.head = h;
        s.written = forms.isPlural(head.lower) ? Plural : Singular;
        s.lemma = s.written == Plural ? forms.singularOf(head.lower) : head.lower;
        if (forms.pluralOf(s.lemma).empty() || forms.numberFixed(s.lemma))
            continue;
        int first = h;
        while (first > 0) {
            const int p = first - 1;
            const Token &w = t[size_t(p)];
            if (w.kind != Token::Word || (p > 0 && w.isCapitalised()) || determiners().count(w.lower) || joined(t, p)
                || w.lower.find('\'') != std::string::npos || numberWords().count(w.lower))
                break;
            const std::string &tag = tags[size_t(p)];
            // a participle is a modifier after a determiner or adjective ("the written test", "a
            // fast growing town"), not after a noun ("teams seeking full capability")
            const bool participle = (tag == "VBN" || tag == "VBG")
                && (p == 0 || determiners().count(t[size_t(p) - 1].lower) || tagIs(tags, p - 1, "JJ")
                    || tagIs(tags, p - 1, "DT") || tagIs(tags, p - 1, "PRP$") || tagIs(tags, p - 1, "CD"));
            const bool modifier = tag == "JJ" || tag == "JJR" || tag == "JJS" || tag == "NN" || tag == "NNS" || participle
                || ((tag == "RB" || tag == "RBR" || tag == "RBS") && tagIs(tags, first, "JJ"));
            if (!modifier)
                break;
            first = p;
        }
        // a participle opens the phrase only after a determiner ("the written test", not "have visited places")
        while (first < h && (tagIs(tags, first, "VBN") || tagIs(tags, first, "VBG"))
               && !(first > 0 && determiners().count(t[size_t(first) - 1].lower)))
            ++first;
        while (first < h && (tagIs(tags, first, "RB") || tagIs(tags, first, "RBR") || tagIs(tags, first, "RBS")))
            ++first;
        s.first = first;
        out.push_back(s);
    }
    return out;
}

std::vector<std::string> NumberSlots::featureNames(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                   const Slot &s, const NounForms &forms)
{
    const int b = s.first - 1;
    const std::string &lemma = s.lemma;
    const std::string p1 = wordAt(t, b), p2 = wordAt(t, b - 1), p3 = wordAt(t, b - 2);
    const std::string n1 = wordAt(t, s.head + 1), n2 = wordAt(t, s.head + 2);
    const std::string share = shareBucket(forms.pluralShare(lemma));
    std::vector<std::string> f = {
        "b",
        "l=" + lemma,
        "ls=" + (lemma.size() > 3 ? lemma.substr(lemma.size() - 3) : lemma),
        "pr=" + share,
        "p1=" + p1,
        "p1t=" + tagAt(tags, b),
        "p2p1=" + p2 + " " + p1,
        "p3p2p1=" + p3 + " " + p2 + " " + p1,
        "p2t=" + tagAt(tags, b - 1),
        "p1pr=" + p1 + " " + share,
        "p2p1pr=" + p2 + " " + p1 + " " + share,
        "p1l=" + p1 + " " + lemma,
        "n1=" + n1,
        "n1t=" + tagAt(tags, s.head + 1),
        "n1n2=" + n1 + " " + n2,
        "n1pr=" + n1 + " " + share,
        "p1n1=" + p1 + " " + n1,
        "len=" + std::to_string(std::min(s.head - s.first + 1, 4)),
    };
    const std::string dc = contextNames()[size_t(context(t, tags, s))];
    f.push_back("dc=" + dc);
    f.push_back("dcpr=" + dc + " " + share);
    f.push_back("dcls=" + dc + " " + f[2].substr(3));
    f.push_back("dcn1t=" + dc + " " + tagAt(tags, s.head + 1));
    f.push_back("dcl=" + dc + " " + lemma);
    // a quantity phrase with "of": "a lot of", "one of the", "each of my", "kinds of"
    int of = -1;
    if (p1 == "of")
        of = b;
    else if (p2 == "of" && determiners().count(p1))
        of = b - 1;
    if (of >= 0) {
        const std::string q = wordAt(t, of - 1);
        f.push_back("q=" + q);
        f.push_back("qq=" + wordAt(t, of - 2) + " " + q);
        f.push_back("qpr=" + q + " " + share);
        f.push_back("qd=" + q + (of == b ? std::string(" -") : " " + p1));
    }
    for (int k = s.first; k < s.head; ++k) {
        f.push_back("m=" + wordAt(t, k));
        f.push_back("mt=" + tagAt(tags, k));
    }
    // the nearest verb or preposition before the phrase, with the lemma ("make friends", "in case")
    for (int k = b, words = 0; k >= 0 && words < 4; --k, ++words) {
        const std::string &tag = tags[size_t(k)];
        if (tag.rfind("VB", 0) == 0 || tag == "IN") {
            f.push_back("gov=" + wordAt(t, k) + " " + lemma);
            break;
        }
    }
    return f;
}

PerceptronModel::Features NumberSlots::features(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                const Slot &s, const NounForms &forms)
{
    PerceptronModel::Features out;
    for (const std::string &name : featureNames(t, tags, s, forms))
        out.push_back(PerceptronModel::hash(name));
    return out;
}

} // namespace PennovaChecker
