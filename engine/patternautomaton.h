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

    // Calls onMatch(patternIndex, lastByteIndex) for every occurrence, in
    // ascending order of the occurrence's last byte.
    template<typename OnMatch>
    void scan(const unsigned char *text, qsizetype n, OnMatch &&onMatch) const
    {
        const quint16 *trans = m_transitions.data();
        const quint32 width = m_width;
        const quint32 firstOutput = m_firstOutputState;
        quint32 state = 0;
        for (qsizetype i = 0; i < n; ++i) {
            state = trans[state * width + m_byteClass[text[i]]];
            if (Q_UNLIKELY(state >= firstOutput)) {
                const quint32 row = state - firstOutput;
                for (quint32 k = m_outputStart[row]; k < m_outputStart[row + 1]; ++k)
                    onMatch(int(m_outputs[k]), i);
            }
        }
    }

private:
    unsigned char m_byteClass[256] = {};
    quint32 m_width = 1;
    int m_stateCount = 1;
    quint32 m_firstOutputState = 0;
    std::vector<quint16> m_transitions;
    std::vector<quint32> m_outputStart;
    std::vector<quint16> m_outputs;
};

} // namespace ZeltraLib
