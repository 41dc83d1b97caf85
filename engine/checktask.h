#pragma once

#include "checkrequest.h"
#include "framereader.h"
#include "resultstate.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QTimer>

class QNetworkAccessManager;

namespace ZeltraLib {

// Sends one check request (all sentences in one compressed frame) to
// "http://<host>/apps_compressed/" and turns the streamed reply into one
// CResultState per record, delivered as each record completes. One request at a time;
// the object is reused for every check.
class CheckTask : public QObject
{
    Q_OBJECT
public:
    explicit CheckTask(const QString &host, QObject *parent = nullptr);
    ~CheckTask() override;

    // Posts the request. A request still in flight is dropped silently (aborted, and
    // nothing more of it is delivered).
    void start(const CheckRequest &request);
    // Cancels the running request: signalFinished(OperationCanceledError) follows.
    void abort();

    bool isRunning() const { return m_reply != nullptr; }

    // Time-out of a whole request, from start; 100000 ms unless changed.
    int timeoutMs() const { return m_timeoutMs; }
    void setTimeoutMs(int ms);

    // Bytes received and not yet decoded (a record split across reads).
    qint64 pendingSize() const { return m_pending.bufferedSize(); }

    const QNetworkRequest &request() const { return m_request; }

Q_SIGNALS:
    void signalUpdateResult(ZeltraLib::CResultState state);
    // Once per request: NoError, AuthenticationRequiredError for "unauthorized",
    // TimeoutError, OperationCanceledError, ProtocolFailure for a reply that is not a
    // frame stream, or the reply's own error.
    void signalFinished(QNetworkReply::NetworkError err);

private Q_SLOTS:
    void slotReadyRead();
    void slotFinished();
    void slotCheckTimeout();

private:
    void dropReply();
    void finish(QNetworkReply::NetworkError err);

    int m_timeoutMs = 100000;
    QNetworkAccessManager *m_manager = nullptr; // child
    QNetworkRequest m_request;
    QNetworkReply *m_reply = nullptr;           // owned while set; released with deleteLater
    FrameReader m_pending{3};
    QTimer m_timer;
    bool m_unauthorized = false;
    quint64 m_generation = 0;                   // changes whenever the current reply does
};

} // namespace ZeltraLib
