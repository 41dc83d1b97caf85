#pragma once

#include "resultstate.h"

#include <QList>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QTimer>

class QNetworkAccessManager;

namespace ZeltraLib {

// Sends one polish request to "http://<host>/lexsub/" and collects the one-frame reply:
// a JSON array of CResultState, kept in results() until the next start.
class EnrichmentTask : public QObject
{
    Q_OBJECT
public:
    explicit EnrichmentTask(const QString &host, QObject *parent = nullptr);
    ~EnrichmentTask() override;

    // Posts the UTF-8 JSON text as one compressed frame. A request still in flight is
    // dropped silently.
    void start(const QByteArray &jsonText);
    // Cancels the running request: signalFinished(OperationCanceledError) follows.
    void abort();

    const QList<CResultState> &results() const { return m_results; }
    bool isRunning() const { return m_reply != nullptr; }

    // Time-out of a request, from start; 60000 ms unless changed.
    int timeoutMs() const { return m_timeoutMs; }
    void setTimeoutMs(int ms);

    const QNetworkRequest &request() const { return m_request; }

    // The inflated reply may have BaseReplyBytes plus ReplyBytesPerRequestByte for every
    // byte of the request's JSON text.
    static constexpr qint64 BaseReplyBytes = 1024 * 1024;
    static constexpr qint64 ReplyBytesPerRequestByte = 64;

    // Largest reply body read (a frame of MaxFrameBytes and its header by default).
    void setMaxReplyBytes(qint64 bytes) { m_maxReplyBytes = bytes; }

Q_SIGNALS:
    // Once per request: NoError; AuthenticationRequiredError for "unauthorized";
    // UnknownContentError (299) when the service refuses the text; TimeoutError;
    // OperationCanceledError; ProtocolFailure for a body that is not a readable polish
    // reply (or is larger than a frame can be); or the reply's own error.
    void signalFinished(QNetworkReply::NetworkError err);

private Q_SLOTS:
    void slotFinished();
    void slotCheckTimeout();

private:
    void slotReadyRead();
    bool readBody(const QByteArray &body);
    void dropReply();
    // Ends the request early: drops the reply and reports `err`.
    void giveUp(QNetworkReply::NetworkError err);

    int m_timeoutMs = 60000;
    QNetworkAccessManager *m_manager = nullptr; // child
    QNetworkRequest m_request;
    QNetworkReply *m_reply = nullptr;           // owned while set; released with deleteLater
    QTimer m_timer;
    QList<CResultState> m_results;
    QByteArray m_body;
    qint64 m_maxReplyBytes;
    qint64 m_maxRawBytes = 0; // inflated size the current request's reply may have
};

} // namespace ZeltraLib
