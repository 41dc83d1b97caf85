#include "spellingsuggester.h"

#include "editdistance.h"
#include "lexicon.h"
#include "tokenizer.h"

#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

// The common words whose properName() answer is kept from load on.
constexpr int kCommonNameRank = 30000;

// One unit of weighted edit distance is worth this much log-frequency: an edit
// must be backed by a word about e^kEditWeight times as frequent.
constexpr double kEditWeight = 4.2;
// Counts above this (the, of, and, for ...) add no more weight: the commonest words
// would otherwise win every near tie with a content word ("thir": their, not the).
constexpr double kCountCap = 1e9;
// The frequency list has some words only in their British spelling ("favourite"):
// the American form in the dictionary gets that word's count.
uint64_t variantFrequency(const Lexicon &lexicon, const std::string &american)
{
    static const std::pair<const char *, const char *> spellings[] = {
        {"or", "our"}, {"er", "re"}, {"ize", "ise"}, {"og", "ogue"}, {"ense", "ence"}};
    for (const auto &[us, uk] : spellings) {
        const size_t at = american.rfind(us);
        if (at == std::string::npos || at + 5 < american.size())
            continue; // only near the end of the word
        const std::string british = american.substr(0, at) + uk + american.substr(at + std::strlen(us));
        if (const uint64_t f = lexicon.frequency(british))
            return f;
    }
    return 0;
}

// Lower-case entries of letters only, five or more (shorter ones in these lists are
// mostly abbreviations and fragments); a Hunspell .dic line counts up to its '/'.
void loadWordList(const std::string &path, const Lexicon &lexicon, std::vector<std::string> *out)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::string word = line.substr(0, line.find('/'));
        // words of the frequency list are known anyway
        if (word.size() >= 5 && word.size() <= 40
            && std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; })
            && lexicon.frequency(word) == 0)
            out->push_back(word);
    }
}

} // namespace

SpellingSuggester::SpellingSuggester(const Lexicon &lexicon, const std::string &hunspellDir,
                                     const std::string &wordListDir)
    : m_lexicon(lexicon)
{
    const std::string aff = hunspellDir + "/en_US.aff";
    const std::string dic = hunspellDir + "/en_US.dic";
    if (std::ifstream(aff).good() && std::ifstream(dic).good())
        m_hunspell = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    const std::string gbAff = hunspellDir + "/en_GB.aff";
    const std::string gbDic = hunspellDir + "/en_GB.dic";
    if (m_hunspell && std::ifstream(gbAff).good() && std::ifstream(gbDic).good())
        m_british = std::make_unique<Hunspell>(gbAff.c_str(), gbDic.c_str());
    if (m_hunspell) {
        loadWordList(wordListDir + "/american-english-huge", lexicon, &m_wider);
        loadWordList(wordListDir + "/british-english-huge", lexicon, &m_wider);
        std::sort(m_wider.begin(), m_wider.end());
        m_wider.erase(std::unique(m_wider.begin(), m_wider.end()), m_wider.end());
        m_wider.shrink_to_fit();
        // the medical list apart: it holds more misspellings ("qualitive", "acception")
        loadWordList(hunspellDir + "/en_med_glut.dic", lexicon, &m_medical); // stems before '/'
        std::sort(m_medical.begin(), m_medical.end());
        m_medical.erase(std::unique(m_medical.begin(), m_medical.end()), m_medical.end());
        m_medical.erase(std::remove_if(m_medical.begin(), m_medical.end(),
                                       [&](const std::string &w) {
                                           return std::binary_search(m_wider.begin(), m_wider.end(), w);
                                       }),
                        m_medical.end());
        m_medical.shrink_to_fit();
    }

    for (const auto &[word, count] : lexicon.frequencies())
        m_index.add(word, count);
    // dictionary stems that the frequency list lacks, with the lowest count
    std::ifstream in(dic);
    std::string line;
    std::getline(in, line); // word count
    while (std::getline(in, line)) {
        const std::string stem = line.substr(0, line.find('/'));
        if (stem.size() < 2 || !std::all_of(stem.begin(), stem.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            continue;
        if (!m_index.contains(stem))
            m_index.add(stem, std::max<uint64_t>(1, variantFrequency(lexicon, stem)));
    }
    m_index.build();

    if (m_hunspell)
        for (const auto &entry : lexicon.frequencies()) {
            const std::string &word = entry.first;
            const int rank = lexicon.frequencyRank(word);
            if (rank <= 0 || rank > kCommonNameRank || word.size() < 3 || word.size() > 30 || word[0] < 'a'
                || word[0] > 'z')
                continue;
            std::string name = askProperName(word);
            if (!name.empty())
                m_commonNames.emplace(word, std::move(name));
        }
}

SpellingSuggester::~SpellingSuggester() = default;

bool SpellingSuggester::isCorrect(const std::string &word) const
{
    const std::string lower = Tokenizer::toLower(word);
    if (m_lexicon.frequency(lower) > 0)
        return true;
    if (!m_hunspell)
        return true; // without a dictionary, stay silent
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_hunspell->spell(word))
            return true;
    }
    return isDerivation(lower);
}

SpellingSuggester::Listing SpellingSuggester::listedElsewhere(const std::string &lower) const
{
    if (lower.size() < 4 || lower.size() > 40)
        return Listing::None;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_british && m_british->spell(lower))
            return Listing::British;
    }
    if (std::binary_search(m_wider.begin(), m_wider.end(), lower))
        return Listing::WordList;
    return std::binary_search(m_medical.begin(), m_medical.end(), lower) ? Listing::Medical : Listing::None;
}

int SpellingSuggester::frequencyRank(const std::string &lower) const
{
    return m_lexicon.frequencyRank(lower);
}

bool SpellingSuggester::isAdjective(const std::string &lower) const
{
    return m_lexicon.isPos(lower, Lexicon::Adjective);
}

std::string SpellingSuggester::properName(const std::string &lower) const
{
    if (!m_hunspell || lower.size() < 3 || lower.size() > 30 || lower[0] < 'a' || lower[0] > 'z')
        return {};
    const int rank = m_lexicon.frequencyRank(lower);
    if (rank > 0 && rank <= kCommonNameRank) {
        const auto name = m_commonNames.find(lower);
        return name == m_commonNames.end() ? std::string() : name->second;
    }
    return askProperName(lower);
}

std::string SpellingSuggester::askProperName(const std::string &lower) const
{
    std::string name = lower;
    name[0] = char(name[0] - 'a' + 'A');
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_hunspell->spell(lower) && m_hunspell->spell(name) ? name : std::string();
}

namespace {
// Short function words that learners write together with the next word.
const std::unordered_set<std::string> &shortWords()
{
    static const std::unordered_set<std::string> s = {"a",  "an", "i",  "to", "of", "in",  "on",  "at",  "for",
                                                      "by", "as", "so", "no", "the", "my", "is",  "do",  "not",
                                                      "it", "we", "he", "and", "you", "can", "be", "up", "few", "had", "was",
                                                      "are", "has", "but", "all", "our", "any"};
    return s;
}
} // namespace

std::string SpellingSuggester::runTogether(const std::string &lower) const
{
    std::string best;
    int bestRank = 0;
    for (size_t cut = 1; cut + 2 <= lower.size(); ++cut) {
        const std::string a = lower.substr(0, cut), b = lower.substr(cut);
        if ((a.size() < 4 && !shortWords().count(a)) || (b.size() < 4 && !shortWords().count(b)))
            continue;
        const int ra = m_lexicon.frequencyRank(a), rb = m_lexicon.frequencyRank(b);
        if (ra == 0 || rb == 0 || ra > 20000 || rb > 20000 || m_lexicon.isUnsuitable(a) || m_lexicon.isUnsuitable(b))
            continue;
        if (best.empty() || std::max(ra, rb) < bestRank) {
            best = a + " " + b;
            bestRank = std::max(ra, rb);
        }
    }
    return best;
}

std::string SpellingSuggester::runTogetherWithSlip(const std::string &lower) const
{
    if (lower.size() < 9 || lower.size() > 30)
        return {};
    auto common = [&](const std::string &w) {
        const int r = m_lexicon.frequencyRank(w);
        return r > 0 && r <= 5000 && !m_lexicon.isUnsuitable(w);
    };
    std::string best;
    double bestCost = 0.0;
    for (size_t cut = 4; cut + 4 <= lower.size(); ++cut) {
        const std::string a = lower.substr(0, cut), b = lower.substr(cut);
        for (const bool slipFirst : {false, true}) {
            const std::string &exact = slipFirst ? b : a;
            const std::string &slip = slipFirst ? a : b;
            if (slip.size() < 5 || !common(exact) || known(slip))
                continue;
            // the nearest words within one edit, by cost
            for (const SymSpellIndex::Hit &h : m_index.lookup(slip, 1)) {
                const std::string &w = m_index.word(h.word);
                if (h.distance != 1 || !common(w))
                    continue;
                const double c = EditDistance::weighted(slip, w);
                if (c > 1.0 || (!best.empty() && c >= bestCost))
                    continue;
                best = slipFirst ? w + " " + exact : exact + " " + w;
                bestCost = c;
            }
        }
    }
    return best;
}

bool SpellingSuggester::commonRunTogether(const std::string &joined) const
{
    const size_t space = joined.find(' ');
    if (space == std::string::npos)
        return false;
    return shortWords().count(joined.substr(0, space)) && shortWords().count(joined.substr(space + 1));
}

bool SpellingSuggester::fitsTag(const std::string &c, const std::string &tag) const
{
    auto ends = [&](const char *sfx) {
        const size_t k = std::strlen(sfx);
        return c.size() > k && c.compare(c.size() - k, k, sfx) == 0;
    };
    if (c.find(' ') != std::string::npos)
        return true;
    if (tag == "VBG")
        return ends("ing");
    if (tag == "VBD" || tag == "VBN")
        return ends("ed") || m_lexicon.isPastForm(c) || m_lexicon.isParticiple(c);
    if (tag == "NNS")
        return ends("s") && !ends("ss");
    if (tag == "RB")
        return m_lexicon.isPos(c, Lexicon::Adverb);
    if (tag == "JJ" || tag == "JJR")
        return m_lexicon.isPos(c, Lexicon::Adjective) || m_lexicon.isPos(c, Lexicon::Adverb);
    if (tag == "VB" || tag == "VBP")
        return m_lexicon.isPos(c, Lexicon::Verb);
    return true;
}

bool SpellingSuggester::known(const std::string &lower) const
{
    if (lower.size() < 3)
        return false;
    if (m_lexicon.frequency(lower) > 0)
        return true;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hunspell && m_hunspell->spell(lower);
}

bool SpellingSuggester::loadNativePairs(const std::string &path, std::string *error)
{
    m_nativePairs.clear();
    auto fail = [&](const std::string &why) {
        m_nativePairs.clear();
        if (error)
            *error = path + ": " + why;
        return false;
    };
    std::ifstream in(path);
    if (!in)
        return fail("cannot be read");
    std::string line;
    size_t number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        // "first second count": two lower-case words and a count
        const size_t a = line.find(' ');
        const size_t b = a == std::string::npos ? a : line.find(' ', a + 1);
        const std::string where = " at line " + std::to_string(number);
        if (line.size() > 80 || b == std::string::npos || line.find(' ', b + 1) != std::string::npos)
            return fail("malformed" + where);
        const std::string first = line.substr(0, a), second = line.substr(a + 1, b - a - 1), count = line.substr(b + 1);
        auto letters = [](const std::string &x) {
            return !x.empty() && x.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
        };
        if (!letters(first) || !letters(second) || count.empty() || count.size() > 9
            || count.find_first_not_of("0123456789") != std::string::npos)
            return fail("malformed" + where);
        m_nativePairs.insert(first + ' ' + second);
    }
    if (m_nativePairs.empty())
        return fail("holds no pairs");
    return true;
}

std::string SpellingSuggester::respelledEnding(const std::string &w) const
{
    const size_t n = w.size();
    auto consonant = [](char c) { return std::string("aeiouy").find(c) == std::string::npos; };
    std::string form;
    for (const char *sfx : {"ness", "ly", "less", "ful", "ment"}) {
        const size_t k = std::strlen(sfx);
        if (n >= k + 5 && w.compare(n - k, k, sfx) == 0 && w[n - k - 1] == 'y' && consonant(w[n - k - 2]))
            form = w.substr(0, n - k - 1) + "i" + sfx; // wealthy|ness
    }
    if (n >= 7 && w.compare(n - 4, 4, "lely") == 0 && consonant(w[n - 5]))
        form = w.substr(0, n - 4) + "ly"; // stable|ly
    if (n >= 8 && (w.compare(n - 4, 4, "able") == 0 || w.compare(n - 4, 4, "ible") == 0))
        form = w.substr(0, n - 4) + (w[n - 4] == 'a' ? "ible" : "able"); // resist|able
    return !form.empty() && known(form) ? form : std::string();
}

bool SpellingSuggester::isDerivation(const std::string &w) const
{
    static const std::unordered_set<std::string> runOns = {
        "alot", "eachother", "everytime", "infact", "incase", "atleast", "aswell", "inorder", "noone", "thankyou",
        "aslong", "eventhough", "ofcourse", "alltogether", "nowdays", "mostof", "alittle", "atlast", "inspite",
        "somepeople", "alltime", "nomatter", "evenif", "sothat", "suchas", "becauseof"};
    if (w.size() < 7 || w.size() > 40 || runOns.count(w))
        return false;
    static const char *const prefixes[] = {
        "micro", "macro", "multi", "inter", "intra", "cyber", "over", "under", "counter", "super", "hyper", "mega",
        "semi", "mini", "tele", "trans", "poly", "mono", "extra", "ultra", "anti", "post", "pre", "re", "sub",
        "non", "co", "de", "un", "bio", "geo", "neuro", "eco", "auto", "self", "out", "cross", "mis"};
    for (const char *p : prefixes) {
        const std::string pre(p);
        if (w.size() <= pre.size() + 3 || w.compare(0, pre.size(), pre) != 0)
            continue;
        const std::string stem = w.substr(pre.size());
        // a name is no stem ("de|troyes"); un- where English says in-, im-, il- or ir-
        // ("uneffective", "unjustice") is the learner's prefix, not a new word
        if (!known(stem) || !properName(stem).empty())
            continue;
        if (pre == "un") {
            const bool otherNegative = known("in" + stem) || known("im" + stem) || known("il" + stem)
                || known("ir" + stem) || known("dis" + stem);
            if (otherNegative)
                continue;
        }
        return true;
    }
    // British -ise/-isation spellings of -ize words
    static const std::pair<const char *, const char *> british[] = {
        {"isation", "ization"}, {"isations", "izations"}, {"ising", "izing"}, {"ised", "ized"}, {"ise", "ize"},
        {"ises", "izes"}};
    std::string american = w;
    for (const auto &[from, to] : british) {
        const std::string f(from);
        if (w.size() > f.size() + 3 && w.compare(w.size() - f.size(), f.size(), f) == 0) {
            american = w.substr(0, w.size() - f.size()) + to;
            if (known(american))
                return true;
            break;
        }
    }
    // learner slips that look like regular derivations: "vocabularys" (y -> ies),
    // "drasticly" (-ic -> -ically), "successfull" (-ful), "studing" (study -> studying)
    const size_t n = w.size();
    auto ends = [&](const char *sfx) {
        const size_t k = std::strlen(sfx);
        return n > k && w.compare(n - k, k, sfx) == 0;
    };
    auto consonant = [](char c) { return std::string("aeiou").find(c) == std::string::npos; };
    if (ends("ys") && n > 3 && consonant(w[n - 3]))
        return false;
    if (ends("icly") || ends("full") || ends("fullness") || ends("fullly"))
        return false;
    // a final y after a consonant turns i before a consonant ending ("wealthyness":
    // wealthiness), -le turns -ly ("stablely": stably), -able and -ible are not free
    // ("resistable": resistible)
    if (!respelledEnding(w).empty())
        return false;
    // -able on a word that keeps its e there, or on a name: a misspelt ending, no
    // derivation nor compound ("changable": chan|gable, "noticable": noti|cable)
    for (const char *sfx : {"able", "ably"})
        if (ends(sfx) && known(w.substr(0, n - 4) + "e")
            && (w[n - 5] == 'c' || w[n - 5] == 'g' || !properName(w.substr(0, n - 4)).empty()))
            return false;
    if (ends("ing") && m_lexicon.isPos(w.substr(0, n - 3) + "y", Lexicon::Verb)
        && m_lexicon.frequency(w.substr(0, n - 3) + "y") > 10 * m_lexicon.frequency(w.substr(0, n - 3)))
        return false;
    static const char *const suffixes[] = {"ability", "able", "ization", "izing", "ized", "ize", "ness", "less",
                                           "ers", "er", "ings", "ing", "ed", "es", "s", "ity", "ally", "ly"};
    for (const std::string &form : {w, american}) {
        for (const char *sfx : suffixes) {
            const std::string sf(sfx);
            if (form.size() < sf.size() + 4 || form.compare(form.size() - sf.size(), sf.size(), sf) != 0)
                continue;
            const std::string base = form.substr(0, form.size() - sf.size());
            // inflections attach to nouns and verbs only ("smallers" is no word)
            const bool plural = sf == "s" || sf == "es";
            const bool verbal = sf == "ed" || sf == "ing" || sf == "ings" || sf == "er" || sf == "ers";
            // -ly makes adverbs of adjectives ("incidently", "oftenly" are slips); -ally
            // only of -ic adjectives ("evidentally")
            const bool adverb = sf == "ly" || sf == "ally";
            const int need = plural ? (Lexicon::Noun | Lexicon::Verb)
                : verbal        ? int(Lexicon::Verb)
                : adverb        ? int(Lexicon::Adjective)
                                : ~0;
            if (sf == "ally" && (base.size() < 2 || base.compare(base.size() - 2, 2, "ic") != 0))
                continue;
            // -es follows a hissing sound or an o ("performes" is a slip); a silent e
            // goes before -ing and -ed ("changeing")
            auto baseEnds = [&](const char *x) {
                const size_t k = std::strlen(x);
                return base.size() > k && base.compare(base.size() - k, k, x) == 0;
            };
            if (sf == "es" && !(baseEnds("s") || baseEnds("x") || baseEnds("z") || baseEnds("ch") || baseEnds("sh")
                                || baseEnds("o")))
                continue;
            if ((sf == "ing" || sf == "ings" || sf == "ed") && baseEnds("e") && !baseEnds("ee") && !baseEnds("ye")
                && !baseEnds("oe"))
                continue;
            // a silent e drops only before a vowel: "definitly" is no form of "definite"; after
            // c and g it stays before -able to keep them soft ("changeable", "noticeable")
            const bool softEnd = baseEnds("c") || baseEnds("g");
            const bool dropsE = std::string("aeiy").find(sf[0]) != std::string::npos
                && !(softEnd && sf.compare(0, 3, "abl") == 0);
            // a final consonant that native spelling doubles before the ending ("preferring",
            // "beginning"): the form without it is a slip
            if ((verbal || sf == "able") && base.size() >= 3 && known(base + base.back() + sf))
                continue;
            if ((base.size() >= 4 && m_lexicon.frequency(base) > 0 && (m_lexicon.posMask(base) & need))
                || (dropsE && m_lexicon.frequency(base + "e") > 0 && (m_lexicon.posMask(base + "e") & need)))
                return true;
        }
    }
    // compounds of two common words of at least four letters each (weeklong, textstring)
    for (size_t cut = 4; cut + 4 <= w.size(); ++cut) {
        // a doubled letter at the cut is a misspelt inflection (writ|ting), not a compound
        if (w[cut - 1] == w[cut])
            continue;
        // a second part that is also an ending is a misspelt derivation (evident|ally, great|fully)
        static const std::unordered_set<std::string> endings = {"ally", "fully", "able", "less", "ness", "ment"};
        if (endings.count(w.substr(cut)))
            continue;
        const int ra = m_lexicon.frequencyRank(w.substr(0, cut));
        const int rb = m_lexicon.frequencyRank(w.substr(cut));
        // two words that native text writes apart are run together ("otherhand")
        if (ra > 0 && rb > 0 && ra < 30000 && rb < 30000 && !m_nativePairs.count(w.substr(0, cut) + ' ' + w.substr(cut)))
            return true;
    }
    return false;
}

double SpellingSuggester::cost(const std::string &typo, uint32_t candidate) const
{
    const double dist = EditDistance::weighted(typo, m_index.word(candidate));
    return kEditWeight * dist - std::log(std::min(double(m_index.count(candidate)), kCountCap) + 1.0);
}

std::string SpellingSuggester::matchCase(const std::string &original, const std::string &s)
{
    std::string out = s;
    if (out == "i" || out.rfind("i'", 0) == 0)
        out[0] = 'I';
    bool allCaps = original.size() > 1;
    for (char c : original)
        if (c >= 'a' && c <= 'z')
            allCaps = false;
    if (allCaps) {
        for (char &c : out)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
    } else if (!original.empty() && original[0] >= 'A' && original[0] <= 'Z' && !out.empty() && out[0] >= 'a'
               && out[0] <= 'z') {
        out[0] = char(out[0] - 'a' + 'A');
    }
    return out;
}

std::vector<SpellingSuggester::Suggestion> SpellingSuggester::suggest(const std::string &word, size_t max,
                                                                      int *slowSearches) const
{
    std::vector<Suggestion> out;
    const std::string lower = Tokenizer::toLower(word);
    if (lower.empty() || lower.size() > 40 || max == 0)
        return out;

    static const std::unordered_map<std::string, std::string> runOns = {
        {"alot", "a lot"}, {"eachother", "each other"}, {"everytime", "every time"}, {"infact", "in fact"},
        {"incase", "in case"}, {"atleast", "at least"}, {"aswell", "as well"}, {"inorder", "in order"},
        {"noone", "no one"}, {"thankyou", "thank you"}, {"ofcourse", "of course"}, {"nowdays", "nowadays"},
        {"alittle", "a little"}, {"inspite", "in spite"}, {"alright", "all right"},
        {"donnot", "do not"}, {"eventhough", "even though"}, {"atlast", "at last"}, {"nomatter", "no matter"},
        {"evenif", "even if"}, {"sothat", "so that"}, {"suchas", "such as"}, {"becauseof", "because of"},
        {"mostof", "most of"}, {"somepeople", "some people"}};
    std::vector<std::pair<double, std::string>> words;
    auto runOn = runOns.find(lower);
    if (runOn != runOns.end())
        words.emplace_back(-1e9, runOn->second);
    // a contraction written without its apostrophe: dont, isnt, theyre
    for (size_t i = 1; i + 1 <= lower.size() && lower.size() <= 8; ++i) {
        const std::string withApostrophe = lower.substr(0, i) + "'" + lower.substr(i);
        if (m_lexicon.frequency(withApostrophe) > 0)
            words.emplace_back(-1e9, withApostrophe);
    }

    std::vector<std::pair<double, uint32_t>> ranked;
    for (const SymSpellIndex::Hit &h : m_index.lookup(lower))
        if (h.distance > 0)
            ranked.emplace_back(cost(lower, h.word), h.word);
    if (ranked.empty() && lower.size() >= 4) {
        std::unordered_set<uint32_t> seen;
        for (const auto &list : {m_index.soundAlikes(lower), m_index.sameSkeleton(lower)})
            for (uint32_t idx : list)
                if (seen.insert(idx).second && EditDistance::damerau(lower, m_index.word(idx), 4) <= 4)
                    ranked.emplace_back(cost(lower, idx), idx);
    }
    if (ranked.empty() && lower.size() >= 4) {
        for (uint32_t idx : m_index.similar(lower, 40))
            ranked.emplace_back(cost(lower, idx), idx);
    }
    std::sort(ranked.begin(), ranked.end());

    for (const auto &[c, idx] : ranked) {
        if (words.size() >= max)
            break;
        if (!unsuitable(m_index.word(idx))) // a student is never offered a vulgar word
            words.emplace_back(c, m_index.word(idx));
    }
    if (words.empty() && (!slowSearches || *slowSearches > 0)) {
        // last resort: Hunspell's slower search (n-grams, affix rules, compounds)
        if (slowSearches)
            --*slowSearches;
        const std::vector<std::string> hs = hunspellSuggest(word);
        double c = 0.0;
        for (const std::string &s : hs) {
            if (words.size() >= max)
                break;
            if (unsuitable(s))
                continue;
            words.emplace_back(c, s); // Hunspell keeps the case of names ("Wendy")
            c += 1.0;
        }
    }
    // scores: a softmax over the costs, so that a clear winner gets a high score
    double sum = 0.0;
    std::vector<double> weights;
    for (const auto &w : words) {
        weights.push_back(std::exp(-std::min(50.0, w.first - words.front().first)));
        sum += weights.back();
    }
    std::unordered_set<std::string> seen;
    for (size_t i = 0; i < words.size(); ++i) {
        // a word the dictionary knows only as a name keeps its capital ("Malaysia")
        const std::string name = properName(words[i].second);
        const std::string cased = matchCase(word, name.empty() ? words[i].second : name);
        if (!seen.insert(cased).second)
            continue;
        out.push_back({cased, sum > 0 ? weights[i] / sum : 0.0});
    }
    return out;
}

bool SpellingSuggester::unsuitable(const std::string &candidate) const
{
    // each word of a phrase ("dumb ass") or a hyphenated compound
    std::string part;
    for (const char ch : candidate + " ") {
        if (ch == ' ' || ch == '-') {
            if (!part.empty() && m_lexicon.isUnsuitable(part))
                return true;
            part.clear();
        } else {
            part.push_back(ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch);
        }
    }
    return false;
}

std::vector<std::string> SpellingSuggester::hunspellSuggest(const std::string &word) const
{
    if (!m_hunspell)
        return {};
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hunspell->suggest(word);
}

} // namespace PennovaChecker
