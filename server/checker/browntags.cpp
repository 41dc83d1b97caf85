#include "browntags.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace PennovaChecker {

namespace {

std::string lower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

bool endsWith(const std::string &s, const std::string &tail)
{
    return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool capitalised(const std::string &w) { return !w.empty() && w[0] >= 'A' && w[0] <= 'Z'; }

bool isAny(const std::string &s, std::initializer_list<const char *> set)
{
    return std::any_of(set.begin(), set.end(), [&](const char *x) { return s == x; });
}

// Brown tags with one Penn counterpart whatever the word or context.
const std::unordered_map<std::string, std::string> &fixed()
{
    static const std::unordered_map<std::string, std::string> table = {
        {"nn", "NN"}, {"nns", "NNS"}, {"np", "NNP"}, {"nps", "NNPS"}, {"jj", "JJ"}, {"jjr", "JJR"},
        {"jjt", "JJS"}, {"jjs", "JJ"}, // Brown's jjs: "chief", "main", "top"
        {"od", "JJ"}, {"cd", "CD"}, {"rb", "RB"}, {"rbr", "RBR"}, {"rbt", "RBS"}, {"rn", "RB"},
        {"rp", "RP"}, {"qlp", "RB"}, {"*", "RB"}, {"in", "IN"}, {"cc", "CC"}, {"to", "TO"},
        {"uh", "UH"}, {"ex", "EX"}, {"md", "MD"}, {"at", "DT"}, {"dt", "DT"}, {"dti", "DT"},
        {"pn", "NN"}, {"pp$", "PRP$"}, {"pp$$", "PRP"}, {"ppl", "PRP"}, {"ppls", "PRP"},
        {"ppo", "PRP"}, {"pps", "PRP"}, {"ppss", "PRP"}, {"wp$", "WP$"}, {"wql", "WRB"},
        {"wrb", "WRB"}, {"be", "VB"}, {"bed", "VBD"}, {"bedz", "VBD"}, {"dod", "VBD"},
        {"hvd", "VBD"}, {"vbd", "VBD"}, {"beg", "VBG"}, {"hvg", "VBG"}, {"vbg", "VBG"},
        {"ben", "VBN"}, {"hvn", "VBN"}, {"vbn", "VBN"}, {"bez", "VBZ"}, {"doz", "VBZ"},
        {"hvz", "VBZ"}, {"vbz", "VBZ"}, {"bem", "VBP"}, {"ber", "VBP"}, {",", ","},
        {":", ":"}, {"--", ","}, {"(", "-LRB-"}, {")", "-RRB-"}, {"``", "``"}, {"''", "''"},
    };
    return table;
}

bool isVerb(const std::string &b)
{
    return b.size() >= 2 && (b.compare(0, 2, "vb") == 0 || b.compare(0, 2, "be") == 0 || b.compare(0, 2, "hv") == 0
                             || b.compare(0, 2, "do") == 0);
}

// the Brown tags a noun phrase may start or go on with, for "what" before a noun
bool nominal(const std::string &b)
{
    return isAny(b, {"nn", "nns", "np", "nps", "jj", "jjr", "jjt", "jjs", "ap", "od", "cd", "nr", "vbg", "vbn"});
}

} // namespace

bool BrownTags::split(const std::string &word, const std::string &fullTag, std::vector<Piece> *out)
{
    std::string tag = lower(fullTag);
    Piece p;
    p.word = word;
    if (tag.compare(0, 3, "fw-") == 0) {
        p.foreign = true;
        tag = tag.substr(3);
    }
    for (bool cut = true; cut;) { // "-hl" headline, "-tl" title, "-nc" cited word, in any order
        cut = false;
        for (const char *s : {"-hl", "-tl", "-nc"})
            if (endsWith(tag, s)) {
                p.title = p.title || std::string(s) == "-tl";
                tag.resize(tag.size() - 3);
                cut = true;
            }
    }
    if (tag.empty() || tag == "nil")
        return false;
    if (p.foreign) { // one token whatever its parts
        if (word.find('\'') != std::string::npos)
            return false;
        p.brown = "fw";
        out->push_back(p);
        return true;
    }
    const std::string l = lower(word);
    const size_t plus = tag.find('+');
    if (plus != std::string::npos) { // a word and its clitic: "it's" pps+bez, "let's" vb+ppo
        const std::string first = tag.substr(0, plus), second = tag.substr(plus + 1);
        const size_t ap = word.rfind('\'');
        if (second.find('+') != std::string::npos || second.find('*') != std::string::npos || ap == std::string::npos
            || ap == 0 || !isAny(l.substr(ap), {"'s", "'re", "'m", "'ve", "'ll", "'d"}))
            return false;
        Piece head = p, tail = p;
        head.word = word.substr(0, ap);
        head.brown = first;
        tail.word = word.substr(ap);
        tail.brown = second;
        tail.title = false;
        if (first.find('*') != std::string::npos || first.find('$') != std::string::npos)
            return false;
        out->push_back(head);
        out->push_back(tail);
        return true;
    }
    if (tag == "md*" && l == "cannot") { // one token for the checker
        p.brown = "md";
        out->push_back(p);
        return true;
    }
    if (tag.size() > 1 && tag.back() == '*') { // negated: "didn't" dod*, "can't" md*
        if (!endsWith(l, "n't"))
            return false;
        Piece head = p, neg = p;
        head.word = word.substr(0, l == "can't" || l == "won't" ? 2 : word.size() - 3); // "ca n't", "wo n't"
        head.brown = tag.substr(0, tag.size() - 1);
        neg.word = word.substr(word.size() - 3);
        neg.brown = "*";
        out->push_back(head);
        out->push_back(neg);
        return true;
    }
    if (tag.size() > 1 && tag.back() == '$' && !isAny(tag, {"pp$", "pp$$", "wp$"})) { // "Atlanta's", "workers'"
        const bool s = endsWith(l, "'s"), plural = endsWith(l, "s'");
        if (!s && !plural)
            return false;
        Piece head = p, pos = p;
        head.word = word.substr(0, word.size() - (s ? 2 : 1));
        head.brown = tag.substr(0, tag.size() - 1);
        pos.word = word.substr(head.word.size());
        pos.brown = "pos";
        pos.title = false;
        out->push_back(head);
        out->push_back(pos);
        return true;
    }
    p.brown = tag;
    out->push_back(p);
    return true;
}

// Brown's vb (and do, hv) covers Penn VB and VBP: VBP after a plural or first/second
// person subject, VB after a modal, "to", "do", an object or at the start (imperative).
// "" when the context does not say.
std::string BrownTags::baseVerb(const std::vector<Piece> &pieces, size_t i)
{
    const std::string &self = pieces[i].brown;
    bool overConjunction = false;
    for (size_t j = i; j-- > 0;) {
        const std::string &b = pieces[j].brown;
        if (isAny(b, {"rb", "rbr", "ql", "*", "rn", "qlp"}))
            continue;
        if (isAny(b, {"md", "to", "do", "dod", "doz"}))
            return "VB";
        if (isVerb(b)) { // "help make"; after "and": the same form as the first verb
            if (!overConjunction)
                return "VB";
            const std::string &first = pieces[j].penn;
            return first == "VB" || first == "VBP" ? first : std::string();
        }
        if (b == "cc") {
            overConjunction = true;
            continue;
        }
        if (overConjunction)
            continue; // looking for the first verb of the pair
        if (isAny(b, {"ppss", "nns", "nps", "wps", "wdt", "ex", "cd", "dts"})) {
            // a question puts the modal or "do" before its subject: "Do you know", "Can the men go"
            size_t k = j;
            while (k > 0 && isAny(pieces[k - 1].brown, {"at", "jj", "dt", "dts", "dti", "pp$", "cd", "ap", "abn", "nn", "nns", "np", "nps"}))
                --k;
            return k > 0 && isAny(pieces[k - 1].brown, {"md", "do", "dod", "doz"}) ? "VB" : "VBP";
        }
        if (isAny(b, {"ppo", "pps", "cs", "uh"}))
            return "VB"; // "let him go"; "(that) he go"; "rather than go"; "Oh, come on"
        if (b == "``" || b == "(" || b == ":" || b == "." || b == ",") {
            if (b == ",")
                continue;
            break;
        }
        if (b == "wrb" && self != "vb")
            break;
        return std::string();
    }
    // at the start: an order, or a question ("Do you ...", "Have they ...")
    if (self != "vb" && i + 1 < pieces.size() && isAny(pieces[i + 1].brown, {"ppss", "pps", "at", "np", "nns", "nps", "dts", "pp$", "ex", "pn"}))
        return "VBP";
    return "VB";
}

std::string BrownTags::penn(const std::vector<Piece> &pieces, size_t i)
{
    const Piece &p = pieces[i];
    const std::string &b = p.brown;
    const std::string l = lower(p.word);
    auto next = [&](size_t k) -> std::string { return i + k < pieces.size() ? pieces[i + k].brown : std::string(); };
    auto later = [&](std::initializer_list<const char *> words) {
        for (size_t k = i + 1; k < pieces.size() && k <= i + 8; ++k)
            if (isAny(lower(pieces[k].word), words))
                return true;
        return false;
    };
    const bool determinerNext = isAny(next(1), {"at", "dt", "dts", "dti", "pp$", "abn"});
    if (p.foreign)
        return "FW";
    if (b == "pos")
        return "POS";
    if (b == ".")
        return p.word == ";" ? "," : p.word == ":" ? ":" : ".";
    if (b == "nr" || b == "nrs") // adverbial nouns: "Friday", "Sundays", "today" NN, "(go) home" RB
        return capitalised(p.word) ? (b == "nr" ? "NNP" : "NNPS")
            : b == "nrs" ? "NNS" : isAny(l, {"today", "tomorrow", "yesterday", "tonight"}) ? "NN" : "RB";
    if (b == "ap") // "many", "other", "more", "most"
        return isAny(l, {"more", "less", "fewer"}) ? "JJR" : isAny(l, {"most", "least", "fewest"}) ? "JJS" : "JJ";
    if (b == "ql") // "very", "too", "more"
        return isAny(l, {"more", "less"}) ? "RBR" : isAny(l, {"most", "least"}) ? "RBS" : "RB";
    if (b == "cs") // "that", "if", "as"; "so" (that) is an adverb in the treebanks
        return l == "so" ? "RB" : "IN";
    if (b == "abn") // "all the" PDT, "all" DT
        return determinerNext || l == "many" ? "PDT" : l == "half" ? "NN" : "DT";
    if (b == "abl") // "such a" PDT, "such" JJ, "quite" RB
        return next(1) == "at" ? "PDT" : l == "such" ? "JJ" : "RB";
    if (b == "abx") // "both the" PDT, "both X and Y" CC, "both" DT
        return determinerNext ? "PDT" : later({"and"}) ? "CC" : "DT";
    if (b == "dtx") // "either ... or" CC
        return l == "one" ? "CD" : later({"or", "nor"}) ? "CC" : "DT";
    if (b == "dts")
        return l == "them" ? "PRP" : "DT";
    if (b == "wps" || b == "wpo") // relative "that" is WDT
        return l == "that" ? "WDT" : "WP";
    if (b == "wdt") // "which" WDT; "what" WDT before a noun, else WP
        return l == "which" || l == "whichever" || nominal(next(1)) ? "WDT" : "WP";
    if (b == "vb" && l == "please" && isVerb(next(1)))
        return "UH"; // "Please come": the treebanks' tag
    if (b == "rb" && (l == "yes" || (l == "no" && isAny(next(1), {",", ".", "''", "--", ""}))))
        return "UH"; // the answer words
    if (b == "in" && endsWith(l, "ing"))
        return "VBG"; // "according", "including", "regarding": participles in the treebanks
    if (b == "vb" || b == "do" || b == "hv")
        return baseVerb(pieces, i);
    const auto &table = fixed();
    const auto it = table.find(b);
    if (it == table.end())
        return std::string();
    std::string t = it->second;
    if (t == "JJ" && capitalised(p.word) && i > 0 && !nominal(next(1)))
        return "NNP"; // "speaks English", "the French": a language or people, not an adjective
    if (p.title && capitalised(p.word)) { // the words of a name or title: "Grand Jury", "United States"
        if (isAny(t, {"NN", "JJ", "VBN", "VBG", "NNP"}))
            t = "NNP";
        else if (isAny(t, {"NNS", "NNPS"}))
            t = "NNPS";
    }
    return t;
}

bool BrownTags::map(const Items &items, PosTagger::Sentence *out, std::string *why)
{
    std::vector<Piece> pieces;
    for (const auto &[word, tag] : items)
        if (word.empty() || !split(word, tag, &pieces)) {
            if (why)
                *why = "tag " + lower(tag);
            return false;
        }
    for (size_t i = 0; i < pieces.size(); ++i) {
        pieces[i].penn = penn(pieces, i);
        if (pieces[i].penn.empty()) {
            if (why)
                *why = pieces[i].brown == "vb" || pieces[i].brown == "do" || pieces[i].brown == "hv"
                    ? "base verb after " + (i ? pieces[i - 1].brown : std::string("start"))
                    : "tag " + pieces[i].brown;
            return false;
        }
    }
    PosTagger::Sentence s;
    for (const Piece &p : pieces) {
        std::string word = p.word == "``" || p.word == "''" ? "\"" : p.word;
        // the checker's tokenizer cuts at hyphens: the parts before the last have no tag of their own
        const size_t first = word.find_first_not_of('-');
        if (word.find('-') != std::string::npos && p.brown != "--" && first != std::string::npos) {
            if (first != 0 || word.back() == '-' || word.find("--") != std::string::npos) {
                if (why)
                    *why = "hyphen";
                return false;
            }
            size_t start = 0;
            for (size_t h = word.find('-'); h != std::string::npos; start = h + 1, h = word.find('-', start)) {
                const bool digits = std::isdigit(static_cast<unsigned char>(word[h - 1]))
                    && std::isdigit(static_cast<unsigned char>(word[h + 1]));
                s.words.push_back(word.substr(start, h - start));
                s.tags.emplace_back();
                s.words.push_back("-");
                s.tags.push_back(digits ? std::string() : "HYPH");
            }
            word = word.substr(start);
        }
        s.words.push_back(word);
        s.tags.push_back(p.penn);
    }
    *out = std::move(s);
    return true;
}

} // namespace PennovaChecker
