#pragma once

#include <json/value.h>

#include <optional>
#include <string>

namespace PennovaServer {

// A compressed request frame (check and polish) holding one JSON object.
class RequestFrame
{
public:
    // Decodes and parses the body. Returns 0 and fills *object, or the HTTP status to
    // refuse with: 413 when the raw length exceeds maxRawBytes, 400 for anything that is
    // not exactly one frame (plain decimal lengths, the packed bytes and nothing more,
    // data inflating to exactly the raw length) of a JSON object.
    static int decode(const std::string &body, long long maxRawBytes, Json::Value *object);

    // The session key of a check or polish request, read while inflating the frame into
    // a small window rather than into memory: the client writes "session" as the last
    // member of its object. Nothing when the frame does not inflate or the text does not
    // end in that member; the caller then decodes the whole request as usual.
    static std::optional<std::string> peekSession(const std::string &body, long long maxRawBytes);

    // One reply record: the frame of the compact JSON text (with its newline).
    static std::string encode(const Json::Value &value);
};

} // namespace PennovaServer
