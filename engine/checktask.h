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

    // Limits of one reply, so that a hostile or broken service cannot take the client's
    // memory or time: the inflated records together stay within a budget that grows with
    // the request's sentences, one record within MaxRecordBytes; a record keeps at most
    // MaxCorrections corrections of MaxCandidates candidates each.
    static constexpr qint64 MaxRecordBytes = 256 * 1024;
    static constexpr qint64 BaseReplyBytes = 1024 * 1024;
    static constexpr qint64 ReplyBytesPerSentence = 32 * 1024;
    static constexpr int MaxCorrections = 100;
    static constexpr int MaxCandidates = 20;
    // Cuts a record's corrections and candidates to the limits above.
    static void capCorrections(CResultState &state);
    // Finish code of a check or polish request refused because the account's words per
    // minute are spent (HTTP 429); Qt itself reports that status as UnknownContentError,
    // the code of a text the polish service cannot polish.
    static constexpr QNetworkReply::NetworkError WordBudgetSpentError = QNetworkReply::NetworkError(429);
    // The reply's error, with a word-budget refusal told apart.
    static QNetworkReply::NetworkError replyError(const QNetworkReply *reply);
    // The same while the reply still runs: from its status when Qt has set no error yet.
    static QNetworkReply::NetworkError statusError(const QNetworkReply *reply);
    // Records are decoded for at most this long (20 ms unless changed) before the event
    // loop gets its turn; 0 yields after every record.
    void setSliceMs(int ms) { m_sliceMs = ms; }

    const QNetworkRequest &request() const { return m_request; }

Q_SIGNALS:
    void signalUpdateResult(ZeltraLib::CResultState state);
    // Once per request: NoError, AuthenticationRequiredError for "unauthorized",
    // TimeoutError, OperationCanceledError, ProtocolFailure for a reply that is not a
    // frame stream, ends without its summary record or breaks the limits above, or the
    // reply's own error.
    void signalFinished(QNetworkReply::NetworkError err);

private Q_SLOTS:
    void slotReadyRead();
    void slotFinished();
    void slotCheckTimeout();

private:
    // Reads and decodes what has arrived, one slice at a time; ends the request once the
    // reply has finished and every record is delivered.
    void pump();
    void schedulePump();
    // False when the record breaks the reply's limits.
    bool deliver(const QByteArray &frame);
    bool fits(const FrameHeader &header) const;
    void complete();
    void giveUp(QNetworkReply::NetworkError err);
    void dropReply();
    void finish(QNetworkReply::NetworkError err);

    int m_timeoutMs = 100000;
    QNetworkAccessManager *m_manager = nullptr; // child
    QNetworkRequest m_request;
    QNetworkReply *m_reply = nullptr;           // owned while set; released with deleteLater
    FrameReader m_pending{3};
    QTimer m_timer;
    bool m_unauthorized = false;
    bool m_replyDone = false;                   // finished() came; records may still wait
    bool m_pumpQueued = false;
    int m_sliceMs = 20;
    bool m_summarySeen = false;
    int m_sentenceCount = 0;
    qint64 m_replyBudget = 0;                   // inflated bytes the reply may still bring
    qint64 m_discarded = 0;                     // bytes of an error or "unauthorized" reply
    QList<bool> m_answered;                     // per sentence: a record was delivered
    quint64 m_generation = 0;                   // changes whenever the current reply does
};

} // namespace ZeltraLib
