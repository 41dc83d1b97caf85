#include "requestframe.h"

#include "frame.h"

#include <json/json.h>

#include <QByteArray>

#include <memory>
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
    Json::CharReaderBuilder builder;
    builder["stackLimit"] = 16;
    builder["failIfExtra"] = true;
    builder["rejectDupKeys"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    Json::Value root;
    if (!reader->parse(json.constData(), json.constData() + json.size(), &root, &errors) || !root.isObject())
        return 400;
    *object = std::move(root);
    return 0;
}

std::string RequestFrame::compactJson(const Json::Value &value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value) + "\n";
}

std::string RequestFrame::encode(const Json::Value &value)
{
    return ZeltraLib::encodeFrame(QByteArray::fromStdString(compactJson(value))).toStdString();
}

} // namespace PennovaServer
