#pragma once

#include <QByteArray>
#include <QList>

#include <vector>

namespace ZeltraLib {

// Aho-Corasick automaton over a fixed set of byte patterns: one pass over a
// text reports every occurrence of every pattern, overlapping ones included.
// Transitions are a dense table over byte classes (bytes that occur in no
// pattern share one class), states with output numbered last.
class PatternAutomaton
{
public:
    explicit PatternAutomaton(const QList<QByteArray> &patterns);

    int stateCount() const { return m_stateCount; }
    int classCount() const { return int(m_width); }
    int maxPatternLength() const { return m_maxLength; }

    // Feeds text[from, to) starting in state (0 = nothing seen) and leaves the
    // state reached there, so that consecutive ranges scan as one text. Calls
    // onMatch(patternIndex, lastByteIndex) for every occurrence that ends in
    // the range, in ascending order of the occurrence's last byte.
    template<typename OnMatch>
    void scan(const unsigned char *text, qsizetype from, qsizetype to, quint32 &stateInOut,
              OnMatch &&onMatch) const
    {
        const quint16 *trans = m_transitions.data();
        const quint32 width = m_width;
        const quint32 firstOutput = m_firstOutputState;
        quint32 state = stateInOut;
        for (qsizetype i = from; i < to; ++i) {
            state = trans[state * width + m_byteClass[text[i]]];
            if (Q_UNLIKELY(state >= firstOutput)) {
                const quint32 row = state - firstOutput;
                for (quint32 k = m_outputStart[row]; k < m_outputStart[row + 1]; ++k)
                    onMatch(int(m_outputs[k]), i);
            }
        }
        stateInOut = state;
    }

private:
    unsigned char m_byteClass[256] = {};
    quint32 m_width = 1;
    int m_stateCount = 1;
    int m_maxLength = 0;
    quint32 m_firstOutputState = 0;
    std::vector<quint16> m_transitions;
    std::vector<quint32> m_outputStart;
    std::vector<quint16> m_outputs;
};

} // namespace ZeltraLib
