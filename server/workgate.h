#pragma once

#include <condition_variable>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>

namespace PennovaServer {

// Lets at most `slots` heavy jobs (checks, polishes) run at once, however many
// connection threads ask; the others wait their turn for a while. Turns are fair between
// owners (accounts): a free slot goes to the waiter whose owner runs the fewest jobs, the
// earliest of those first, so that one account's many requests cannot keep another's
// waiting. A long job gives its slot back between pieces of work when others wait
// (yieldTo()), so that its length does not make others wait either.
class WorkGate
{
public:
    explicit WorkGate(int slots);

    // A ticket that frees its slot when the last copy goes, or null when no slot came
    // free within waitMs. The gate must outlive its tickets.
    std::shared_ptr<void> enter(std::int64_t owner, int waitMs);
    // True when someone waits whom a free slot would go to before `owner`.
    bool othersWait(std::int64_t owner) const;
    int running() const;
    int waiting() const;

private:
    struct Waiter
    {
        std::int64_t owner;
        std::uint64_t arrival;
    };
    // The waiter a free slot goes to; requires the lock and waiters.
    const Waiter &nextWaiter() const;
    int runningOf(std::int64_t owner) const;
    void leave(std::int64_t owner);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::list<Waiter> m_waiters;
    std::map<std::int64_t, int> m_running; // owners with jobs running
    std::uint64_t m_arrivals = 0;
    int m_free;
    int m_slots;
};

} // namespace PennovaServer
