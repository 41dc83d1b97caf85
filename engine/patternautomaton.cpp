#include "patternautomaton.h"

#include <algorithm>
#include <deque>

namespace ZeltraLib {

PatternAutomaton::PatternAutomaton(const QList<QByteArray> &patterns)
{
    // Byte classes: 0 for bytes no pattern uses.
    for (const QByteArray &p : patterns) {
        m_maxLength = qMax(m_maxLength, int(p.size()));
        for (char ch : p) {
            unsigned char b = static_cast<unsigned char>(ch);
            if (!m_byteClass[b])
                m_byteClass[b] = static_cast<unsigned char>(m_width++);
        }
    }
    Q_ASSERT(m_width <= 256);

    // Trie.
    std::vector<std::vector<int>> child(1, std::vector<int>(m_width, -1));
    std::vector<std::vector<int>> own(1);
    for (int index = 0; index < patterns.size(); ++index) {
        int node = 0;
        for (char ch : patterns.at(index)) {
            const unsigned char cls = m_byteClass[static_cast<unsigned char>(ch)];
            if (child[node][cls] < 0) {
                child[node][cls] = int(child.size());
                child.emplace_back(m_width, -1);
                own.emplace_back();
            }
            node = child[node][cls];
        }
        if (node != 0)
            own[node].push_back(index);
    }
    const int count = int(child.size());
    Q_ASSERT(count < 0x10000);

    // Failure links in breadth-first order; the goto table becomes total.
    std::vector<int> fail(count, 0);
    std::vector<int> order;
    order.reserve(count);
    std::deque<int> queue;
    for (quint32 c = 0; c < m_width; ++c) {
        int next = child[0][c];
        if (next < 0) {
            child[0][c] = 0;
        } else {
            fail[next] = 0;
            queue.push_back(next);
        }
    }
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        order.push_back(node);
        const std::vector<int> &inherited = own[fail[node]];
        own[node].insert(own[node].end(), inherited.begin(), inherited.end());
        for (quint32 c = 0; c < m_width; ++c) {
            const int next = child[node][c];
            if (next < 0) {
                child[node][c] = child[fail[node]][c];
            } else {
                fail[next] = child[fail[node]][c];
                queue.push_back(next);
            }
        }
    }

    // Renumber: root first, states without output next, states with output last.
    std::vector<int> newId(count, 0);
    std::vector<int> byNewId(1, 0);
    for (int pass = 0; pass < 2; ++pass) {
        for (int node : order) {
            if (own[node].empty() == (pass == 0)) {
                newId[node] = int(byNewId.size());
                byNewId.push_back(node);
            }
        }
        if (pass == 0)
            m_firstOutputState = quint32(byNewId.size());
    }
    m_stateCount = count;
    m_transitions.resize(size_t(count) * m_width);
    for (int id = 0; id < count; ++id) {
        for (quint32 c = 0; c < m_width; ++c)
            m_transitions[size_t(id) * m_width + c] = quint16(newId[child[byNewId[id]][c]]);
    }
    m_outputStart.push_back(0);
    for (int id = int(m_firstOutputState); id < count; ++id) {
        std::vector<int> &out = own[byNewId[id]];
        std::sort(out.begin(), out.end());
        for (int index : out)
            m_outputs.push_back(quint16(index));
        m_outputStart.push_back(quint32(m_outputs.size()));
    }
}

} // namespace ZeltraLib
