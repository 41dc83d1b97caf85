#include "spellingrule.h"

#include "candidateorder.h"
#include "editdistance.h"
#include "lexicon.h"
#include "rulesupport.h"
#include "spellingsuggester.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace PennovaChecker {

namespace {

const std::unordered_set<std::string> &pinyinSyllableSet()
{
    static const std::unordered_set<std::string> s = [] {
        const char *list =
            "a ai an ang ao ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu ca cai can cang cao ce "
            "cen ceng cha chai chan chang chao che chen cheng chi chong chou chu chuai chuan chuang chui chun chuo ci "
            "cong cou cu cuan cui cun cuo da dai dan dang dao de dei den deng di dian diao die ding diu dong dou du "
            "duan dui dun duo e ei en eng er fa fan fang fei fen feng fo fou fu ga gai gan gang gao ge gei gen geng "
            "gong gou gu gua guai guan guang gui gun guo ha hai han hang hao he hei hen heng hong hou hu hua huai "
            "huan huang hui hun huo ji jia jian jiang jiao jie jin jing jiong jiu ju juan jue jun ka kai kan kang kao "
            "ke ken keng kong kou ku kua kuai kuan kuang kui kun kuo la lai lan lang lao le lei leng li lia lian "
            "liang liao lie lin ling liu long lou lu lv luan lue lun luo ma mai man mang mao me mei men meng mi mian "
            "miao mie min ming miu mo mou mu na nai nan nang nao ne nei nen neng ni nian niang niao nie nin ning niu "
            "nong nou nu nv nuan nue nuo o ou pa pai pan pang pao pei pen peng pi pian piao pie pin ping po pou pu "
            "qi qia qian qiang qiao qie qin qing qiong qiu qu quan que qun ran rang rao re ren reng ri rong rou ru "
            "ruan rui run ruo sa sai san sang sao se sen seng sha shai shan shang shao she shei shen sheng shi shou "
            "shu shua shuai shuan shuang shui shun shuo si song sou su suan sui sun suo ta tai tan tang tao te teng "
            "ti tian tiao tie ting tong tou tu tuan tui tun tuo wa wai wan wang wei wen weng wo wu xi xia xian xiang "
            "xiao xie xin xing xiong xiu xu xuan xue xun ya yan yang yao ye yi yin ying yo yong you yu yuan yue yun "
            "za zai zan zang zao ze zei zen zeng zha zhai zhan zhang zhao zhe zhei zhen zheng zhi zhong zhou zhu "
            "zhua zhuai zhuan zhuang zhui zhun zhuo zi zong zou zu zuan zui zun zuo";
        std::unordered_set<std::string> set;
        std::stringstream ss(list);
        std::string w;
        while (ss >> w)
            set.insert(w);
        return set;
    }();
    return s;
}

bool mixedCase(const std::string &w)
{
    for (size_t i = 1; i < w.size(); ++i)
        if (w[i] >= 'A' && w[i] <= 'Z')
            return true;
    return false;
}

// three or more equal letters in a row, as in a drawn-out word ("hmmm", "sooo", "whaaat");
// a key held too long inside a longer word ("cherrrys") is a slip
bool stretched(const std::string &lower)
{
    int stretches = 0;
    size_t lastEnd = 0;
    for (size_t i = 2; i < lower.size(); ++i)
        if (lower[i] == lower[i - 1] && lower[i] == lower[i - 2]) {
            if (i + 1 == lower.size() || lower.size() <= 6 || std::string("aeiouy").find(lower[i]) != std::string::npos)
                return true;
            if (i != lastEnd + 1)
                ++stretches;
            lastEnd = i;
        }
    return stretches > 1;
}

// a short part of a hyphenated compound, or any part of one that holds a capital (Harkat-ul-Jihad)
bool hyphenPartOfName(const std::vector<Token> &t, size_t i)
{
    size_t first = i, last = i;
    // compounds have a few parts; the bound keeps a long hyphen chain linear
    while (first >= 2 && i - first < 12 && !t[first].spaceBefore && t[first - 1].text == "-"
           && !t[first - 1].spaceBefore && t[first - 2].kind == Token::Word)
        first -= 2;
    while (last + 2 < t.size() && last - i < 12 && !t[last + 1].spaceBefore && t[last + 1].text == "-"
           && !t[last + 2].spaceBefore && t[last + 2].kind == Token::Word)
        last += 2;
    if (first == last)
        return false;
    if (t[i].lower.size() <= 3)
        return true;
    for (size_t k = first; k <= last; k += 2)
        if (k != i && t[k].isCapitalised())
            return true;
    return false;
}

// "europian" / "european": one vowel written for another
bool vowelChanged(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    const std::string vowels = "aeiou";
    int changed = 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && (++changed > 1 || vowels.find(a[i]) == std::string::npos || vowels.find(b[i]) == std::string::npos))
            return false;
    return changed == 1;
}

// "eruope" / "europe": the same letters with two neighbours swapped
bool swappedLetters(const std::string &a, const std::string &b)
{
    if (a.size() != b.size() || a == b)
        return false;
    size_t i = 0;
    while (a[i] == b[i])
        ++i;
    return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.compare(i + 2, std::string::npos, b, i + 2) == 0;
}

// Lower-case words that the dictionary lists only as names but that are written in
// lower case in ordinary text.
const std::unordered_set<std::string> &lowerCaseNames()
{
    static const std::unordered_set<std::string> s = {"internet", "web", "god", "bible", "earth", "sun", "moon",
                                                      "ok", "tv", "dvd", "cd", "pc", "usb", "wifi", "email"};
    return s;
}

const std::unordered_set<std::string> &nationalities()
{
    static const std::unordered_set<std::string> s = {
        "english", "chinese", "japanese", "korean", "french", "german", "spanish", "italian", "russian", "american",
        "british", "european", "asian", "african", "canadian", "australian", "indian", "arabic", "thai",
        "vietnamese", "portuguese", "dutch", "greek", "turkish", "mandarin", "cantonese", "christmas"};
    return s;
}

// "npn", "src", "php": three or four letters without a vowel, not a common word with a
// vowel dropped ("whn", "hlp")
bool consonantAbbreviation(const std::string &lower, const SpellingSuggester &speller)
{
    if (lower.size() < 3 || lower.size() > 4 || lower.find_first_of("aeiouy") != std::string::npos)
        return false;
    for (size_t at = 1; at < lower.size(); ++at)
        for (const char v : std::string("aeiouy")) {
            const int rank = speller.frequencyRank(lower.substr(0, at) + v + lower.substr(at));
            if (rank > 0 && rank <= 10000)
                return false;
        }
    return true;
}

// "von", "van", "bin": a short lower-case word between two capitalised words inside a
// sentence is a particle of a name (Wenzel von Munchy)
bool nameParticle(const std::vector<Token> &t, size_t i)
{
    const int p = RuleSupport::prevWord(t, int(i));
    const int n = RuleSupport::nextWord(t, int(i));
    return t[i].lower.size() <= 4 && p > 0 && n > 0 && size_t(p) + 1 == i && size_t(n) == i + 1
        && t[size_t(p)].isCapitalised() && t[size_t(n)].isCapitalised();
}

// The second word of a Latin name after its genus or the genus' initial ("P. orientale",
// "Pennisetum orientale")
bool speciesName(const std::vector<Token> &t, size_t i, const SpellingSuggester &speller)
{
    if (i < 1 || !t[i].spaceBefore)
        return false;
    const Token &prev = t[i - 1];
    if (i >= 2 && prev.text == "." && !prev.spaceBefore && t[i - 2].kind == Token::Word && t[i - 2].text.size() == 1
        && t[i - 2].isCapitalised())
        return true;
    const std::string &g = prev.lower;
    auto ends = [&](const char *e) { return g.size() > 5 && g.compare(g.size() - 2, 2, e) == 0; };
    return prev.kind == Token::Word && prev.isCapitalised() && !speller.isCorrect(prev.text)
        && (ends("um") || ends("us") || ends("is") || ends("ia") || ends("ae"));
}

// the same unknown word written twice in one sentence is a term the writer means
bool repeatedInSentence(const std::vector<Token> &t, size_t i)
{
    for (size_t k = 0; k < t.size(); ++k)
        if (k != i && t[k].kind == Token::Word && t[k].lower == t[i].lower)
            return true;
    return false;
}

// "have-nots", "templed-out": a known word with an ending, inside a hyphenated compound
bool inflectedCompoundPart(const std::vector<Token> &t, size_t i, const SpellingSuggester &speller)
{
    const bool hyphenated = (i > 0 && !t[i].spaceBefore && t[i - 1].text == "-")
        || (i + 1 < t.size() && !t[i + 1].spaceBefore && t[i + 1].text == "-");
    if (!hyphenated)
        return false;
    const std::string &w = t[i].lower;
    for (const size_t cut : {size_t(1), size_t(2)}) {
        if (w.size() <= cut + 2)
            continue;
        const std::string ending = w.substr(w.size() - cut);
        if ((ending == "s" || ending == "d" || ending == "ed" || ending == "es")
            && speller.isDictionaryWord(w.substr(0, w.size() - cut)))
            return true;
    }
    return false;
}

Finding nonword(const Token &tok, const std::string &word, int certainty)
{
    Finding f;
    f.start = tok.start;
    f.end = tok.start + int(word.size());
    f.errorType = "NONWORD";
    f.explainType = "nonword";
    f.errorInfo = word;
    f.featureKeys = {word};
    f.certainty = certainty;
    return f;
}

// "xiv", "mcm": a well-formed Roman numeral ("cild" is none: child misspelt)
bool romanNumeral(const std::string &lower)
{
    if (lower.empty() || lower.size() > 6 || lower.find_first_not_of("ivxlcdm") != std::string::npos)
        return false;
    // thousands, hundreds, tens, units: each a run of its letters or a subtractive pair
    size_t at = 0;
    auto take = [&](char one, char five, char ten) {
        if (lower.compare(at, 2, std::string{one, ten}) == 0 || lower.compare(at, 2, std::string{one, five}) == 0) {
            at += 2;
            return;
        }
        if (at < lower.size() && lower[at] == five)
            ++at;
        for (int k = 0; k < 3 && at < lower.size() && lower[at] == one; ++k)
            ++at;
    };
    while (at < lower.size() && lower[at] == 'm')
        ++at;
    take('c', 'd', 'm');
    take('x', 'l', 'c');
    take('i', 'v', 'x');
    return at == lower.size();
}

} // namespace

bool SpellingRule::nearMissOfDerivation(const std::string &lower, int *slowSearches) const
{
    // a form that passes only as a derivation ("trans|potation", "mark|ting") but is one
    // letter from a common word is that word misspelt
    if (m_speller.isDictionaryWord(lower) || !m_speller.isDerivation(lower))
        return false;
    const std::vector<SpellingSuggester::Suggestion> sugg = m_speller.suggest(lower, 1, slowSearches);
    if (sugg.empty() || sugg[0].word.find(' ') != std::string::npos)
        return false;
    // a form no word list knows, one typical slip from a common word ("interresting",
    // "theacher", "comportable", "submite") or two from a very common one ("resouse",
    // "determain"); the word with an ending added is a derivation ("webpages", "encodings")
    const std::string &near = sugg[0].word;
    const int nearRank = m_speller.frequencyRank(near);
    static const std::unordered_set<std::string> endings = {"s", "es", "d", "ed", "er", "ers", "ing", "ings",
                                                            "ly", "al", "able", "ness", "ment", "ist", "ists"};
    const bool endingAdded = lower.compare(0, near.size(), near) == 0 && endings.count(lower.substr(near.size()));
    const int slips = EditDistance::damerau(lower, near, 2);
    const double cost = EditDistance::weighted(lower, near);
    if (m_speller.listedElsewhere(lower) == SpellingSuggester::Listing::None && nearRank > 0 && !endingAdded
        && ((slips == 1 && cost <= 1.0 && nearRank <= 30000)
            || (slips == 2 && cost <= 1.6 && nearRank <= 10000 && near[0] == lower[0] && sugg[0].score >= 0.5)))
        return true;
    // else only a dropped letter: "defunding" is one letter from "defending" too
    if (sugg[0].word.size() != lower.size() + 1)
        return false;
    // the slip is inside the word: a different prefix or ending makes another word
    // ("defunding", "encodings", "authorizers")
    const std::string &w = sugg[0].word;
    if (w.compare(0, 2, lower, 0, 2) != 0 || w.compare(w.size() - 2, 2, lower, lower.size() - 2, 2) != 0)
        return false;
    return sugg[0].score >= 0.9 && EditDistance::damerau(lower, w, 1) == 1
        && m_speller.frequencyRank(sugg[0].word) > 0 && m_speller.frequencyRank(sugg[0].word) <= 20000;
}

bool SpellingRule::plainSlip(const std::string &lower, const std::vector<SpellingSuggester::Suggestion> &sugg,
                             bool curated) const
{
    if (sugg.empty())
        return false;
    const std::string best = Tokenizer::toLower(sugg[0].word);
    if (best.find(' ') != std::string::npos || best.find('\'') != std::string::npos) {
        // words run together that learners write so ("aswell", "donnot"): a slip even though
        // some word list holds them
        std::string letters = best;
        letters.erase(std::remove_if(letters.begin(), letters.end(), [](char c) { return c == ' '; }), letters.end());
        return best.find(' ') != std::string::npos && sugg[0].score >= 0.9
            && (letters == lower || m_speller.commonRunTogether(best));
    }
    const int rank = m_speller.frequencyRank(best);
    const double w = EditDistance::weighted(lower, best);
    if (rank <= 0)
        return false;
    // one typical slip from a common word; from a very common one, a little more
    return (w <= 1.0 && rank <= 20000) || (!curated && w <= 1.4 && rank <= 5000);
}

bool SpellingRule::medicalSlip(const std::string &lower, const std::vector<SpellingSuggester::Suggestion> &sugg) const
{
    // a word of the medical list alone that is a common word with a letter or two dropped
    // ("qualitive": qualitative): a learner's slip; its terms and Latin names differ from
    // common words otherwise (paraxial, spiralis)
    if (lower.size() < 7)
        return false;
    for (const auto &s : sugg) {
        const std::string w = Tokenizer::toLower(s.word);
        const int rank = m_speller.frequencyRank(w);
        if (rank > 0 && rank <= 20000 && w.size() <= lower.size() + 2 && CandidateOrder::onlyDropped(lower, w))
            return true;
    }
    return false;
}

bool SpellingRule::numberRunTogether(const Token &tok, std::vector<Finding> *out) const
{
    // "100million", "5years": a number and a common word without the space between them
    // (units such as "12km" and ordinals such as "5th" stay)
    const std::string &w = tok.lower;
    const size_t letters = w.find_first_not_of("0123456789");
    if (letters == 0 || letters == std::string::npos || w.size() - letters < 4 || w.size() > 30
        || (!tok.spaceBefore && tok.start > 0))
        return false; // glued to the word before it: part of a name ("Lead2pass")
    const std::string word = w.substr(letters);
    const int rank = m_speller.frequencyRank(word);
    if (word.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos || rank <= 0 || rank > 5000
        || (!(m_speller.lexicon().posMask(word) & Lexicon::Noun)
            && !(word.back() == 's' && (m_speller.lexicon().posMask(word.substr(0, word.size() - 1)) & Lexicon::Noun))))
        return false;
    Finding f = nonword(tok, tok.text, 3);
    f.candidates.push_back({tok.text.substr(0, letters) + " " + tok.text.substr(letters), "REPLACE", 0.95, 0.05});
    out->push_back(f);
    return true;
}

bool SpellingRule::farSlip(const Token &tok, const std::string &best, double score) const
{
    // a long lower-case word three edits from a fairly common word with its first letter
    // ("eldelery": elderly, "errounuosly"); not a derivation or compound of a word
    // (governorate, warfighting) nor a Latin name (lemmonii)
    const std::string &w = tok.lower;
    const int rank = m_speller.frequencyRank(best);
    if (tok.isCapitalised() || w.size() < 8 || best.size() < 5 || best[0] != w[0] || rank <= 0 || rank > 30000
        || score < 0.5 || EditDistance::damerau(w, best, 3) != 3 || EditDistance::weighted(w, best) > 2.4
        || w.compare(0, best.size(), best) == 0 || w.compare(w.size() - 2, 2, "ii") == 0)
        return false;
    for (size_t cut = 3; cut + 6 <= w.size(); ++cut) {
        const int tail = m_speller.frequencyRank(w.substr(cut));
        if (tail > 0 && tail <= 30000)
            return false;
    }
    return true;
}

bool SpellingRule::shortSlip(const std::vector<Token> &t, const std::vector<std::string> &tags, size_t i,
                             std::vector<Finding> *out, int *slowSearches) const
{
    // a two-letter non-word between two lower-case words, a cheap slip from one of the
    // commonest words ("people te increase": to); abbreviations and units stay ("eg", "md")
    const Token &tok = t[i];
    auto plainWord = [&](size_t k) {
        return t[k].kind == Token::Word && t[k].spaceBefore && t[k].text == t[k].lower && t[k].lower.size() > 1;
    };
    if (i == 0 || i + 1 >= t.size() || !plainWord(i) || !plainWord(i - 1) || !plainWord(i + 1)
        || lowerCaseNames().count(tok.lower) || m_speller.isCorrect(tok.text))
        return false;
    std::vector<SpellingSuggester::Suggestion> sugg = m_speller.suggest(tok.lower, 5, slowSearches);
    if (sugg.empty() || sugg[0].word.find(' ') != std::string::npos)
        return false;
    // a contraction without its apostrophe ("im": I'm)
    std::string bare = Tokenizer::toLower(sugg[0].word);
    const bool contraction = bare.find('\'') != std::string::npos;
    bare.erase(std::remove(bare.begin(), bare.end(), '\''), bare.end());
    const int rank = m_speller.frequencyRank(Tokenizer::toLower(sugg[0].word));
    if (contraction ? bare != tok.lower
                    : rank <= 0 || rank > 100 || EditDistance::damerau(tok.lower, sugg[0].word, 1) != 1
                        || EditDistance::weighted(tok.lower, sugg[0].word) > 0.6)
        return false;
    m_context.rerank(t, tags, i, &sugg);
    Finding f = nonword(tok, tok.text, 3);
    for (const auto &s : sugg)
        f.candidates.push_back({s.word, "REPLACE", s.score, 0.0});
    out->push_back(f);
    return true;
}

bool SpellingRule::isPinyin(const std::string &lower)
{
    return pinyinSyllables(lower) > 0;
}

int SpellingRule::pinyinSyllables(const std::string &lower)
{
    const size_t n = lower.size();
    if (n < 2 || n > 24)
        return 0;
    // fewest[i]: lower[0, i) splits into this many syllables at the fewest; 0: no split
    std::vector<int> fewest(n + 1, 0);
    std::vector<bool> ok(n + 1, false);
    ok[0] = true;
    for (size_t i = 0; i < n; ++i) {
        if (!ok[i])
            continue;
        for (size_t len = 1; len <= 6 && i + len <= n; ++len) {
            // a bare a, o or e after another syllable is written with an apostrophe
            // (Xi'an): "anoying" is no run of syllables an|o|ying; Tiananmen still is
            if (i > 0 && len == 1 && std::string("aoe").find(lower[i]) != std::string::npos)
                continue;
            if (!pinyinSyllableSet().count(lower.substr(i, len)))
                continue;
            if (!ok[i + len] || fewest[i] + 1 < fewest[i + len])
                fewest[i + len] = fewest[i] + 1;
            ok[i + len] = true;
        }
    }
    return ok[n] ? fewest[n] : 0;
}

bool SpellingRule::loadChineseWords(const std::string &cedictPath)
{
    std::ifstream in(cedictPath);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t a = line.find('\t');
        const size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
        const size_t c = b == std::string::npos ? b : line.find('\t', b + 1);
        if (c == std::string::npos)
            continue;
        // "bao1 zi5" -> "baozi"; u: (lv) -> v; names (capitalised pinyin) count too
        std::string joined;
        int syllables = 0;
        bool letters = true;
        std::stringstream ss(line.substr(b + 1, c - b - 1));
        std::string syl;
        while (ss >> syl && letters) {
            ++syllables;
            for (size_t k = 0; k < syl.size(); ++k) {
                const char ch = syl[k];
                if (ch >= '0' && ch <= '9')
                    continue;
                if (ch == 'u' && k + 1 < syl.size() && syl[k + 1] == ':') {
                    joined.push_back('v');
                    ++k;
                } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')) {
                    joined.push_back(ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch);
                } else {
                    letters = false;
                    break;
                }
            }
        }
        if (letters && syllables >= 2 && syllables <= 4 && joined.size() <= 24)
            m_chineseWords.insert(joined);
    }
    return true;
}

bool SpellingRule::isChineseWord(const std::string &lower,
                                 const std::vector<SpellingSuggester::Suggestion> &sugg) const
{
    if (!m_chineseWords.count(lower) || pinyinSyllables(lower) < 2)
        return false;
    // "geting", "puding", "shure" are CC-CEDICT pinyin too, but a slip of a common word
    for (const auto &s : sugg) {
        const std::string w = Tokenizer::toLower(s.word);
        const int rank = m_speller.frequencyRank(w);
        if (rank > 0 && rank <= 20000 && EditDistance::damerau(lower, w, 1) == 1)
            return false;
    }
    return true;
}

bool SpellingRule::unknownWord(const std::vector<Token> &t, size_t i, const std::string &word,
                               std::vector<Finding> *out) const
{
    const Token &tok = t[i];
    const std::string lower = Tokenizer::toLower(word);
    // names and terms are capitalised, hyphenated or cut by an apostrophe; short words are
    // often abbreviations
    if (tok.isCapitalised() || word != lower || lower.size() < 4 || lower.size() > 20
        || lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos
        || lower.find_first_of("aeiouy") == std::string::npos)
        return false;
    const bool hyphenated = (i > 0 && !tok.spaceBefore && t[i - 1].text == "-")
        || (i + 1 < t.size() && !t[i + 1].spaceBefore && (t[i + 1].text == "-" || t[i + 1].text == "'"));
    // a part of an address or a file name ("example.com", "main.cpp")
    const bool dotted = i + 2 < t.size() && !t[i + 1].spaceBefore && t[i + 1].text == "." && !t[i + 2].spaceBefore
        && t[i + 2].kind == Token::Word;
    if (hyphenated || dotted || repeatedInSentence(t, i) || pinyinSyllables(lower) >= 2)
        return false;
    // after a capitalised word it is part of a name or a Latin name ("Salvia lemmonii")
    const int p = RuleSupport::prevWord(t, int(i));
    const size_t n = lower.size();
    // ("The" opening the sentence is only capitalised there)
    bool firstWord = p >= 0;
    for (int k = 0; firstWord && k < p; ++k)
        firstWord = t[size_t(k)].kind != Token::Word;
    const bool nameBefore = p >= 0 && size_t(p) + 1 == i && t[size_t(p)].isCapitalised()
        && !(firstWord && m_speller.isDictionaryWord(Tokenizer::toLower(t[size_t(p)].text)));
    if (nameBefore
        || (n > 5 && (lower.compare(n - 2, 2, "ii") == 0 || lower.compare(n - 2, 2, "ae") == 0)))
        return false;
    // two known words written as one term ("warfighting"), or a long known word after a
    // prefix of a term ("cryosectioning")
    // (a prefix of a term ends like one, cryo-, immuno-, multi-, or comes before another
    // term, triphenyl|arsine; "appcace|mental" is no term)
    for (size_t cut = 3; cut + 3 <= n; ++cut) {
        const std::string tail = lower.substr(cut);
        const int tailRank = m_speller.frequencyRank(tail);
        if ((m_speller.isDictionaryWord(lower.substr(0, cut))
             || (n - cut >= 6
                 && (lower[cut - 1] == 'o' || lower[cut - 1] == 'i' || tailRank == 0 || tailRank > 20000)))
            && m_speller.isCorrect(tail))
            return false;
    }
    // a term glossed in brackets or quotation marks: "(praarabda)"
    auto mark = [&](size_t k, const char *marks) {
        return k < t.size() && t[k].kind == Token::Punct && std::string(marks).find(t[k].text) != std::string::npos;
    };
    if (i > 0 && mark(i - 1, "(\"'[") && mark(i + 1, ")\"']"))
        return false;
    Finding f = nonword(tok, word, 2);
    f.explainType = "unknown_word";
    out->push_back(f);
    return true;
}

void SpellingRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         const std::unordered_set<std::string> &userWords, std::vector<Finding> *out) const
{
    if (!m_speller.hasDictionary())
        return;
    int found = 0;
    int slowSearches = kMaxSlowSearches;
    bool first = true;
    for (size_t i = 0; i < t.size() && found < kMaxFindings; ++i) {
        const Token &tok = t[i];
        const bool sentenceStart = first;
        if (tok.kind == Token::Word || tok.kind == Token::Number || tok.kind == Token::Other)
            first = false;
        if (tok.kind == Token::Number && !userWords.count(tok.text) && numberRunTogether(tok, out)) {
            ++found;
            continue;
        }
        if (tok.kind != Token::Word || tok.attached)
            continue;
        std::string word = tok.text;
        // possessive 's / plural possessive s'
        if (word.size() > 2 && word.compare(word.size() - 2, 2, "'s") == 0)
            word.erase(word.size() - 2);
        if (word.size() < 3 || word.size() > 30 || tok.isAllCaps() || mixedCase(word)) {
            if (word.size() == 2 && !userWords.count(tok.text) && shortSlip(t, tags, i, out, &slowSearches))
                ++found;
            continue;
        }
        if (userWords.count(tok.text) || userWords.count(word) || userWords.count(tok.lower))
            continue;
        // hashtags, handles, file names and parts of dotted names
        if (i > 0 && !tok.spaceBefore && t[i - 1].kind == Token::Punct
            && (t[i - 1].text == "@" || t[i - 1].text == "#" || t[i - 1].text == "." || t[i - 1].text == "_"
                || t[i - 1].text == "/" || t[i - 1].text == "\\"))
            continue;
        if (i + 1 < t.size() && !t[i + 1].spaceBefore && (t[i + 1].text == "_" || t[i + 1].text == "@"))
            continue;
        if (i > 0 && !tok.spaceBefore && t[i - 1].kind == Token::Punct && (t[i - 1].text == "]" || t[i - 1].text == "}"))
            continue; // "[b]uilding": an edited quotation
        if (hyphenPartOfName(t, i))
            continue;
        if (stretched(tok.lower))
            continue; // "hmmm", "sooo"
        const std::string lower = Tokenizer::toLower(word);
        if (romanNumeral(lower))
            continue;
        // a slip in a continent, country, month, language ... ("Afica", "Julay")
        if (tok.isCapitalised()) {
            const std::vector<std::string> names = m_closedNames.slipOf(t, i, word, m_speller);
            if (!names.empty()) {
                Finding f = nonword(tok, word, 2);
                for (const std::string &name : names)
                    f.candidates.push_back({name, "REPLACE", 1.0 / double(names.size()), 0.0});
                out->push_back(f);
                ++found;
                continue;
            }
        }
        // Capitalised words inside a sentence are mostly names: only a long one that is
        // a near miss of a common word is judged ("Compuer").
        const bool midCapital = tok.isCapitalised() && !sentenceStart;
        if (midCapital && word.size() < 6)
            continue;
        // a name written in lower case: "istanbul", "english"
        const bool hyphenated = (i > 0 && !tok.spaceBefore && t[i - 1].text == "-")
            || (i + 1 < t.size() && !t[i + 1].spaceBefore && t[i + 1].text == "-");
        if (!tok.isCapitalised() && word == lower && !hyphenated && !lowerCaseNames().count(lower)) {
            std::string name = m_speller.properName(lower);
            if (name.empty() && nationalities().count(lower)) { // "english" is also a word in billiards
                name = lower;
                name[0] = char(name[0] - 'a' + 'A');
            }
            // a well-known name, not a word that is also an adjective (grey, utopian, swiss)
            const int rank = m_speller.frequencyRank(lower);
            const bool plural = lower.back() == 's' && m_speller.frequencyRank(lower.substr(0, lower.size() - 1)) > 0;
            // a language or nationality the dictionary knows only capitalised ("serbian",
            // "australians"); rarer countries and cities double as Latin (var. niger)
            const std::string kind = m_closedNames.classOf(plural ? lower.substr(0, lower.size() - 1) : lower);
            const bool closedName = kind == "nationality" || (!plural && (kind == "language" || kind == "placeword"));
            if (!name.empty() && (closedName || !plural)
                && (closedName || nationalities().count(lower)
                    || (rank > 0 && rank <= 20000 && !m_speller.isAdjective(lower)))) {
                Finding f = nonword(tok, word, 2);
                f.explainType = "name_capital";
                f.candidates.push_back({name, "REPLACE", 0.9, 0.0});
                out->push_back(f);
                ++found;
                continue;
            }
        }
        if (m_speller.isCorrect(word) && !nearMissOfDerivation(lower, &slowSearches))
            continue;
        if (consonantAbbreviation(lower, m_speller) || nameParticle(t, i) || speciesName(t, i, m_speller)
            || inflectedCompoundPart(t, i, m_speller))
            continue;
        if (tok.isCapitalised() && isPinyin(lower))
            continue;
        std::vector<SpellingSuggester::Suggestion> sugg = m_speller.suggest(word, 5, &slowSearches);
        // a rare word, term or British form that a wider list knows, unless it is plainly a
        // slip of a common word (those lists hold some misspellings: "belive", "persue")
        const SpellingSuggester::Listing listing = m_speller.listedElsewhere(lower);
        if (listing != SpellingSuggester::Listing::None
            && !plainSlip(lower, sugg, listing == SpellingSuggester::Listing::British)
            && !(listing == SpellingSuggester::Listing::Medical && !tok.isCapitalised() && medicalSlip(lower, sugg)))
            continue;
        // written twice and no slip of a common word or two words run together ("upto"): a term
        if (repeatedInSentence(t, i) && !plainSlip(lower, sugg, false) && m_speller.runTogether(lower).empty())
            continue;
        // two words run together ("Forexample") come first unless a near miss is plain
        const std::string joined = m_speller.runTogether(lower);
        // (two function words outweigh a rarer near miss: "donot" is "do not", not "donor")
        const std::string nearest = sugg.empty() ? std::string() : Tokenizer::toLower(sugg[0].word);
        // (a pair native text writes apart outweighs a near miss: "sparetime" is "spare time")
        const bool plainMiss = !sugg.empty() && EditDistance::damerau(lower, nearest, 1) <= 1
            && !(m_speller.commonRunTogether(joined) && m_speller.frequencyRank(nearest) > 2000)
            && !m_speller.isNativePair(joined);
        // a part known only as a name ("sell Aries") wins over a near miss only as a native pair
        bool namePart = false;
        for (size_t start = 0; !joined.empty() && start <= joined.size();) {
            const size_t end = std::min(joined.find(' ', start), joined.size());
            namePart = namePart || !m_speller.properName(joined.substr(start, end - start)).empty();
            start = end + 1;
        }
        const bool nameSplit = namePart && !sugg.empty() && !m_speller.isNativePair(joined);
        // a capitalised run-together word must hold a short function word ("Forexample", not "Newtown")
        const bool functionPart = joined.size() > 1 && (joined.find(' ') <= 3 || joined.size() - joined.find(' ') <= 4);
        if (!joined.empty() && !plainMiss && !nameSplit && !midCapital && (!tok.isCapitalised() || functionPart)) {
            for (auto &sg : sugg)
                sg.score *= 0.1;
            // a part the dictionary knows only as a name keeps its capital ("Latin American")
            std::string written;
            for (size_t start = 0; start <= joined.size();) {
                const size_t end = std::min(joined.find(' ', start), joined.size());
                const std::string part = joined.substr(start, end - start);
                const std::string name = m_speller.properName(part);
                written += (written.empty() ? "" : " ") + (name.empty() ? part : name);
                start = end + 1;
            }
            sugg.insert(sugg.begin(), {RuleSupport::caseLike(tok, written), 0.9});
            if (sugg.size() > 5)
                sugg.pop_back();
        }
        // a word far from every word that is two words, one with a slip ("homecontry")
        if (joined.empty() && !tok.isCapitalised() && !hyphenated
            && (sugg.empty() || EditDistance::damerau(lower, nearest, 2) > 2)) {
            const std::string slipJoined = m_speller.runTogetherWithSlip(lower);
            if (!slipJoined.empty()) {
                for (auto &sg : sugg)
                    sg.score *= 0.1;
                sugg.insert(sugg.begin(), {slipJoined, 0.9});
                if (sugg.size() > 5)
                    sugg.pop_back();
            }
        }
        // a Chinese word in pinyin is no slip of its English look-alike ("baozi", "hutong")
        if (!tok.isCapitalised() && isChineseWord(lower, sugg))
            continue;
        if (sugg.empty()) {
            // no word near it: said so, without candidates
            if (unknownWord(t, i, word, out))
                ++found;
            continue;
        }
        // candidates that fit the words around first ("futher study": further); the
        // closest candidate still decides whether the word is judged at all
        std::vector<SpellingSuggester::Suggestion> ranked = sugg;
        m_context.rerank(t, tags, i, &ranked);
        // un- where English says in-, im-, il-, ir- or dis-: that form first ("unsecure": insecure)
        if (lower.size() > 5 && lower.compare(0, 2, "un") == 0) {
            for (size_t k = 1; k < ranked.size(); ++k) {
                const std::string c = Tokenizer::toLower(ranked[k].word);
                const size_t pre = c.compare(0, 3, "dis") == 0 ? 3 : 2;
                static const std::unordered_set<std::string> negatives = {"in", "im", "il", "ir", "dis"};
                if (c.size() + 2 == lower.size() + pre && negatives.count(c.substr(0, pre))
                    && c.compare(pre, std::string::npos, lower, 2, std::string::npos) == 0) {
                    std::vector<double> scores;
                    for (const auto &r : ranked)
                        scores.push_back(r.score);
                    std::rotate(ranked.begin(), ranked.begin() + long(k), ranked.begin() + long(k) + 1);
                    for (size_t m = 0; m < ranked.size(); ++m) // the scores stay in order
                        ranked[m].score = scores[m];
                    break;
                }
            }
        }
        CandidateOrder::keepInflection(lower, &ranked);
        CandidateOrder::keepWrittenLetters(lower, &ranked);
        // the ending respelt as the stem wants it first ("wealthyness": wealthiness)
        const std::string respelt = m_speller.respelledEnding(lower);
        if (!respelt.empty()) {
            const double top = ranked.empty() ? 0.9 : ranked[0].score; // the first score goes to it
            const auto same = [&](const SpellingSuggester::Suggestion &s) { return Tokenizer::toLower(s.word) == respelt; };
            ranked.erase(std::remove_if(ranked.begin(), ranked.end(), same), ranked.end());
            ranked.insert(ranked.begin(), {RuleSupport::caseLike(tok, respelt), top});
        }
        const std::string chosen = Tokenizer::toLower(ranked[0].word);
        // A word far from every known word is more likely a term or a name than a slip,
        // unless it is long and one common word is plainly meant ("Unforturntly").
        const std::string best = Tokenizer::toLower(sugg[0].word);
        const bool split = best.find(' ') != std::string::npos || best.find('\'') != std::string::npos;
        const int distance = EditDistance::damerau(lower, best, 3);
        const bool clearLongMiss = distance == 3 && lower.size() >= 9 && sugg[0].score >= 0.9
            && m_speller.frequencyRank(best) > 0 && m_speller.frequencyRank(best) < 20000;
        if (distance > 2 && !clearLongMiss && !split && !farSlip(t[i], best, sugg[0].score)) {
            // the candidates are too far to help: an unknown word without them
            if (unknownWord(t, i, word, out))
                ++found;
            continue;
        }
        // a capitalised first word must be a near miss of a common word; inside a
        // sentence only a slip in a name the dictionary knows ("Eruope", "Gemany")
        const double maxWeighted = midCapital ? 0.8 : 1.0;
        const int maxRank = midCapital ? 3000 : 5000;
        // A capitalised first word close to a common word ("Recieve", "Begining") is that word
        // misspelt. Names differ from words by any letter (Bortles), have letters added
        // (Caffe), come in pairs (Banko Cantina) and are spelt like other names (Lukas):
        // near a noun only a swapped or vowel letter or a lost letter counts; names are
        // nouns, so near another word ("Realy", "Undistand") one slip of any kind; a long
        // word may be two slips from a long common word ("Acheivment").
        const bool nameFollows = i + 1 < t.size() && t[i + 1].kind == Token::Word && t[i + 1].isCapitalised()
            && !nationalities().count(t[i + 1].lower); // "Studing English"
        const Lexicon &lex = m_speller.lexicon();
        const size_t n = chosen.size();
        const std::string singular = n > 3 && chosen.back() == 's' ? chosen.substr(0, n - 1) : std::string();
        const bool nounLike = lex.isPos(chosen, Lexicon::Noun)
            || (!singular.empty() && lex.isPos(singular, Lexicon::Noun))
            || (n > 5 && chosen.compare(n - 3, 3, "ing") == 0);
        const bool twoWords = chosen.find(' ') != std::string::npos;
        const double slipLimit = word.size() >= 8 ? 1.6 : nounLike || twoWords ? 0.65 : 1.0;
        const bool slipFirst = !midCapital && !nameFollows && word.size() >= 4 && chosen.size() >= lower.size()
            && EditDistance::weighted(lower, chosen) <= slipLimit && ranked[0].score >= 0.7
            && m_speller.properName(chosen).empty() && m_speller.frequencyRank(chosen) > 0
            && m_speller.frequencyRank(chosen) <= 20000;
        // a well-known name with two letters swapped, one lost or added, or one vowel changed
        // ("Eruope", "Gemany", "Europian")
        const int nameRank = m_speller.frequencyRank(best);
        const bool wellKnownName = (!m_speller.properName(best).empty() || nationalities().count(best)) && nameRank > 0
            && nameRank <= 5000 && best.size() >= 6;
        const bool nameSlip = (!m_speller.properName(best).empty() && swappedLetters(lower, best))
            || (wellKnownName && distance == 1
                && (best.size() == lower.size() + 1 || lower.size() == best.size() + 1 || vowelChanged(lower, best)));
        // a first word that lost a letter of a common word ("Nowaday"); a name is more
        // often a word with a letter added or changed (Pieter, Caffe, Banko)
        const bool sureFirst = !midCapital && distance == 1 && sugg[0].score >= 0.9 && word.size() >= 5
            && best.size() == lower.size() + 1 && m_speller.frequencyRank(best) > 0
            && m_speller.frequencyRank(best) <= 20000;
        // a capitalised first word before another capitalised word opens a name (Pieter Abbeel)
        if (sentenceStart && tok.isCapitalised() && nameFollows && !split)
            continue;
        // short capitalised words are usually names (Wes, Theo)
        // A capitalised first word that is no known name and whose nearest word is a common
        // one is judged like a word inside the sentence. A name is written again ("Bortles ...
        // Blake Bortles"), takes a possessive, or is followed by another name.
        const bool possessive = word.size() != tok.text.size();
        const int bestRank = m_speller.frequencyRank(best);
        const bool firstWordSlip = sentenceStart && tok.isCapitalised() && !nameFollows && !possessive
            && word.size() >= 5 && !split && !repeatedInSentence(t, i) && m_speller.properName(best).empty()
            && bestRank > 0 && sugg[0].score >= 0.5
            && EditDistance::weighted(lower, best) <= (bestRank > 20000 ? (bestRank <= 60000 ? 1.1 : 0.0)
                                                       : word.size() >= 8 && sugg[0].score >= 0.8 ? 2.2 : 1.6);
        // a capitalised word inside a sentence, alone among lower-case words and one slip from
        // a very common word, is that word with a stray capital ("today's Compuer skill");
        // names differ from words at their ends (Westery, Mookie)
        auto capitalisedWord = [&](int k) { return k >= 0 && t[size_t(k)].isCapitalised(); };
        const bool aloneCapital = midCapital && word.size() >= 6 && !possessive && !split && distance == 1
            && best.compare(0, 2, lower, 0, 2) == 0 && best.back() == lower.back()
            && !capitalisedWord(RuleSupport::prevWord(t, int(i))) && !capitalisedWord(RuleSupport::nextWord(t, int(i)))
            && m_speller.properName(best).empty() && bestRank > 0 && bestRank <= 2000
            && EditDistance::weighted(lower, best) <= 1.0 && sugg[0].score >= 0.5;
        if (tok.isCapitalised() && !firstWordSlip && !split && !nameSlip && !sureFirst && !clearLongMiss
            && !slipFirst && !aloneCapital && (word.size() < 6 || EditDistance::weighted(lower, best) > maxWeighted
                || m_speller.frequencyRank(best) == 0 || m_speller.frequencyRank(best) > maxRank))
            continue;
        Finding f = nonword(tok, word, midCapital && !nameSlip && !aloneCapital ? 1 : nameSlip || midCapital ? 2 : 3);
        for (const auto &s : ranked) {
            Candidate c;
            // the stray capital goes too, unless the candidate is a name
            c.correction = aloneCapital && m_speller.properName(Tokenizer::toLower(s.word)).empty()
                ? Tokenizer::toLower(s.word)
                : s.word;
            c.score = s.score;
            c.originalScore = 0.0;
            f.candidates.push_back(c);
        }
        out->push_back(f);
        ++found;
    }
}

} // namespace PennovaChecker
