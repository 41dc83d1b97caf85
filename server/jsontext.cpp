#include "jsontext.h"

#include <json/json.h>

#include <exception>
#include <memory>

namespace PennovaServer {

bool JsonText::parse(const char *begin, const char *end, Json::Value *value, int stackLimit)
{
    Json::CharReaderBuilder builder;
    builder["stackLimit"] = stackLimit;
    builder["failIfExtra"] = true;
    builder["rejectDupKeys"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        // The reader throws when the nesting exceeds the stack limit.
        if (!reader->parse(begin, end, &root, &errors))
            return false;
    } catch (const std::exception &) {
        return false;
    }
    *value = std::move(root);
    return true;
}

bool JsonText::parse(const std::string &text, Json::Value *value, int stackLimit)
{
    return parse(text.data(), text.data() + text.size(), value, stackLimit);
}

std::string JsonText::compact(const Json::Value &value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value) + "\n";
}

} // namespace PennovaServer
