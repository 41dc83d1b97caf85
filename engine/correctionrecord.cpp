#include "correctionrecord.h"

#include "checkcodes.h"

#include <cstring>

namespace ZeltraLib {

QByteArray escapeExplanationKey(const QByteArray &text)
{
    static const char special[] = "% <>#{}|\\^~[]`;/?:@=&$";
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(text.size());
    for (const char ch : text) {
        if (ch != '\0' && std::strchr(special, ch)) {
            const auto byte = static_cast<unsigned char>(ch);
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += ch;
        }
    }
    return out;
}

QString CorrectionRecord::explanationQuery() const
{
    QByteArray query;
    if (m_category == CategoryImprove) {
        query = "/?lexsub=";
        for (qsizetype i = 0; i < featureKeys.size(); ++i) {
            if (i > 0)
                query += ',';
            query += featureKeys.at(i);
        }
        query += "&pos=";
        query += errorInfo;
        return QString::fromUtf8(query);
    }

    query = "/?et=" + explainType;
    if (!candidates.isEmpty() && !candidates.first().correction.isEmpty())
        query += "&ct=" + candidates.first().correction;
    if (!labelText.isEmpty())
        query += "&label=" + QByteArray::number(label) + "&ls=" + escapeExplanationKey(labelText);
    for (const QByteArray &key : featureKeys)
        query += "&fk=" + escapeExplanationKey(key);
    for (const QByteArray &key : secondKeys)
        query += "&sk=" + escapeExplanationKey(key);
    return QString::fromUtf8(query);
}

} // namespace ZeltraLib
