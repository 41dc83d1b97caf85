#include "checktask.h"

#include "boundednetworkaccessmanager.h"
#include "frame.h"
#include "replyguards.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QUrl>

#include <algorithm>
#include <stdexcept>

namespace ZeltraLib {

namespace {
const QByteArray UnauthorizedReply = QByteArrayLiteral("unauthorized");
constexpr qint64 ReadBufferBytes = 1024 * 1024;
}

CheckTask::CheckTask(const QString &host, QObject *parent)
    : QObject(parent)
    , m_manager(new ZeltraLib::BoundedNetworkAccessManager(this))
{
    m_request.setUrl(QUrl(QStringLiteral("http://") + host + QStringLiteral("/apps_compressed/")));
    m_request.setHeader(QNetworkRequest::ContentTypeHeader,
                        QByteArrayLiteral("application/x-www-form-urlencoded"));
    m_timer.setSingleShot(true);
    m_timer.setInterval(m_timeoutMs);
    connect(&m_timer, &QTimer::timeout, this, &CheckTask::slotCheckTimeout);
}

CheckTask::~CheckTask()
{
    dropReply();
}

void CheckTask::setTimeoutMs(int ms)
{
    m_timeoutMs = ms;
    m_timer.setInterval(ms);
}

void CheckTask::start(const CheckRequest &request)
{
    dropReply();
    m_unauthorized = false;
    m_replyDone = false;
    m_discarded = 0;
    m_summarySeen = false;
    // Bytes left by an abandoned reply belong to no record of this one.
    m_pending.clear();
    m_sentenceCount = int(request.sents.size());
    m_answered = QList<bool>(m_sentenceCount, false);
    m_replyBudget = BaseReplyBytes + ReplyBytesPerSentence * m_sentenceCount;

    const QByteArray frame = encodeFrame(checkRequestJson(request));
    QNetworkRequest post = m_request;
    post.setHeader(QNetworkRequest::ContentLengthHeader, frame.size());
    m_reply = m_manager->post(post, frame);
    // Back-pressure: a peer that streams faster than records are decoded waits instead of
    // filling the reply's buffer.
    m_reply->setReadBufferSize(ReadBufferBytes);
    ++m_generation;
    connect(m_reply, &QNetworkReply::readyRead, this, &CheckTask::slotReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &CheckTask::slotFinished);
    m_timer.start();
}

void CheckTask::abort()
{
    if (m_reply && !m_reply->isFinished())
        m_reply->abort(); // finished() follows at once: OperationCanceledError
}

void CheckTask::slotReadyRead()
{
    pump();
}

void CheckTask::slotFinished()
{
    m_replyDone = true;
    pump();
}

void CheckTask::schedulePump()
{
    if (m_pumpQueued)
        return;
    m_pumpQueued = true;
    const quint64 generation = m_generation;
    QTimer::singleShot(0, this, [this, generation] {
        m_pumpQueued = false;
        if (generation == m_generation)
            pump();
    });
}

void CheckTask::pump()
{
    if (!m_reply)
        return;
    const quint64 generation = m_generation;
    // An HTTP error carries an error page, not records; its code is reported at the end.
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool failed = status >= 400 || m_reply->error() != QNetworkReply::NoError;
    if (failed || m_unauthorized) {
        // Not kept, and not read for long: an error page longer than a record is no page.
        m_discarded += m_reply->skip(m_reply->bytesAvailable());
        if (m_discarded > MaxRecordBytes && !m_replyDone) {
            giveUp(failed ? statusError(m_reply) : QNetworkReply::ProtocolFailure);
            return;
        }
    } else if (m_pending.bufferedSize() < ReadBufferBytes) {
        // What has arrived, not the whole room: read(n) allocates n bytes whatever comes,
        // and the buffer would keep that capacity for the rest of the reply.
        const qint64 room = ReadBufferBytes - m_pending.bufferedSize();
        m_pending.append(m_reply->read(qMin(m_reply->bytesAvailable(), room)));
        const qint64 size = m_pending.bufferedSize();
        if (size > 0 && size <= UnauthorizedReply.size()) {
            const QByteArray text = m_pending.buffered();
            if (text == UnauthorizedReply) {
                m_unauthorized = true;
                m_pending.clear();
            } else if (UnauthorizedReply.startsWith(text) && !m_replyDone) {
                return; // may still become "unauthorized"
            }
        }
    }

    QElapsedTimer slice;
    slice.start();
    QByteArray frame;
    for (bool more = !failed && !m_unauthorized; more;) {
        const FrameHeader next = m_pending.nextHeader();
        if (next.status == FrameHeader::Complete && !fits(next)) {
            giveUp(QNetworkReply::ProtocolFailure); // refused before its bytes are buffered
            return;
        }
        switch (m_pending.next(&frame)) {
        case FrameReader::NeedMore:
            more = false;
            break;
        case FrameReader::Broken:
            // Nothing after a bad header can be trusted: give the reply up.
            giveUp(QNetworkReply::ProtocolFailure);
            return;
        case FrameReader::Ready:
            if (!deliver(frame)) {
                giveUp(QNetworkReply::ProtocolFailure);
                return;
            }
            if (generation != m_generation)
                return; // a receiver aborted or restarted the check
            if (slice.elapsed() >= m_sliceMs) {
                // Let the time-out and the user's input have their turn.
                schedulePump();
                return;
            }
            break;
        }
    }
    if (m_reply->bytesAvailable() > 0) {
        schedulePump();
        return;
    }
    if (m_replyDone)
        complete();
}

bool CheckTask::deliver(const QByteArray &frame)
{
    const FrameHeader header = readFrameHeader(frame.constData(), frame.size());
    if (!fits(header))
        return false;
    m_replyBudget -= header.rawLength;
    CResultState state;
    try {
        state = parseResultState(cutAtZero(decodeFrame(frame)));
    } catch (const std::runtime_error &) {
        return true; // this record is lost; the next ones are still read
    }
    if (state.isSummary()) {
        if (m_summarySeen)
            return true;
        m_summarySeen = true;
    } else if (state.sentInd >= m_sentenceCount || m_answered[state.sentInd]) {
        return true; // no such sentence, or answered already
    } else {
        m_answered[state.sentInd] = true;
    }
    capCorrections(state);
    emit signalUpdateResult(state);
    return true;
}

void CheckTask::capCorrections(CResultState &state)
{
    if (state.corrections.size() > MaxCorrections)
        state.corrections.resize(MaxCorrections);
    for (CorrectionRecord &correction : state.corrections) {
        if (correction.candidates.size() > MaxCandidates)
            correction.candidates.resize(MaxCandidates);
    }
}

bool CheckTask::fits(const FrameHeader &header) const
{
    // Room for zlib's overhead on data that does not compress.
    const qint64 maxPacked = MaxRecordBytes + MaxRecordBytes / 1000 + 64;
    return header.rawLength <= std::min(MaxRecordBytes, m_replyBudget) && header.packedLength <= maxPacked;
}

QNetworkReply::NetworkError CheckTask::statusError(const QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError)
        return replyError(reply);
    // Before the reply ends Qt has not set its error yet: the one it would set.
    switch (const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()) {
    case 401: return QNetworkReply::AuthenticationRequiredError;
    case 403: return QNetworkReply::ContentAccessDenied;
    case 404: return QNetworkReply::ContentNotFoundError;
    case 429: return WordBudgetSpentError;
    case 500: return QNetworkReply::InternalServerError;
    case 503: return QNetworkReply::ServiceUnavailableError;
    default: return status >= 500 ? QNetworkReply::UnknownServerError : QNetworkReply::UnknownContentError;
    }
}

QNetworkReply::NetworkError CheckTask::replyError(const QNetworkReply *reply)
{
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 429)
        return WordBudgetSpentError;
    return reply->error();
}

void CheckTask::complete()
{
    m_timer.stop();
    QNetworkReply::NetworkError err = replyError(m_reply);
    if (err == QNetworkReply::NoError) {
        if (m_unauthorized)
            err = QNetworkReply::AuthenticationRequiredError;
        else if (!m_summarySeen)
            err = QNetworkReply::ProtocolFailure; // cut short: empty, mid-record or without the summary
    }
    dropReply();
    // The reply is over: a piece of a record it left is never completed.
    m_pending.clear();
    finish(err);
}

void CheckTask::giveUp(QNetworkReply::NetworkError err)
{
    m_timer.stop();
    dropReply();
    m_pending.clear();
    finish(err);
}

void CheckTask::slotCheckTimeout()
{
    // Abort the reply so that a late record can never reach the next check.
    giveUp(QNetworkReply::TimeoutError);
}

void CheckTask::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    ++m_generation;
    abandonReply(reply, this);
}

void CheckTask::finish(QNetworkReply::NetworkError err)
{
    emit signalFinished(err);
}

} // namespace ZeltraLib
