#include "requestframe.h"

#include "frame.h"
#include "jsontext.h"

#include <QByteArray>

#include <stdexcept>

#include <zlib.h>

namespace PennovaServer {

int RequestFrame::decode(const std::string &body, long long maxRawBytes, Json::Value *object)
{
    const ZeltraLib::FrameHeader header = ZeltraLib::readFrameHeader(body.data(), qint64(body.size()));
    if (header.status != ZeltraLib::FrameHeader::Complete)
        return 400;
    if (header.rawLength > maxRawBytes)
        return 413;
    QByteArray json;
    try {
        json = ZeltraLib::decodeFrameStrict(QByteArray::fromRawData(body.data(), qsizetype(body.size())));
    } catch (const std::runtime_error &) {
        return 400;
    }
    Json::Value root;
    if (!JsonText::parse(json.constData(), json.constData() + json.size(), &root) || !root.isObject())
        return 400;
    *object = std::move(root);
    return 0;
}

std::optional<std::string> RequestFrame::peekSession(const std::string &body, long long maxRawBytes)
{
    const ZeltraLib::FrameHeader header = ZeltraLib::readFrameHeader(body.data(), qint64(body.size()));
    if (header.status != ZeltraLib::FrameHeader::Complete || header.rawLength > maxRawBytes
        || qint64(body.size()) != header.headerLength + header.packedLength)
        return std::nullopt;
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(body.data() + header.headerLength));
    stream.avail_in = uInt(header.packedLength);
    constexpr std::size_t TailBytes = 256;
    std::string tail;
    char chunk[16 * 1024];
    long long inflated = 0;
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = sizeof chunk - stream.avail_out;
        inflated += (long long)produced;
        if ((status != Z_OK && status != Z_STREAM_END) || inflated > maxRawBytes || (status == Z_OK && produced == 0))
            break;
        tail.append(chunk, produced);
        if (tail.size() > TailBytes)
            tail.erase(0, tail.size() - TailBytes);
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END || inflated != header.rawLength || stream.avail_in != 0)
        return std::nullopt; // not exactly one frame: decode() says why
    // ..., "session":"KEY"}\n at the top level: a quote inside a sentence is escaped.
    while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\0'))
        tail.pop_back();
    const std::string member = "\"session\":\"";
    const std::size_t at = tail.rfind(member);
    if (tail.size() < 2 || tail.compare(tail.size() - 2, 2, "\"}") != 0 || at == std::string::npos || at == 0
        || (tail[at - 1] != ',' && tail[at - 1] != '{'))
        return std::nullopt;
    const std::size_t start = at + member.size();
    const std::string key = tail.substr(start, tail.size() - 2 - start);
    if (key.find_first_of("\"\\") != std::string::npos)
        return std::nullopt;
    return key;
}

std::string RequestFrame::encode(const Json::Value &value)
{
    return ZeltraLib::encodeFrame(QByteArray::fromStdString(JsonText::compact(value))).toStdString();
}

} // namespace PennovaServer
