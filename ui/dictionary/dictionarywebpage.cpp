#include "dictionarywebpage.h"

#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

DictionaryWebPage::DictionaryWebPage(QObject *parent)
    : QWebEnginePage(parent)
{
    // No horizontal scroll bar, whatever page is shown.
    QWebEngineScript noHorizontalScroll;
    noHorizontalScroll.setName(QStringLiteral("pennova-no-hscroll"));
    noHorizontalScroll.setInjectionPoint(QWebEngineScript::DocumentReady);
    noHorizontalScroll.setWorldId(QWebEngineScript::ApplicationWorld);
    noHorizontalScroll.setSourceCode(QStringLiteral(
        "(function(){var s=document.createElement('style');"
        "s.textContent='html,body{overflow-x:hidden !important}';"
        "(document.head||document.documentElement).appendChild(s);})();"));
    scripts().insert(noHorizontalScroll);
    // A link to "#reload" on a page shown from text moves within that page, which asks
    // for no navigation: it is handed over as a click all the same.
    connect(this, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
        if (!web && url.fragment() == QLatin1String("reload"))
            emit signalLinkClicked(url);
    });
}

bool DictionaryWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked) {
        emit signalLinkClicked(url);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}
