#include "checktask.h"

#include "frame.h"
#include "replyguards.h"

#include <QNetworkAccessManager>
#include <QUrl>

#include <stdexcept>

namespace ZeltraLib {

namespace {
const QByteArray UnauthorizedReply = QByteArrayLiteral("unauthorized");
constexpr qint64 ReadBufferBytes = 1024 * 1024;
}

CheckTask::CheckTask(const QString &host, QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
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
    // Bytes left by an abandoned reply belong to no record of this one.
    m_pending.clear();

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
    if (!m_reply)
        return;
    const quint64 generation = m_generation;
    const QByteArray bytes = m_reply->readAll();
    if (m_unauthorized)
        return;
    // An HTTP error carries an error page, not records; its code is reported at the end.
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400 || m_reply->error() != QNetworkReply::NoError)
        return;
    m_pending.append(bytes);

    const qint64 size = m_pending.bufferedSize();
    if (size > 0 && size <= UnauthorizedReply.size()) {
        const QByteArray text = m_pending.buffered();
        if (text == UnauthorizedReply) {
            m_unauthorized = true;
            m_pending.clear();
            return;
        }
        if (UnauthorizedReply.startsWith(text))
            return; // may still become "unauthorized"
    }

    QByteArray frame;
    for (;;) {
        switch (m_pending.next(&frame)) {
        case FrameReader::NeedMore:
            return;
        case FrameReader::Broken:
            // Nothing after a bad header can be trusted: give the reply up.
            m_timer.stop();
            dropReply();
            finish(QNetworkReply::ProtocolFailure);
            return;
        case FrameReader::Ready:
            break;
        }
        CResultState state;
        try {
            state = parseResultState(cutAtZero(decodeFrame(frame)));
        } catch (const std::runtime_error &) {
            continue; // this record is lost; the next ones are still read
        }
        emit signalUpdateResult(state);
        if (generation != m_generation)
            return; // a receiver aborted or restarted the check
    }
}

void CheckTask::slotFinished()
{
    if (!m_reply)
        return;
    if (m_reply->bytesAvailable() > 0) {
        const quint64 generation = m_generation;
        slotReadyRead();
        if (generation != m_generation)
            return;
    }
    m_timer.stop();
    const QNetworkReply::NetworkError err = m_reply->error();
    dropReply();
    finish(m_unauthorized ? QNetworkReply::AuthenticationRequiredError : err);
}

void CheckTask::slotCheckTimeout()
{
    m_timer.stop();
    // Abort the reply so that a late record can never reach the next check.
    dropReply();
    finish(QNetworkReply::TimeoutError);
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
