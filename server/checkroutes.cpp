#include "checkroutes.h"

#include "englishchecker.h"
#include "failurelog.h"
#include "httpreplies.h"
#include "jsontext.h"
#include "postroute.h"
#include "requestframe.h"
#include "rulelibrary.h"
#include "servicecontext.h"
#include "sessionstore.h"
#include "tokenizer.h"
#include "utf8text.h"
#include "wordbudget.h"
#include "wordliststore.h"

#include <httplib.h>
#include <json/json.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <unordered_set>

namespace PennovaServer {

namespace {
constexpr std::size_t MaxConfigKinds = 8;
constexpr std::size_t MaxConfigEntries = 128;
constexpr const char *FrameType = "application/octet-stream";

// One streamed check: the request's sentences and where the stream stands.
struct CheckJob
{
    std::vector<std::string> sentences;
    std::vector<int> configs;
    std::vector<std::vector<std::string>> configTypes;
    std::unordered_set<std::string> userWords;
    std::size_t next = 0;
    std::vector<std::string> previous; // the sentence before `next` (the checker reads only that)
    std::vector<Json::Value> records;  // of the checked sentences, for the summary
    int cachedErrors = 0;              // error counts sent for the skipped sentences
    bool summarySent = false;
    std::shared_ptr<void> ticket; // a worker slot, held until the stream ends
    std::int64_t owner = 0;       // the account, for the slot's turns
};

bool stringArray(const Json::Value &value, std::size_t maxSize, std::vector<std::string> *out)
{
    if (!value.isArray() || value.size() > maxSize)
        return false;
    out->clear();
    out->reserve(value.size());
    for (const Json::Value &item : value) {
        if (!item.isString())
            return false;
        out->push_back(item.asString());
        if (!Utf8Text::valid(out->back()))
            return false;
    }
    return true;
}

// Reads "sents", "configs" and "configTypes" of a check request into the job.
bool readCheckRequest(const Json::Value &root, std::size_t maxSentences, CheckJob *job)
{
    if (!stringArray(root["sents"], maxSentences, &job->sentences))
        return false;
    const Json::Value &types = root["configTypes"];
    if (!types.isArray() || types.empty() || types.size() > MaxConfigKinds)
        return false;
    for (const Json::Value &type : types) {
        std::vector<std::string> entries;
        if (!stringArray(type, MaxConfigEntries, &entries))
            return false;
        job->configTypes.push_back(std::move(entries));
    }
    const Json::Value &configs = root["configs"];
    if (!configs.isArray() || configs.size() != job->sentences.size())
        return false;
    for (const Json::Value &config : configs) {
        if (!config.isInt())
            return false;
        const int kind = config.asInt();
        if (kind < -1 || kind >= int(job->configTypes.size()))
            return false;
        job->configs.push_back(kind);
    }
    // Optional: per sentence, the error count its cached record carried.
    const Json::Value &errors = root["scoreErrors"];
    if (!errors.isNull()) {
        if (!errors.isArray() || errors.size() != job->sentences.size())
            return false;
        for (Json::ArrayIndex i = 0; i < errors.size(); ++i) {
            if (!errors[i].isInt())
                return false;
            if (job->configs[i] == -1)
                job->cachedErrors += PennovaChecker::EnglishChecker::cachedErrorCount(root, i);
        }
    }
    return true;
}

// Whether the checker may look at a sentence: its work and memory grow with the
// sentence's length and tokens, and a word budget does not bound them (punctuation
// counts as no word). Code points are counted before tokenizing anything long.
bool shortEnough(const std::string &utf8, const ServerOptions &options)
{
    std::size_t characters = 0;
    for (char ch : utf8)
        characters += (static_cast<unsigned char>(ch) & 0xc0) != 0x80 ? 1 : 0;
    return characters <= std::size_t(options.maxSentenceCharacters);
}

bool checkable(const std::string &utf8, const ServerOptions &options)
{
    return shortEnough(utf8, options)
           && PennovaChecker::Tokenizer::tokenize(utf8).size() <= std::size_t(options.maxSentenceTokens);
}

// What checking a sentence costs in budget words: its word and number tokens, at least
// one (a record is sent for it). Spaces do not count: "teh,teh,teh" is three words to
// the checker, however the client counts it.
int checkingCost(const std::string &utf8, const ServerOptions &options)
{
    if (!shortEnough(utf8, options))
        return 1;
    const std::vector<PennovaChecker::Token> tokens = PennovaChecker::Tokenizer::tokenize(utf8);
    if (tokens.size() > std::size_t(options.maxSentenceTokens))
        return 1;
    int words = 0;
    for (const PennovaChecker::Token &token : tokens)
        words += token.kind == PennovaChecker::Token::Word || token.kind == PennovaChecker::Token::Number ? 1 : 0;
    return std::max(1, words);
}

// The record of a sentence too long to check: no findings.
Json::Value uncheckedRecord(std::size_t sentInd)
{
    Json::Value record(Json::objectValue);
    record["sentInd"] = Json::Value::Int(sentInd);
    record["corrections"] = Json::Value(Json::arrayValue);
    return record;
}

// The synonym request is meant to be {"sent":"...","start":n,"end":m}, but the sentence
// may arrive unescaped; then the text between the fixed member names is the sentence.
bool readSynonymRequest(const std::string &body, std::string *sentence, int *start, int *end)
{
    Json::Value root;
    if (!JsonText::parse(body, &root, 4)) {
        const std::string head = "{\"sent\":\"";
        const std::size_t tail = body.rfind("\",\"start\":");
        if (body.compare(0, head.size(), head) != 0 || tail == std::string::npos || tail < head.size())
            return false;
        const std::string rest = "{" + body.substr(tail + 2);
        if (!JsonText::parse(rest, &root, 4))
            return false;
        root["sent"] = body.substr(head.size(), tail - head.size());
    }
    if (!root.isObject() || !root["sent"].isString() || !root["start"].isInt() || !root["end"].isInt()
        || !Utf8Text::valid(root["sent"].asString()))
        return false;
    *sentence = root["sent"].asString();
    *start = root["start"].asInt();
    *end = root["end"].asInt();
    return true;
}
} // namespace

CheckRoutes::CheckRoutes(ServiceContext &context)
    : m_context(context)
    , m_gate(context.options.checkWorkers > 0 ? context.options.checkWorkers
                                               : int(std::max(2u, std::thread::hardware_concurrency())))
    , m_rules(std::make_unique<PennovaChecker::RuleLibrary>(context.options.dataDir + "/rules",
                                                             context.options.disabledRules,
                                                             std::chrono::milliseconds(context.options.ruleReloadMs)))
{
}

CheckRoutes::~CheckRoutes() = default;

void CheckRoutes::install(httplib::Server &server)
{
    PostRoute::add(server, "/apps_compressed/", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) { check(req, res); });
    server.Get("/apps_compressed/", [](const httplib::Request &, httplib::Response &res) {
        HttpReplies::text(res, 200, "ok");
    });
    PostRoute::add(server, "/lexsub/", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) { polish(req, res); });
    PostRoute::add(server, "/syms/", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) { synonyms(req, res); });
}

std::optional<std::int64_t> CheckRoutes::admit(const std::string &body, httplib::Response &res)
{
    // Before the request is inflated into memory and parsed: an unknown session and a
    // request of too many values cost nothing but a pass over the text.
    const ServerOptions &options = m_context.options;
    const std::size_t maxValues = 3 * std::size_t(std::max(0, options.maxSentencesPerCheck)) + MaxConfigKinds * (MaxConfigEntries + 1) + 64;
    const RequestFrame::Outline outline = RequestFrame::outline(body, options.maxFrameRawBytes, maxValues, MaxFrameDepth);
    if (outline.status) {
        HttpReplies::refuse(res, outline.status, "bad request frame");
        return std::nullopt;
    }
    if (!outline.session) {
        HttpReplies::refuse(res, 400, "no session");
        return std::nullopt;
    }
    const auto user = m_context.sessions.find(*outline.session);
    if (!user) {
        HttpReplies::text(res, 200, "unauthorized");
        return std::nullopt;
    }
    return user->userId;
}

bool CheckRoutes::withinWordLimits(std::int64_t userId, int words, int cost, httplib::Response &res)
{
    // Twice the words for the checker's count: it counts "a,b" as two where the client
    // sees one, and a text the client lets through must pass.
    if (words > m_context.options.maxWordsPerCheck || cost > 2 * m_context.options.maxWordsPerCheck) {
        HttpReplies::refuse(res, 413, "too many words");
        return false;
    }
    // Per account, not per session: logging in six times must not buy six budgets.
    if (!m_context.budget.take(std::to_string(userId), std::max(words, cost), m_context.sessions.now())) {
        HttpReplies::refuse(res, 429, "too many words in one minute");
        return false;
    }
    return true;
}

void CheckRoutes::check(const httplib::Request &req, httplib::Response &res)
{
    const std::optional<std::int64_t> userId = admit(req.body, res);
    if (!userId)
        return;
    std::shared_ptr<void> ticket = m_gate.enter(*userId, GateWaitMs);
    if (!ticket)
        return HttpReplies::busy(res, m_context.options.retryAfterSeconds);
    Json::Value root;
    if (const int status = RequestFrame::decode(req.body, m_context.options.maxFrameRawBytes, &root))
        return HttpReplies::refuse(res, status, "bad request frame");
    auto job = std::make_shared<CheckJob>();
    job->ticket = std::move(ticket);
    job->owner = *userId;
    if (!readCheckRequest(root, std::size_t(m_context.options.maxSentencesPerCheck), job.get()))
        return HttpReplies::refuse(res, 400, "malformed check request");
    root = Json::Value(); // the sentences live on in the job

    // The per-check limit is counted as the client counts its whole text: the sentences
    // put back together (a paragraph break is no space there), so a text the client lets
    // through passes here. The budget pays for what the checker does: its words,
    // sentence by sentence (checkingCost), when that is more. Sentences too long to
    // check count one each.
    std::vector<const std::string *> counted;
    int cost = 0;
    for (std::size_t i = 0; i < job->sentences.size() && cost <= 2 * m_context.options.maxWordsPerCheck; ++i) {
        if (job->configs[i] == -1)
            continue;
        if (shortEnough(job->sentences[i], m_context.options))
            counted.push_back(&job->sentences[i]);
        cost += checkingCost(job->sentences[i], m_context.options);
    }
    const int words = WordBudget::countJoinedWords(counted, m_context.options.maxWordsPerCheck);
    if (!withinWordLimits(*userId, words, cost, res))
        return;
    for (std::string &word : m_context.words.words(*userId))
        job->userWords.insert(std::move(word));

    const PennovaChecker::EnglishChecker &checker = m_context.checker();
    const ServerOptions &options = m_context.options;
    WorkGate &gate = m_gate;
    const std::string id = res.get_header_value(FailureLog::IdHeader);
    // a teacher's edit applies from the next check on; this one keeps the rules it began with
    m_rules->refresh();
    std::shared_ptr<const PennovaChecker::RuleEngine> rules = m_rules->current();
    // One record per call, so each reaches the client as soon as it is ready.
    res.set_chunked_content_provider(FrameType, [job, &checker, &options, &gate, id, rules](std::size_t,
                                                                                             httplib::DataSink &sink) {
        try {
            CheckJob &j = *job;
            // Between records the slot goes to another account that waits, so that a long
            // check delays another's by one sentence at most.
            if (j.next > 0 && gate.othersWait(j.owner)) {
                j.ticket.reset();
                j.ticket = gate.enter(j.owner, GateWaitMs);
                if (!j.ticket)
                    return false;
            }
            const auto passed = [&j](const std::string &sentence) { j.previous.assign(1, sentence); };
            while (j.next < j.sentences.size() && j.configs[j.next] == -1) {
                passed(checkable(j.sentences[j.next], options) ? j.sentences[j.next] : std::string());
                ++j.next;
            }
            Json::Value record;
            if (j.next < j.sentences.size()) {
                const std::size_t i = j.next++;
                const int kind = j.configs[i];
                if (checkable(j.sentences[i], options)) {
                    record = checker.checkSentence(int(i), j.sentences[i], kind, j.configTypes[std::size_t(kind)],
                                                   j.userWords, j.previous, rules.get());
                    j.records.push_back(record);
                    passed(j.sentences[i]);
                } else {
                    record = uncheckedRecord(i);
                    passed(std::string());
                }
            } else {
                // The whole text, so that the scores do not depend on what the client cached;
                // sentences too long to check are left out of it as they were of the check.
                std::vector<std::string> scored;
                for (const std::string &sentence : j.sentences) {
                    if (checkable(sentence, options))
                        scored.push_back(sentence);
                }
                record = checker.summaryRecord(scored, j.records, j.cachedErrors);
                j.summarySent = true;
            }
            const std::string frame = RequestFrame::encode(record) + RecordTrailer;
            if (!sink.write(frame.data(), frame.size()))
                return false;
            if (j.summarySent)
                sink.done();
            return true;
        } catch (const std::exception &e) {
            FailureLog::failure(id, "POST /apps_compressed/", e.what());
            return false; // the connection ends without the summary; the client sees an error
        }
    });
}

void CheckRoutes::polish(const httplib::Request &req, httplib::Response &res)
{
    const std::optional<std::int64_t> userId = admit(req.body, res);
    if (!userId)
        return;
    const std::shared_ptr<void> ticket = m_gate.enter(*userId, GateWaitMs);
    if (!ticket)
        return HttpReplies::busy(res, m_context.options.retryAfterSeconds);
    Json::Value root;
    if (const int status = RequestFrame::decode(req.body, m_context.options.maxFrameRawBytes, &root))
        return HttpReplies::refuse(res, status, "bad request frame");
    std::vector<std::string> sentences;
    if (!stringArray(root["sents"], std::size_t(m_context.options.maxSentencesPerCheck), &sentences)
        || (root.isMember("confidence") && !root["confidence"].isInt()))
        return HttpReplies::refuse(res, 400, "malformed polish request");
    // The preference's polish levels: 1 high, 2 medium, any other value low.
    const int requested = root["confidence"].asInt();
    const int level = requested == 1 || requested == 2 ? requested : 3;
    root = Json::Value(); // the sentences live on in `sentences`
    std::vector<const std::string *> whole;
    for (std::string &sentence : sentences) {
        if (!shortEnough(sentence, m_context.options))
            sentence.clear();
        whole.push_back(&sentence);
    }
    const int words = WordBudget::countJoinedWords(whole, m_context.options.maxWordsPerCheck);
    int cost = 0;
    for (std::size_t i = 0; i < sentences.size() && cost <= 2 * m_context.options.maxWordsPerCheck; ++i)
        cost += checkingCost(sentences[i], m_context.options);
    if (!withinWordLimits(*userId, words, cost, res))
        return;
    // Too long to polish: left out, its place kept so that indexes stay aligned.
    for (std::string &sentence : sentences) {
        if (!checkable(sentence, m_context.options))
            sentence.clear();
    }
    Json::Value results(Json::arrayValue);
    if (!m_context.checker().polish(sentences, level, &results))
        return HttpReplies::refuse(res, 422, "the text is too short or mostly quotation");
    res.status = 200;
    res.set_content(RequestFrame::encode(results), FrameType);
}

std::string CheckRoutes::synonymReply(const Json::Value &found)
{
    // The client reads the inside of ["a","b"] without unescaping: keep plain words only.
    std::string body = "[";
    bool first = true;
    if (found.isArray()) {
        for (const Json::Value &item : found) {
            if (!item.isString())
                continue;
            const std::string word = item.asString();
            if (word.empty() || word.find_first_of("\"\\[],\r\n") != std::string::npos)
                continue;
            body += (first ? "\"" : ",\"") + word + "\"";
            first = false;
        }
    }
    body += "]";
    // The client ignores replies of 10 characters or fewer; leading blanks keep a single
    // short synonym such as ["walk"] readable and the body valid JSON.
    std::size_t characters = 0;
    for (char ch : body)
        characters += (static_cast<unsigned char>(ch) & 0xc0) != 0x80 ? 1 : 0;
    if (!first && characters <= 10)
        body.insert(0, 11 - characters, ' ');
    return body;
}

void CheckRoutes::synonyms(const httplib::Request &req, httplib::Response &res)
{
    if (req.body.size() > MaxSynonymBodyBytes)
        return HttpReplies::refuse(res, 413, "request too large");
    std::string sentence;
    int start = 0;
    int end = 0;
    if (!readSynonymRequest(req.body, &sentence, &start, &end))
        return HttpReplies::refuse(res, 400, "malformed synonym request");
    const std::string body = synonymReply(m_context.checker().synonyms(sentence, start, end));
    res.status = 200;
    res.set_content(body, "application/json; charset=utf-8");
}

} // namespace PennovaServer
