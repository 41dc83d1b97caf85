#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>

namespace PennovaServer {

// Lets at most `slots` heavy jobs (checks, polishes) run at once, however many
// connection threads ask; the others wait their turn for a while.
class WorkGate
{
public:
    explicit WorkGate(int slots);

    // A ticket that frees its slot when the last copy goes, or null when no slot came
    // free within waitMs. The gate must outlive its tickets.
    std::shared_ptr<void> enter(int waitMs);
    int running() const;

private:
    void leave();

    int m_free;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_slots;
};

} // namespace PennovaServer
