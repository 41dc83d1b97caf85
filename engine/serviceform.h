#pragma once

#include "servicereply.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

namespace ZeltraLib {

struct FormField
{
    QString key;
    QString value;
    bool escapePlus = false; // "+" becomes "%2b" (the e-mail of the registration)
};
using FormFields = QVector<FormField>;

// Form-encoded body of the account services: key "=" value joined by "&" in the given
// order, as UTF-8. Values go in as they are, except that "%" and "&" are escaped ("%25",
// "%26"): left raw they would split a value into a forged field or be decoded into another
// character by the service.
QByteArray formBody(const FormFields &fields);

// One value escaped the way formBody() does it.
QString formValue(const QString &value, bool escapePlus = false);

// Sends a form-encoded POST; the caller owns the reply (the manager is its parent). The
// reply holds at most maxReplyBytes (abortOnLargeBody()).
QNetworkReply *postForm(QNetworkAccessManager &manager, const QUrl &url, const QByteArray &body,
                        qint64 maxReplyBytes = MaxServiceReplyBytes);

} // namespace ZeltraLib
