#include "boundedhttpreply.h"

#include <QNetworkProxy>
#include <QSslSocket>
#include <QTcpSocket>

namespace ZeltraLib {

namespace {

// The NetworkError Qt's own client gives an HTTP error status.
QNetworkReply::NetworkError statusError(int status)
{
    switch (status) {
    case 400: return QNetworkReply::ProtocolInvalidOperationError;
    case 401: return QNetworkReply::AuthenticationRequiredError;
    case 403: return QNetworkReply::ContentAccessDenied;
    case 404: return QNetworkReply::ContentNotFoundError;
    case 405: return QNetworkReply::ContentOperationNotPermittedError;
    case 407: return QNetworkReply::ProxyAuthenticationRequiredError;
    case 409: return QNetworkReply::ContentConflictError;
    case 410: return QNetworkReply::ContentGoneError;
    case 418: return QNetworkReply::ProtocolInvalidOperationError;
    case 500: return QNetworkReply::InternalServerError;
    case 501: return QNetworkReply::OperationNotImplementedError;
    case 503: return QNetworkReply::ServiceUnavailableError;
    default: return status > 500 ? QNetworkReply::UnknownServerError : QNetworkReply::UnknownContentError;
    }
}

// Request headers this reply writes itself.
bool ownHeader(const QByteArray &name)
{
    const QByteArray lower = name.toLower();
    return lower == "host" || lower == "content-length" || lower == "connection" || lower == "transfer-encoding"
        || lower == "accept-encoding";
}

} // namespace

BoundedHttpReply::BoundedHttpReply(QNetworkAccessManager::Operation operation, const QNetworkRequest &request,
                                   const QByteArray &body, int transferTimeoutMs, QObject *parent)
    : QNetworkReply(parent)
{
    setRequest(request);
    setUrl(request.url());
    setOperation(operation);
    QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);

    const QUrl url = request.url();
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    const bool post = operation == QNetworkAccessManager::PostOperation;
    const bool https = url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    const int defaultPort = https ? 443 : 80;
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port(defaultPort) != defaultPort)
        host += ':' + QByteArray::number(url.port());
    m_requestBytes = (post ? "POST " : "GET ") + target + " HTTP/1.1\r\nHost: " + host + "\r\n";
    bool agent = false;
    for (const QByteArray &name : request.rawHeaderList()) {
        if (ownHeader(name))
            continue;
        agent = agent || name.compare("user-agent", Qt::CaseInsensitive) == 0;
        m_requestBytes += name + ": " + request.rawHeader(name) + "\r\n";
    }
    if (!agent)
        m_requestBytes += "User-Agent: Mozilla/5.0\r\n";
    if (post)
        m_requestBytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    m_requestBytes += "Connection: close\r\n\r\n" + (post ? body : QByteArray());

    m_timeout.setSingleShot(true);
    m_timeout.setInterval(qMax(0, transferTimeoutMs));
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        if (!m_done)
            fail(QNetworkReply::OperationCanceledError, QStringLiteral("Operation canceled"));
    });

    if (https) {
        if (!QSslSocket::supportsSsl()) {
            QMetaObject::invokeMethod(
                this, [this] { fail(QNetworkReply::SslHandshakeFailedError, QStringLiteral("No TLS support")); },
                Qt::QueuedConnection);
            return;
        }
        auto *ssl = new QSslSocket(this);
        ssl->setSslConfiguration(request.sslConfiguration());
        m_socket = ssl;
        connect(ssl, &QSslSocket::encrypted, this, &BoundedHttpReply::sendRequest);
        connect(ssl, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
            fail(QNetworkReply::SslHandshakeFailedError,
                 errors.isEmpty() ? QStringLiteral("TLS handshake failed") : errors.first().errorString());
        });
    } else {
        m_socket = new QTcpSocket(this);
        connect(m_socket, &QTcpSocket::connected, this, &BoundedHttpReply::sendRequest);
    }
    // No proxy here: the manager hands proxied requests to Qt's own client.
    m_socket->setProxy(QNetworkProxy::NoProxy);
    m_socket->setReadBufferSize(SocketBufferBytes);
    connect(m_socket, &QTcpSocket::readyRead, this, &BoundedHttpReply::consume);
    connect(m_socket, &QTcpSocket::disconnected, this, &BoundedHttpReply::socketClosed);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) {
            socketClosed();
            return;
        }
        const QNetworkReply::NetworkError code = error == QAbstractSocket::ConnectionRefusedError
            ? QNetworkReply::ConnectionRefusedError
            : error == QAbstractSocket::HostNotFoundError   ? QNetworkReply::HostNotFoundError
            : error == QAbstractSocket::SocketTimeoutError  ? QNetworkReply::TimeoutError
                                                            : QNetworkReply::UnknownNetworkError;
        fail(code, m_socket->errorString());
    });
    QMetaObject::invokeMethod(this, &BoundedHttpReply::start, Qt::QueuedConnection);
}

BoundedHttpReply::~BoundedHttpReply() = default;

void BoundedHttpReply::start()
{
    if (m_done)
        return;
    restartTimer();
    const QUrl u = url();
    const bool https = u.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    if (auto *ssl = qobject_cast<QSslSocket *>(m_socket); ssl && https)
        ssl->connectToHostEncrypted(u.host(), quint16(u.port(443)));
    else
        m_socket->connectToHost(u.host(), quint16(u.port(80)));
}

void BoundedHttpReply::sendRequest()
{
    if (m_done)
        return;
    restartTimer();
    m_socket->write(m_requestBytes);
    m_requestBytes.clear();
    if (!m_requestBytes.capacity())
        m_requestBytes.squeeze();
}

void BoundedHttpReply::restartTimer()
{
    if (m_timeout.interval() > 0)
        m_timeout.start();
}

void BoundedHttpReply::abort()
{
    if (m_done)
        return;
    fail(QNetworkReply::OperationCanceledError, QStringLiteral("Operation canceled"));
}

qint64 BoundedHttpReply::bytesAvailable() const
{
    return m_body.size() + QNetworkReply::bytesAvailable();
}

void BoundedHttpReply::setReadBufferSize(qint64 size)
{
    QNetworkReply::setReadBufferSize(size);
    if (!m_done && m_socket)
        QMetaObject::invokeMethod(this, &BoundedHttpReply::consume, Qt::QueuedConnection);
}

qint64 BoundedHttpReply::readData(char *data, qint64 maxSize)
{
    if (m_body.isEmpty())
        return m_done ? -1 : 0;
    const qint64 n = qMin<qint64>(maxSize, m_body.size());
    memcpy(data, m_body.constData(), size_t(n));
    m_body.remove(0, int(n));
    // room again for what the socket holds
    if (!m_done && m_socket && m_socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &BoundedHttpReply::consume, Qt::QueuedConnection);
    return n;
}

bool BoundedHttpReply::takeLine(QByteArray *line)
{
    while (m_socket->bytesAvailable() > 0) {
        char c;
        if (!m_socket->getChar(&c))
            return false;
        if (c == '\n') {
            if (m_line.endsWith('\r'))
                m_line.chop(1);
            *line = m_line;
            m_line.clear();
            return true;
        }
        m_line += c;
        if (m_line.size() > MaxLineBytes) {
            fail(QNetworkReply::ProtocolFailure, QStringLiteral("Reply line too long"));
            return false;
        }
    }
    return false;
}

bool BoundedHttpReply::parseStatus(const QByteArray &line)
{
    // "HTTP/1.1 200 OK"
    const QList<QByteArray> parts = line.split(' ');
    bool ok = false;
    const int status = parts.size() >= 2 && line.startsWith("HTTP/1.") ? parts.at(1).toInt(&ok) : 0;
    if (!ok || status < 100 || status > 999) {
        fail(QNetworkReply::ProtocolFailure, QStringLiteral("Malformed status line"));
        return false;
    }
    m_status = status;
    const int reasonAt = line.indexOf(' ', line.indexOf(' ') + 1);
    setAttribute(QNetworkRequest::HttpStatusCodeAttribute, status);
    setAttribute(QNetworkRequest::HttpReasonPhraseAttribute,
                 reasonAt > 0 ? QString::fromLatin1(line.mid(reasonAt + 1)) : QString());
    return true;
}

void BoundedHttpReply::parseHeader(const QByteArray &line)
{
    const int colon = line.indexOf(':');
    if (colon <= 0)
        return;
    const QByteArray name = line.left(colon).trimmed();
    const QByteArray value = line.mid(colon + 1).trimmed();
    const QByteArray previous = rawHeader(name);
    setRawHeader(name, previous.isEmpty() ? value : previous + ", " + value);
}

void BoundedHttpReply::headersDone()
{
    if (m_status >= 100 && m_status < 200) { // an interim answer: the real one follows
        m_stage = Stage::Status;
        return;
    }
    const QByteArray coding = rawHeader("Transfer-Encoding").toLower();
    m_chunked = coding.contains("chunked");
    const QByteArray length = rawHeader("Content-Length");
    bool ok = false;
    const qint64 declared = length.isEmpty() ? -1 : length.toLongLong(&ok);
    if (m_chunked) {
        m_stage = Stage::ChunkSize;
    } else if (!length.isEmpty()) {
        if (!ok || declared < 0) {
            fail(QNetworkReply::ProtocolFailure, QStringLiteral("Malformed Content-Length"));
            return;
        }
        m_total = declared;
        m_left = declared;
        m_stage = Stage::Body;
    } else {
        m_untilClose = true;
        m_stage = Stage::Body;
    }
    const bool noBody = m_status == 204 || m_status == 304 || operation() == QNetworkAccessManager::HeadOperation;
    emit metaDataChanged();
    if (m_done)
        return; // aborted by a listener (a declared length beyond its bound)
    if (noBody || (!m_chunked && !m_untilClose && m_left == 0))
        finishReply();
}

void BoundedHttpReply::appendBody(const QByteArray &data)
{
    if (data.isEmpty())
        return;
    m_body += data;
    m_received += data.size();
    restartTimer();
    emit readyRead();
    if (!m_done)
        emit downloadProgress(m_received, m_total);
}

void BoundedHttpReply::consume()
{
    if (m_done || !m_socket || m_consuming)
        return;
    // a listener may abort (and so delete the socket later) from any signal below
    m_consuming = true;
    const auto roomLeft = [this] { return readBufferSize() <= 0 || m_body.size() < readBufferSize(); };
    QByteArray line;
    while (!m_done && m_socket->bytesAvailable() > 0 && roomLeft()) {
        switch (m_stage) {
        case Stage::Status:
            if (!takeLine(&line))
                break;
            restartTimer();
            if (parseStatus(line))
                m_stage = Stage::Headers;
            continue;
        case Stage::Headers:
            if (!takeLine(&line))
                break;
            m_headerBytes += line.size() + 2;
            if (m_headerBytes > MaxHeaderBytes) {
                fail(QNetworkReply::ProtocolFailure, QStringLiteral("Reply header too large"));
                break;
            }
            if (line.isEmpty())
                headersDone();
            else
                parseHeader(line);
            continue;
        case Stage::Body: {
            // one socket buffer at most per piece: each is seen by readyRead() listeners
            qint64 want = SocketBufferBytes;
            if (!m_untilClose)
                want = qMin(want, m_left);
            const QByteArray data = m_socket->read(want);
            if (!m_untilClose)
                m_left -= data.size();
            appendBody(data);
            if (!m_done && !m_untilClose && m_left == 0)
                finishReply();
            continue;
        }
        case Stage::ChunkSize: {
            if (!takeLine(&line))
                break;
            const int semicolon = line.indexOf(';');
            bool ok = false;
            const QByteArray digits = (semicolon >= 0 ? line.left(semicolon) : line).trimmed();
            const qint64 size = digits.size() <= 15 ? digits.toLongLong(&ok, 16) : -1;
            if (!ok || size < 0) {
                fail(QNetworkReply::ProtocolFailure, QStringLiteral("Malformed chunk size"));
                break;
            }
            m_left = size;
            m_stage = size == 0 ? Stage::Trailers : Stage::ChunkData;
            continue;
        }
        case Stage::ChunkData: {
            const QByteArray data = m_socket->read(qMin(SocketBufferBytes, m_left));
            m_left -= data.size();
            appendBody(data);
            if (!m_done && m_left == 0)
                m_stage = Stage::ChunkEnd;
            continue;
        }
        case Stage::ChunkEnd:
            if (!takeLine(&line))
                break;
            if (!line.isEmpty()) {
                fail(QNetworkReply::ProtocolFailure, QStringLiteral("Malformed chunk end"));
                break;
            }
            m_stage = Stage::ChunkSize;
            continue;
        case Stage::Trailers:
            if (!takeLine(&line))
                break;
            m_headerBytes += line.size() + 2;
            if (m_headerBytes > MaxHeaderBytes) {
                fail(QNetworkReply::ProtocolFailure, QStringLiteral("Reply trailer too large"));
                break;
            }
            if (line.isEmpty())
                finishReply();
            continue;
        case Stage::Done:
            break;
        }
        break; // a line is incomplete, or the reply ended
    }
    m_consuming = false;
}

void BoundedHttpReply::socketClosed()
{
    if (m_done)
        return;
    consume();
    if (m_done)
        return;
    if (m_socket->bytesAvailable() > 0)
        return; // the reader has not taken the rest yet: readData() goes on with it
    if (m_stage == Stage::Body && m_untilClose)
        finishReply();
    else
        fail(QNetworkReply::RemoteHostClosedError, QStringLiteral("Connection closed"));
}

bool BoundedHttpReply::end()
{
    if (m_done)
        return false;
    m_done = true;
    m_stage = Stage::Done;
    m_timeout.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    return true;
}

void BoundedHttpReply::fail(QNetworkReply::NetworkError code, const QString &message)
{
    if (!end())
        return;
    setError(code, message);
    setFinished(true);
    emit errorOccurred(code);
    emit finished();
}

void BoundedHttpReply::finishReply()
{
    if (!end())
        return;
    if (m_status >= 400) {
        const QNetworkReply::NetworkError code = statusError(m_status);
        setError(code, QStringLiteral("Error transferring %1 - server replied: %2")
                           .arg(url().toString(), attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        setFinished(true);
        emit errorOccurred(code);
    } else {
        setFinished(true);
    }
    emit finished();
}

} // namespace ZeltraLib
