#include "checkstoragethread.h"

#include "checkstorage.h"

namespace ZeltraLib {

CheckStorageThread::CheckStorageThread(QObject *parent)
    : QThread(parent)
{
}

CheckStorageThread::~CheckStorageThread()
{
    wait();
}

void CheckStorageThread::setInput(const CheckStorage *storage, const QStringList &sentences,
                                  const QList<TextChunk *> &chunks, QList<int> *answered)
{
    m_storage = storage;
    m_sentences = sentences;
    m_chunks = chunks;
    m_answered = answered;
}

void CheckStorageThread::run()
{
    const qsizetype count = qMin(m_sentences.size(), m_chunks.size());
    for (qsizetype i = 0; m_storage && i < count; ++i) {
        const TextChunk *chunk = m_chunks.at(i);
        if (!chunk)
            continue;
        const CheckStorageEntry *entry = m_storage->find(m_sentences.at(i), *chunk, CheckStorage::previousOf(m_sentences, i));
        if (!entry)
            continue;
        if (m_answered)
            m_answered->append(int(i));
        CResultState state;
        state.sentInd = int(i);
        state.corrections = entry->corrections;
        state.scoreErrors = entry->scoreErrors;
        emit signalUpdateState(state);
    }
    emit signalFinished();
}

} // namespace ZeltraLib
