#pragma once

#include "textchunk.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace ZeltraLib {
class DetectSentenceThread;
}

// The titles and sentences of a plain text, built from the detection results the
// way the editor builds its sentence entries: a title paragraph is one unit, a
// sentence paragraph one unit per boundary; every unit gets a chunk with the
// English level; a text of titles only has its last unit checked as a sentence.
class SentenceList
{
public:
    struct Unit
    {
        int paragraph = 0; // index among the non-empty paragraphs
        int start = 0;     // UTF-16 offset in the whole text
        QString text;
    };

    void build(const ZeltraLib::DetectSentenceThread &detector, int englishLevel);

    const QList<Unit> &units() const { return m_units; }
    QStringList texts() const;
    const QList<ZeltraLib::TextChunk *> &chunks() const { return m_chunks; }

private:
    QList<Unit> m_units;
    std::vector<std::unique_ptr<ZeltraLib::TextChunk>> m_owned;
    QList<ZeltraLib::TextChunk *> m_chunks; // views of m_owned
};
