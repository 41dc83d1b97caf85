#pragma once

#include <QObject>
#include <QTimer>

class QNetworkReply;

namespace ZeltraLib {

// One pending request of a service operation, with an optional time-out guard.
// Each start() is answered exactly once: replied() when the reply finishes first,
// timedOut() when the time-out comes first. Starting again, or abandon(), drops the
// previous request: it is aborted and its late reply is never reported, so it cannot be
// taken for the answer to a newer request.
class GuardedReply : public QObject
{
    Q_OBJECT
public:
    explicit GuardedReply(QObject *parent = nullptr);
    ~GuardedReply() override;

    // Time-out in milliseconds for the following start() calls; 0 switches the guard off.
    void setTimeOut(int ms);
    int timeOut() const;

    // Takes ownership of `reply` (released with deleteLater() after it reports).
    void start(QNetworkReply *reply);
    void abandon();

    bool isPending() const;

Q_SIGNALS:
    // The reply is still valid during the emission and released afterwards.
    void replied(QNetworkReply *reply);
    void timedOut();

private:
    void release();

    QNetworkReply *m_reply = nullptr;
    QTimer m_timer;
};

} // namespace ZeltraLib
