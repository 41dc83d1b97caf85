#pragma once

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>

namespace PennovaServer {

// Passwords travel as the protocol's MD5 text (32 upper-case hex digits). The server
// stores an argon2id hash of that text, never the MD5 itself. Hashing is memory-hungry,
// so only a few run at once; the others wait, but not for long and not many: a flood of
// logins must not hold every connection thread, so beyond that hash() and verify()
// throw Busy (the request is answered 503 with Retry-After).
class PasswordHasher
{
public:
    struct Busy : std::runtime_error
    {
        Busy()
            : std::runtime_error("every password hashing slot is busy")
        {
        }
    };

    // fast: libsodium's minimum limits (tests); otherwise INTERACTIVE. concurrent: hashes
    // at once; 0 = one per core, at most 4 (each takes 64 MiB). At most maxWaiting wait
    // for a slot, each at most waitMs.
    explicit PasswordHasher(bool fast, int concurrent = 0, int maxWaiting = 64, int waitMs = 15000);

    // The protocol form of a typed password: MD5 of its UTF-8 bytes, upper-case hex.
    static std::string protocolHash(const std::string &password);
    // What the login and registration windows send for a typed password: the protocol
    // hash of the password trimmed of white space at both ends.
    static std::string loginHash(const std::string &typed);
    // The typed password as the client windows hash it (trimmed).
    static std::string trimmed(const std::string &typed);
    // True for 32 hex digits (either case).
    static bool isProtocolHash(const std::string &text);
    // Upper-cases a protocol hash so that "abc..." and "ABC..." log in alike.
    static std::string normalized(const std::string &protocolHash);

    // argon2id string (parameters and salt included) of the normalized protocol hash.
    // Throws std::runtime_error when libsodium runs out of memory.
    std::string hash(const std::string &protocolHash);
    bool verify(const std::string &stored, const std::string &protocolHash);

private:
    class Slot;

    unsigned long long m_opsLimit;
    std::size_t m_memLimit;
    int m_free;
    int m_waiting = 0;
    const int m_maxWaiting;
    const int m_waitMs;
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

} // namespace PennovaServer
