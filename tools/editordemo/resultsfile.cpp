#include "resultsfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

ResultsFile readResultsFile(const QString &path)
{
    ResultsFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.errors << QStringLiteral("%1: %2").arg(path, file.errorString());
        return result;
    }
    if (file.size() > MaxResultsFileBytes) {
        result.errors << QStringLiteral("%1: larger than %2 bytes").arg(path).arg(MaxResultsFileBytes);
        return result;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        result.errors << QStringLiteral("%1: not a JSON array of results (%2)").arg(path, error.errorString());
        return result;
    }
    const QJsonArray array = document.array();
    for (int i = 0; i < array.size(); ++i) {
        const QByteArray text = QJsonDocument(array.at(i).toObject()).toJson(QJsonDocument::Compact);
        try {
            if (!array.at(i).isObject())
                throw std::runtime_error("not an object");
            result.states.append(ZeltraLib::parseResultState(text));
        } catch (const std::exception &e) {
            result.errors << QStringLiteral("record %1: %2").arg(i).arg(QString::fromUtf8(e.what()));
        }
    }
    return result;
}
