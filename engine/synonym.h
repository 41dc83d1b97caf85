#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QNetworkAccessManager;
class QNetworkReply;

namespace ZeltraLib {

// Asks "http://<host>/syms/" for replacement words of a span of a sentence.
class Synonym : public QObject
{
    Q_OBJECT
public:
    explicit Synonym(const QString &host, QObject *parent = nullptr);

    // `start` and `end`: character offsets of the span inside `sentence`.
    void request(const QString &sentence, int start, int end);

    QString url() const { return m_url; }

    // The request body: {"sent":"...","start":N,"end":N}, the sentence escaped as a
    // JSON string, UTF-8.
    static QByteArray requestBody(const QString &sentence, int start, int end);
    // The words of a reply body (a JSON array of strings); empty for a body of 10
    // characters or fewer.
    static QStringList parseReply(const QByteArray &body);

    // Largest reply accepted; a longer one yields an empty list.
    static constexpr qint64 MaxBodyBytes = 1024 * 1024;

Q_SIGNALS:
    void signalResult(QStringList strResult);

private Q_SLOTS:
    void slotReply(QNetworkReply *reply);

private:
    QString m_url;
    QNetworkAccessManager *m_manager = nullptr; // child
};

} // namespace ZeltraLib
