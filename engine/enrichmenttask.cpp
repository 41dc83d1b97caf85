#include "enrichmenttask.h"

#include "boundednetworkaccessmanager.h"
#include "checktask.h"
#include "frame.h"
#include "replyguards.h"

#include <QNetworkAccessManager>
#include <QUrl>

#include <algorithm>
#include <stdexcept>

namespace ZeltraLib {

namespace {
// Room for the frame header ahead of the packed bytes.
constexpr qint64 MaxBodyBytes = MaxFrameBytes + 64;
}

EnrichmentTask::EnrichmentTask(const QString &host, QObject *parent)
    : QObject(parent)
    , m_manager(new ZeltraLib::BoundedNetworkAccessManager(this))
    , m_maxReplyBytes(MaxBodyBytes)
{
    m_request.setUrl(QUrl(QStringLiteral("http://") + host + QStringLiteral("/lexsub/")));
    m_request.setHeader(QNetworkRequest::ContentTypeHeader,
                        QByteArrayLiteral("application/x-www-form-urlencoded"));
    m_timer.setSingleShot(true);
    m_timer.setInterval(m_timeoutMs);
    connect(&m_timer, &QTimer::timeout, this, &EnrichmentTask::slotCheckTimeout);
}

EnrichmentTask::~EnrichmentTask()
{
    dropReply();
}

void EnrichmentTask::setTimeoutMs(int ms)
{
    m_timeoutMs = ms;
    m_timer.setInterval(ms);
}

void EnrichmentTask::start(const QByteArray &jsonText)
{
    dropReply();
    m_results.clear();
    m_body.clear();

    // Suggestions grow with the text: a reply far larger than its request is refused
    // before it is inflated.
    m_maxRawBytes = std::min<qint64>(MaxFrameBytes, BaseReplyBytes + ReplyBytesPerRequestByte * jsonText.size());
    const QByteArray frame = encodeFrame(jsonText);
    QNetworkRequest post = m_request;
    post.setHeader(QNetworkRequest::ContentLengthHeader, frame.size());
    m_reply = m_manager->post(post, frame);
    connect(m_reply, &QNetworkReply::readyRead, this, &EnrichmentTask::slotReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &EnrichmentTask::slotFinished);
    m_timer.start();
}

void EnrichmentTask::abort()
{
    if (m_reply && !m_reply->isFinished())
        m_reply->abort(); // finished() follows at once: OperationCanceledError
}

void EnrichmentTask::slotReadyRead()
{
    if (!m_reply)
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > m_maxReplyBytes) {
        // No polish reply is this large: stop receiving instead of buffering it.
        giveUp(QNetworkReply::ProtocolFailure);
    }
}

void EnrichmentTask::slotFinished()
{
    if (!m_reply)
        return;
    m_timer.stop();
    QNetworkReply::NetworkError err = CheckTask::replyError(m_reply);
    if (err == QNetworkReply::NoError) {
        slotReadyRead();
        if (!m_reply)
            return; // oversized: already reported
        if (m_body == "unauthorized")
            err = QNetworkReply::AuthenticationRequiredError;
        else if (!readBody(m_body))
            err = QNetworkReply::ProtocolFailure;
    }
    m_body.clear();
    dropReply();
    emit signalFinished(err);
}

bool EnrichmentTask::readBody(const QByteArray &body)
{
    if (body.isEmpty())
        return false;
    const FrameHeader header = readFrameHeader(body.constData(), body.size());
    if (header.status != FrameHeader::Complete
        || body.size() < header.headerLength + header.packedLength
        || header.rawLength > m_maxRawBytes)
        return false;
    try {
        const QByteArray frame = body.left(qsizetype(header.headerLength + header.packedLength));
        m_results = parseResultStateList(cutAtZero(decodeFrame(frame)));
        for (CResultState &state : m_results)
            CheckTask::capCorrections(state);
    } catch (const std::runtime_error &) {
        return false;
    }
    return true;
}

void EnrichmentTask::slotCheckTimeout()
{
    giveUp(QNetworkReply::TimeoutError);
}

void EnrichmentTask::giveUp(QNetworkReply::NetworkError err)
{
    m_timer.stop();
    dropReply();
    m_body.clear();
    emit signalFinished(err);
}

void EnrichmentTask::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    abandonReply(reply, this);
}

} // namespace ZeltraLib
