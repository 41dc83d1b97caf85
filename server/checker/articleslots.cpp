#include "articleslots.h"

#include "rulesupport.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

// exact tags, not prefixes
bool tagIs(const std::vector<std::string> &tags, int i, const char *tag)
{
    return RuleSupport::tagEquals(tags, i, tag);
}

bool commonNoun(const std::vector<std::string> &tags, int i) { return tagIs(tags, i, "NN") || tagIs(tags, i, "NNS"); }

// Words that determine a phrase themselves: no article slot after them.
const Set &determiners()
{
    static const Set s = {"this", "that", "these", "those", "some", "any", "no", "every", "each", "another", "either",
                          "neither", "all", "both", "many", "much", "few", "several", "enough", "such", "what",
                          "which", "whose", "whatever", "whichever", "half", "more", "most", "less", "fewer", "little",
                          "my", "your", "his", "her", "its", "our", "their", "one", "own", "quite", "rather", "per"};
    return s;
}

// Words the tagger may read as nouns that head no noun phrase ("crucial nowadays", "go home").
const Set &adverbNouns()
{
    static const Set s = {"nowadays", "today", "tomorrow", "yesterday", "tonight", "home", "abroad", "downtown",
                          "overseas", "upstairs", "downstairs", "outdoors", "indoors", "etc", "lot", "lots",
                          "one", "ones"};
    return s;
}

// Words that with "of" after them make a preposition ("outside of the park"): read as a
// noun there, they head no phrase unless an article stands before them ("the inside of").
const Set &prepositionsBeforeOf()
{
    static const Set s = {"outside", "inside", "instead", "ahead", "regardless", "because"};
    return s;
}

// Tags a phrase may have before its head noun.
bool modifierTag(const std::vector<std::string> &tags, int i)
{
    static const Set s = {"JJ", "JJR", "JJS", "NN", "NNS", "VBN", "VBG", "RB", "RBS", "RBR", "HYPH"};
    return i >= 0 && size_t(i) < tags.size() && s.count(tags[size_t(i)]);
}

std::string lowerAt(const std::vector<Token> &t, int i)
{
    if (i < 0 || size_t(i) >= t.size())
        return "<s>";
    return t[size_t(i)].kind == Token::Word ? t[size_t(i)].lower : t[size_t(i)].text;
}

std::string tagAt(const std::vector<std::string> &tags, int i)
{
    return i < 0 || size_t(i) >= tags.size() ? "<s>" : tags[size_t(i)];
}

} // namespace

const std::vector<std::string> &ArticleSlots::classNames()
{
    static const std::vector<std::string> names = {"none", "a", "the"};
    return names;
}

bool ArticleSlots::splitByVerb(const std::vector<std::string> &tags, const Slot &slot)
{
    for (int k = slot.first; k < slot.head && k + 1 < int(tags.size()); ++k) {
        const std::string &tag = tags[size_t(k)], &next = tags[size_t(k) + 1];
        if (tag.compare(0, 2, "NN") == 0 && (next == "VBG" || next == "VBN"))
            return true;
    }
    return false;
}

std::vector<ArticleSlots::Slot> ArticleSlots::find(const std::vector<Token> &t, const std::vector<std::string> &tags)
{
    std::vector<Slot> out;
    if (tags.size() != t.size())
        return out;
    const int n = int(t.size());
    for (int h = 0; h < n; ++h) {
        // the head: a common noun in lower case that no noun follows
        if (t[size_t(h)].kind != Token::Word || !commonNoun(tags, h) || commonNoun(tags, h + 1)
            || tagIs(tags, h + 1, "NNP") || (h > 0 && t[size_t(h)].isCapitalised()) || tagIs(tags, h + 1, "POS")
            || adverbNouns().count(t[size_t(h)].lower) || t[size_t(h)].lower.find('\'') != std::string::npos)
            continue;
        int first = h;
        // a possessive ("people's health") determines the phrase and ends the walk
        while (first > 0 && t[size_t(first) - 1].kind == Token::Word && modifierTag(tags, first - 1)
               && !(first - 1 > 0 && t[size_t(first) - 1].isCapitalised())
               && t[size_t(first) - 1].lower.find('\'') == std::string::npos)
            --first;
        // an adverb opens a phrase only before an adjective ("a very old man")
        while (first < h && (tagIs(tags, first, "RB") || tagIs(tags, first, "RBR") || tagIs(tags, first, "RBS")
                             || tagIs(tags, first, "HYPH"))
               && !(tagIs(tags, first + 1, "JJ") || tagIs(tags, first + 1, "RB")))
            ++first;
        // a participle opens a phrase only after an article ("the written test", not "have visited places")
        const std::string before = first > 0 ? t[size_t(first) - 1].lower : std::string();
        if (before != "a" && before != "an" && before != "the") {
            const int from = first;
            while (first < h && (tagIs(tags, first, "VBN") || tagIs(tags, first, "VBG")))
                ++first;
            // "the Jones GPS tracking case": a participle after a name or noun is inside a longer phrase
            if (first > from && from > 0
                && (t[size_t(from) - 1].isCapitalised() || tagIs(tags, from - 1, "NN") || tagIs(tags, from - 1, "NNS")
                    || tagIs(tags, from - 1, "NNP")))
                continue;
        }
        // a determiner the tagger read as an adjective ("many", "few", "own") opens no slot
        if (determiners().count(t[size_t(first)].lower))
            continue;
        const int p = first - 1;
        const std::string opener = p >= 0 ? t[size_t(p)].lower : std::string();
        if (prepositionsBeforeOf().count(t[size_t(h)].lower) && lowerAt(t, h + 1) == "of" && opener != "a"
            && opener != "an" && opener != "the")
            continue;
        Slot s;
        s.first = first;
        s.head = h;
        if (p >= 0 && t[size_t(p)].kind == Token::Word) {
            const std::string &w = t[size_t(p)].lower;
            if (w == "a" || w == "an") {
                s.article = p;
                s.written = A;
            } else if (w == "the") {
                s.article = p;
                s.written = The;
            } else if (determiners().count(w) || tagIs(tags, p, "DT") || tagIs(tags, p, "PRP$")
                       || tagIs(tags, p, "WP$") || tagIs(tags, p, "CD") || tagIs(tags, p, "PDT")
                       || tagIs(tags, p, "NNP") || tagIs(tags, p, "NNPS") || tagIs(tags, p, "POS")
                       || w.find('\'') != std::string::npos || (p > 0 && t[size_t(p)].isCapitalised())) {
                continue;
            }
        } else if (p >= 0 && (t[size_t(p)].kind == Token::Number || t[size_t(p)].kind == Token::Other
                              || tagIs(tags, p, "POS") || t[size_t(p)].text == "$")) {
            continue;
        }
        out.push_back(s);
    }
    return out;
}

std::vector<std::string> ArticleSlots::featureNames(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                    const Slot &s)
{
    const int before = s.article >= 0 ? s.article - 1 : s.first - 1;
    const std::string head = lowerAt(t, s.head), first = lowerAt(t, s.first);
    const std::string p1 = lowerAt(t, before), p2 = lowerAt(t, before - 1);
    const std::string n1 = lowerAt(t, s.head + 1), n2 = lowerAt(t, s.head + 2);
    const std::string headTag = tagAt(tags, s.head);
    std::vector<std::string> f = {
        "b",
        "h=" + head,
        "ht=" + headTag,
        "hs=" + (head.size() > 3 ? head.substr(head.size() - 3) : head) + headTag,
        "f=" + first,
        "ft=" + tagAt(tags, s.first),
        "p1=" + p1,
        "p1t=" + tagAt(tags, before),
        "p2=" + p2,
        "p2t=" + tagAt(tags, before - 1),
        "p2p1=" + p2 + " " + p1,
        "p1h=" + p1 + " " + head,
        "p1f=" + p1 + " " + first,
        "p1tht=" + tagAt(tags, before) + " " + headTag,
        "n1=" + n1,
        "n1t=" + tagAt(tags, s.head + 1),
        "hn1=" + head + " " + n1,
        "n1n2=" + n1 + " " + n2,
        "len=" + std::to_string(std::min(s.head - s.first + 1, 4)),
    };
    for (int k = s.first; k < s.head; ++k) {
        f.push_back("m=" + lowerAt(t, k));
        f.push_back("mt=" + tagAt(tags, k));
    }
    // the nearest verb or preposition before the slot, with the head ("play piano", "in morning")
    for (int k = before, words = 0; k >= 0 && words < 4; --k, ++words) {
        const std::string &tag = tags[size_t(k)];
        if (tag.rfind("VB", 0) == 0 || tag == "IN") {
            f.push_back("gov=" + lowerAt(t, k) + " " + head);
            break;
        }
    }
    // a head named earlier in the sentence is known to the reader
    bool earlier = false;
    for (int k = 0; k < s.first && !earlier; ++k)
        earlier = t[size_t(k)].lower == head;
    f.push_back(earlier ? "seen" : "new");
    return f;
}

PerceptronModel::Features ArticleSlots::features(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                 const Slot &s)
{
    PerceptronModel::Features out;
    for (const std::string &name : featureNames(t, tags, s))
        out.push_back(PerceptronModel::hash(name));
    return out;
}

} // namespace PennovaChecker
