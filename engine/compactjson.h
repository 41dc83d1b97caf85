#pragma once

#include <QByteArray>

#include <json/value.h>

namespace ZeltraLib {

// The compact single-line JSON form used in service requests: no spaces, object
// members sorted by name, non-ASCII text as raw UTF-8, ending with one newline.
QByteArray writeCompactJson(const Json::Value &value);

// A Qt string as a JSON string value (UTF-8).
Json::Value jsonString(const QString &text);

} // namespace ZeltraLib
