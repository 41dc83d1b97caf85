#include "prepositionmodelslots.h"

#include "prepositionchoicerule.h"
#include "prepositionslots.h"
#include "rulesupport.h"

#include <algorithm>

namespace PennovaChecker {

namespace {

// the features' view of words and tags, shared with the other slot classifiers
std::string wordAt(const std::vector<Token> &t, int i) { return RuleSupport::featureWordAt(t, i); }
std::string tagAt(const std::vector<std::string> &tags, int i) { return RuleSupport::featureTagAt(tags, i); }
bool tagStarts(const std::vector<std::string> &tags, int i, const char *prefix)
{
    return RuleSupport::tagIs(tags, i, prefix);
}

std::string lemmaAt(const std::vector<Token> &t, int i)
{
    if (i < 0 || size_t(i) >= t.size() || t[size_t(i)].kind != Token::Word || t[size_t(i)].lemma.empty())
        return wordAt(t, i);
    return t[size_t(i)].lemma;
}

// A clause boundary a walk back stops at.
bool boundary(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    const std::string w = wordAt(t, i);
    return w == "." || w == ";" || w == ":" || w == "!" || w == "?" || tagAt(tags, i) == "WDT"
        || w == "that" || w == "because" || w == "when" || w == "while" || w == "if";
}

char governorKind(const std::string &tag)
{
    if (tag.rfind("VB", 0) == 0)
        return 'V';
    if (tag.rfind("JJ", 0) == 0)
        return 'J';
    if (tag == "NN" || tag == "NNS")
        return 'N';
    return 0;
}

} // namespace

const std::vector<std::string> &PrepositionModelSlots::classNames()
{
    static const std::vector<std::string> names(PrepositionSlots::classNames().begin(),
                                                PrepositionSlots::classNames().begin() + kClasses);
    return names;
}

int PrepositionModelSlots::classOf(const std::string &lower)
{
    const int c = PrepositionSlots::classOf(lower);
    return c < kClasses ? c : -1;
}

std::vector<PrepositionModelSlots::Slot> PrepositionModelSlots::find(const std::vector<Token> &t,
                                                                     const std::vector<std::string> &tags)
{
    std::vector<Slot> out;
    if (tags.size() != t.size())
        return out;
    const int n = int(t.size());
    for (int i = 0; i < n; ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        const int c = classOf(t[size_t(i)].lower);
        const std::string &tag = tags[size_t(i)];
        // "to" before a verb is an infinitive's; a particle ("look up") is the verb's own
        if (c < 0 || (tag != "IN" && tag != "TO") || (tag == "TO" && i + 1 < n && tagStarts(tags, i + 1, "VB")))
            continue;
        Slot s;
        s.at = i;
        s.written = c;
        int g = i - 1;
        while (g >= 0 && g >= i - 3 && tagStarts(tags, g, "RB"))
            --g;
        if (g >= 0 && governorKind(tags[size_t(g)]) && t[size_t(g)].kind == Token::Word)
            s.governor = g;
        s.object = PrepositionSlots::objectHead(t, tags, i + 1);
        for (int v = i - 1; v >= 0 && v >= i - 10 && !boundary(t, tags, v); --v)
            if (tagStarts(tags, v, "VB")) {
                s.verb = v;
                break;
            }
        out.push_back(s);
    }
    return out;
}

std::vector<std::string> PrepositionModelSlots::featureNames(const std::vector<Token> &t,
                                                             const std::vector<std::string> &tags, const Slot &s)
{
    const int i = s.at;
    const std::string p1 = wordAt(t, i - 1), p2 = wordAt(t, i - 2), n1 = wordAt(t, i + 1), n2 = wordAt(t, i + 2);
    const std::string p1t = tagAt(tags, i - 1), p2t = tagAt(tags, i - 2), n1t = tagAt(tags, i + 1),
                      n2t = tagAt(tags, i + 2);
    std::vector<std::string> f = {
        "b",
        "p1=" + p1,
        "p1l=" + lemmaAt(t, i - 1),
        "p1t=" + p1t,
        "p2p1=" + p2 + " " + p1,
        "p2tp1t=" + p2t + " " + p1t,
        "n1=" + n1,
        "n1t=" + n1t,
        "n1n2=" + n1 + " " + n2,
        "n1tn2t=" + n1t + " " + n2t,
        "p1n1=" + p1 + " " + n1,
        "p1tn1t=" + p1t + " " + n1t,
    };
    std::string governor = "-";
    if (s.governor >= 0) {
        governor = std::string(1, governorKind(tags[size_t(s.governor)])) + ":" + lemmaAt(t, s.governor);
        f.push_back("g=" + governor);
        f.push_back("gt=" + tags[size_t(s.governor)] + " " + lemmaAt(t, s.governor));
        if (s.governor < i - 1)
            f.push_back("gadv=" + governor);
    }
    std::string object = "-";
    if (s.object >= 0) {
        const Token &o = t[size_t(s.object)];
        const std::string &otag = tags[size_t(s.object)];
        object = (otag == "VBG" ? "ing:" : "") + lemmaAt(t, s.object);
        f.push_back("o=" + object);
        f.push_back("ot=" + otag);
        f.push_back("od=" + (s.object > i + 1 ? wordAt(t, i + 1) : std::string("-")) + " " + otag);
        f.push_back("oa=" + wordAt(t, s.object + 1));
        f.push_back("oao=" + object + " " + wordAt(t, s.object + 1));
        if (o.isCapitalised() && s.object > 0)
            f.push_back("ocap");
        if (PrepositionChoiceRule::isTimeWord(lemmaAt(t, s.object)))
            f.push_back("otime");
        f.push_back("p1o=" + p1 + " " + object);
    } else {
        f.push_back("o=none " + n1t);
    }
    f.push_back("go=" + governor + " " + object);
    if (s.verb >= 0) {
        const std::string verb = lemmaAt(t, s.verb);
        f.push_back("v=" + verb);
        if (s.verb != s.governor)
            f.push_back("vo=" + verb + " " + object);
    }
    return f;
}

PerceptronModel::Features PrepositionModelSlots::features(const std::vector<Token> &t,
                                                          const std::vector<std::string> &tags, const Slot &s)
{
    PerceptronModel::Features out;
    for (const std::string &name : featureNames(t, tags, s))
        out.push_back(PerceptronModel::hash(name));
    return out;
}

} // namespace PennovaChecker
