#pragma once

#include "resultstate.h"

#include <QList>
#include <QStringList>
#include <QThread>

namespace ZeltraLib {

class CheckStorage;
class TextChunk;

// Answers the sentences of a check that the result cache already holds, off the
// main thread: for each sentence with a cache entry of the same text, an equal chunk
// and the same sentence before it, records its index and emits its cached findings. Owned by CheckTaskThread.
class CheckStorageThread : public QThread
{
    Q_OBJECT
public:
    explicit CheckStorageThread(QObject *parent = nullptr);
    ~CheckStorageThread() override;

    // Sets the inputs of the next run. None is owned; the storage, the chunks and
    // `answered` must stay valid and unchanged until the run has finished.
    void setInput(const CheckStorage *storage, const QStringList &sentences,
                  const QList<TextChunk *> &chunks, QList<int> *answered);

Q_SIGNALS:
    void signalUpdateState(ZeltraLib::CResultState state);
    void signalFinished();

protected:
    void run() override;

private:
    const CheckStorage *m_storage = nullptr;
    QStringList m_sentences;
    QList<TextChunk *> m_chunks;
    QList<int> *m_answered = nullptr;
};

} // namespace ZeltraLib
