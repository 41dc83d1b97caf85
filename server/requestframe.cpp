#include "requestframe.h"

#include "frame.h"
#include "jsontext.h"

#include <QByteArray>

#include <stdexcept>

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

std::string RequestFrame::encode(const Json::Value &value)
{
    return ZeltraLib::encodeFrame(QByteArray::fromStdString(JsonText::compact(value))).toStdString();
}

} // namespace PennovaServer
