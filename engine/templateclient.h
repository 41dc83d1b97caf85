#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace ZeltraLib {

// What the three template-service clients share: their own network access manager,
// the base address "http://" + host + path, and the one request in flight.
class TemplateClient : public QObject
{
    Q_OBJECT
public:
    QString baseUrl() const { return m_base; }
    QNetworkAccessManager *manager() const { return m_manager; }

protected:
    TemplateClient(const QString &host, const QString &path, QObject *parent);

    // A plain GET of `url`. A request still in flight is dropped: its late reply
    // must not fill the target of the newer one.
    void send(const QString &url);
    // The reply's body when it answers the newest request (released afterwards);
    // false for a dropped reply, which the caller ignores.
    bool take(QNetworkReply *reply, QByteArray *body);

private:
    QString m_base;
    QNetworkAccessManager *m_manager = nullptr; // child
    QPointer<QNetworkReply> m_pending;
};

} // namespace ZeltraLib
