#include "lexicon.h"

#include "wordclasses.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <fstream>
#include <sstream>

namespace PennovaChecker {

namespace {

struct Irregular
{
    const char *base, *past, *participle;
};

// Irregular verbs learners use; past and participle as in standard (US) English.
const Irregular kIrregular[] = {
    {"arise", "arose", "arisen"}, {"awake", "awoke", "awoken"}, {"be", "was", "been"}, {"bear", "bore", "born"},
    {"beat", "beat", "beaten"}, {"become", "became", "become"}, {"begin", "began", "begun"}, {"bend", "bent", "bent"},
    {"bet", "bet", "bet"}, {"bind", "bound", "bound"}, {"bite", "bit", "bitten"}, {"bleed", "bled", "bled"},
    {"blow", "blew", "blown"}, {"break", "broke", "broken"}, {"breed", "bred", "bred"}, {"bring", "brought", "brought"},
    {"broadcast", "broadcast", "broadcast"}, {"build", "built", "built"}, {"burst", "burst", "burst"},
    {"buy", "bought", "bought"}, {"cast", "cast", "cast"}, {"catch", "caught", "caught"}, {"choose", "chose", "chosen"},
    {"come", "came", "come"}, {"cost", "cost", "cost"}, {"creep", "crept", "crept"}, {"cut", "cut", "cut"},
    {"deal", "dealt", "dealt"}, {"dig", "dug", "dug"}, {"do", "did", "done"}, {"draw", "drew", "drawn"},
    {"drink", "drank", "drunk"}, {"drive", "drove", "driven"}, {"eat", "ate", "eaten"}, {"fall", "fell", "fallen"},
    {"feed", "fed", "fed"}, {"feel", "felt", "felt"}, {"fight", "fought", "fought"}, {"find", "found", "found"},
    {"flee", "fled", "fled"}, {"fly", "flew", "flown"}, {"forbid", "forbade", "forbidden"},
    {"forget", "forgot", "forgotten"}, {"forgive", "forgave", "forgiven"}, {"freeze", "froze", "frozen"},
    {"get", "got", "gotten"}, {"give", "gave", "given"}, {"go", "went", "gone"}, {"grow", "grew", "grown"},
    {"hang", "hung", "hung"}, {"have", "had", "had"}, {"hear", "heard", "heard"}, {"hide", "hid", "hidden"},
    {"hit", "hit", "hit"}, {"hold", "held", "held"}, {"hurt", "hurt", "hurt"}, {"keep", "kept", "kept"},
    {"know", "knew", "known"}, {"lay", "laid", "laid"}, {"lead", "led", "led"}, {"leave", "left", "left"},
    {"lend", "lent", "lent"}, {"let", "let", "let"}, {"lie", "lay", "lain"}, {"light", "lit", "lit"},
    {"lose", "lost", "lost"}, {"make", "made", "made"}, {"mean", "meant", "meant"}, {"meet", "met", "met"},
    {"pay", "paid", "paid"}, {"put", "put", "put"}, {"quit", "quit", "quit"}, {"read", "read", "read"},
    {"ride", "rode", "ridden"}, {"ring", "rang", "rung"}, {"rise", "rose", "risen"}, {"run", "ran", "run"},
    {"say", "said", "said"}, {"see", "saw", "seen"}, {"seek", "sought", "sought"}, {"sell", "sold", "sold"},
    {"send", "sent", "sent"}, {"set", "set", "set"}, {"shake", "shook", "shaken"}, {"shine", "shone", "shone"},
    {"shoot", "shot", "shot"}, {"show", "showed", "shown"}, {"shrink", "shrank", "shrunk"}, {"shut", "shut", "shut"},
    {"sing", "sang", "sung"}, {"sink", "sank", "sunk"}, {"sit", "sat", "sat"}, {"sleep", "slept", "slept"},
    {"slide", "slid", "slid"}, {"speak", "spoke", "spoken"}, {"spend", "spent", "spent"}, {"spin", "spun", "spun"},
    {"split", "split", "split"}, {"spread", "spread", "spread"}, {"stand", "stood", "stood"},
    {"steal", "stole", "stolen"}, {"stick", "stuck", "stuck"}, {"sting", "stung", "stung"},
    {"strike", "struck", "struck"}, {"swear", "swore", "sworn"}, {"sweep", "swept", "swept"},
    {"swim", "swam", "swum"}, {"swing", "swung", "swung"}, {"take", "took", "taken"}, {"teach", "taught", "taught"},
    {"tear", "tore", "torn"}, {"tell", "told", "told"}, {"think", "thought", "thought"},
    {"throw", "threw", "thrown"}, {"understand", "understood", "understood"}, {"upset", "upset", "upset"},
    {"wake", "woke", "woken"}, {"wear", "wore", "worn"}, {"weep", "wept", "wept"}, {"win", "won", "won"},
    {"withdraw", "withdrew", "withdrawn"}, {"write", "wrote", "written"}, {"fit", "fit", "fit"},
    {"forecast", "forecast", "forecast"}, {"overcome", "overcame", "overcome"}, {"undertake", "undertook", "undertaken"},
};

// Regular verbs common in learner writing (their forms follow the spelling rules).
const char *const kRegular[] = {
    "accept", "achieve", "act", "add", "admire", "admit", "advise", "affect", "agree", "allow", "answer", "appear",
    "apply", "argue", "arrive", "ask", "attend", "avoid", "believe", "belong", "borrow", "call", "care", "carry",
    "cause", "change", "cheat", "check", "clean", "climb", "close", "collect", "compare", "complain",
    "complete", "consider", "contain", "continue", "cook", "copy", "count", "create", "cry", "dance", "decide",
    "depend", "describe", "destroy", "develop", "die", "disappear", "discover", "discuss", "dislike", "divide",
    "enjoy", "enter", "escape", "exist", "expect", "explain", "fail", "fill", "finish", "fix", "follow", "guess",
    "happen", "hate", "help", "hope", "hurry", "imagine", "improve", "include", "increase", "influence", "invite",
    "join", "jump", "kill", "kiss", "laugh", "learn", "like", "listen", "live", "look", "love", "manage", "marry",
    "matter", "miss", "move", "need", "notice", "obey", "offer", "open", "order", "own", "pass", "perform", "pick",
    "plan", "play", "pollute", "prefer", "prepare", "prevent", "produce", "promise", "protect", "provide", "pull",
    "push", "reach", "realize", "receive", "recognize", "reduce", "refuse", "relax", "remain", "remember", "repeat",
    "reply", "require", "rest", "return", "save", "seem", "serve", "share", "shop", "shout", "smile", "solve",
    "start", "stay", "stop", "study", "succeed", "suffer", "suggest", "support", "suppose", "talk", "taste", "thank",
    "touch", "travel", "try", "turn", "use", "visit", "wait", "walk", "want", "wash", "waste", "watch", "wish",
    "wonder", "work", "worry", "cooperate", "communicate", "encourage", "graduate",
};

// One-syllable (or final-stressed) verbs that double their last consonant.
const char *const kDoubling[] = {"stop", "plan", "shop", "prefer", "admit", "drop", "hug", "chat", "rob", "beg",
                                 "permit", "occur", "refer", "regret", "control", "commit", "submit", "step"};

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }
bool endsWith(const std::string &s, const char *suf)
{
    const std::string t(suf);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

bool doubles(const std::string &base)
{
    for (const char *d : kDoubling)
        if (base == d)
            return true;
    return false;
}

} // namespace

Lexicon::Lexicon(const std::string &dataDir, const std::string &wordnetDir)
{
    loadFrequencies(dataDir + "/frequency_dictionary_en_82_765.txt");
    loadWordNetIndex(wordnetDir + "/index.noun", Noun);
    loadNounClasses(wordnetDir + "/data.noun");
    loadWordNetIndex(wordnetDir + "/index.verb", Verb);
    loadWordNetIndex(wordnetDir + "/index.adj", Adjective);
    loadWordNetIndex(wordnetDir + "/index.adv", Adverb);
    loadCefr(dataDir + "/cefrj-vocabulary-profile-1.5.csv");
    loadCefr(dataDir + "/octanove-vocabulary-profile-c1c2-1.0.csv");
    loadUnsuitable(dataDir + "/unsuitable-words.txt");
    buildVerbTables();
    for (const WordClass c : {WordClass::FeelingVerb, WordClass::GerundVerb, WordClass::ClauseVerb}) {
        std::unordered_set<std::string> &forms = m_classForms[int(c)];
        for (const std::string &base : WordClasses::words(c))
            forms.insert({base, thirdPerson(base), pastOf(base), participleOf(base), ingOf(base)});
    }
}

void Lexicon::loadUnsuitable(const std::string &path)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty() && line[0] != '#' && line.size() <= 40)
            m_unsuitable.insert(line);
    }
}

void Lexicon::loadFrequencies(const std::string &path)
{
    std::ifstream in(path);
    std::string line;
    int rank = 0;
    while (std::getline(in, line)) {
        if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF)
            line.erase(0, 3); // byte-order mark
        const size_t sp = line.find(' ');
        if (sp == std::string::npos || sp == 0)
            continue;
        const std::string word = line.substr(0, sp);
        const uint64_t count = std::strtoull(line.c_str() + sp + 1, nullptr, 10);
        if (m_freq.emplace(word, count).second) {
            WordInfo &info = m_info[word];
            info.frequency = count;
            info.rank = ++rank;
        }
    }
}

void Lexicon::loadWordNetIndex(const std::string &path, int bit)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == ' ')
            continue; // licence header lines start with spaces
        const size_t sp = line.find(' ');
        const std::string lemma = line.substr(0, sp);
        if (lemma.find('_') != std::string::npos)
            continue;
        m_info[lemma].pos |= bit;
        if (bit != Noun || !m_freq.count(lemma))
            continue;
        // lemma pos synset_cnt p_cnt [ptr_symbol...] sense_cnt tagsense_cnt offset...
        std::istringstream fields(line.substr(sp));
        std::string pos, skip;
        int synsets = 0, pointers = 0;
        if (!(fields >> pos >> synsets >> pointers) || pointers < 0 || pointers > 64)
            continue;
        for (int k = 0; k < pointers + 2 && fields >> skip; ++k) {
        }
        long offset = -1;
        if (fields >> offset && offset >= 0 && offset < (1L << 30))
            m_nounClass[lemma] = int(offset);
    }
}

void Lexicon::loadNounClasses(const std::string &dataPath)
{
    std::ifstream in(dataPath, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto it = m_nounClass.begin(); it != m_nounClass.end();) {
        // "03544360 06 n 01 house ...": the line at the offset starts with the offset itself
        const size_t at = size_t(it->second);
        char head[9];
        std::snprintf(head, sizeof head, "%08d", it->second);
        if (at + 12 > data.size() || data.compare(at, 8, head) != 0 || data[at + 8] != ' '
            || !std::isdigit(static_cast<unsigned char>(data[at + 9])) || !std::isdigit(static_cast<unsigned char>(data[at + 10]))) {
            it = m_nounClass.erase(it);
            continue;
        }
        it->second = (data[at + 9] - '0') * 10 + (data[at + 10] - '0');
        ++it;
    }
}

int Lexicon::nounClass(const std::string &lower) const
{
    auto it = m_nounClass.find(lower);
    return it == m_nounClass.end() ? -1 : it->second;
}

void Lexicon::loadCefr(const std::string &path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::stringstream row(line);
        std::string head, pos, level;
        if (!std::getline(row, head, ',') || !std::getline(row, pos, ',') || !std::getline(row, level, ','))
            continue;
        static const char *const names[] = {"A1", "A2", "B1", "B2", "C1", "C2"};
        int value = 0;
        for (int i = 0; i < 6; ++i)
            if (level.rfind(names[i], 0) == 0)
                value = i + 1;
        if (!value)
            continue;
        std::stringstream variants(head); // "a.m./A.M./am/AM"
        std::string v;
        while (std::getline(variants, v, '/')) {
            std::string w;
            for (char c : v)
                w.push_back((c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c);
            auto it = m_cefr.find(w);
            if (it == m_cefr.end() || it->second > value)
                m_cefr[w] = value;
        }
    }
}

std::string Lexicon::thirdPerson(const std::string &base) const
{
    if (base == "be")
        return "is";
    if (base == "have")
        return "has";
    if (base == "do" || base == "go")
        return base + "es";
    if (endsWith(base, "s") || endsWith(base, "x") || endsWith(base, "z") || endsWith(base, "ch") || endsWith(base, "sh")
        || endsWith(base, "o"))
        return base + "es";
    if (base.size() > 1 && base.back() == 'y' && !isVowel(base[base.size() - 2]))
        return base.substr(0, base.size() - 1) + "ies";
    return base + "s";
}

std::string Lexicon::pastOf(const std::string &base) const
{
    auto it = m_baseToPast.find(base);
    if (it != m_baseToPast.end())
        return it->second;
    if (base.empty())
        return base;
    if (base.back() == 'e')
        return base + "d";
    if (base.size() > 1 && base.back() == 'y' && !isVowel(base[base.size() - 2]))
        return base.substr(0, base.size() - 1) + "ied";
    if (doubles(base))
        return base + base.back() + "ed";
    return base + "ed";
}

std::string Lexicon::participleOf(const std::string &base) const
{
    auto it = m_baseToParticiple.find(base);
    return it != m_baseToParticiple.end() ? it->second : pastOf(base);
}

std::string Lexicon::ingOf(const std::string &base) const
{
    if (base == "be" || base == "see" || base == "flee" || base == "agree")
        return base + "ing";
    if (endsWith(base, "ie"))
        return base.substr(0, base.size() - 2) + "ying";
    if (base.size() > 2 && base.back() == 'e' && !endsWith(base, "ee") && !endsWith(base, "ye") && !endsWith(base, "oe"))
        return base.substr(0, base.size() - 1) + "ing";
    if (doubles(base) || base == "run" || base == "swim" || base == "sit" || base == "get" || base == "win"
        || base == "begin" || base == "put" || base == "cut" || base == "hit" || base == "set" || base == "let"
        || base == "forget" || base == "shut" || base == "dig" || base == "spin" || base == "split" || base == "quit")
        return base + base.back() + "ing";
    return base + "ing";
}

void Lexicon::buildVerbTables()
{
    for (const Irregular &v : kIrregular) {
        m_commonBase[v.base] = 1;
        m_baseToPast[v.base] = v.past;
        m_baseToParticiple[v.base] = v.participle;
        if (std::string(v.base) != "be") {
            m_past[v.past] = v.base;
            if (std::string(v.participle) != v.past && std::string(v.participle) != v.base)
                m_participle[v.participle] = v.base;
            m_third[thirdPerson(v.base)] = v.base;
        }
    }
    for (const char *b : kRegular) {
        m_commonBase[b] = 1;
        m_past[pastOf(b)] = b;
        m_third[thirdPerson(b)] = b;
    }
    m_past["were"] = "be";
    m_past["was"] = "be";
    m_third["is"] = "be";
}

uint64_t Lexicon::frequency(const std::string &lower) const
{
    const WordInfo *info = m_info.find(lower);
    return info ? info->frequency : 0;
}

int Lexicon::frequencyRank(const std::string &lower) const
{
    const WordInfo *info = m_info.find(lower);
    return info ? info->rank : 0;
}

int Lexicon::posMask(const std::string &lower) const
{
    const WordInfo *info = m_info.find(lower);
    return info ? info->pos : 0;
}

bool Lexicon::isCommonVerbBase(const std::string &lower) const { return m_commonBase.contains(lower); }
bool Lexicon::isThirdPerson(const std::string &lower) const { return m_third.count(lower) != 0; }

bool Lexicon::isPlainVerbOnly(const std::string &lower) const
{
    return lower.size() > 3 && posMask(lower) == Verb && !m_commonBase.contains(lower) && !isPastForm(lower)
        && frequency(thirdPerson(lower)) >= 100000;
}

std::string Lexicon::baseOfThird(const std::string &lower) const
{
    auto it = m_third.find(lower);
    if (it != m_third.end())
        return it->second;
    if (lower.size() < 5 || lower.back() != 's')
        return {};
    // undo the spelling rules of thirdPerson(): -ies, -es, -s
    for (const std::string &base : {lower.substr(0, lower.size() - 3) + "y", lower.substr(0, lower.size() - 2),
                                    lower.substr(0, lower.size() - 1)})
        if (isPlainVerbOnly(base) && thirdPerson(base) == lower)
            return base;
    return {};
}
bool Lexicon::isPastForm(const std::string &lower) const { return m_past.count(lower) != 0; }
bool Lexicon::isParticiple(const std::string &lower) const { return m_participle.count(lower) != 0; }

std::string Lexicon::baseOfPast(const std::string &past) const
{
    auto it = m_past.find(past);
    return it == m_past.end() ? std::string() : it->second;
}

bool Lexicon::baseEqualsPast(const std::string &base) const
{
    auto it = m_baseToPast.find(base);
    return it != m_baseToPast.end() && it->second == base;
}

std::string Lexicon::baseOf(const std::string &form) const
{
    if (m_commonBase.contains(form))
        return form;
    for (const auto *table : {&m_third, &m_past, &m_participle}) {
        auto it = table->find(form);
        if (it != table->end())
            return it->second;
    }
    return {};
}

int Lexicon::comparativeKind(const std::string &w) const
{
    static const std::unordered_set<std::string> listed = {
        "more", "less", "rather", "fewer", "better", "worse", "bigger", "smaller", "larger", "higher", "lower",
        "older", "younger", "greater", "easier", "harder", "faster", "slower", "longer", "shorter", "stronger",
        "cheaper", "happier", "richer", "poorer", "heavier", "wider", "deeper", "warmer", "colder", "hotter",
        "safer", "simpler", "smarter", "busier", "taller", "earlier", "later", "nicer", "weaker"};
    if (listed.count(w))
        return 2;
    if (w.size() < 5 || w.compare(w.size() - 2, 2, "er") != 0 || isPos(w, Noun) || isPos(w, Verb))
        return 0;
    const std::string stem = w.substr(0, w.size() - 2);
    const std::vector<std::string> bases = {
        stem, stem + "e", stem.size() > 1 && stem.back() == 'i' ? stem.substr(0, stem.size() - 1) + "y" : std::string(),
        stem.size() > 2 && stem.back() == stem[stem.size() - 2] ? stem.substr(0, stem.size() - 1) : std::string()};
    for (const std::string &b : bases)
        if (!b.empty() && isPos(b, Adjective) && cefrLevel(b) > 0 && cefrLevel(b) <= 3)
            return 1;
    return 0;
}

int Lexicon::cefrLevel(const std::string &lower) const
{
    auto it = m_cefr.find(lower);
    return it == m_cefr.end() ? 0 : it->second;
}

bool Lexicon::formInClass(WordClass c, const std::string &w) const
{
    const auto it = m_classForms.find(int(c));
    return it != m_classForms.end() && it->second.count(w) != 0;
}

bool Lexicon::isDeterminer(const std::string &w) const
{
    return WordClasses::contains(WordClass::Determiner, w);
}

bool Lexicon::isPreposition(const std::string &w) const
{
    return WordClasses::contains(WordClass::Preposition, w);
}

bool Lexicon::isModal(const std::string &w) const
{
    return WordClasses::contains(WordClass::Modal, w);
}

bool Lexicon::isAuxiliary(const std::string &w) const
{
    return WordClasses::contains(WordClass::Auxiliary, w);
}

} // namespace PennovaChecker
