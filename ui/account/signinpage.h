#pragma once

#include <QWebEnginePage>

// Web page of the sign-in window: clicked links are handed to linkClicked() instead of
// being followed, and certificate errors are refused.
class SignInPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit SignInPage(QObject *parent = nullptr);

Q_SIGNALS:
    void linkClicked(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
};
