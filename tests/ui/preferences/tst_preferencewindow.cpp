#include "colorbutton.h"
#include "configstore.h"
#include "custommenubar.h"
#include "generalsetting.h"
#include "globalstores.h"
#include "preferencewindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Values = QHash<QString, QString>;

Values snapshot(ConfigStore &store)
{
    Values values;
    for (const QString &key : store.keys())
        values.insert(key, store.value(key));
    return values;
}

QStringList changedKeys(const Values &before, ConfigStore &store)
{
    QStringList keys;
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (store.value(it.key()) != it.value() && it.key() != QLatin1String("Setting_Index"))
            keys << it.key();
    }
    keys.sort();
    return keys;
}

// Turns every field of a page away from what it shows: each box flipped, the first
// unchecked radio button chosen, every colour replaced, the font and size changed.
void changeEverything(QWidget *page)
{
    for (QCheckBox *box : page->findChildren<QCheckBox *>()) {
        if (box->text() != QLatin1String("Ctrl+") && box->text() != QLatin1String("Alt+"))
            box->click();
    }
    for (QRadioButton *radio : page->findChildren<QRadioButton *>()) {
        if (!radio->isChecked()) {
            radio->click();
            break;
        }
    }
    for (ColorButton *button : page->findChildren<ColorButton *>())
        button->setColor(QStringLiteral("#123456"));
    if (auto *size = page->findChild<QComboBox *>(QStringLiteral("sizeBox")))
        size->setCurrentText(QStringLiteral("17"));
    if (auto *font = page->findChild<QFontComboBox *>(QStringLiteral("fontBox")))
        font->setEditText(QStringLiteral("Some Serif"));
    if (auto *edit = page->findChild<QLineEdit *>(QStringLiteral("hk_copy_key")))
        edit->setText(QStringLiteral("Z"));
    if (auto *type = page->findChild<QComboBox *>(QStringLiteral("typeBox"))) {
        type->setCurrentIndex(1);
        page->findChild<QLineEdit *>(QStringLiteral("hostEdit"))->setText(QStringLiteral("proxy.local"));
        page->findChild<QLineEdit *>(QStringLiteral("portEdit"))->setText(QStringLiteral("3128"));
    }
}

struct Fixture
{
    QTemporaryDir dir;
    ConfigStore store{dir.path(), PreferenceFileName};
    Fixture() { mergeDefaults(store, preferenceDefaults()); }
};

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

// The preference window: what each page writes on apply, cancel and reset, the page kept
// in "Setting_Index", the flags sent to the main window, and the hot-key editor.
class TestPreferenceWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }
    void applyWritesExactlyThePageKeys_data();
    void applyWritesExactlyThePageKeys();
    void cancelWritesNothing_data() { applyWritesExactlyThePageKeys_data(); }
    void cancelWritesNothing();
    void resetRestoresDefaults_data() { applyWritesExactlyThePageKeys_data(); }
    void resetRestoresDefaults();
    void settingIndex_data();
    void settingIndex();
    void applyFlags_data();
    void applyFlags();
    void hotKeyEditing_data();
    void hotKeyEditing();
    void resetHotKeysKeepsOtherSettings();
    void oddStoredValuesLoad_data();
    void oddStoredValuesLoad();
    void pageActionsReachTheirServices();
};

void TestPreferenceWindow::applyWritesExactlyThePageKeys_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("textChanged");
    QTest::addColumn<bool>("errorChanged");
    QStringList general = {"display_tips", "show_hint", "goto_next", "use_ctrl", "click_close_level",
                           "hk_copy_key"};
    for (const char *row : {"copy", "clear", "check", "correct_all", "improve", "improve_all"})
        general << QStringLiteral("hk_%1_enabled").arg(QLatin1String(row));
    QTest::newRow("general") << 0 << general << false << false;
    QTest::newRow("display") << 1
                             << QStringList{"display_text_font", "display_text_font_size", "display_text_color",
                                            "display_background_enabled", "display_background_color",
                                            "display_highlight_enabled", "display_highlight_color",
                                            "export_open_document"}
                             << true << false;
    QTest::newRow("correction") << 2
                                << QStringList{"enlish_level", "display_spelling_enabled", "display_spelling_color",
                                               "display_grammar_enabled", "display_grammar_color",
                                               "display_style_enabled", "display_style_color",
                                               "display_suggestion_enabled", "display_suggestion_color",
                                               "show_report"}
                                << false << true;
    QTest::newRow("polish") << 3
                            << QStringList{"enrichment_level", "display_enrichment_enabled",
                                           "display_enrichment_color"}
                            << false << true;
    QTest::newRow("network") << 4 << QStringList{"proxy_type", "proxy_host", "proxy_port"} << false << false;
    QTest::newRow("update") << 5 << QStringList{"update_type"} << false << false;
}

void TestPreferenceWindow::applyWritesExactlyThePageKeys()
{
    QFETCH(int, page);
    QFETCH(QStringList, keys);
    QFETCH(bool, textChanged);
    QFETCH(bool, errorChanged);
    Fixture f;
    const Values before = snapshot(f.store);
    PreferenceWindow window(f.store, {});
    QSignalSpy applied(&window, &PreferenceWindow::signalApplyChange);
    window.slotUpdatePanel(page);
    changeEverything(window.page(page));
    QVERIFY(changedKeys(before, f.store).isEmpty());
    window.ButtonApplyClicked();
    QCOMPARE(changedKeys(before, f.store), sorted(keys));
    QCOMPARE(applied.count(), 1);
    QCOMPARE(applied.at(0).at(0).toBool(), textChanged);
    QCOMPARE(applied.at(0).at(1).toBool(), errorChanged);
    QVERIFY(!window.applyButton()->isEnabled());
    // On disk as well.
    ConfigStore reread(f.dir.path(), PreferenceFileName);
    for (const QString &key : keys)
        QCOMPARE(reread.value(key), f.store.value(key));
    // A second apply with nothing new reports nothing changed.
    window.ButtonApplyClicked();
    QCOMPARE(applied.at(1).at(0).toBool(), false);
}

void TestPreferenceWindow::cancelWritesNothing()
{
    QFETCH(int, page);
    Fixture f;
    f.store.save();
    const QByteArray fileBefore = [&] {
        QFile file(f.store.filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const Values before = snapshot(f.store);
    PreferenceWindow window(f.store, {});
    QSignalSpy applied(&window, &PreferenceWindow::signalApplyChange);
    window.slotUpdatePanel(page);
    changeEverything(window.page(page));
    window.findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(changedKeys(before, f.store), QStringList());
    QCOMPARE(applied.count(), 0);
    QFile file(f.store.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), fileBefore);
}

void TestPreferenceWindow::resetRestoresDefaults()
{
    QFETCH(int, page);
    QFETCH(QStringList, keys);
    Fixture f;
    {
        PreferenceWindow changer(f.store, {});
        changer.slotUpdatePanel(page);
        changeEverything(changer.page(page));
        changer.ButtonApplyClicked();
    }
    const Values changed = snapshot(f.store);
    PreferenceWindow window(f.store, {});
    QCOMPARE(window.currentPage(), page);
    window.findChild<QPushButton *>(QStringLiteral("resetButton"))->click();
    QCOMPARE(changedKeys(changed, f.store), QStringList()); // nothing stored before apply
    QVERIFY(window.applyButton()->isEnabled());
    window.ButtonApplyClicked();
    // "不使用代理" writes only the type and keeps the server fields for later.
    if (page == PreferenceWindow::Network)
        keys = QStringList{QStringLiteral("proxy_type")};
    QCOMPARE(changedKeys(changed, f.store), sorted(keys));
    for (const auto &row : preferenceDefaults()) {
        if (keys.contains(row.first))
            QCOMPARE(f.store.value(row.first), row.second);
    }
}

void TestPreferenceWindow::settingIndex_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("polish page kept") << "3" << 3;
    QTest::newRow("garbage shows the first") << "x3" << 0;
    QTest::newRow("out of range shows the first") << "9" << 0;
}

void TestPreferenceWindow::settingIndex()
{
    QFETCH(QString, stored);
    QFETCH(int, shown);
    Fixture f;
    f.store.setValue(QStringLiteral("Setting_Index"), stored);
    PreferenceWindow window(f.store, {});
    QCOMPARE(window.currentPage(), shown);
    QVERIFY(window.findChild<QPushButton *>(QStringLiteral("nav%1").arg(shown))->isChecked());
    window.findChild<QPushButton *>(QStringLiteral("nav5"))->click();
    QCOMPARE(window.currentPage(), 5);
    window.ButtonCannelClicked();
    QCOMPARE(f.store.value(QStringLiteral("Setting_Index")), QStringLiteral("5"));
}

void TestPreferenceWindow::applyFlags_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<bool>("textChanged");
    QTest::addColumn<bool>("errorChanged");
    QTest::newRow("font only") << 1 << "fontBox" << true << false;
    QTest::newRow("grammar colour only") << 2 << "grammarColor" << false << true;
    QTest::newRow("level only") << 2 << "level" << false << false;
    QTest::newRow("polish colour only") << 3 << "enrichmentColor" << false << true;
}

void TestPreferenceWindow::applyFlags()
{
    QFETCH(int, page);
    QFETCH(QString, widget);
    QFETCH(bool, textChanged);
    QFETCH(bool, errorChanged);
    Fixture f;
    PreferenceWindow window(f.store, {});
    QSignalSpy applied(&window, &PreferenceWindow::signalApplyChange);
    QWidget *p = window.page(page);
    if (auto *font = p->findChild<QFontComboBox *>(widget))
        font->setEditText(QStringLiteral("Other Sans"));
    else if (auto *color = p->findChild<ColorButton *>(widget))
        color->setColor(QStringLiteral("#00AA00"));
    else
        p->findChildren<QRadioButton *>().constFirst()->click(); // "高"
    window.ButtonApplyClicked();
    QCOMPARE(applied.count(), 1);
    QCOMPARE(applied.at(0).at(0).toBool(), textChanged);
    QCOMPARE(applied.at(0).at(1).toBool(), errorChanged);
    if (widget == QLatin1String("level"))
        QCOMPARE(f.store.value(QStringLiteral("enlish_level")), QStringLiteral("1"));
}

void TestPreferenceWindow::hotKeyEditing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    QTest::newRow("lower case becomes upper") << "hk_copy_key" << true << true << "v" << "V" << "";
    QTest::newRow("typed after the old key") << "hk_clear_key" << true << true << "k" << "K" << "";
    QTest::newRow("non-ascii ignored") << "hk_clear_key" << true << true << "中" << "X" << "";
    QTest::newRow("same as another row") << "hk_clear_key" << true << true << "V" << "X" << "“复制全文”";
    QTest::newRow("editor copy") << "hk_check_key" << true << false << "c" << "C" << "编辑框的“复制”";
    QTest::newRow("editor undo") << "hk_check_key" << true << false << "z" << "C" << "编辑框的“撤销”";
    QTest::newRow("no modifier") << "hk_check_key" << false << false << "p" << "C" << "Ctrl或Alt";
    QTest::newRow("Alt+F opens the 文件 menu") << "hk_check_key" << false << true << "f" << "C" << "菜单栏的“文件”菜单";
    QTest::newRow("Alt+H opens the 帮助 menu") << "hk_improve_key" << false << true << "h" << "E" << "菜单栏的“帮助”菜单";
    QTest::newRow("Ctrl+Alt+F opens no menu") << "hk_check_key" << true << true << "f" << "F" << "";
    QTest::newRow("Alt+Q opens no menu") << "hk_check_key" << false << true << "q" << "Q" << "";
    QTest::newRow("emptied keeps the old") << "hk_improve_key" << true << true << "\b" << "E" << "";
}

void TestPreferenceWindow::hotKeyEditing()
{
    QFETCH(QString, field);
    QFETCH(bool, ctrl);
    QFETCH(bool, alt);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    Fixture f;
    GeneralSetting page(f.store);
    // The main window's menus, as the window hands them over.
    CustomMenuBar menus(f.store, QStringLiteral("web.example"));
    page.setMenuKeys(menus.mnemonics());
    QSignalSpy changed(&page, &GeneralSetting::ValueChange);
    auto *edit = page.findChild<QLineEdit *>(field);
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(edit, &in);
    // Modifiers are set without the clash check of a click: the key field decides.
    const QString prefix = field.chopped(3);
    page.findChild<QCheckBox *>(prefix + QStringLiteral("ctrl"))->setChecked(ctrl);
    page.findChild<QCheckBox *>(prefix + QStringLiteral("alt"))->setChecked(alt);
    edit->end(false);
    for (const QChar c : typed) {
        if (c.unicode() < 128) {
            QTest::keyClick(edit, c.toLatin1());
        } else { // the way an input method commits Chinese text
            QInputMethodEvent commit;
            commit.setCommitString(c);
            QCoreApplication::sendEvent(edit, &commit);
        }
    }
    if (message.isEmpty() && typed != QLatin1String("\b"))
        QCOMPARE(edit->text(), shown);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(edit, &out);
    QCOMPARE(edit->text(), shown);
    if (message.isEmpty()) {
        QVERIFY(page.message().isEmpty());
    } else {
        QVERIFY2(page.message().contains(message), qPrintable(page.message()));
    }
    const bool differs = message.isEmpty() && shown != f.store.value(field).right(1);
    QCOMPARE(changed.count() > 0, differs);
    page.save();
    QCOMPARE(f.store.value(field).right(1), shown);
}

void TestPreferenceWindow::resetHotKeysKeepsOtherSettings()
{
    Fixture f;
    f.store.setValue(QStringLiteral("hk_copy_key"), QStringLiteral("|alt|J"));
    f.store.setValue(QStringLiteral("hk_improve_enabled"), QStringLiteral("False"));
    f.store.setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
    GeneralSetting page(f.store);
    page.findChild<QPushButton *>(QStringLiteral("resetHotKeys"))->click();
    page.save();
    const QStringList letters = {"V", "X", "C", "A", "E", "Q"};
    const QStringList rows = {"copy", "clear", "check", "correct_all", "improve", "improve_all"};
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(f.store.value(QStringLiteral("hk_%1_key").arg(rows.at(i))), QStringLiteral("ctrl|alt|") + letters.at(i));
        QCOMPARE(f.store.value(QStringLiteral("hk_%1_enabled").arg(rows.at(i))), QStringLiteral("True"));
        QCOMPARE(GeneralSetting::portableText(page.combination(i)), QStringLiteral("Ctrl+Alt+") + letters.at(i));
    }
    QCOMPARE(f.store.value(QStringLiteral("goto_next")), QStringLiteral("False"));
}

void TestPreferenceWindow::oddStoredValuesLoad_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved");
    QTest::newRow("level out of range saves 1") << "enlish_level" << "7" << "1";
    QTest::newRow("update type garbage is first") << "update_type" << "soon" << "0";
    QTest::newRow("update type out of range saves 0") << "update_type" << "5" << "0";
    QTest::newRow("polish level garbage is strongest") << "enrichment_level" << "??" << "1";
    QTest::newRow("boolean not True is off") << "show_report" << "true" << "False";
    QTest::newRow("close level other than 2 hides") << "click_close_level" << "0" << "1";
    QTest::newRow("unknown size falls back") << "display_text_font_size" << "99" << "13";
}

void TestPreferenceWindow::oddStoredValuesLoad()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, saved);
    Fixture f;
    f.store.setValue(key, stored);
    PreferenceWindow window(f.store, {});
    window.ButtonOkClicked();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(f.store.value(key), saved);
}

void TestPreferenceWindow::pageActionsReachTheirServices()
{
    Fixture f;
    QStringList calls;
    PreferenceWindow::Services services;
    services.checkUpdate = [&calls] { calls << QStringLiteral("update"); };
    services.countEvent = [&calls](const QString &event) { calls << event; };
    services.showDiagnosis = [&calls](QWidget *) { calls << QStringLiteral("diagnosis"); };
    services.proxyResult = [&calls](QWidget *, bool ok) { calls << (ok ? QStringLiteral("ok") : QStringLiteral("failed")); };
    services.proxyTestUrl = QStringLiteral("http://127.0.0.1:1/test.htm");
    PreferenceWindow window(f.store, services);
    window.page(PreferenceWindow::Update)->findChild<QPushButton *>(QStringLiteral("pb_check"))->click();
    window.findChild<QPushButton *>(QStringLiteral("diagnosisButton"))->click();
    QWidget *network = window.page(PreferenceWindow::Network);
    network->findChild<QComboBox *>(QStringLiteral("typeBox"))->setCurrentIndex(2);
    network->findChild<QLineEdit *>(QStringLiteral("hostEdit"))->setText(QStringLiteral("127.0.0.1"));
    network->findChild<QLineEdit *>(QStringLiteral("portEdit"))->setText(QStringLiteral("1"));
    network->findChild<QPushButton *>(QStringLiteral("testButton"))->click();
    QVERIFY(!network->isEnabled());
    QTRY_COMPARE(calls, (QStringList{"update", "diagnosis", "Proxy_Test", "failed"}));
    QVERIFY(network->isEnabled());
    QCOMPARE(f.store.value(QStringLiteral("proxy_type")), QStringLiteral("0")); // a test stores nothing
}

QTEST_MAIN(TestPreferenceWindow)
#include "tst_preferencewindow.moc"
