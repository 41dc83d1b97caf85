#include "explanation.h"

#include "boundednetworkaccessmanager.h"
#include "correctionrecord.h"
#include "replyguards.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace ZeltraLib {

Explanation::Explanation(const QString &host, int tag, CorrectionRecord *record, QObject *parent)
    : QObject(parent)
    , m_manager(new ZeltraLib::BoundedNetworkAccessManager(this))
    , m_record(record)
    , m_tag(tag)
    , m_baseUrl(QStringLiteral("http://") + host)
{
    connect(m_manager, &QNetworkAccessManager::finished, this, &Explanation::slotFinished);
}

void Explanation::request()
{
    if (!m_record) {
        emit signalExplanation(this, QString());
        return;
    }
    if (!m_record->explanation.isEmpty()) {
        emit signalExplanation(this, m_record->explanation);
        return;
    }
    QNetworkReply *reply = m_manager->get(QNetworkRequest(QUrl(m_baseUrl + m_record->explanationQuery())));
    abortOnLargeBody(reply, MaxBodyBytes);
}

void Explanation::slotFinished(QNetworkReply *reply)
{
    // Whatever the error state, the body (usually empty on errors) is the text.
    QString text;
    if (reply->error() != QNetworkReply::OperationCanceledError)
        text = QString::fromUtf8(reply->readAll());
    reply->deleteLater();
    if (m_record)
        m_record->explanation = text;
    emit signalExplanation(this, text);
}

} // namespace ZeltraLib
