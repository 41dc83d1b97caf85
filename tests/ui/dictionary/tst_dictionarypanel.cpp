// The dictionary panel in a real web engine against a loopback page server: addresses of
// look-up, web search and translation, double mode, engine switch, the time-out page and
// its "刷新" link, delegated links and pronunciations.

#include "dictionarypanel.h"
#include "support/pageserver.h"
#include "webengineenvironment.h"

#include "configstore.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

namespace {

// The text of a view's page, fetched from the engine.
QString pageText(QWebEngineView *view)
{
    QString text;
    bool done = false;
    view->page()->toPlainText([&](const QString &t) {
        text = t;
        done = true;
    });
    QTest::qWaitFor([&done] { return done; }, 10000);
    return text;
}

void clickFirstLink(QWebEngineView *view)
{
    view->page()->runJavaScript(QStringLiteral("document.querySelector('a').click();"));
}

} // namespace

class TestDictionaryPanel : public QObject
{
    Q_OBJECT

private:
    // A panel over a fresh preference store and a page server on its own port.
    struct Fixture
    {
        QTemporaryDir dir;
        std::unique_ptr<ConfigStore> prefs;
        PageServer server;
        quint16 port = 0;
        QStringList events;
        QList<QUrl> opened;
        bool soundOutput = true; // what the panel is told about the machine's sound output
        std::unique_ptr<DictionaryPanel> panel;

        explicit Fixture(const QHash<QString, QString> &settings = {}, bool serve = true)
        {
            prefs = std::make_unique<ConfigStore>(dir.path(), QStringLiteral("preference.ini"));
            for (auto it = settings.begin(); it != settings.end(); ++it)
                prefs->setValue(it.key(), it.value());
            port = PageServer::freePort();
            if (serve)
                server.listen(port);
            DictionaryPanel::Services services{*prefs, QStringLiteral("127.0.0.1:%1").arg(port),
                                               [this](const QString &e) { events << e; },
                                               [this](const QUrl &u) { opened << u; },
                                               [this] { return soundOutput; }};
            panel = std::make_unique<DictionaryPanel>(services);
            panel->resize(900, 300);
            panel->show();
            panel->activateWindow();
            QTest::qWaitForWindowActive(panel.get());
        }
        QLineEdit *input(const char *name) const { return panel->findChild<QLineEdit *>(QLatin1String(name)); }
        QWebEngineView *view(const char *name) const { return panel->findChild<QWebEngineView *>(QLatin1String(name)); }
        template<class T> T *child(const char *name) const { return panel->findChild<T *>(QLatin1String(name)); }
        QString host() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }
    };

private Q_SLOTS:
    void initialState_data();
    void initialState();
    void searchAddresses_data();
    void searchAddresses();
    void engineSwitchSearchesAgain();
    void findTurnsDoubleModeOn();
    void contextMenuRequests();
    void failedLoadShowsTimeoutPageThatReloads();
    void clearingRightInputClearsOnlyRightView();
    void linksAreDelegated();
    void pronunciationNeedsASoundOutput();
    void focusSelectsAllAndOpens();
};

void TestDictionaryPanel::initialState_data()
{
    QTest::addColumn<QString>("dictDouble");
    QTest::addColumn<QString>("dictLock");
    QTest::addColumn<QString>("google");
    QTest::newRow("single, unlocked, bing") << "False" << "0" << "False";
    QTest::newRow("double, locked, google") << "True" << "True" << "True";
}

void TestDictionaryPanel::initialState()
{
    QFETCH(QString, dictDouble);
    QFETCH(QString, dictLock);
    QFETCH(QString, google);
    Fixture f({{"Dict_Double", dictDouble}, {"Dict_Lock", dictLock}, {"Dict_Search_Google", google}});
    QCOMPARE(f.panel->objectName(), QStringLiteral("DictionaryPanelClass"));
    QCOMPARE(f.child<QCheckBox>("cb_double")->isChecked(), dictDouble == "True");
    QCOMPARE(f.child<QFrame>("fm_right")->isHidden(), dictDouble != "True");
    QCOMPARE(f.view("wv_right")->isVisibleTo(f.panel.get()), dictDouble == "True");
    QCOMPARE(f.child<QCheckBox>("cb_lock")->isChecked(), dictLock == "True");
    QCOMPARE(f.child<QRadioButton>("rb_google")->isChecked(), google == "True");
    QCOMPARE(f.child<QRadioButton>("rb_bing")->isChecked(), google != "True");
    QCOMPARE(f.view("wv_left")->contextMenuPolicy(), Qt::NoContextMenu);
}

void TestDictionaryPanel::searchAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("google");
    QTest::addColumn<QString>("path"); // empty: nothing is loaded
    QTest::newRow("Enter: look-up") << "study" << int(Qt::NoModifier) << "True" << "/tessel/find?content=study";
    QTest::newRow("Ctrl+Enter, google") << "study" << int(Qt::ControlModifier) << "True"
                                        << "/tessel/search?content=study&d=google";
    QTest::newRow("Ctrl+Enter, bing") << "study" << int(Qt::ControlModifier) << "False"
                                      << "/tessel/search?content=study&d=bing";
    QTest::newRow("Shift+Enter is a look-up") << "study" << int(Qt::ShiftModifier) << "True"
                                              << "/tessel/find?content=study";
    QTest::newRow("trimmed, encoded: & # + and Chinese stay in the text")
        << "  rock & roll #1 C++ 学习 " << int(Qt::NoModifier) << "True"
        << "/tessel/find?content=rock%20%26%20roll%20%231%20C%2B%2B%20%E5%AD%A6%E4%B9%A0";
    QTest::newRow("empty input loads nothing") << "   " << int(Qt::NoModifier) << "True" << "";
}

void TestDictionaryPanel::searchAddresses()
{
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(QString, google);
    QFETCH(QString, path);
    Fixture f({{"Dict_Search_Google", google}});
    QLineEdit *left = f.input("le_left");
    left->setText(text);
    QTest::keyClick(left, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.events, QStringList{"Dictionary_Search"}); // counted even when empty
    QVERIFY(left->hasFocus());
    if (path.isEmpty()) {
        QVERIFY(f.panel->leftUrl().isEmpty());
        return;
    }
    QCOMPARE(f.panel->leftUrl(), f.host() + path);
    QTRY_COMPARE_WITH_TIMEOUT(f.server.count(path.toUtf8()), 1, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(pageText(f.view("wv_left")).contains(QStringLiteral("page /tessel/")), 20000);
    QVERIFY(f.panel->rightUrl().isEmpty());
}

void TestDictionaryPanel::engineSwitchSearchesAgain()
{
    Fixture f({{"Dict_Search_Google", "False"}});
    f.input("le_left")->setText(QStringLiteral("apple"));
    f.child<QPushButton>("pb_submit")->click();
    QCOMPARE(f.panel->leftUrl(), f.host() + "/tessel/find?content=apple");
    f.child<QRadioButton>("rb_google")->click();
    // Both buttons report the switch; only one search follows.
    QCOMPARE(f.events.count("Dictionary_Search"), 2);
    QCOMPARE(f.panel->leftUrl(), f.host() + "/tessel/search?content=apple&d=google");
    QCOMPARE(f.prefs->value(QStringLiteral("Dict_Search_Google")), QStringLiteral("True"));
    QTRY_COMPARE_WITH_TIMEOUT(f.server.count("/tessel/search?content=apple&d=google"), 1, 20000);
    f.child<QRadioButton>("rb_bing")->click();
    QCOMPARE(f.events.count("Dictionary_Search"), 3);
    QCOMPARE(f.panel->leftUrl(), f.host() + "/tessel/search?content=apple&d=bing");
    QCOMPARE(f.prefs->value(QStringLiteral("Dict_Search_Google")), QStringLiteral("False"));
}

void TestDictionaryPanel::findTurnsDoubleModeOn()
{
    Fixture f({{"Dict_Double", "False"}});
    QSignalSpy doubled(f.panel.get(), &DictionaryPanel::signalDouble);
    QVERIFY(f.child<QFrame>("fm_right")->isHidden());
    f.panel->slotFind(QStringLiteral("big"), QStringLiteral("large"));
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.at(0).at(0).toBool(), true);
    QCOMPARE(f.prefs->value(QStringLiteral("Dict_Double")), QStringLiteral("True"));
    QVERIFY(!f.child<QFrame>("fm_right")->isHidden());
    QCOMPARE(f.input("le_right")->text(), QStringLiteral("large"));
    QCOMPARE(f.panel->leftUrl(), f.host() + "/tessel/find?content=big");
    QCOMPARE(f.panel->rightUrl(), f.host() + "/tessel/find?content=large");
    QTRY_COMPARE_WITH_TIMEOUT(f.server.count("/tessel/find?content=large"), 1, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(f.server.count("/tessel/find?content=big"), 1, 20000);
    // Turning it off again hides the right side and is stored.
    f.child<QCheckBox>("cb_double")->click();
    QCOMPARE(f.prefs->value(QStringLiteral("Dict_Double")), QStringLiteral("False"));
    QVERIFY(f.child<QFrame>("fm_right")->isHidden());
}

void TestDictionaryPanel::contextMenuRequests()
{
    Fixture f({{"Dict_Search_Google", "True"}});
    f.child<QPushButton>("pb_submit")->setFocus(); // focus elsewhere in the window
    QSignalSpy opened(f.panel.get(), &DictionaryPanel::signalOpen);
    f.panel->slotTranslate(QString());
    QVERIFY(f.panel->leftUrl().isEmpty());
    f.panel->slotTranslate(QStringLiteral("I like apples."));
    QCOMPARE(f.input("le_left")->text(), QStringLiteral("I like apples."));
    QCOMPARE(f.panel->leftUrl(), f.host() + "/tessel/translate?content=I%20like%20apples.");
    QVERIFY(f.input("le_left")->hasFocus());
    QVERIFY(opened.count() >= 1); // focusing the input brings the panel into view
    QTRY_COMPARE_WITH_TIMEOUT(f.server.count("/tessel/translate?content=I%20like%20apples."), 1, 20000);
    f.panel->slotSearchWeb(QStringLiteral("apples"));
    QCOMPARE(f.panel->leftUrl(), f.host() + "/tessel/search?content=apples&d=google");
    QTRY_COMPARE_WITH_TIMEOUT(f.server.count("/tessel/search?content=apples&d=google"), 1, 20000);
}

void TestDictionaryPanel::failedLoadShowsTimeoutPageThatReloads()
{
    Fixture f({{"Dict_Double", "True"}}, false); // nothing listens yet
    QLabel *wait = nullptr;
    f.input("le_right")->setText(QStringLiteral("word"));
    f.panel->slotSearch();
    for (QLabel *label : f.panel->findChildren<QLabel *>())
        if (label->text() == QStringLiteral("正在查找...") && label->parentWidget()->objectName() == "rightcontent")
            wait = label;
    QVERIFY(wait);
    QVERIFY(wait->isVisible());
    QCOMPARE(f.panel->rightUrl(), f.host() + "/tessel/find?content=word");
    QWebEngineView *right = f.view("wv_right");
    QTRY_VERIFY_WITH_TIMEOUT(pageText(right).contains(QStringLiteral("查询超时")), 30000);
    QVERIFY(!wait->isVisible());
    QVERIFY(f.panel->leftUrl().isEmpty());

    // The service is back: "刷新" loads the right address again into the right view.
    QVERIFY(f.server.listen(f.port));
    clickFirstLink(right);
    QTRY_COMPARE_WITH_TIMEOUT(f.server.count("/tessel/find?content=word"), 1, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(pageText(right).contains(QStringLiteral("page /tessel/find?content=word")), 20000);
    QVERIFY(f.opened.isEmpty());
}

void TestDictionaryPanel::clearingRightInputClearsOnlyRightView()
{
    Fixture f({{"Dict_Double", "True"}});
    f.input("le_left")->setText(QStringLiteral("left"));
    f.input("le_right")->setText(QStringLiteral("right"));
    f.panel->slotSearch();
    QTRY_VERIFY_WITH_TIMEOUT(pageText(f.view("wv_right")).contains(QStringLiteral("content=right")), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(pageText(f.view("wv_left")).contains(QStringLiteral("content=left")), 20000);
    f.input("le_right")->clear();
    QTRY_VERIFY_WITH_TIMEOUT(pageText(f.view("wv_right")).trimmed().isEmpty(), 20000);
    QVERIFY(pageText(f.view("wv_left")).contains(QStringLiteral("content=left")));
}

void TestDictionaryPanel::linksAreDelegated()
{
    Fixture f;
    f.server.setPage("/tessel/find?content=links",
                     "<html><body><a id='say' href='/tessel/audio/links.MP3'>say</a>"
                     " <a id='web' href='https://example.org/more'>more</a></body></html>");
    f.input("le_left")->setText(QStringLiteral("links"));
    f.panel->slotSearch();
    QWebEngineView *left = f.view("wv_left");
    QTRY_VERIFY_WITH_TIMEOUT(pageText(left).contains(QStringLiteral("more")), 20000);
    left->page()->runJavaScript(QStringLiteral("document.getElementById('say').click();"));
    QTRY_COMPARE_WITH_TIMEOUT(f.panel->player()->source(), QUrl(f.host() + "/tessel/audio/links.MP3"), 10000);
    left->page()->runJavaScript(QStringLiteral("document.getElementById('web').click();"));
    QTRY_COMPARE_WITH_TIMEOUT(f.opened, QList<QUrl>{QUrl("https://example.org/more")}, 10000);
    // The page followed neither link.
    QCOMPARE(left->url(), QUrl(f.host() + "/tessel/find?content=links"));
    QCOMPARE(f.server.count("/tessel/audio/links.MP3"), 1); // fetched by the panel, not the page
}

// Without a sound output nothing is fetched or played (the media backend would crash) and
// the panel says why; once an output is there, the same link plays.
void TestDictionaryPanel::pronunciationNeedsASoundOutput()
{
    Fixture f;
    f.soundOutput = false;
    f.server.setPage("/tessel/find?content=say",
                     "<html><body><a id='say' href='/tessel/audio/say.mp3'>say</a></body></html>");
    f.input("le_left")->setText(QStringLiteral("say"));
    f.panel->slotSearch();
    QWebEngineView *left = f.view("wv_left");
    QTRY_VERIFY_WITH_TIMEOUT(pageText(left).contains(QStringLiteral("say")), 20000);
    QVERIFY(f.panel->soundNote()->isHidden());
    left->page()->runJavaScript(QStringLiteral("document.getElementById('say').click();"));
    QTRY_VERIFY_WITH_TIMEOUT(f.panel->soundNote()->isVisible(), 10000);
    QCOMPARE(f.panel->soundNote()->text(), DictionaryPanel::noSoundText());
    QVERIFY(f.panel->soundNote()->text().contains(QStringLiteral("声音输出设备")));
    QCOMPARE(f.panel->player()->source(), QUrl());
    QCOMPARE(f.server.count("/tessel/audio/say.mp3"), 0);
    QVERIFY(f.opened.isEmpty());

    f.soundOutput = true;
    left->page()->runJavaScript(QStringLiteral("document.getElementById('say').click();"));
    QTRY_COMPARE_WITH_TIMEOUT(f.panel->player()->source(), QUrl(f.host() + "/tessel/audio/say.mp3"), 10000);
    QVERIFY(f.panel->soundNote()->isHidden());
    QCOMPARE(f.server.count("/tessel/audio/say.mp3"), 1);
}

void TestDictionaryPanel::focusSelectsAllAndOpens()
{
    Fixture f({{"Dict_Double", "True"}});
    QSignalSpy opened(f.panel.get(), &DictionaryPanel::signalOpen);
    f.panel->activateWindow();
    QLineEdit *right = f.input("le_right");
    right->setText(QStringLiteral("compare"));
    right->deselect();
    right->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(right->selectedText(), QStringLiteral("compare"));
    QVERIFY(!opened.isEmpty());
    QCOMPARE(opened.last().at(0).toBool(), true);
}

int main(int argc, char *argv[])
{
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestDictionaryPanel test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dictionarypanel.moc"
