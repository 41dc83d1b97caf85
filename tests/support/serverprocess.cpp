#include "serverprocess.h"

#include "builtfile.h"

#include <QRegularExpression>
#include <QTest>

ServerProcess::~ServerProcess()
{
    stop();
}

QString ServerProcess::program()
{
    return builtFile(QStringLiteral("pennova-server"));
}

bool ServerProcess::start(const QString &dataDir, const QStringList &options, int timeoutMs)
{
    m_host.clear();
    m_output.clear();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // The checker and dictionary load on first use: most tests never check, and those
    // that do cover that path (`options` may say "--load-data start").
    m_process.start(m_program.isEmpty() ? program() : m_program, QStringList{"--data", dataDir, "--listen", "127.0.0.1:0", "--load-data", "first-use"}
                                   + options);
    const QRegularExpression listening(QStringLiteral("listening on (127\\.0\\.0\\.1:\\d+)\\n"));
    const bool ready = QTest::qWaitFor([&] {
        m_output += m_process.readAll();
        return listening.match(QString::fromUtf8(m_output)).hasMatch() || m_process.state() == QProcess::NotRunning;
    }, timeoutMs);
    m_host = listening.match(QString::fromUtf8(m_output)).captured(1);
    return ready && !m_host.isEmpty();
}

void ServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000))
        m_process.kill();
    m_process.waitForFinished();
}
