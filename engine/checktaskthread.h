#pragma once

#include "resultstate.h"
#include "vocabulary.h"
#include "vocabularystatistics.h"

#include <QList>
#include <QMap>
#include <QNetworkReply>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace ZeltraLib {

class CheckStorage;
class CheckStorageThread;
class CheckTask;
class EnrichmentTask;
class TextChunk;
class UserCountLog;

// Runs one check or one polish request over the sentences of a text. A check
// answers unchanged sentences from the result cache (on CheckStorageThread) and
// posts the rest, results arriving one sentence at a time; a polish request
// posts all sentences and ticks a progress counter while it waits. Keeps the
// summary scores and the category counts of a check, and uploads the
// vocabulary statistics of every run. Lives on the main thread.
class CheckTaskThread : public QObject
{
    Q_OBJECT
public:
    // Uses CheckHost(), AccountHost() and voc.dat beside the program.
    explicit CheckTaskThread(QObject *parent = nullptr);
    CheckTaskThread(const QString &checkHost, const QString &accountHost,
                    const QString &vocabularyPath, QObject *parent = nullptr);
    ~CheckTaskThread() override;

    // The user's English level ("enlish_level"), sent as the check's confidence.
    void setEnglishLevel(int level) { m_englishLevel = level; }
    int englishLevel() const { return m_englishLevel; }
    // The polish level ("enrichment_level"), sent with polish requests.
    void setPolishLevel(int level) { m_polishLevel = level; }
    int polishLevel() const { return m_polishLevel; }

    // Starts a run in the mode polishMode() gives. `texts` and `chunks` are the
    // sentences of the text, one chunk each. Neither `storage` nor the chunks are
    // owned; both must stay valid and unchanged until signalFinished().
    void start(const QString &session, CheckStorage *storage, const QStringList &texts,
               const QList<TextChunk *> &chunks);
    // Stops the run: signalFinished(OperationCanceledError) follows unless the
    // run had already finished. Waits for the cache lookup to end.
    void cancel();
    bool isRunning() const { return m_state != State::Idle; }

    double lexicalScore() const { return m_lexicalScore; }
    double syntaxScore() const { return m_syntaxScore; }
    QList<CResultState> polishResults() const;
    // Category code -> number of findings delivered by the service in this check.
    QMap<int, int> categoryCounts() const { return m_categoryCounts; }
    // Statistics of the last run's sentences.
    const VocabularyStatistics &statistics() const { return m_statistics; }
    // The sentences as sent (the last one may have an added ".").
    const QStringList &sentences() const { return m_sentences; }
    const QList<TextChunk *> &chunks() const { return m_chunks; }
    // Indexes of the sentences answered from the cache in this check.
    const QList<int> &answeredFromStorage() const { return m_answeredFromStorage; }
    const Vocabulary &vocabulary() const { return m_vocabulary; }

    // Interval of the polish progress ticks; tests shorten it.
    static constexpr int ProgressIntervalMs = 1000;
    void setProgressIntervalMs(int ms) { m_progressTimer.setInterval(qMax(1, ms)); }

Q_SIGNALS:
    void signalUpdateState(ZeltraLib::CResultState state);
    void signalFinished(QNetworkReply::NetworkError err);
    void signalImpoveProgress(int progress);

public Q_SLOTS:
    void slotUpdateResult(ZeltraLib::CResultState state);
    void slotFinished(QNetworkReply::NetworkError err);
    void slotCheckStorageFinished();
    void slotImproveTimeout();

private:
    enum class State { Idle, Storage, Checking, Polishing };

    void uploadStatistics();
    void uploadCategoryCounts();
    // Ends a run that never reached a task: signalFinished(err) on the next turn.
    void finishLater(QNetworkReply::NetworkError err);

    CheckTask *m_checkTask = nullptr;           // child
    EnrichmentTask *m_enrichmentTask = nullptr; // child
    CheckStorageThread *m_storageThread = nullptr; // child
    UserCountLog *m_countLog = nullptr;         // child

    QStringList m_sentences;
    QList<TextChunk *> m_chunks; // not owned
    QString m_session;
    CheckStorage *m_storage = nullptr; // not owned
    QList<int> m_answeredFromStorage;
    QMap<int, int> m_categoryCounts;
    QTimer m_progressTimer;
    int m_progressCount = 0;
    double m_lexicalScore = -1.0;
    double m_syntaxScore = -1.0;
    Vocabulary m_vocabulary;
    VocabularyStatistics m_statistics;
    int m_englishLevel = 2;
    int m_polishLevel = 2;
    State m_state = State::Idle;
    bool m_polishRun = false;
};

} // namespace ZeltraLib
