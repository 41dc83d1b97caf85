#include "englishchecker.h"

#include "shippeddata.h"

#include "adverbrules.h"
#include "agreementrules.h"
#include "articlechoicerule.h"
#include "missingprepositionrule.h"
#include "prepositionchoicerule.h"
#include "prepositionmodelrule.h"
#include "timeprepositionrule.h"
#include "articlerules.h"
#include "barenounrule.h"
#include "comparativerules.h"
#include "complementrules.h"
#include "countedamountrule.h"
#include "collocationrule.h"
#include "confusionrules.h"
#include "explanationpages.h"
#include "fragmentrule.h"
#include "gapspan.h"
#include "grammarrules.h"
#include "lemmatizer.h"
#include "lexicon.h"
#include "morphologyrules.h"
#include "openerrules.h"
#include "clausecommarule.h"
#include "functionrule.h"
#include "generictherule.h"
#include "noundeterminers.h"
#include "punctuationrules.h"
#include "pronounrules.h"
#include "questionrules.h"
#include "ruleengine.h"
#include "ruleregistry.h"
#include "nounnumberrule.h"
#include "verbcomplementrule.h"
#include "verbformmodelrule.h"
#include "nounphraserules.h"
#include "numberlistrules.h"
#include "numberrules.h"
#include "pastanchorrule.h"
#include "patternrules.h"
#include "polisher.h"
#include "postagger.h"
#include "wordforms.h"
#include "scorer.h"
#include "spellingrule.h"
#include "spellingsuggester.h"
#include "stylerules.h"
#include "synonymfinder.h"
#include "tenserules.h"
#include "transitivityrules.h"
#include "verbpatternrules.h"
#include "verbformrules.h"
#include "wordformrules.h"
#include "wordnetdictionary.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>

namespace PennovaChecker {

namespace {

constexpr size_t kMaxFindings = 100; // per sentence
// The rule files with a place of their own among the rule classes (see checkSentence).
const char *const kPlacedFamilies[] = {"confusions", "split", "redundant", "gerunds",  "phrases",
                                       "articles",   "prepositions", "negation", "feelings", "wordy"};

std::string defaultDataDir()
{
    if (const char *env = std::getenv("PENNOVA_CHECKER_DATA"))
        return env;
    return ShippedData::folder(ShippedData::Checker);
}

// What the request's configuration list switches on. A key counts when present
// and not "0"; an empty list means the full sentence configuration.
struct Switches
{
    bool spell = true, real = true, mor = true, grammar = true, det = true, rule = true, style = true,
         poststyle = true;
    int confidence = 2;

    unsigned bits() const
    {
        return (spell ? SwitchSpell : 0u) | (real ? SwitchReal : 0u) | (mor ? SwitchMor : 0u)
            | (grammar ? SwitchGrammar : 0u) | (det ? SwitchDet : 0u) | (rule ? SwitchRule : 0u)
            | (style ? SwitchStyle : 0u) | (poststyle ? SwitchPostStyle : 0u);
    }

    explicit Switches(const std::vector<std::string> &config)
    {
        if (config.empty())
            return;
        std::map<std::string, std::string> kv;
        for (size_t i = 0; i + 1 < config.size(); i += 2)
            kv[config[i]] = config[i + 1];
        auto on = [&](const char *key) {
            auto it = kv.find(key);
            return it != kv.end() && it->second != "0" && !it->second.empty();
        };
        spell = on("server.spell");
        real = on("server.real");
        mor = on("server.mor");
        grammar = on("server.grammar");
        det = on("server.det");
        rule = on("server.rule");
        style = on("server.style");
        poststyle = on("server.poststyle");
        auto c = kv.find("server.confidence");
        if (c != kv.end())
            confidence = std::max(1, std::min(3, std::atoi(c->second.c_str())));
    }
};

bool isQuote(const Token &t)
{
    return t.kind == Token::Punct
        && (t.text == "\"" || t.text == "'" || t.text == "\xE2\x80\x9C" || t.text == "\xE2\x80\x9D"
            || t.text == "\xE2\x80\x98");
}

// A single word in quotation marks is mentioned, not used: "everyday" is right there.
bool quotedWord(const std::vector<Token> &t, const Finding &f)
{
    for (size_t k = 1; k + 1 < t.size(); ++k)
        if (t[k].start == f.start && t[k].end == f.end)
            return isQuote(t[k - 1]) && !t[k].spaceBefore && isQuote(t[k + 1]) && !t[k + 1].spaceBefore;
    return false;
}

} // namespace

class CheckerData
{
public:
    CheckerData(const std::string &dataDir, const std::string &hunspellDir)
        : lexicon(dataDir, "/usr/share/wordnet")
        , forms(hunspellDir, "/usr/share/wordnet")
        , tagger(&lexicon, &forms)
        , speller(lexicon, hunspellDir)
        , spelling(speller)
        , grammar(lexicon)
        , morphology(lexicon)
        , numbers(lexicon)
        , verbPatterns(lexicon)
        , confusion(lexicon)
        , fragment(lexicon)
        , scorer(lexicon)
        , polisher(lexicon)
        , wordnet("/usr/share/wordnet")
        , synonyms(lexicon, wordnet)
        , tense(lexicon)
        , pastAnchor(lexicon)
        , countedAmount(lexicon)
        , verbForms(lexicon)
        , agreement(lexicon)
        , articles(lexicon, numbers)
        , openers(lexicon)
        , clauseCommas(lexicon)
        , nounPhrases(lexicon, numbers)
        , adverbs(lexicon)
        , wordForms(lexicon)
        , punctuation(lexicon, forms)
        , comparatives(lexicon)
        , transitivity(lexicon)
        , complements(lexicon)
        , questions(lexicon)
        , nounNumber(lexicon, "/usr/share/wordnet")
        , lemmatizer(lexicon, nounNumber.forms())
        , verbFormModel(lexicon)
        , collocations(lexicon)
        , pages(wordnet, &rules)
    {
        rules.loadFolder(ShippedData::folder(ShippedData::Checker) + "/rules");
        for (const std::string &error : rules.errors()) // a broken file is left out, never fatal
            std::cerr << "checker: " << error << "\n";
        tagger.load(dataDir + "/pos-model.txt"); // without a model the tagged rules stay silent
        grammar.setTagger(&tagger);
        articleChoice.load(dataDir + "/article-model.txt"); // likewise the article classifier
        genericThe.load(dataDir + "/generic-nouns.txt");    // and the native counts of bare nouns
        nounDeterminers.load(dataDir + "/noun-determiners.txt"); // and of determiners by noun and slot
        articles.setCounts(&nounDeterminers);
        numberLists.setCounts(&nounDeterminers);
        numbers.setCounts(&nounDeterminers);
        agreement.setCounts(&nounDeterminers);
        articleChoice.setNounForms(&nounNumber.forms());
        articleChoice.setCounts(&nounDeterminers);
        articleChoice.setLexicon(&lexicon);
        nounNumber.load(dataDir + "/number-model.txt");     // and the noun-number classifier
        verbFormModel.load(dataDir + "/verbform-model.txt"); // and the verb-form classifier
        prepositionChoice.load(dataDir + "/preposition-model.txt"); // and the native preposition counts
        missingPreposition.load(dataDir + "/verb-objects.txt");     // and the native verb object counts
        prepositionModel.load(dataDir + "/preposition-classifier.txt"); // and the preposition classifier
        prepositionModel.setCounts(&prepositionChoice);
        timePrepositions.load(dataDir + "/time-prepositions.txt"); // and the prepositions before times
        timePrepositions.setGovernors(&prepositionChoice);
        verbComplements.load(dataDir + "/verb-complements.txt");    // and the native verb complement counts
        confusion.loadModel(dataDir + "/confusion-model.txt"); // and the sound-alikes in context
        collocations.load(dataDir + "/collocation-model.txt"); // and the verb-object, adjective-noun pairs
        speller.loadNativePairs(dataDir + "/native-pairs.txt"); // and the word pairs written apart
        spelling.loadClosedNames(dataDir + "/closed-names.txt"); // and the names capitalised slips miss
        // Chinese words in pinyin come from the dictionary's CC-CEDICT
        spelling.loadChineseWords(ShippedData::folder(ShippedData::Dictionary) + "/cedict.tsv");
        registerRules();
    }

    void registerRules();

    Lexicon lexicon;
    WordForms forms;
    PosTagger tagger;
    SpellingSuggester speller;
    SpellingRule spelling;
    GrammarRules grammar;
    MorphologyRules morphology;
    NumberRules numbers;
    NumberListRules numberLists{lexicon, numbers};
    VerbPatternRules verbPatterns;
    PatternRules patterns;
    ConfusionRules confusion;
    StyleRules style;
    FragmentRule fragment;
    Scorer scorer;
    Polisher polisher;
    WordNetDictionary wordnet;
    SynonymFinder synonyms;
    TenseRules tense;
    PastAnchorRule pastAnchor;
    CountedAmountRule countedAmount;
    VerbFormRules verbForms;
    AgreementRules agreement;
    ArticleRules articles;
    ArticleChoiceRule articleChoice;
    GenericTheRule genericThe;
    NounDeterminers nounDeterminers;
    PrepositionChoiceRule prepositionChoice{lexicon};
    MissingPrepositionRule missingPreposition{lexicon};
    PrepositionModelRule prepositionModel;
    TimePrepositionRule timePrepositions;
    VerbComplementRule verbComplements{lexicon};
    OpenerRules openers;
    ClauseCommaRule clauseCommas;
    PronounRules pronouns;
    NounPhraseRules nounPhrases;
    AdverbRules adverbs;
    WordFormRules wordForms;
    PunctuationRules punctuation;
    ComparativeRules comparatives;
    TransitivityRules transitivity;
    ComplementRules complements;
    QuestionRules questions;
    NounNumberRule nounNumber;
    BareNounRule bareNouns{articleChoice, nounNumber};
    Lemmatizer lemmatizer;
    VerbFormModelRule verbFormModel;
    CollocationRule collocations;
    ExplanationPages pages;
    RuleEngine rules;
    RuleRegistry registry;
};

// Every rule family in the order of its say: where two findings overlap, the one of the
// lower priority stays. The learned models come after the hand-written rules (theirs is
// the surer word where both speak) and the families of the rule files without a place of
// their own (a school's new files) after the rule classes.
void CheckerData::registerRules()
{
    int priority = 0;
    const auto add = [&](const char *id, const char *kind, unsigned needs, FunctionRule::Check check) {
        priority += 10;
        registry.add(std::make_unique<FunctionRule>(id, kind, priority, needs, std::move(check)));
    };
    // A family of the rule files: the built-in rules, then the school's.
    const auto dataFamily = [&](const char *id, const char *family, const char *kind, unsigned needs) {
        add(id, kind, needs, [this, family = std::string(family)](const Sentence &s, std::vector<Finding> &f) {
            rules.run(family, s.tokens, s.tags, lexicon, &f, s.localRules);
            if (s.localRules)
                s.localRules->run(family, s.tokens, s.tags, lexicon, &f);
        });
    };
    using F = std::vector<Finding>;
    using S = Sentence;
    add("morphology", "MOPHOLOGY", SwitchMor, [this](const S &s, F &f) { morphology.check(s.tokens, &f); });
    add("morphology.counting", "MOPHOLOGY", SwitchMor,
        [this](const S &s, F &f) { morphology.countingWords(s.tokens, s.tags, &f); });
    add("confusion", "REAL", SwitchReal, [this](const S &s, F &f) { confusion.check(s.tokens, &f); });
    dataFamily("rules.confusions", "confusions", "REAL", SwitchReal);
    dataFamily("rules.split", "split", "REAL", SwitchReal);
    add("confusion.tagged", "REAL", SwitchReal, [this](const S &s, F &f) { confusion.checkTagged(s.tokens, s.tags, &f); });
    // a word native text hardly uses, where the confusion model prefers a common one ("It was
    // grate"): the slip goes before what the grammar rules make of the written word ("a grate")
    add("confusion.rare", "REAL", SwitchReal,
        [this](const S &s, F &f) { confusion.contextSlips(s.tokens, s.tags, true, &f); });
    add("patterns", "GRAMMAR", SwitchRule, [this](const S &s, F &f) { patterns.check(s.tokens, &f); });
    dataFamily("rules.redundant", "redundant", "GRAMMAR", SwitchRule);
    dataFamily("rules.gerunds", "gerunds", "GRAMMAR", SwitchRule);
    dataFamily("rules.phrases", "phrases", "GRAMMAR", SwitchRule);
    add("verb_patterns", "GRAMMAR", SwitchRule, [this](const S &s, F &f) { verbPatterns.check(s.tokens, &f); });
    add("verb_patterns.tagged", "GRAMMAR", SwitchRule,
        [this](const S &s, F &f) { verbPatterns.checkTagged(s.tokens, s.tags, &f); });
    add("grammar", "GRAMMAR", 0, [this](const S &s, F &f) {
        grammar.check(s.tokens, (s.switches & SwitchDet) != 0, (s.switches & SwitchGrammar) != 0, &f);
    });
    add("numbers", "GRAMMAR", SwitchGrammar | SwitchMor, [this](const S &s, F &f) { numbers.check(s.tokens, &f); });
    add("numbers.quantities", "GRAMMAR", SwitchGrammar | SwitchMor,
        [this](const S &s, F &f) { numbers.quantities(s.tokens, s.tags, &f); });
    // a bare singular in a list of nouns named in general
    add("numbers.lists", "MOPHOLOGY", SwitchGrammar | SwitchMor,
        [this](const S &s, F &f) { numberLists.check(s.tokens, s.tags, &f); });
    // "the amount of people": what is counted one by one takes "number"
    add("numbers.amount", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { countedAmount.check(s.tokens, s.tags, &f); });
    add("tense", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) { tense.check(s.tokens, s.tags, &f); });
    // a present verb in a clause a past adverbial or a past "when"-clause dates
    add("tense.past_anchor", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) {
            pastAnchor.check(s.tokens, s.tags, &f);
            // a sentence with no time of its own follows the past the sentence before is told in
            if (s.kind == 0 && s.previous && !s.previous->empty() && pastAnchor.mayFollow(s.tokens)) {
                const std::vector<Token> previous = Tokenizer::tokenize(s.previous->back());
                pastAnchor.checkAfter(s.tokens, s.tags, previous, [&] { return tagger.tag(previous); }, &f);
            }
        });
    add("verb_forms", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) { verbForms.check(s.tokens, s.tags, &f); });
    add("agreement", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) { agreement.check(s.tokens, s.tags, &f); });
    add("articles", "GRAMMAR", SwitchGrammar | SwitchDet,
        [this](const S &s, F &f) { articles.check(s.tokens, s.tags, &f); });
    dataFamily("rules.articles", "articles", "GRAMMAR", SwitchGrammar | SwitchDet);
    dataFamily("rules.prepositions", "prepositions", "GRAMMAR", SwitchGrammar);
    dataFamily("rules.negation", "negation", "GRAMMAR", SwitchGrammar);
    add("comparatives", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { comparatives.check(s.tokens, s.tags, &f); });
    add("transitivity", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { transitivity.check(s.tokens, s.tags, &f); });
    add("complements", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) { complements.check(s.tokens, s.tags, &f); });
    add("questions", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) { questions.check(s.tokens, s.tags, &f); });
    add("pronouns", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) { pronouns.check(s.tokens, s.tags, &f); });
    add("noun_phrases", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { nounPhrases.check(s.tokens, s.tags, &f); });
    add("adverbs", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) { adverbs.check(s.tokens, s.tags, &f); });
    add("word_forms", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) { wordForms.check(s.tokens, s.tags, &f); });
    dataFamily("rules.feelings", "feelings", "GRAMMAR", SwitchGrammar);
    add("punctuation", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { punctuation.check(s.tokens, s.tags, &f); });
    add("openers", "GRAMMAR", SwitchGrammar, [this](const S &s, F &f) {
        if (s.kind == 0) {
            openers.check(s.tokens, s.tags, &f);
            clauseCommas.check(s.tokens, s.tags, &f);
        }
    });
    add("noun_number", "GRAMMAR", SwitchGrammar | SwitchMor,
        [this](const S &s, F &f) { nounNumber.check(s.tokens, s.tags, &f); });
    add("verb_form_model", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { verbFormModel.check(s.tokens, s.tags, &f); });
    add("article_choice", "GRAMMAR", SwitchGrammar | SwitchDet,
        [this](const S &s, F &f) { articleChoice.check(s.tokens, s.tags, &f); });
    // a bare singular count noun both models rank low, where neither alone is sure enough
    add("bare_nouns", "GRAMMAR", SwitchGrammar | SwitchDet,
        [this](const S &s, F &f) { bareNouns.check(s.tokens, s.tags, &f); });
    // "the" before a noun meant in general; a noun the sentence before named is known
    add("generic_the", "GRAMMAR", SwitchGrammar | SwitchDet, [this](const S &s, F &f) {
        genericThe.check(s.tokens, s.tags, s.previous && !s.previous->empty() ? s.previous->back() : std::string(),
                         &f);
    });
    add("preposition_model", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { prepositionChoice.check(s.tokens, s.tags, &f); });
    // "listen music": a verb whose object native text puts after a preposition
    add("missing_preposition_model", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { missingPreposition.check(s.tokens, s.tags, &f); });
    // a preposition the classifier is sure of after a word the tables know, where they said nothing
    add("preposition_classifier", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { prepositionModel.check(s.tokens, s.tags, &f); });
    // "in the same time": the preposition native text never puts before the phrase of time
    add("time_preposition_model", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { timePrepositions.check(s.tokens, s.tags, &f); });
    // "to go" or "going" after a verb, where native text never has the written form
    add("verb_complement_model", "GRAMMAR", SwitchGrammar,
        [this](const S &s, F &f) { verbComplements.check(s.tokens, s.tags, &f); });
    add("rules.other", "GRAMMAR", SwitchRule, [this](const S &s, F &f) {
        const auto placed = [](const std::string &family) {
            return std::find(std::begin(kPlacedFamilies), std::end(kPlacedFamilies), family) != std::end(kPlacedFamilies);
        };
        for (const std::string &family : rules.families()) {
            if (placed(family))
                continue;
            rules.run(family, s.tokens, s.tags, lexicon, &f, s.localRules);
            if (s.localRules)
                s.localRules->run(family, s.tokens, s.tags, lexicon, &f);
        }
        // a school's own families that the built-in files do not have
        if (s.localRules)
            for (const std::string &family : s.localRules->families()) {
                const auto &builtIn = rules.families();
                if (!placed(family) && std::find(builtIn.begin(), builtIn.end(), family) == builtIn.end())
                    s.localRules->run(family, s.tokens, s.tags, lexicon, &f);
            }
    });
    add("collocation", "REAL", SwitchReal,
        [this](const S &s, F &f) { collocations.check(s.tokens, s.tags, &f); });
    // the other sound-alikes the confusion model decides, after every hand-written rule
    add("confusion.context", "REAL", SwitchReal,
        [this](const S &s, F &f) { confusion.contextSlips(s.tokens, s.tags, false, &f); });
    add("spelling", "NONWORD", SwitchSpell, [this](const S &s, F &f) {
        static const std::unordered_set<std::string> none;
        spelling.check(s.tokens, s.tags, s.userWords ? *s.userWords : none, &f);
    });
    dataFamily("rules.wordy", "wordy", "STYLE", SwitchStyle);
    add("all_capitals", "STYLE", SwitchStyle, [this](const S &s, F &f) {
        if (s.kind == 0)
            punctuation.allCapitals(s.tokens, &f);
    });
    add("repeated_opener", "STYLE", SwitchPostStyle, [this](const S &s, F &f) {
        if (s.previous && !s.previous->empty())
            style.repeatedOpener(s.tokens, {StyleRules::opener(Tokenizer::tokenize(s.previous->back()))}, &f);
    });
    // a sentence with other findings is judged once those are mended
    registry.add(std::make_unique<FunctionRule>(
        "fragment", "SUGGESTION", priority + 10, SwitchGrammar,
        [this](const S &s, F &f) {
            Finding suggestion;
            if (s.kind == 0 && fragment.check(s.tokens, &suggestion))
                f.push_back(suggestion);
        },
        Rule::WhenClean));
}

EnglishChecker::EnglishChecker(const std::string &dataDir, const std::string &hunspellDir)
    : m_data(std::make_unique<CheckerData>(dataDir.empty() ? defaultDataDir() : dataDir,
                                           hunspellDir.empty() ? std::string("/usr/share/hunspell") : hunspellDir))
{
}

EnglishChecker::~EnglishChecker() = default;

Json::Value EnglishChecker::checkSentence(int sentInd, const std::string &utf8, int kind,
                                          const std::vector<std::string> &config,
                                          const std::unordered_set<std::string> &userWords,
                                          const std::vector<std::string> &previous,
                                          const RuleEngine *local) const
{
    const Switches sw(config);
    std::vector<Token> tokens = Tokenizer::tokenize(utf8);
    const std::vector<std::string> tags = m_data->tagger.tag(tokens);
    m_data->lemmatizer.fill(&tokens, tags);
    const Sentence sentence{tokens, tags, kind, sw.bits(), &userWords, &previous, local};

    const int minCertainty = 4 - sw.confidence;
    const auto admit = [&](const Finding &f) { return f.certainty >= minCertainty && !quotedWord(tokens, f); };
    std::vector<Finding> kept = RuleRegistry::settle(m_data->registry.collect(sentence), admit, kMaxFindings);
    if (kept.empty())
        kept = RuleRegistry::settle(m_data->registry.collectWhenClean(sentence), admit, kMaxFindings);
    GapSpan::narrow(tokens, &kept);
    GapSpan::widen(tokens, &kept);

    Json::Value record(Json::objectValue);
    record["sentInd"] = sentInd;
    Json::Value corrections(Json::arrayValue);
    for (const Finding &f : kept)
        corrections.append(f.toJson());
    record["corrections"] = corrections;
    record["scoreErrors"] = Scorer::errorCount(record);
    return record;
}

int EnglishChecker::cachedErrorCount(const Json::Value &request, std::size_t index)
{
    const Json::Value &counts = request["scoreErrors"];
    if (!counts.isArray() || index >= counts.size())
        return 0;
    const Json::Value &count = counts[Json::ArrayIndex(index)];
    return count.isInt() ? std::max(0, std::min(count.asInt(), MaxScoreErrors)) : 0;
}

Json::Value EnglishChecker::summaryRecord(const std::vector<std::string> &sentences,
                                          const std::vector<Json::Value> &records, int cachedErrors) const
{
    Json::Value summary(Json::objectValue);
    summary["sentInd"] = -1;
    summary["lexicalScore"] = m_data->scorer.lexicalScore(sentences);
    summary["syntaxScore"] = m_data->scorer.syntaxScore(sentences, records, cachedErrors);
    return summary;
}

bool EnglishChecker::checkRequest(const Json::Value &request, const std::unordered_set<std::string> &userWords,
                                  const std::function<void(const Json::Value &)> &emit,
                                  const RuleEngine *local) const
{
    if (!request.isObject() || !request["sents"].isArray())
        return false;
    const Json::Value &sents = request["sents"];
    const Json::Value &configs = request["configs"];
    const Json::Value &types = request["configTypes"];
    std::vector<std::string> sentences;
    for (const Json::Value &s : sents) {
        if (!s.isString())
            return false;
        sentences.push_back(s.asString());
    }
    if (!configs.isNull() && !configs.isArray())
        return false;

    std::vector<std::vector<std::string>> configLists;
    if (types.isArray()) {
        for (const Json::Value &list : types) {
            std::vector<std::string> flat;
            if (list.isArray())
                for (const Json::Value &v : list)
                    flat.push_back(v.isString() ? v.asString() : std::string());
            configLists.push_back(flat);
        }
    }

    std::vector<Json::Value> records;
    int cachedErrors = 0;
    for (size_t i = 0; i < sentences.size(); ++i) {
        int kind = 0;
        if (configs.isArray() && i < configs.size()) {
            const Json::Value &c = configs[Json::ArrayIndex(i)];
            kind = c.isInt() ? c.asInt() : 0;
        }
        if (kind == -1) { // answered from the client's cache
            cachedErrors += cachedErrorCount(request, i);
            continue;
        }
        const std::vector<std::string> config = kind >= 0 && size_t(kind) < configLists.size()
            ? configLists[size_t(kind)]
            : std::vector<std::string>();
        std::vector<std::string> previous;
        if (i > 0)
            previous.push_back(sentences[i - 1]);
        Json::Value record =
            checkSentence(int(i), sentences[i], kind == 1 ? 1 : 0, config, userWords, previous, local);
        emit(record);
        records.push_back(std::move(record));
    }
    emit(summaryRecord(sentences, records, cachedErrors));
    return true;
}

bool EnglishChecker::polish(const std::vector<std::string> &sentences, int level, Json::Value *out) const
{
    std::vector<std::vector<Token>> tokenized;
    tokenized.reserve(sentences.size());
    for (const std::string &s : sentences)
        tokenized.push_back(Tokenizer::tokenize(s));
    if (!Polisher::polishable(tokenized))
        return false;
    level = std::max(1, std::min(3, level));
    Json::Value result(Json::arrayValue);
    for (size_t i = 0; i < tokenized.size(); ++i) {
        const std::vector<Finding> found = m_data->polisher.suggest(tokenized[i], m_data->tagger.tag(tokenized[i]), level);
        if (found.empty())
            continue;
        Json::Value record(Json::objectValue);
        record["sentInd"] = int(i);
        Json::Value corrections(Json::arrayValue);
        for (const Finding &f : found)
            corrections.append(f.toJson());
        record["corrections"] = corrections;
        result.append(record);
    }
    if (out)
        *out = result;
    return true;
}

Json::Value EnglishChecker::synonyms(const std::string &sentence, int start, int end) const
{
    Json::Value list(Json::arrayValue);
    for (const std::string &s : m_data->synonyms.find(sentence, start, end))
        list.append(s);
    return list;
}

const RuleEngine &EnglishChecker::builtInRules() const
{
    return m_data->rules;
}

const RuleRegistry &EnglishChecker::registry() const
{
    return m_data->registry;
}

std::string EnglishChecker::explanationHtml(const std::string &rawQuery) const
{
    return m_data->pages.page(rawQuery);
}

} // namespace PennovaChecker
