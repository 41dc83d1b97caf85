#include "morphologyrules.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

const char *const kShortAdjectives[] = {
    "big", "small", "easy", "hard", "fast", "large", "high", "low", "old", "young", "cheap", "happy", "strong", "long",
    "short", "rich", "poor", "busy", "early", "late", "tall", "warm", "cold", "hot", "nice", "great", "bright", "clean",
    "clear", "close", "deep", "dark", "fine", "heavy", "light", "loud", "quick", "quiet", "safe", "simple", "slow",
    "smart", "soft", "thick", "thin", "weak", "wide", "wise", "lucky", "funny", "pretty", "healthy", "wealthy", "angry",
    "lazy", "dirty", "noisy", "tiny", "ugly", "crazy", "scary", "rough", "tough", "sharp", "fresh", "cool", "kind",
    "mild", "proud", "rare", "sad", "fat", "flat", "calm", "new", "cute", "brave", "hungry", "friendly", "near"};

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

// "big" -> "bigg" (stem before -er/-est), "easy" -> "easi", "nice" -> "nic"
std::string gradeStem(const std::string &a)
{
    const size_t n = a.size();
    if (a.back() == 'y' && n > 1 && !isVowel(a[n - 2]))
        return a.substr(0, n - 1) + "i";
    if (a.back() == 'e')
        return a.substr(0, n - 1);
    if (n >= 3 && !isVowel(a[n - 1]) && a[n - 1] != 'w' && a[n - 1] != 'y' && isVowel(a[n - 2]) && !isVowel(a[n - 3]))
        return a + a.back();
    return a;
}

struct Graded
{
    std::unordered_set<std::string> comparative, superlative;
    Graded()
    {
        for (const char *a : kShortAdjectives) {
            comparative.insert(gradeStem(a) + "er");
            superlative.insert(gradeStem(a) + "est");
        }
        comparative.insert({"better", "worse", "further", "farther"});
        superlative.insert({"best", "worst", "furthest", "farthest"});
    }
};

const std::unordered_map<std::string, std::string> &uncountable()
{
    static const std::unordered_map<std::string, std::string> m = {
        {"informations", "information"}, {"advices", "advice"}, {"equipments", "equipment"},
        {"furnitures", "furniture"}, {"luggages", "luggage"}, {"baggages", "baggage"}, {"homeworks", "homework"},
        {"houseworks", "housework"}, {"knowledges", "knowledge"}, {"feedbacks", "feedback"},
        {"softwares", "software"}, {"hardwares", "hardware"}, {"sceneries", "scenery"}, {"jewelries", "jewelry"},
        {"jewelleries", "jewellery"}, {"machineries", "machinery"}, {"musics", "music"}, {"pollutions", "pollution"},
        {"garbages", "garbage"}, {"rubbishes", "rubbish"}, {"leisures", "leisure"}, {"vocabularies", "vocabulary"},
        {"sunshines", "sunshine"}, {"wealths", "wealth"}, {"healths", "health"}, {"livestocks", "livestock"},
        {"slangs", "slang"}, {"clothings", "clothing"}, {"evidences", "evidence"},
        {"medias", "media"}, {"transportations", "transportation"}, {"violences", "violence"}};
    return m;
}

const std::unordered_map<std::string, std::string> &irregularPlurals()
{
    static const std::unordered_map<std::string, std::string> m = {
        {"childs", "children"}, {"childrens", "children"}, {"womans", "women"}, {"mens", "men"},
        {"womens", "women"}, {"foots", "feet"}, {"feets", "feet"}, {"tooths", "teeth"}, {"teeths", "teeth"},
        {"sheeps", "sheep"}, {"fishs", "fish"}, {"deers", "deer"}, {"gooses", "geese"}, {"knifes", "knives"},
        {"wifes", "wives"}, {"lifes", "lives"}, {"wolfs", "wolves"}, {"thiefs", "thieves"}, {"halfs", "halves"},
        {"shelfs", "shelves"}, {"potatos", "potatoes"}, {"tomatos", "tomatoes"}, {"heros", "heroes"},
        {"phenomenons", "phenomena"}, {"criterions", "criteria"}, {"criterias", "criteria"}, {"datas", "data"},
        {"gooder", "better"}, {"goodest", "best"}, {"badder", "worse"}};
    return m;
}

// regularised past forms of irregular verbs -> base
const std::unordered_map<std::string, std::string> &regularisedVerbs()
{
    static const std::unordered_map<std::string, std::string> m = {
        {"goed", "go"}, {"comed", "come"}, {"eated", "eat"}, {"taked", "take"}, {"gived", "give"},
        {"writed", "write"}, {"buyed", "buy"}, {"teached", "teach"}, {"thinked", "think"}, {"bringed", "bring"},
        {"catched", "catch"}, {"runned", "run"}, {"swimmed", "swim"}, {"drinked", "drink"}, {"knowed", "know"},
        {"maked", "make"}, {"sayed", "say"}, {"speaked", "speak"}, {"breaked", "break"}, {"choosed", "choose"},
        {"drived", "drive"}, {"falled", "fall"}, {"feeled", "feel"}, {"fighted", "fight"}, {"finded", "find"},
        {"flyed", "fly"}, {"forgeted", "forget"}, {"getted", "get"}, {"growed", "grow"}, {"hided", "hide"},
        {"holded", "hold"}, {"keeped", "keep"}, {"leaved", "leave"}, {"losed", "lose"}, {"meaned", "mean"},
        {"meeted", "meet"}, {"selled", "sell"}, {"sended", "send"}, {"sitted", "sit"}, {"sleeped", "sleep"},
        {"spended", "spend"}, {"standed", "stand"}, {"stealed", "steal"}, {"throwed", "throw"},
        {"understanded", "understand"}, {"weared", "wear"}, {"winned", "win"}, {"telled", "tell"},
        {"hurted", "hurt"}, {"cutted", "cut"}, {"hitted", "hit"}, {"becomed", "become"}, {"begined", "begin"},
        {"beginned", "begin"}, {"builded", "build"}, {"blowed", "blow"}, {"drawed", "draw"}, {"digged", "dig"},
        {"feeded", "feed"}, {"lended", "lend"}, {"rided", "ride"}, {"rised", "rise"}, {"shaked", "shake"},
        {"shooted", "shoot"}, {"shutted", "shut"}, {"striked", "strike"}, {"swinged", "swing"}, {"heared", "hear"},
        {"layed", "lay"}, {"readed", "read"}, {"setted", "set"}, {"letted", "let"}, {"bited", "bite"},
        {"bleeded", "bleed"}, {"dealed", "deal"}, {"forgived", "forgive"}, {"freezed", "freeze"},
        {"sinked", "sink"}, {"slided", "slide"}, {"spinned", "spin"}, {"splitted", "split"},
        {"spreaded", "spread"}, {"sticked", "stick"}, {"sweared", "swear"}, {"sweeped", "sweep"},
        {"weeped", "weep"}, {"withdrawed", "withdraw"}, {"bended", "bend"}, {"arised", "arise"},
        {"payed", "pay"}, {"putted", "put"}, {"seeked", "seek"}, {"singed", "sing"}};
    return m;
}

} // namespace

void MorphologyRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    comparatives(t, out);
    analyticComparatives(t, out);
    wordForms(t, out);
}

void MorphologyRules::comparatives(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const Graded graded;
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const Token &m = t[size_t(i)];
        if (m.kind != Token::Word || (m.lower != "more" && m.lower != "most"))
            continue;
        const int a = RuleSupport::nextWord(t, i);
        if (a < 0)
            continue;
        const std::string &adj = t[size_t(a)].lower;
        if (m.lower == "more") {
            static const std::unordered_set<std::string> joiners = {"to", "and", "or", "but", "because", "so",
                                                                    "if", "when", "than"};
            if (!graded.comparative.count(adj))
                continue;
            // "more older people" (a larger number of) is right; only judge before "than" or an
            // end, or where "more" cannot mean a number ("a more healthier life", "much more easier")
            // (nor where no noun follows: "more easier to learn", "more better and cheaper")
            const bool end = a + 1 >= int(t.size()) || t[size_t(a) + 1].kind == Token::Punct
                || t[size_t(a) + 1].lower == "than"
                || m_lex.isPreposition(t[size_t(a) + 1].lower) || joiners.count(t[size_t(a) + 1].lower);
            const std::string before = i > 0 ? t[size_t(i) - 1].lower : std::string();
            const bool degree = before == "a" || before == "an" || before == "much" || before == "even"
                || before == "far";
            if (!end && !degree)
                continue;
        } else if (!graded.superlative.count(adj)) {
            continue;
        } else if (i > 0 && t[size_t(i) - 1].lower == "at") {
            continue;
        }
        Finding f;
        if (RuleSupport::deletion(t, i, "MOPHOLOGY", "double_comparative", 3, &f))
            out->push_back(f);
    }
}

void MorphologyRules::analyticComparatives(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // "more easy than" -> "easier than"
    static const std::unordered_set<std::string> shortAdjectives(std::begin(kShortAdjectives), std::end(kShortAdjectives));
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "more" || t[size_t(i) + 2].lower != "than")
            continue;
        const std::string &adj = t[size_t(i) + 1].lower;
        if (t[size_t(i) + 1].kind != Token::Word || !shortAdjectives.count(adj) || adj == "clear" || adj == "fine"
            || adj == "friendly" || adj == "kind" || adj == "proud" || adj == "rare" || adj == "near")
            continue;
        const std::string comparative = gradeStem(adj) + "er";
        out->push_back(RuleSupport::replace(t, i, i + 1, comparative, "MOPHOLOGY", "comparative_form", 2));
    }
}

void MorphologyRules::wordForms(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const std::unordered_set<std::string> perfect = {"have", "has", "had", "having", "'ve", "is", "are", "was",
                                                            "were", "been", "be", "being", "get", "got", "am"};
    for (int i = 0; i < int(t.size()); ++i) {
        const Token &w = t[size_t(i)];
        if (w.kind != Token::Word || w.attached || w.isAllCaps())
            continue;
        auto u = uncountable().find(w.lower);
        if (u != uncountable().end()) {
            out->push_back(RuleSupport::replace(t, i, i, u->second, "MOPHOLOGY", "uncountable_plural", 3));
            continue;
        }
        // "researches" is also a verb ("She researches"): a plural noun only after a word that
        // opens a noun phrase
        static const std::unordered_set<std::string> nounOpeners = {
            "the", "these", "those", "many", "some", "several", "more", "such", "other", "their", "our", "my",
            "your", "recent", "previous", "scientific", "medical", "various", "numerous", "further", "latest",
            "new", "much", "all", "his", "her", "its", "current", "academic"};
        if (w.lower == "researches" && i > 0 && nounOpeners.count(t[size_t(i) - 1].lower)) {
            out->push_back(RuleSupport::replace(t, i, i, "research", "MOPHOLOGY", "uncountable_plural", 2));
            continue;
        }
        auto p = irregularPlurals().find(w.lower);
        if (p != irregularPlurals().end()) {
            const bool grade = w.lower == "gooder" || w.lower == "goodest" || w.lower == "badder";
            out->push_back(RuleSupport::replace(t, i, i, p->second, "MOPHOLOGY",
                                                grade ? "irregular_comparative" : "irregular_plural", 3));
            continue;
        }
        auto v = regularisedVerbs().find(w.lower);
        if (v != regularisedVerbs().end()) {
            bool participle = false;
            for (int k = i - 1; k >= 0 && k >= i - 3; --k) {
                if (t[size_t(k)].kind != Token::Word)
                    break;
                if (perfect.count(t[size_t(k)].lower) || (t[size_t(k)].lower.size() > 3
                                                          && t[size_t(k)].lower.compare(t[size_t(k)].lower.size() - 3, 3, "'ve") == 0)) {
                    participle = true;
                    break;
                }
            }
            const std::string fixed = participle ? m_lex.participleOf(v->second) : m_lex.pastOf(v->second);
            // forms that are also real words elsewhere ("payed" in sailing) are less sure
            const int certainty = (w.lower == "payed" || w.lower == "singed" || w.lower == "putted") ? 1 : 3;
            out->push_back(RuleSupport::replace(t, i, i, fixed, "MOPHOLOGY", "irregular_verb", certainty));
        }
    }
}

} // namespace PennovaChecker

namespace PennovaChecker {

void MorphologyRules::countingWords(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                    std::vector<Finding> *out) const
{
    // nouns that are never counted (knowledge, work and experience are, in some senses)
    static const std::unordered_set<std::string> nouns = {
        "information", "advice", "equipment", "furniture", "luggage", "baggage", "homework", "housework",
        "feedback", "software", "scenery", "machinery", "jewelry", "jewellery", "garbage", "rubbish", "news",
        "research", "evidence", "traffic", "vocabulary", "pollution", "progress", "weather", "music", "chaos",
        "money", "electricity", "wealth", "health", "permission", "clothing", "courage", "mankind", "harm", "luck",
        "stuff", "bread", "poverty", "violence", "patience", "safety", "damage", "slang",
        "transportation", "applause", "cash", "merchandise"};
    static const std::unordered_set<std::string> pieces = {"information", "advice", "equipment", "furniture",
                                                           "luggage", "baggage", "news", "evidence", "jewelry",
                                                           "jewellery", "music", "bread"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const std::string &w = t[size_t(i)].lower;
        const bool article = w == "a" || w == "an";
        const bool many = w == "many" || w == "several";
        const bool aFew = w == "few" && i > 0 && t[size_t(i) - 1].lower == "a";
        static const std::unordered_set<std::string> quantities = {"few", "little", "lot", "bit"};
        if ((!article && !many && !aFew) || (article && quantities.count(RuleSupport::lowerAt(t, i + 1))))
            continue;
        int n = RuleSupport::nextWord(t, i);
        // one adjective may come between: "a useful advice"
        if (n >= 0 && RuleSupport::tagIs(tags, n, "JJ") && !nouns.count(t[size_t(n)].lower))
            n = RuleSupport::nextWord(t, n);
        if (n < 0 || !nouns.count(t[size_t(n)].lower))
            continue;
        const int after = n + 1;
        static const std::unordered_set<std::string> times = {"today", "tomorrow", "yesterday", "tonight", "now"};
        if ((RuleSupport::tagIs(tags, after, "NN") && !times.count(RuleSupport::lowerAt(t, after)))
            || RuleSupport::lowerAt(t, after) == "of"
            || (after < int(t.size()) && !t[size_t(after)].spaceBefore && t[size_t(after)].text == "-")
            || (t[size_t(n)].isCapitalised() && after < int(t.size()) && t[size_t(after)].isCapitalised()))
            continue; // "an information desk", "a research of ...", "a music-lover", "a Data Analysis course"
        const std::string &noun = t[size_t(n)].lower;
        if (article && n == i + 1 && (noun == "weather" || noun == "music" || noun == "progress" || noun == "traffic"))
            continue; // "a weather report" already passed; these read oddly only with a count
        if (article && n > i + 1 && pieces.count(noun)) {
            // with an adjective the noun alone comes first ("old information"); a count goes
            // after the adjective ("an old piece of information"), never before it
            const std::string middle = RuleSupport::textOf(t, i + 1, n);
            Finding f = RuleSupport::replace(t, i, n, RuleSupport::caseLike(t[size_t(i)], middle), "MOPHOLOGY",
                                             "uncountable_count", 3);
            Candidate counted = f.candidates[0];
            counted.correction = t[size_t(i)].text + " " + RuleSupport::textOf(t, i + 1, n - 1) + " piece of "
                + t[size_t(n)].text;
            counted.score /= 2;
            f.candidates.push_back(counted);
            out->push_back(f);
        } else if (article) {
            const std::string middle = RuleSupport::textOf(t, i + 1, n);
            Finding f = RuleSupport::replace(t, i, n, pieces.count(noun) ? "a piece of " + middle : middle,
                                             "MOPHOLOGY", "uncountable_count", 3);
            if (pieces.count(noun)) {
                Candidate bare = f.candidates[0];
                bare.correction = RuleSupport::caseLike(t[size_t(i)], middle);
                bare.score /= 2;
                f.candidates.push_back(bare);
            }
            out->push_back(f);
        } else if (many) {
            out->push_back(RuleSupport::replace(t, i, i, "much", "MOPHOLOGY", "uncountable_count", 3));
        } else {
            out->push_back(RuleSupport::replace(t, i - 1, i, "a little", "MOPHOLOGY", "uncountable_count", 3));
        }
    }
}

} // namespace PennovaChecker
