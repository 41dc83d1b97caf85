#include "checktaskthread.h"

#include "checkcodes.h"
#include "checkrequest.h"
#include "checkstorage.h"
#include "checkstoragethread.h"
#include "checktask.h"
#include "compactjson.h"
#include "enrichmenttask.h"
#include "polishmode.h"
#include "servicehosts.h"
#include "textchunk.h"
#include "usercountlog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>

#include <json/value.h>

namespace ZeltraLib {

namespace {

// Category codes past the usage log's table ("any other text") count as "Other".
constexpr int OtherCategoryKey = 7;

bool endsWithSentenceMark(const QString &sentence)
{
    const QString trimmed = sentence.trimmed();
    if (trimmed.isEmpty())
        return false;
    const QChar last = trimmed.at(trimmed.size() - 1);
    return last == QLatin1Char('.') || last == QLatin1Char('?') || last == QLatin1Char('!')
           || last == QLatin1Char('"');
}

QByteArray polishRequestJson(const QString &session, const QStringList &sentences, int level)
{
    Json::Value request(Json::objectValue);
    request["session"] = jsonString(session);
    Json::Value sents(Json::arrayValue);
    for (const QString &sentence : sentences)
        sents.append(jsonString(sentence));
    request["sents"] = sents;
    request["confidence"] = level;
    request["clientVersion"] = jsonString(ClientVersion);
    return writeCompactJson(request);
}

} // namespace

CheckTaskThread::CheckTaskThread(QObject *parent)
    : CheckTaskThread(CheckHost(), AccountHost(), Vocabulary::defaultPath(), parent)
{
}

CheckTaskThread::CheckTaskThread(const QString &checkHost, const QString &accountHost,
                                 const QString &vocabularyPath, QObject *parent)
    : QObject(parent),
      m_checkTask(new CheckTask(checkHost, this)),
      m_enrichmentTask(new EnrichmentTask(checkHost, this)),
      m_storageThread(new CheckStorageThread(this)),
      m_countLog(new UserCountLog(accountHost, this))
{
    registerResultStateType();
    // A missing or damaged file leaves the vocabulary empty; the statistics then
    // count no levels.
    QString error;
    if (!m_vocabulary.load(vocabularyPath, &error) && QFile::exists(vocabularyPath))
        qWarning("voc.dat not used: %s", qUtf8Printable(error));

    m_progressTimer.setInterval(ProgressIntervalMs);
    connect(m_checkTask, &CheckTask::signalUpdateResult, this, &CheckTaskThread::slotUpdateResult);
    // Each task ends only a run of its own kind, so that a late end of an abandoned
    // request cannot end the next run.
    connect(m_checkTask, &CheckTask::signalFinished, this, [this](QNetworkReply::NetworkError err) {
        if (m_state == State::Checking)
            slotFinished(err);
    });
    connect(m_enrichmentTask, &EnrichmentTask::signalFinished, this,
            [this](QNetworkReply::NetworkError err) {
                if (m_state == State::Polishing)
                    slotFinished(err);
            });
    connect(m_storageThread, &CheckStorageThread::signalUpdateState, this,
            &CheckTaskThread::signalUpdateState);
    connect(m_storageThread, &CheckStorageThread::signalFinished, this,
            &CheckTaskThread::slotCheckStorageFinished);
    connect(&m_progressTimer, &QTimer::timeout, this, &CheckTaskThread::slotImproveTimeout);
}

CheckTaskThread::~CheckTaskThread()
{
    m_storageThread->wait();
}

void CheckTaskThread::start(const QString &session, CheckStorage *storage, const QStringList &texts,
                            const QList<TextChunk *> &chunks)
{
    if (m_state != State::Idle)
        cancel();

    m_session = session;
    m_storage = storage;
    m_lexicalScore = -1.0;
    m_syntaxScore = -1.0;
    m_sentences = texts;
    m_chunks = chunks;
    m_answeredFromStorage.clear();
    m_polishRun = polishMode();

    if (!m_sentences.isEmpty() && !endsWithSentenceMark(m_sentences.last()))
        m_sentences.last().append(QLatin1Char('.'));

    m_statistics = VocabularyStatistics::compute(m_sentences, m_vocabulary);
    uploadStatistics();
    m_categoryCounts.clear();

    if (m_polishRun) {
        m_state = State::Polishing;
        m_progressCount = 5;
        m_progressTimer.start();
        m_enrichmentTask->start(polishRequestJson(m_session, m_sentences, m_polishLevel));
        return;
    }

    // Every sentence needs its configuration; a list that does not match cannot be sent.
    if (m_chunks.size() != m_sentences.size() || m_chunks.contains(nullptr)) {
        qWarning("check refused: %lld sentences but %lld chunks", qlonglong(m_sentences.size()),
                 qlonglong(m_chunks.size()));
        m_state = State::Storage;
        finishLater(QNetworkReply::ProtocolInvalidOperationError);
        return;
    }
    m_state = State::Storage;
    m_storageThread->setInput(m_storage, m_sentences, m_chunks, &m_answeredFromStorage);
    m_storageThread->start();
}

void CheckTaskThread::cancel()
{
    switch (m_state) {
    case State::Idle:
        return;
    case State::Polishing:
        m_enrichmentTask->abort();
        break;
    case State::Checking:
        m_checkTask->abort();
        break;
    case State::Storage:
        // The request is not out yet: drop what the lookup still has queued for
        // this object (its results and its end) and finish here.
        m_storageThread->wait();
        QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
        m_state = State::Idle;
        emit signalFinished(QNetworkReply::OperationCanceledError);
        return;
    }
    // An abort reports at once; a reply that had already finished but not yet
    // reported would end the run later, so end it here.
    if (m_state != State::Idle)
        slotFinished(QNetworkReply::OperationCanceledError);
}

QList<CResultState> CheckTaskThread::polishResults() const
{
    return m_enrichmentTask->results();
}

void CheckTaskThread::slotUpdateResult(CResultState state)
{
    if (state.sentInd < 0) {
        m_lexicalScore = state.lexicalScore;
        m_syntaxScore = state.syntaxScore;
        return;
    }
    // A record for a sentence that was not sent cannot be placed anywhere.
    if (state.sentInd >= m_sentences.size())
        return;
    for (const CorrectionRecord &record : std::as_const(state.corrections))
        ++m_categoryCounts[record.category()];
    if (!m_answeredFromStorage.contains(state.sentInd) && m_storage) {
        const TextChunk *chunk = m_chunks.value(state.sentInd);
        if (chunk)
            m_storage->append(m_sentences.at(state.sentInd), *chunk, state.corrections, state.scoreErrors,
                              CheckStorage::previousOf(m_sentences, state.sentInd));
    }
    emit signalUpdateState(state);
}

void CheckTaskThread::slotFinished(QNetworkReply::NetworkError err)
{
    if (m_state == State::Idle)
        return;
    m_progressTimer.stop();
    if (!m_polishRun)
        uploadCategoryCounts();
    m_state = State::Idle;
    emit signalFinished(err);
}

void CheckTaskThread::slotCheckStorageFinished()
{
    if (m_state != State::Storage)
        return;
    CheckRequest request;
    request.session = m_session;
    request.sents = m_sentences;
    request.confidence = m_englishLevel;
    request.clientVersion = ClientVersion;
    for (qsizetype i = 0; i < m_sentences.size(); ++i) {
        const bool cached = m_answeredFromStorage.contains(int(i));
        request.configs.append(cached ? -1 : m_chunks.at(i)->kind());
        // The cached sentence's share of the summary's error count.
        const QString previous = CheckStorage::previousOf(m_sentences, i);
        const CheckStorageEntry *entry = cached && m_storage ? m_storage->find(m_sentences.at(i), *m_chunks.at(i), previous) : nullptr;
        request.scoreErrors.append(entry ? entry->scoreErrors : 0);
    }
    m_state = State::Checking;
    m_checkTask->start(request);
}

void CheckTaskThread::slotImproveTimeout()
{
    ++m_progressCount;
    emit signalImpoveProgress(m_progressCount);
}

void CheckTaskThread::uploadStatistics()
{
    m_countLog->addCheckCount(m_session, QStringLiteral("check"), m_statistics.checkCounts());
    m_countLog->addCheckCount(m_session, QStringLiteral("level"), m_statistics.levelCountMap());
}

void CheckTaskThread::uploadCategoryCounts()
{
    QMap<int, int> counts;
    for (auto it = m_categoryCounts.constBegin(); it != m_categoryCounts.constEnd(); ++it)
        counts[qMin(it.key(), OtherCategoryKey)] += it.value();
    m_countLog->addCheckCount(m_session, QStringLiteral("error"), counts);
}

void CheckTaskThread::finishLater(QNetworkReply::NetworkError err)
{
    QMetaObject::invokeMethod(
        this, [this, err] { slotFinished(err); }, Qt::QueuedConnection);
}

} // namespace ZeltraLib
