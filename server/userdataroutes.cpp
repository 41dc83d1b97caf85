#include "userdataroutes.h"

#include "formbody.h"
#include "httpreplies.h"
#include "jsontext.h"
#include "postroute.h"
#include "servicecontext.h"
#include "sessionstore.h"
#include "usagelogstore.h"
#include "utf8text.h"
#include "wordliststore.h"

#include <httplib.h>
#include <json/json.h>

#include <memory>
#include <set>

namespace PennovaServer {

namespace {
constexpr std::size_t MaxLogTextBytes = 200;
constexpr std::size_t MaxSentenceBytes = 4000;
// Versions of the anonymous counters kept apart before new ones fold into "other".
constexpr int MaxAnonymousRows = 500;

// Items of a list in which every item is followed by ";"; empty items are skipped.
std::vector<std::string> splitItems(const std::string &data)
{
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t end = data.find(';', pos);
        if (end == std::string::npos)
            end = data.size();
        if (end > pos)
            items.push_back(data.substr(pos, end - pos));
        pos = end + 1;
    }
    return items;
}

std::optional<std::int64_t> parseCount(const std::string &text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::int64_t value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return value;
}

bool validName(const std::string &name, std::size_t maxBytes)
{
    if (name.empty() || name.size() > maxBytes)
        return false;
    for (char ch : name) {
        const bool ok = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')
                        || ch == '_' || ch == '.' || ch == '-';
        if (!ok)
            return false;
    }
    return true;
}
} // namespace

UserDataRoutes::UserDataRoutes(ServiceContext &context)
    : m_context(context)
{
}

void UserDataRoutes::install(httplib::Server &server)
{
    using Member = void (UserDataRoutes::*)(const httplib::Request &, httplib::Response &);
    const auto route = [this, &server](const char *path, Member member) {
        PostRoute::add(server, path, m_context.options.maxBodyBytes,
                       [this, member](const httplib::Request &req, httplib::Response &res) { (this->*member)(req, res); });
    };
    route("/NotPublic/UserWordList.ashx", &UserDataRoutes::wordList);
    route("/NotPublic/UserWordBulkAdd.ashx", &UserDataRoutes::addWords);
    route("/NotPublic/UserWordBulkRemove.ashx", &UserDataRoutes::removeWords);
    route("/NotPublic/UserErrorLogBulkAdd.ashx", &UserDataRoutes::errorLog);
    route("/NotPublic/UserCountBulkAdd.ashx", &UserDataRoutes::counts);
    route("/NotPublic/UserChooseBulkAdd.ashx", &UserDataRoutes::choices);
}

std::optional<std::int64_t> UserDataRoutes::userOf(const httplib::Request &req, httplib::Response &res,
                                                   const std::string &tailField, FormBody *form,
                                                   bool allowAnonymous)
{
    std::optional<FormBody> parsed;
    if (req.body.size() > m_context.options.maxFormBytes) {
        HttpReplies::refuse(res, 413, "request too large");
        return std::nullopt;
    }
    parsed = FormBody::parse(req.body, tailField);
    if (!parsed || !parsed->has("sessionKey") || (!tailField.empty() && !parsed->has(tailField))) {
        HttpReplies::refuse(res, 400, "malformed form");
        return std::nullopt;
    }
    *form = *parsed;
    const std::string key = parsed->value("sessionKey");
    if (allowAnonymous && key == AnonymousSessionKey)
        return std::int64_t(0);
    const auto session = m_context.sessions.find(key);
    if (!session) {
        // An empty body: the word-list reply of an unknown session must not read as a word.
        HttpReplies::text(res, 403, "");
        return std::nullopt;
    }
    return session->userId;
}

void UserDataRoutes::wordList(const httplib::Request &req, httplib::Response &res)
{
    FormBody form;
    const auto user = userOf(req, res, {}, &form);
    if (!user)
        return;
    std::string body;
    for (const std::string &word : m_context.words.words(*user)) {
        if (!body.empty())
            body += ';';
        body += word;
    }
    HttpReplies::text(res, 200, body);
}

std::optional<std::vector<std::string>> UserDataRoutes::wordsOf(const FormBody &form, httplib::Response &res)
{
    const std::vector<std::string> words = splitItems(form.value("words"));
    if (words.empty()) {
        HttpReplies::refuse(res, 400, "Failure: no words");
        return std::nullopt;
    }
    if (words.size() > MaxItemsPerUpload) {
        HttpReplies::refuse(res, 400, "Failure: too many words in one request");
        return std::nullopt;
    }
    for (const std::string &word : words) {
        if (!WordListStore::acceptable(word)) {
            HttpReplies::refuse(res, 400, "Failure: a word must be 1 to "
                                              + std::to_string(WordListStore::MaxWordChars)
                                              + " printable characters");
            return std::nullopt;
        }
    }
    return words;
}

void UserDataRoutes::addWords(const httplib::Request &req, httplib::Response &res)
{
    changeWords(req, res, true);
}

void UserDataRoutes::removeWords(const httplib::Request &req, httplib::Response &res)
{
    changeWords(req, res, false);
}

void UserDataRoutes::changeWords(const httplib::Request &req, httplib::Response &res, bool add)
{
    FormBody form;
    const auto user = userOf(req, res, "words", &form);
    if (!user)
        return;
    const auto words = wordsOf(form, res);
    if (!words)
        return;
    if (!add)
        m_context.words.remove(*user, *words);
    else if (m_context.words.add(*user, *words) == WordListStore::AddResult::TooMany)
        return HttpReplies::refuse(res, 413, "Failure: the word list holds at most "
                                                 + std::to_string(WordListStore::MaxWordsPerUser) + " words");
    HttpReplies::text(res, 200, "ok");
}

void UserDataRoutes::errorLog(const httplib::Request &req, httplib::Response &res)
{
    FormBody form;
    const auto user = userOf(req, res, "data", &form);
    if (!user)
        return;
    const std::vector<std::string> items = splitItems(form.value("data"));
    if (items.empty() || items.size() > MaxItemsPerUpload)
        return HttpReplies::refuse(res, 400, "Failure");
    std::vector<UsageLogStore::Correction> entries;
    for (const std::string &item : items) {
        const std::size_t first = item.find(':');
        const std::size_t last = item.rfind(':');
        if (first == std::string::npos || first == last || first == 0)
            return HttpReplies::refuse(res, 400, "Failure");
        UsageLogStore::Correction entry;
        entry.found = item.substr(0, first);
        entry.replacement = item.substr(first + 1, last - first - 1);
        const auto count = parseCount(item.substr(last + 1));
        if (!count || *count == 0 || !Utf8Text::printable(entry.found, MaxLogTextBytes)
            || !Utf8Text::printable(entry.replacement, MaxLogTextBytes))
            return HttpReplies::refuse(res, 400, "Failure");
        entry.count = *count;
        entries.push_back(std::move(entry));
    }
    m_context.usage.addCorrections(*user, entries);
    HttpReplies::text(res, 200, "ok");
}

void UserDataRoutes::counts(const httplib::Request &req, httplib::Response &res)
{
    FormBody form;
    const auto user = userOf(req, res, "data", &form, true);
    if (!user)
        return;
    static const std::set<std::string> groups = {"event", "check", "error", "level"};
    const std::string group = form.value("group");
    const std::string version = form.value("version");
    if (!groups.count(group) || (*user == 0 && group != "event")
        || (!version.empty() && !validName(version, 32)))
        return HttpReplies::refuse(res, 400, "Failure");
    const std::vector<std::string> items = splitItems(form.value("data"));
    if (items.empty() || items.size() > MaxItemsPerUpload)
        return HttpReplies::refuse(res, 400, "Failure");
    std::vector<UsageLogStore::Count> counts;
    for (const std::string &item : items) {
        const std::size_t colon = item.find(':');
        if (colon == std::string::npos)
            return HttpReplies::refuse(res, 400, "Failure");
        const std::string name = item.substr(0, colon);
        const auto count = parseCount(item.substr(colon + 1));
        if (!validName(name, 64) || !count)
            return HttpReplies::refuse(res, 400, "Failure");
        counts.push_back({name, *count});
    }
    if (*user == 0)
        m_context.usage.addAnonymousCounts(version, counts, MaxAnonymousRows);
    else
        m_context.usage.addCounts(*user, group, version, counts);
    HttpReplies::text(res, 200, "ok");
}

void UserDataRoutes::choices(const httplib::Request &req, httplib::Response &res)
{
    FormBody form;
    const auto user = userOf(req, res, "data", &form);
    if (!user)
        return;
    const std::string data = form.value("data");
    Json::Value root;
    if (!JsonText::parse(data, &root, 8) || !root.isArray()
        || root.empty() || root.size() > MaxItemsPerUpload)
        return HttpReplies::refuse(res, 400, "Failure");
    std::vector<UsageLogStore::Choice> records;
    for (const Json::Value &item : root) {
        if (!item.isObject() || !item["sentence"].isString() || !item["wordIdx"].isInt()
            || !item["wordLength"].isInt() || !item["chooseWord"].isString())
            return HttpReplies::refuse(res, 400, "Failure");
        UsageLogStore::Choice choice{item["sentence"].asString(), item["wordIdx"].asInt(),
                                     item["wordLength"].asInt(), item["chooseWord"].asString()};
        if (choice.wordIdx < 0 || choice.wordLength < 0 || choice.sentence.size() > MaxSentenceBytes
            || !Utf8Text::valid(choice.sentence) || !Utf8Text::printable(choice.chooseWord, MaxLogTextBytes))
            return HttpReplies::refuse(res, 400, "Failure");
        records.push_back(std::move(choice));
    }
    m_context.usage.addChoices(*user, records);
    HttpReplies::text(res, 200, "ok");
}

} // namespace PennovaServer
