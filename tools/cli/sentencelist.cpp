#include "sentencelist.h"

#include "detectsentencethread.h"
#include "sentencechunk.h"
#include "titlechunk.h"

using namespace ZeltraLib;

void SentenceList::build(const DetectSentenceThread &detector, int englishLevel)
{
    m_units.clear();
    m_owned.clear();
    m_chunks.clear();
    auto add = [this, englishLevel](int paragraph, int start, const QString &text, bool title) {
        m_units.append({paragraph, start, text});
        std::unique_ptr<TextChunk> chunk;
        if (title)
            chunk = std::make_unique<TitleChunk>();
        else
            chunk = std::make_unique<SentenceChunk>();
        chunk->setConfidence(englishLevel);
        m_chunks.append(chunk.get());
        m_owned.push_back(std::move(chunk));
    };

    const qsizetype paragraphs = qMin(detector.texts().size(), detector.boundaries().size());
    for (qsizetype p = 0; p < paragraphs; ++p) {
        const QString &text = detector.texts().at(p);
        const QList<int> &ends = detector.boundaries().at(p);
        const int position = detector.positions().value(p);
        if (!ends.isEmpty() && ends.first() < 0) {
            const int length = qBound(0, ends.value(1), int(text.size()));
            add(int(p), position, text.left(length), true);
            continue;
        }
        int begin = 0;
        for (int end : ends) {
            if (end < begin || end >= text.size())
                continue;
            add(int(p), position + begin, text.mid(begin, end - begin + 1), false);
            begin = end + 1;
        }
    }

    const bool anySentence = std::any_of(m_chunks.cbegin(), m_chunks.cend(),
                                         [](const TextChunk *chunk) { return chunk->kind() == 0; });
    if (!anySentence && !m_owned.empty()) {
        auto sentence = std::make_unique<SentenceChunk>();
        sentence->setConfidence(englishLevel);
        m_chunks.last() = sentence.get();
        m_owned.back() = std::move(sentence);
    }
}

QStringList SentenceList::texts() const
{
    QStringList list;
    list.reserve(m_units.size());
    for (const Unit &unit : m_units)
        list.append(unit.text);
    return list;
}
