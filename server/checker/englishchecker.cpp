#include "englishchecker.h"
#include "shippeddata.h"

#include "adverbrules.h"
#include "agreementrules.h"
#include "articlechoicerule.h"
#include "articlerules.h"
#include "comparativerules.h"
#include "complementrules.h"
#include "confusionrules.h"
#include "explanationpages.h"
#include "fragmentrule.h"
#include "grammarrules.h"
#include "lexicon.h"
#include "morphologyrules.h"
#include "negationrules.h"
#include "openerrules.h"
#include "feelingrules.h"
#include "punctuationrules.h"
#include "pronounrules.h"
#include "questionrules.h"
#include "ruleengine.h"
#include "nounnumberrule.h"
#include "verbformmodelrule.h"
#include "nounphraserules.h"
#include "numberrules.h"
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
#include "wordnetdictionary.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>

namespace PennovaChecker {

namespace {

constexpr size_t kMaxFindings = 100; // per sentence
// The rule files with a place of their own among the rule classes (see checkSentence).
const char *const kPlacedFamilies[] = {"split", "redundant", "gerunds", "phrases", "prepositions", "wordy"};

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

bool overlaps(const Finding &a, const Finding &b) { return a.start < b.end && b.start < a.end; }

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
        , verbForms(lexicon)
        , agreement(lexicon)
        , articles(lexicon, numbers)
        , openers(lexicon)
        , nounPhrases(lexicon, numbers)
        , adverbs(lexicon)
        , punctuation(lexicon, forms)
        , comparatives(lexicon)
        , transitivity(lexicon)
        , complements(lexicon)
        , questions(lexicon)
        , nounNumber(lexicon, "/usr/share/wordnet")
        , verbFormModel(lexicon)
        , pages(wordnet)
    {
        rules.loadFolder(ShippedData::folder(ShippedData::Checker) + "/rules");
        for (const std::string &error : rules.errors()) // a broken file is left out, never fatal
            std::cerr << "checker: " << error << "\n";
        tagger.load(dataDir + "/pos-model.txt"); // without a model the tagged rules stay silent
        articleChoice.load(dataDir + "/article-model.txt"); // likewise the article classifier
        nounNumber.load(dataDir + "/number-model.txt");     // and the noun-number classifier
        verbFormModel.load(dataDir + "/verbform-model.txt"); // and the verb-form classifier
    }

    Lexicon lexicon;
    WordForms forms;
    PosTagger tagger;
    SpellingSuggester speller;
    SpellingRule spelling;
    GrammarRules grammar;
    MorphologyRules morphology;
    NumberRules numbers;
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
    VerbFormRules verbForms;
    AgreementRules agreement;
    ArticleRules articles;
    ArticleChoiceRule articleChoice;
    NegationRules negation;
    FeelingRules feelings;
    OpenerRules openers;
    PronounRules pronouns;
    NounPhraseRules nounPhrases;
    AdverbRules adverbs;
    PunctuationRules punctuation;
    ComparativeRules comparatives;
    TransitivityRules transitivity;
    ComplementRules complements;
    QuestionRules questions;
    NounNumberRule nounNumber;
    VerbFormModelRule verbFormModel;
    ExplanationPages pages;
    RuleEngine rules;
};

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
    const std::vector<Token> tokens = Tokenizer::tokenize(utf8);
    const std::vector<std::string> tags = m_data->tagger.tag(tokens);
    // A family of the rule files: the built-in rules, then the school's.
    const auto runRules = [&](const std::string &family, std::vector<Finding> *out) {
        m_data->rules.run(family, tokens, tags, m_data->lexicon, out, local);
        if (local)
            local->run(family, tokens, tags, m_data->lexicon, out);
    };

    // Rules run in priority order: where two findings overlap, the earlier one stays.
    std::vector<Finding> found;
    if (sw.mor) {
        m_data->morphology.check(tokens, &found);
        m_data->morphology.countingWords(tokens, tags, &found);
    }
    if (sw.real) {
        m_data->confusion.check(tokens, &found);
        runRules("split", &found);
        m_data->confusion.checkTagged(tokens, tags, &found);
    }
    if (sw.rule) {
        m_data->patterns.check(tokens, &found);
        runRules("redundant", &found);
        runRules("gerunds", &found);
        runRules("phrases", &found);
        m_data->verbPatterns.check(tokens, &found);
        m_data->verbPatterns.checkTagged(tokens, tags, &found);
    }
    m_data->grammar.check(tokens, sw.det, sw.grammar, &found);
    if (sw.grammar && sw.mor) {
        m_data->numbers.check(tokens, &found);
        m_data->numbers.quantities(tokens, tags, &found);
    }
    if (sw.grammar) {
        m_data->tense.check(tokens, tags, &found);
        m_data->verbForms.check(tokens, tags, &found);
    }
    if (sw.grammar) {
        m_data->agreement.check(tokens, tags, &found);
        if (sw.det)
            m_data->articles.check(tokens, tags, &found);
        runRules("prepositions", &found);
        m_data->negation.check(tokens, tags, &found);
        m_data->comparatives.check(tokens, tags, &found);
        m_data->transitivity.check(tokens, tags, &found);
        m_data->complements.check(tokens, tags, &found);
        m_data->questions.check(tokens, tags, &found);
        m_data->pronouns.check(tokens, tags, &found);
        m_data->nounPhrases.check(tokens, tags, &found);
        m_data->adverbs.check(tokens, tags, &found);
        m_data->feelings.check(tokens, &found);
        m_data->punctuation.check(tokens, tags, &found);
        if (kind == 0)
            m_data->openers.check(tokens, tags, &found);
        // the learned models after the hand-written rules: theirs is the surer word
        if (sw.mor)
            m_data->nounNumber.check(tokens, tags, &found);
        m_data->verbFormModel.check(tokens, tags, &found);
        if (sw.det)
            m_data->articleChoice.check(tokens, tags, &found);
    }
    // the families without a place of their own (a school's new files) after the rule classes
    if (sw.rule) {
        std::vector<std::string> families = m_data->rules.families();
        if (local)
            for (const std::string &f : local->families())
                if (std::find(families.begin(), families.end(), f) == families.end())
                    families.push_back(f);
        for (const std::string &f : families)
            if (std::find(std::begin(kPlacedFamilies), std::end(kPlacedFamilies), f) == std::end(kPlacedFamilies))
                runRules(f, &found);
    }
    if (sw.spell)
        m_data->spelling.check(tokens, tags, userWords, &found);
    if (sw.style)
        runRules("wordy", &found);
    if (sw.style && kind == 0)
        m_data->punctuation.allCapitals(tokens, &found);
    if (sw.poststyle && !previous.empty())
        m_data->style.repeatedOpener(tokens, {StyleRules::opener(Tokenizer::tokenize(previous.back()))}, &found);

    std::vector<Finding> kept;
    const int minCertainty = 4 - sw.confidence;
    for (const Finding &f : found) {
        if (f.certainty < minCertainty || kept.size() >= kMaxFindings || quotedWord(tokens, f))
            continue;
        if (std::none_of(kept.begin(), kept.end(), [&](const Finding &k) { return overlaps(k, f); }))
            kept.push_back(f);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const Finding &a, const Finding &b) { return a.start < b.start; });

    Finding suggestion;
    // a sentence with other findings is judged once those are mended
    if (kind == 0 && sw.grammar && kept.empty() && m_data->fragment.check(tokens, &suggestion)
        && suggestion.certainty >= minCertainty)
        kept.push_back(suggestion);

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

std::string EnglishChecker::explanationHtml(const std::string &rawQuery) const
{
    return m_data->pages.page(rawQuery);
}

} // namespace PennovaChecker
