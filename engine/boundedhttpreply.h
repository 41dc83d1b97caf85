#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

class QTcpSocket;

namespace ZeltraLib {

// One HTTP/1.1 GET or POST on a connection of its own, parsed here on the reply's own
// thread. Qt's HTTP client decodes a chunked body in its network thread as fast as the peer
// sends it, whatever the reader takes, so a peer can fill the client's memory before any
// bound is checked. Here the socket holds at most one read buffer (64 KB), each piece is
// handed on with readyRead() before the next is read, and a reply whose reader lets
// readBufferSize() bytes pile up stops reading until some are taken. A bound set with
// abortOnLargeBody() therefore holds within one piece, whatever the status or framing.
//
// Behaves as Qt's replies do for what the clients use: metaDataChanged(), readyRead(),
// downloadProgress(), errorOccurred() and finished(); the status code and reason attributes;
// the reply's headers; HTTP error statuses mapped to the same NetworkError values; abort()
// and the transfer time-out finishing with OperationCanceledError. Redirects are not followed
// (the services answer them only to browsers).
class BoundedHttpReply : public QNetworkReply
{
    Q_OBJECT

public:
    BoundedHttpReply(QNetworkAccessManager::Operation operation, const QNetworkRequest &request,
                     const QByteArray &body, int transferTimeoutMs, QObject *parent = nullptr);
    ~BoundedHttpReply() override;

    void abort() override;
    qint64 bytesAvailable() const override;
    bool isSequential() const override { return true; }
    void setReadBufferSize(qint64 size) override;

    // Bytes a status line or one header line may hold, and the whole header.
    static constexpr int MaxLineBytes = 16 * 1024;
    static constexpr int MaxHeaderBytes = 64 * 1024;
    // What the socket may hold unread.
    static constexpr qint64 SocketBufferBytes = 64 * 1024;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    enum class Stage { Status, Headers, Body, ChunkSize, ChunkData, ChunkEnd, Trailers, Done };

    void start();
    void sendRequest();
    // Parses what the socket holds, as far as the reader's buffer allows.
    void consume();
    // One line ending in LF from the socket; false while incomplete (or too long: failed).
    bool takeLine(QByteArray *line);
    bool parseStatus(const QByteArray &line);
    void parseHeader(const QByteArray &line);
    void headersDone();
    void appendBody(const QByteArray &data);
    void socketClosed();
    // Stops the transfer once; false when it had ended already.
    bool end();
    void fail(QNetworkReply::NetworkError code, const QString &message);
    void finishReply();
    void restartTimer();

    QByteArray m_requestBytes;
    QTcpSocket *m_socket = nullptr; // child
    QTimer m_timeout;
    Stage m_stage = Stage::Status;
    QByteArray m_line;
    int m_headerBytes = 0;
    QByteArray m_body; // decoded, not yet read
    qint64 m_received = 0;
    qint64 m_total = -1;
    qint64 m_left = 0; // of the body (Content-Length) or of the current chunk
    bool m_chunked = false;
    bool m_untilClose = false;
    bool m_done = false;
    bool m_consuming = false;
    int m_status = 0;
};

} // namespace ZeltraLib
