#pragma once
// The main window against a holding check service, for the window's workflow tests: the
// test decides which results arrive and when the check ends. A test class derives from
// it and calls initCase(), setUp(), tearDown() and cleanupCase() from its own slots.

#include "support/editorfixture.h"
#include "support/scriptedhttpserver.h"

#include "checktaskthread.h"
#include "clickablelabel.h"
#include "configstore.h"
#include "correctionitem.h"
#include "correctionpanel.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "frame.h"
#include "globalstores.h"
#include "leftsidebar.h"
#include "linewidget.h"
#include "mainwindow.h"
#include "polishmode.h"
#include "popuplabel.h"
#include "progresswindow.h"
#include "reportwindow.h"
#include "sentenceentry.h"
#include "statisticsstrip.h"
#include "useraccess.h"
#include "userinformation.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace ZeltraLib;

class MainWindowFixture
{
protected:
    // A result to send: `word` (its `occurrence`-th appearance) in sentence `sentence`.
    struct Finding
    {
        int sentence;
        QString word;
        QByteArray errorType;
        QList<QByteArray> candidates;
        QByteArray candidateType = "REPLACE";
        int occurrence = 0;
        QList<double> scores = {}; // of the candidates, in order; missing ones stay 0
    };

    struct Box
    {
        QString title;
        QString text;
        QString countDown;
    };

    QTemporaryDir m_dir;
    std::unique_ptr<ConfigStore> m_prefs;
    std::unique_ptr<ConfigStore> m_tips;
    std::unique_ptr<UserAccess> m_access;
    std::unique_ptr<UserInformation> m_usage;
    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<MainWindow> m_window;
    QList<Box> m_boxes;
    QHash<QString, int> m_answers; // box title -> result; Rejected when missing
    qint64 m_now = 0;
    // No waiting on the bar: every tick at once, no fade.
    ProgressWindow::Timings m_progressTimings{0, 0};
    int m_wordCountDelayMs = 0; // the status line's pause
    int m_opened = 0;
    int m_relogins = 0;
    int m_diagnoses = 0;

    void makeWindow(const QString &checkHost = QString())
    {
        m_window.reset();
        m_server = std::make_unique<ScriptedHttpServer>(ScriptedHttpServer::HoldAll);
        QVERIFY(m_server->listen());
        MainWindowServices services{*m_prefs, *m_tips, *m_access, *m_usage,
                                    checkHost.isEmpty() ? QStringLiteral("127.0.0.1:%1").arg(m_server->port())
                                                        : checkHost,
                                    QStringLiteral("127.0.0.1:1"), m_dir.filePath(QStringLiteral("no-voc.dat"))};
        services.wordCountDelayMs = m_wordCountDelayMs;
        services.pingIntervalMs = 0; // no ping process per window
        services.progressTimings = m_progressTimings;
        services.wordLimitClock = [this] { return m_now; };
        services.showDiagnosis = [this](QWidget *) { ++m_diagnoses; };
        services.relogin = [this](QWidget *) { ++m_relogins; return true; };
        services.chooseOpenFile = [this](QWidget *) { ++m_opened; return QString(); };
        m_window = std::make_unique<MainWindow>(services);
        m_window->show();
    }

    CustomTextEditor *editor() const { return m_window->editor(); }

    int checkRequest(int from) const
    {
        for (int i = from; i < m_server->requestCount(); ++i) {
            if (m_server->path(i).startsWith("/apps_compressed") || m_server->path(i).startsWith("/lexsub"))
                return i;
        }
        return -1;
    }

    CResultState stateFor(const Finding &f) const
    {
        SentenceEntry *entry = m_window->sentences().at(f.sentence);
        const QString text = entry->text();
        int at = -1;
        for (int n = 0; n <= f.occurrence; ++n)
            at = int(text.indexOf(f.word, at + 1));
        CResultState state;
        state.sentInd = f.sentence;
        state.corrections.append(makeRecord(f.errorType, at, at + int(f.word.size()), f.candidates, f.candidateType));
        for (int k = 0; k < f.scores.size() && k < state.corrections.last().candidates.size(); ++k)
            state.corrections.last().candidates[k].score = f.scores.at(k);
        return state;
    }

    // Checks the editor's text; the service sends `findings` and then ends with `body`.
    // A whole check reply ends with its summary record; one without it has failed.
    static QByteArray checkEnd()
    {
        return ZeltraLib::encodeFrame("{\"sentInd\":-1,\"lexicalScore\":0.5,\"syntaxScore\":0.5}\n") + "\r\n\n";
    }

    bool runCheck(const QList<Finding> &findings, const QByteArray &body = QByteArray())
    {
        QSignalSpy ended(m_window.get(), &MainWindow::signalCheckEnded);
        const int before = m_server->requestCount();
        m_window->slotCheck();
        // Either the request goes out or the check ends before it (refused, failed).
        if (!QTest::qWaitFor([&] { return !m_window->isChecking() || checkRequest(before) >= 0; }, 10000))
            return false;
        const int index = checkRequest(before);
        if (index >= 0) {
            for (const Finding &f : findings)
                emit m_window->checkThread()->signalUpdateState(stateFor(f));
            m_server->respond(index, body.isEmpty() ? checkEnd() : body);
        }
        return !ended.isEmpty() || ended.wait(10000);
    }

    // Starts a check of the editor's text and waits until its request is out.
    bool startCheck()
    {
        QSignalSpy arrived(m_server.get(), &ScriptedHttpServer::requestReceived);
        const int before = m_server->requestCount();
        m_window->slotCheck();
        while (checkRequest(before) < 0) {
            if (!arrived.wait(10000))
                return false;
        }
        return true;
    }

    CorrectionItem *finding(const QString &found, int occurrence = 0) const
    {
        for (CorrectionItem *item : m_window->findings().items()) {
            if (item->foundText() == found && occurrence-- == 0)
                return item;
        }
        return nullptr;
    }

    QStringList boxTitles() const
    {
        QStringList titles;
        for (const Box &b : m_boxes)
            titles << b.title;
        return titles;
    }

    // Three sentences, with findings of every kind.
    const QString m_text = QStringLiteral("Thsi is a tset of the the text. She go to school every day. "
                                          "We recieve many letter from freinds.");
    QList<Finding> standardFindings() const
    {
        return {{0, QStringLiteral("Thsi"), "NONWORD", {"This"}},
                {0, QStringLiteral("tset"), "NONWORD", {"test", "set"}},
                {0, QStringLiteral("the the"), "GRAMMAR", {"the"}},
                {1, QStringLiteral("go"), "GRAMMAR", {"goes", "went"}},
                {2, QStringLiteral("recieve"), "NONWORD", {"receive"}},
                {2, QStringLiteral("letter"), "MOPHOLOGY", {"letters"}},
                {2, QStringLiteral("freinds"), "NONWORD", {"friends"}}};
    }

    bool checkStandardText()
    {
        editor()->setPlainText(m_text);
        return runCheck(standardFindings());
    }

    void initCase()
    {
        QVERIFY(m_dir.isValid());
        CustomMessageBox::setAutoAnswer([this](CustomMessageBox &box) {
            m_boxes.append({box.title(), box.text(), box.countDownText()});
            return m_answers.value(box.title(), int(QDialog::Rejected));
        });
    }

    void setUp()
    {
        // The window saves its settings; every test starts from the defaults.
        QFile::remove(m_dir.filePath(PreferenceFileName));
        m_prefs = makePreferences(m_dir);
        m_prefs->setValue(QStringLiteral("show_report"), QStringLiteral("False"));
        QFile::remove(m_dir.filePath(QStringLiteral("setting.ini")));
        m_tips = std::make_unique<ConfigStore>(m_dir.path(), QStringLiteral("setting.ini"));
        mergeDefaults(*m_tips, promptTipDefaults());
        m_access = std::make_unique<UserAccess>(QStringLiteral("127.0.0.1:1"));
        m_usage = std::make_unique<UserInformation>(QStringLiteral("127.0.0.1:1"));
        m_boxes.clear();
        m_answers.clear();
        m_now = 0;
        m_progressTimings = {0, 0};
        m_wordCountDelayMs = 0;
        m_opened = m_relogins = m_diagnoses = 0;
        setPolishMode(false);
        makeWindow();
    }

    void tearDown()
    {
        m_window.reset();
        m_server.reset();
        setPolishMode(false);
    }

    void cleanupCase() { CustomMessageBox::setAutoAnswer({}); }
};
