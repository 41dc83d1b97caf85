#pragma once
// EnglishChecker: the language side of pennova-server. It answers the check
// ("/apps_compressed/"), polish ("/lexsub/"), synonym ("/syms/") and explanation
// requests with the JSON the client reads into CResultState records.
//
// Thread safety: every public member is const and may be called from many
// threads at once; Hunspell and WordNet (both not thread-safe) are guarded inside.
//
// Offsets: "start" and "end" in every record are UTF-16 code-unit offsets into the
// sentence (what the client's QString positions count), never byte offsets.

#include <json/json.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

class CheckerData;
class RuleEngine;
class RuleRegistry;

class EnglishChecker
{
public:
    // dataDir: folder with the checker's tables (frequency list, vocabulary levels);
    // empty = $PENNOVA_CHECKER_DATA, or else the installed or source-tree folder
    // (ShippedData::Checker). WordNet is read from /usr/share/wordnet.
    // Loading takes one to three seconds: build one checker and share it.
    // hunspellDir: folder with en_US.aff/en_US.dic; empty = /usr/share/hunspell.
    // Missing files leave that part silent (no findings), never a crash.
    explicit EnglishChecker(const std::string &dataDir = {}, const std::string &hunspellDir = {});
    ~EnglishChecker();
    EnglishChecker(const EnglishChecker &) = delete;
    EnglishChecker &operator=(const EnglishChecker &) = delete;

    // One result record {"sentInd": sentInd, "corrections": [...], "scoreErrors": n} for
    // one sentence; n is what the sentence brings to the summary's error count (clients
    // keep it with the cached result and send it back when the sentence is skipped).
    // kind: 0 sentence, 1 title. config: that kind's flat key/value list from the
    // request's "configTypes" ("server.spell", "2", ..., "server.confidence", "2").
    // userWords: the user's word list; its words are never flagged as misspelt.
    // previous: the sentences before this one in the request (for repeated openers; only
    // the last one is read); may be empty. At most 100 corrections per sentence.
    // localRules: a school's rules (RuleLibrary), run with the built-in rule files; they
    // replace built-in rules of the same id and switch off the ids they disable.
    Json::Value checkSentence(int sentInd, const std::string &utf8, int kind,
                              const std::vector<std::string> &config,
                              const std::unordered_set<std::string> &userWords,
                              const std::vector<std::string> &previous = {},
                              const RuleEngine *localRules = nullptr) const;

    // The summary record {"sentInd": -1, "lexicalScore": x, "syntaxScore": y}, both
    // in 0..1, over all sentences of a request (skipped ones included), the records found
    // for the checked ones and the error counts sent for the skipped ones.
    Json::Value summaryRecord(const std::vector<std::string> &sentences,
                              const std::vector<Json::Value> &records, int cachedErrors = 0) const;
    // Element `index` of the request's optional "scoreErrors" (the error count a skipped
    // sentence's record carried), bounded to 0..MaxScoreErrors; 0 when absent or not a number.
    static constexpr int MaxScoreErrors = 100;
    static int cachedErrorCount(const Json::Value &request, std::size_t index);

    // A whole check request (the decoded JSON object with "sents", "configs",
    // "configTypes"): calls emit once per sentence whose config is not -1, in order,
    // then once with the summary record. Returns false (emitting nothing) when the
    // request is not of that shape.
    bool checkRequest(const Json::Value &request, const std::unordered_set<std::string> &userWords,
                      const std::function<void(const Json::Value &record)> &emit,
                      const RuleEngine *localRules = nullptr) const;

    // The built-in rule files' rules (data/rules of the checker's shipped data).
    const RuleEngine &builtInRules() const;
    // Every rule family the checks run, hand-written and rule files alike, by id; a local
    // engine's disabled ids (--disable-rule) switch families off as well as single rules.
    const RuleRegistry &registry() const;

    // Polish: sentences of the request and its level (1 most suggestions ... 3 fewest).
    // Fills *out with the JSON array of records (one per sentence that got
    // suggestions, category "IMPROVE"). Returns false when the text cannot be
    // polished (too short or mostly quotation): the server answers 422 then.
    bool polish(const std::vector<std::string> &sentences, int level, Json::Value *out) const;

    // Synonyms of the span [start, end) (UTF-16 offsets) of the sentence: a JSON
    // array of strings, most frequent first; empty when none or the span is bad.
    Json::Value synonyms(const std::string &sentence, int start, int end) const;

    // The explanation page (UTF-8 HTML fragment, Chinese) for the query part of an
    // explanation look-up, as received (still percent-encoded), with or without
    // the leading "/?": "et=...&ct=...&fk=..." or "lexsub=...&pos=...".
    std::string explanationHtml(const std::string &rawQuery) const;

private:
    std::unique_ptr<CheckerData> m_data;
};

} // namespace PennovaChecker
