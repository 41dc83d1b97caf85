#include "resultsfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

ResultsFile ResultsFile::read(const QString &path)
{
    ResultsFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.m_errors << QStringLiteral("%1: %2").arg(path, file.errorString());
        return result;
    }
    if (file.size() > MaxBytes) {
        result.m_errors << QStringLiteral("%1: larger than %2 bytes").arg(path).arg(MaxBytes);
        return result;
    }
    result = fromJson(file.read(MaxBytes + 1));
    return result;
}

ResultsFile ResultsFile::fromJson(const QByteArray &json)
{
    ResultsFile result;
    if (json.size() > MaxBytes) {
        result.m_errors << QStringLiteral("larger than %1 bytes").arg(MaxBytes);
        return result;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        result.m_errors << QStringLiteral("not a JSON array of results (%1)")
                               .arg(error.error != QJsonParseError::NoError ? error.errorString()
                                                                            : QStringLiteral("no array"));
        return result;
    }
    const QJsonArray array = document.array();
    for (int i = 0; i < array.size(); ++i) {
        try {
            if (!array.at(i).isObject())
                throw std::runtime_error("not an object");
            const QByteArray text = QJsonDocument(array.at(i).toObject()).toJson(QJsonDocument::Compact);
            result.m_states.append(ZeltraLib::parseResultState(text));
        } catch (const std::exception &e) {
            result.m_errors << QStringLiteral("record %1: %2").arg(i).arg(QString::fromUtf8(e.what()));
        }
    }
    return result;
}
