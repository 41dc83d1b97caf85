#include "requestframe.h"

#include "frame.h"
#include "jsonoutline.h"
#include "jsontext.h"

#include <QByteArray>

#include <new>
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

RequestFrame::Outline RequestFrame::outline(const std::string &body, long long maxRawBytes, std::size_t maxValues,
                                            int maxDepth)
{
    Outline result;
    const ZeltraLib::FrameHeader header = ZeltraLib::readFrameHeader(body.data(), qint64(body.size()));
    if (header.status != ZeltraLib::FrameHeader::Complete
        || qint64(body.size()) != header.headerLength + header.packedLength) {
        result.status = 400;
        return result;
    }
    if (header.rawLength > maxRawBytes) {
        result.status = 413;
        return result;
    }
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        throw std::bad_alloc();
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(body.data() + header.headerLength));
    stream.avail_in = uInt(header.packedLength);
    constexpr std::size_t MaxSessionBytes = 256;
    JsonOutline json("session", MaxSessionBytes, maxValues, maxDepth);
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
        if (!json.feed(chunk, produced))
            break;
    }
    inflateEnd(&stream);
    if (!json.withinLimits()) {
        // Too many values cost memory as too much text does; too deep is no request.
        result.status = json.values() > maxValues ? 413 : 400;
        return result;
    }
    if (status != Z_STREAM_END || inflated != header.rawLength || stream.avail_in != 0) {
        result.status = 400; // not exactly one frame
        return result;
    }
    result.session = json.member();
    return result;
}

std::string RequestFrame::encode(const Json::Value &value)
{
    return ZeltraLib::encodeFrame(QByteArray::fromStdString(JsonText::compact(value))).toStdString();
}

} // namespace PennovaServer
