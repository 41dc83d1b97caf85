#pragma once

#include <QStringList>

#include <memory>

namespace ZeltraLib {

// Check configuration of one unit (title or sentence) sent with it to the
// check service: a flat list of alternating keys and values.
class TextChunk
{
public:
    virtual ~TextChunk();

    // A new chunk of the given kind (0 sentence, 1 title) and confidence;
    // null for any other kind.
    static std::unique_ptr<TextChunk> create(int kind, int confidence);
    // A new chunk of this one's kind and confidence (the caller owns it).
    std::unique_ptr<TextChunk> clone() const { return create(m_kind, m_confidence); }

    // Appends the configuration pairs (key, value, key, value, ...).
    virtual void configs(QStringList &list) const = 0;
    // True when both configuration lists are equal, pair by pair.
    virtual bool equals(const TextChunk &other) const;

    int confidence() const { return m_confidence; }
    void setConfidence(int confidence) { m_confidence = confidence; }
    // 0 for a sentence, 1 for a title.
    int kind() const { return m_kind; }

protected:
    explicit TextChunk(int kind) : m_kind(kind) {}
    TextChunk(const TextChunk &) = default;
    TextChunk &operator=(const TextChunk &) = default;

    // Appends the pair "server.confidence" / confidence that ends every list.
    void appendConfidence(QStringList &list) const;

private:
    int m_confidence = 2;
    int m_kind;
};

} // namespace ZeltraLib
