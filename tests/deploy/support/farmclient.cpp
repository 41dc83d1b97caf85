#include "farmclient.h"

#include "checkrequest.h"
#include "frame.h"
#include "passwordhasher.h"
#include "sentencesplitter.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <httplib.h>

#include <chrono>
#include <stdexcept>

FarmClient::FarmClient(int port)
    : m_port(port)
{
}

std::string FarmClient::login(const std::string &name, const std::string &password) const
{
    httplib::Client http("127.0.0.1", m_port);
    http.set_read_timeout(60, 0);
    const auto res = http.Post("/Login-new.ashx",
                               "userName=" + name + "&hashUserPassword=" + PennovaServer::PasswordHasher::protocolHash(password),
                               "application/x-www-form-urlencoded");
    if (!res || res->status != 200 || res->body.rfind("Success|", 0) != 0 || res->body.size() < 8 + 32)
        return {};
    return res->body.substr(8, 32);
}

FarmClient::CheckReply FarmClient::check(const std::string &sessionKey, const std::vector<std::string> &sentences) const
{
    using Clock = std::chrono::steady_clock;
    ZeltraLib::CheckRequest request;
    request.session = QString::fromStdString(sessionKey);
    for (const std::string &sentence : sentences) {
        request.sents << QString::fromStdString(sentence);
        request.configs << 0;
    }
    httplib::Client http("127.0.0.1", m_port);
    http.set_read_timeout(300, 0);
    httplib::Request req;
    req.method = "POST";
    req.path = "/apps_compressed/";
    req.set_header("Content-Type", "application/x-www-form-urlencoded");
    req.body = ZeltraLib::encodeFrame(ZeltraLib::checkRequestJson(request)).toStdString();

    CheckReply reply;
    std::string stream;
    const auto sent = Clock::now();
    req.content_receiver = [&](const char *data, size_t length, uint64_t, uint64_t) {
        if (reply.firstRecordMs < 0)
            reply.firstRecordMs = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
        stream.append(data, length);
        return true;
    };
    const auto res = http.send(req);
    if (!res) {
        reply.error = httplib::to_string(res.error());
        return reply;
    }
    reply.status = res->status;
    if (res->status != 200) {
        reply.error = "status " + std::to_string(res->status) + ": " + stream.substr(0, 200);
        return reply;
    }
    // Records: a frame each, then 3 bytes.
    std::size_t pos = 0;
    while (pos < stream.size()) {
        const auto header = ZeltraLib::readFrameHeader(stream.data() + pos, qint64(stream.size() - pos));
        const std::size_t length = std::size_t(header.headerLength + header.packedLength);
        if (header.status != ZeltraLib::FrameHeader::Complete || pos + length + 3 > stream.size()) {
            reply.error = "broken record stream: " + stream.substr(pos, 40);
            return reply;
        }
        QByteArray json;
        try {
            json = ZeltraLib::cutAtZero(ZeltraLib::decodeFrame(QByteArray(stream.data() + pos, int(length))));
        } catch (const std::exception &e) {
            reply.error = e.what();
            return reply;
        }
        const QJsonObject record = QJsonDocument::fromJson(json).object();
        if (record.isEmpty()) {
            reply.error = "a record is no JSON object";
            return reply;
        }
        if (record.value(QStringLiteral("sentInd")).toInt() < 0)
            reply.summary = true;
        else
            ++reply.records;
        pos += length + 3;
    }
    if (!reply.summary)
        reply.error = "no summary record";
    return reply;
}

std::vector<std::string> FarmClient::sentencesOf(const std::string &utf8Text)
{
    std::vector<std::string> out;
    for (const QString &paragraph : QString::fromStdString(utf8Text).split(QLatin1Char('\n'))) {
        int start = 0;
        for (int end : ZeltraLib::splitSentences(paragraph)) {
            const QString sentence = paragraph.mid(start, end - start + 1).trimmed();
            if (!sentence.isEmpty())
                out.push_back(sentence.toStdString());
            start = end + 1;
        }
    }
    return out;
}
