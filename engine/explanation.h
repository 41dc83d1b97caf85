#pragma once

#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace ZeltraLib {

class CorrectionRecord;

// Fetches the explanation text of one finding from "http://<host>" + the record's
// explanation query and keeps it in the record. Serves one look-up; its creator owns it.
class Explanation : public QObject
{
    Q_OBJECT
public:
    // `record` is not owned: it must outlive the request, or forgetRecord() must be
    // called before it goes away. `tag` is handed back unchanged through tag().
    Explanation(const QString &host, int tag, CorrectionRecord *record, QObject *parent = nullptr);

    // Emits at once when the record already holds an explanation, else sends the GET.
    void request();
    // The answer will no longer be stored anywhere (the finding was discarded); it is
    // still emitted.
    void forgetRecord() { m_record = nullptr; }

    int tag() const { return m_tag; }
    QString baseUrl() const { return m_baseUrl; }

    // Largest explanation body accepted; a longer one is cut off and yields "".
    static constexpr qint64 MaxBodyBytes = 4 * 1024 * 1024;

Q_SIGNALS:
    void signalExplanation(QObject *obj, QString exp);

private Q_SLOTS:
    void slotFinished(QNetworkReply *reply);

private:
    QNetworkAccessManager *m_manager = nullptr; // child
    CorrectionRecord *m_record = nullptr;       // not owned
    int m_tag = 0;
    QString m_baseUrl;
};

} // namespace ZeltraLib
