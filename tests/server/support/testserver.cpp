#include "testserver.h"

#include "checkrequest.h"
#include "englishchecker.h"
#include "frame.h"
#include "passwordhasher.h"
#include "serverstorage.h"
#include "serviceserver.h"

#include <QtTest/QTest>

#include <json/json.h>

namespace {
// One checker for every server of a test program: each would take a second to load its own.
std::shared_ptr<const PennovaChecker::EnglishChecker> sharedChecker()
{
    static const auto checker = std::make_shared<const PennovaChecker::EnglishChecker>(std::string(), std::string());
    return checker;
}
} // namespace

TestServer::TestServer(PennovaServer::ServerOptions options)
    : m_options(std::move(options))
{
    m_options.dataDir = m_dir.path().toStdString() + "/data";
    m_options.host = "127.0.0.1";
    m_options.port = 0;
}

TestServer::~TestServer()
{
    stop();
}

PennovaServer::ServerOptions TestServer::defaultOptions()
{
    PennovaServer::ServerOptions options;
    options.fastPasswordHash = true;
    options.logRequests = false;
    options.threads = 4;
    options.loadDataAtStart = false; // loaded by the first request that needs them
    options.sessionLifetimeSeconds = 3600;
    return options;
}

bool TestServer::start()
{
    std::atomic<std::int64_t> *now = &m_now;
    const bool defaultChecker = m_options.checkerDataDir.empty() && m_options.hunspellDir.empty();
    m_server = std::make_unique<PennovaServer::ServiceServer>(
        m_options, [now] { return now->load(); },
        defaultChecker ? PennovaServer::ServiceServer::CheckerLoader(sharedChecker) : nullptr);
    m_port = m_server->bind();
    if (m_port <= 0)
        return false;
    m_thread = std::thread([this] { m_server->run(); });
    return QTest::qWaitFor([this] { return m_server->isRunning(); }, 5000);
}

void TestServer::stop()
{
    if (m_server)
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
}

httplib::Client TestServer::client() const
{
    httplib::Client client("127.0.0.1", m_port);
    client.set_read_timeout(60, 0);
    return client;
}

httplib::Result TestServer::post(const std::string &path, const std::string &body,
                                 const std::string &contentType) const
{
    return client().Post(path.c_str(), body, contentType.c_str());
}

httplib::Result TestServer::get(const std::string &path) const
{
    return client().Get(path.c_str());
}

bool TestServer::addUser(const std::string &name, const std::string &email, const std::string &password)
{
    return m_server->storage().accounts().create(name, email, PennovaServer::PasswordHasher::protocolHash(password))
           == PennovaServer::AccountStore::CreateResult::Created;
}

std::string TestServer::login(const std::string &name, const std::string &password) const
{
    const auto res = post("/Login-new.ashx", "userName=" + name + "&hashUserPassword="
                                                 + PennovaServer::PasswordHasher::protocolHash(password));
    if (!res || res->status != 200 || res->body.rfind("Success|", 0) != 0)
        return {};
    const std::string rest = res->body.substr(8);
    return rest.substr(0, rest.find('|'));
}

namespace TestFrames {

std::string frame(const std::string &text)
{
    return ZeltraLib::encodeFrame(QByteArray::fromStdString(text)).toStdString();
}

namespace {
std::string compact(const Json::Value &value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value) + "\n";
}
} // namespace

std::string checkRequest(const std::string &session, const std::vector<std::string> &sentences,
                         const std::vector<int> &configs, const std::vector<int> &scoreErrors)
{
    // Exactly what the client posts.
    ZeltraLib::CheckRequest request;
    request.session = QString::fromStdString(session);
    for (const std::string &s : sentences)
        request.sents << QString::fromStdString(s);
    for (int c : configs)
        request.configs << c;
    for (int e : scoreErrors)
        request.scoreErrors << e;
    return ZeltraLib::checkRequestJson(request).toStdString();
}

std::string polishRequest(const std::string &session, const std::vector<std::string> &sentences, int level)
{
    Json::Value root(Json::objectValue);
    root["session"] = session;
    root["clientVersion"] = "0.9.2.0";
    root["confidence"] = level;
    root["sents"] = Json::Value(Json::arrayValue);
    for (const std::string &s : sentences)
        root["sents"].append(s);
    return compact(root);
}

bool records(const std::string &stream, std::vector<std::string> *texts)
{
    texts->clear();
    std::size_t pos = 0;
    while (pos < stream.size()) {
        const ZeltraLib::FrameHeader header = ZeltraLib::readFrameHeader(stream.data() + pos, qint64(stream.size() - pos));
        if (header.status != ZeltraLib::FrameHeader::Complete)
            return false;
        const std::size_t length = std::size_t(header.headerLength + header.packedLength);
        if (pos + length + 3 > stream.size())
            return false;
        try {
            const QByteArray json = ZeltraLib::decodeFrameStrict(QByteArray::fromStdString(stream.substr(pos, length)));
            texts->push_back(json.toStdString());
        } catch (const std::exception &) {
            return false;
        }
        pos += length + 3;
    }
    return true;
}

} // namespace TestFrames
