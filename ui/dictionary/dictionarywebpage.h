#pragma once

#include <QUrl>
#include <QWebEnginePage>

// A dictionary view's page: clicked links are handed to the panel (signalLinkClicked),
// never followed by the page itself; other navigations (loads, redirects) go on.
class DictionaryWebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit DictionaryWebPage(QObject *parent = nullptr);

Q_SIGNALS:
    void signalLinkClicked(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
};
