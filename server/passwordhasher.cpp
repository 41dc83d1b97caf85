#include "passwordhasher.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

#include <sodium.h>

#include <stdexcept>

namespace PennovaServer {

// Holds one of the hasher's concurrency slots for its lifetime.
class PasswordHasher::Slot
{
public:
    explicit Slot(PasswordHasher &owner)
        : m_owner(owner)
    {
        std::unique_lock<std::mutex> lock(m_owner.m_mutex);
        if (m_owner.m_free == 0 && m_owner.m_waiting >= m_owner.m_maxWaiting)
            throw Busy();
        ++m_owner.m_waiting;
        const bool free = m_owner.m_wake.wait_for(lock, std::chrono::milliseconds(m_owner.m_waitMs),
                                                  [this] { return m_owner.m_free > 0; });
        --m_owner.m_waiting;
        if (!free)
            throw Busy();
        --m_owner.m_free;
    }
    ~Slot()
    {
        {
            std::lock_guard<std::mutex> lock(m_owner.m_mutex);
            ++m_owner.m_free;
        }
        m_owner.m_wake.notify_one();
    }

private:
    PasswordHasher &m_owner;
};

PasswordHasher::PasswordHasher(bool fast, int concurrent, int maxWaiting, int waitMs)
    : m_opsLimit(fast ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE)
    , m_memLimit(fast ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE)
    , m_free(concurrent > 0 ? concurrent : int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u)))
    , m_maxWaiting(std::max(0, maxWaiting))
    , m_waitMs(std::max(0, waitMs))
{
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium cannot be initialised");
}

std::string PasswordHasher::protocolHash(const std::string &password)
{
    const QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(password),
                                                       QCryptographicHash::Md5);
    return digest.toHex().toUpper().toStdString();
}

std::string PasswordHasher::trimmed(const std::string &typed)
{
    return QString::fromUtf8(typed.data(), qsizetype(typed.size())).trimmed().toUtf8().toStdString();
}

std::string PasswordHasher::loginHash(const std::string &typed)
{
    return protocolHash(trimmed(typed));
}

bool PasswordHasher::isProtocolHash(const std::string &text)
{
    if (text.size() != 32)
        return false;
    for (char ch : text) {
        const bool hex = (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
        if (!hex)
            return false;
    }
    return true;
}

std::string PasswordHasher::normalized(const std::string &protocolHash)
{
    std::string out = protocolHash;
    for (char &ch : out) {
        if (ch >= 'a' && ch <= 'f')
            ch = char(ch - 'a' + 'A');
    }
    return out;
}

std::string PasswordHasher::hash(const std::string &protocolHash)
{
    const std::string input = normalized(protocolHash);
    char out[crypto_pwhash_STRBYTES];
    Slot slot(*this);
    if (crypto_pwhash_str_alg(out, input.data(), input.size(), m_opsLimit, m_memLimit,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("password hashing ran out of memory");
    return std::string(out);
}

bool PasswordHasher::verify(const std::string &stored, const std::string &protocolHash)
{
    if (stored.empty() || stored.size() >= crypto_pwhash_STRBYTES)
        return false;
    const std::string input = normalized(protocolHash);
    Slot slot(*this);
    return crypto_pwhash_str_verify(stored.c_str(), input.data(), input.size()) == 0;
}

} // namespace PennovaServer
