#pragma once

#include "boundednetworkaccessmanager.h"
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QProcess>
#include <QString>

class QNetworkProxy;
class QNetworkReply;

namespace ZeltraLib {

// Reachability checks, plain downloads and ping for the windows (login picture, network
// diagnosis, proxy test, connection indicator). Each operation reports once.
class NetworkHelper : public QObject
{
    Q_OBJECT
public:
    explicit NetworkHelper(QObject *parent = nullptr);
    ~NetworkHelper() override;

    // GET `url`; signalCheckHttpFinished(true) when the reply has no error.
    void checkHttp(const QString &url);
    // The same through `proxy` (set on the check manager for this and later checks).
    void checkHttp(const QNetworkProxy &proxy, const QString &url);
    // GET `url`; signalDownloadFinished(body), an empty array on any error or when the body
    // grows beyond MaxDownloadBytes.
    void download(const QString &url);
    // Runs "ping -c 1 HOST" up to `tries` times until a time is read; reports the time in
    // whole milliseconds or -1. A ":port" suffix of `host` is dropped (the service hosts
    // are "host:port"). A host that could be taken for an option reports -1 at once.
    void ping(const QString &host, int tries);

    // The round-trip time in Linux ping output, in whole milliseconds (the fraction is cut:
    // "time=0.045 ms" -> 0, "time=23.4 ms" -> 23, "time<1ms" -> 0); -1 when the output
    // holds no reply time (a lost packet, an unknown host, garbage).
    static int parsePingTime(const QString &output);
    // The host part of "host" or "host:port" ("[::1]:80" -> "::1"); empty when unusable.
    static QString pingTarget(const QString &host);

    static constexpr qint64 MaxDownloadBytes = 16 * 1024 * 1024;

    // Longest wait of checkHttp() for an answer (0: the system's own); a check that runs
    // out fails.
    void setTimeoutMs(int ms);

    // Program run for ping; tests put a stand-in here.
    void setPingProgram(const QString &program);

Q_SIGNALS:
    void signalCheckHttpFinished(bool bSucc);
    void signalPingFinished(int time);
    void signalDownloadFinished(QByteArray data);

private Q_SLOTS:
    void slotFinished(QNetworkReply *reply);
    void slotDownloadFinished(QNetworkReply *reply);
    void slotPingFinished();

private:
    void startPing();

    ZeltraLib::BoundedNetworkAccessManager m_checkManager;
    ZeltraLib::BoundedNetworkAccessManager m_downloadManager;
    QProcess *m_process = nullptr; // child of this object; replaced for every ping run
    QString m_pingProgram = QStringLiteral("ping");
    int m_tries = 0;
    QString m_pingHost;
};

} // namespace ZeltraLib
