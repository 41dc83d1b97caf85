#pragma once

#include <json/value.h>

#include <cstddef>
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

    // What a request frame holds, read while inflating it into a small window rather
    // than into memory, so that a request is judged before it is parsed: parsing costs
    // far more memory per value than the text it comes from.
    struct Outline
    {
        // 0, or the status to refuse with: 413 beyond maxRawBytes or maxValues, 400 for
        // a frame that does not inflate or nests deeper than maxDepth.
        int status = 0;
        // The top-level "session" string, when it has no escapes; the caller decodes the
        // request to find any other.
        std::optional<std::string> session;
    };
    static Outline outline(const std::string &body, long long maxRawBytes, std::size_t maxValues, int maxDepth);

    // One reply record: the frame of the compact JSON text (with its newline).
    static std::string encode(const Json::Value &value);
};

} // namespace PennovaServer
