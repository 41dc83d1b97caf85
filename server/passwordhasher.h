#pragma once

#include <condition_variable>
#include <mutex>
#include <string>

namespace PennovaServer {

// Passwords travel as the protocol's MD5 text (32 upper-case hex digits). The server
// stores an argon2id hash of that text, never the MD5 itself. Hashing is memory-hungry,
// so only a few run at once; the others wait.
class PasswordHasher
{
public:
    // fast: libsodium's minimum limits (tests); otherwise INTERACTIVE. concurrent: hashes
    // at once; 0 = one per core, at most 4 (each takes 64 MiB).
    explicit PasswordHasher(bool fast, int concurrent = 0);

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
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

} // namespace PennovaServer
