#include "signinpage.h"

#include <QWebEngineCertificateError>

SignInPage::SignInPage(QObject *parent)
    : QWebEnginePage(parent)
{
    // The user types a third-party password here: a page with a bad certificate is not
    // shown rather than shown to whoever sits in between.
    connect(this, &QWebEnginePage::certificateError, this,
            [](QWebEngineCertificateError error) { error.rejectCertificate(); });
}

bool SignInPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked) {
        Q_EMIT linkClicked(url);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}
