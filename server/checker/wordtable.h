#pragma once
// A map from words to values for tables that are filled once and then read at every token:
// open addressing over a power-of-two table, so a look-up costs one cheap hash, no division
// and mostly one comparison. Read-only use from many threads is safe.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace PennovaChecker {

template <typename V>
class WordTable
{
public:
    // The value of key, added as V() when missing.
    V &operator[](std::string_view key)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            grow();
        const uint64_t h = hash(key);
        size_t i = size_t(h) & (m_slots.size() - 1);
        for (; m_slots[i].used; i = (i + 1) & (m_slots.size() - 1))
            if (m_slots[i].hash == h && m_slots[i].key == key)
                return m_slots[i].value;
        Slot &s = m_slots[i];
        s.used = true;
        s.hash = h;
        s.key = std::string(key);
        ++m_count;
        return s.value;
    }

    // The value of key, or null.
    const V *find(std::string_view key) const
    {
        if (m_count == 0)
            return nullptr;
        const uint64_t h = hash(key);
        for (size_t i = size_t(h) & (m_slots.size() - 1); m_slots[i].used; i = (i + 1) & (m_slots.size() - 1))
            if (m_slots[i].hash == h && m_slots[i].key == key)
                return &m_slots[i].value;
        return nullptr;
    }

    bool contains(std::string_view key) const { return find(key) != nullptr; }
    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    void clear()
    {
        m_slots.clear();
        m_count = 0;
    }

    // Every key and value, in no particular order.
    template <typename F>
    void forEach(F &&f) const
    {
        for (const Slot &s : m_slots)
            if (s.used)
                f(s.key, s.value);
    }

private:
    struct Slot
    {
        std::string key;
        V value{};
        uint64_t hash = 0;
        bool used = false;
    };

    // eight bytes at a time, each block mixed in by a multiply (words are short)
    static uint64_t hash(std::string_view s)
    {
        constexpr uint64_t k = 0x9E3779B97F4A7C15ULL;
        uint64_t h = s.size() * k;
        size_t i = 0;
        for (; i + 8 <= s.size(); i += 8) {
            uint64_t block;
            std::memcpy(&block, s.data() + i, 8);
            h = (h ^ block) * k;
            h ^= h >> 29;
        }
        uint64_t tail = 0;
        std::memcpy(&tail, s.data() + i, s.size() - i);
        h = (h ^ tail) * k;
        h ^= h >> 32;
        h *= k;
        return h ^ (h >> 29);
    }

    void grow()
    {
        std::vector<Slot> old = std::move(m_slots);
        m_slots = std::vector<Slot>(old.empty() ? 16 : old.size() * 2);
        for (Slot &s : old) {
            if (!s.used)
                continue;
            size_t i = size_t(s.hash) & (m_slots.size() - 1);
            while (m_slots[i].used)
                i = (i + 1) & (m_slots.size() - 1);
            m_slots[i] = std::move(s);
        }
    }

    std::vector<Slot> m_slots;
    size_t m_count = 0;
};

} // namespace PennovaChecker
