#pragma once

#include <QNetworkAccessManager>

namespace ZeltraLib {

// The services' network access: plain and TLS GETs and POSTs go through BoundedHttpReply,
// whose memory follows what its reader takes, not what the peer sends. Requests through a
// proxy (the application's or the manager's) and other operations stay with Qt's client.
class BoundedNetworkAccessManager : public QNetworkAccessManager
{
    Q_OBJECT

public:
    explicit BoundedNetworkAccessManager(QObject *parent = nullptr);

    // Larger request bodies go to Qt's client (the services take small forms).
    static constexpr qint64 MaxRequestBytes = 64 * 1024 * 1024;

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request,
                                 QIODevice *outgoingData = nullptr) override;
};

} // namespace ZeltraLib
