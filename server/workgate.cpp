#include "workgate.h"

#include <algorithm>
#include <chrono>
#include <tuple>

namespace PennovaServer {

WorkGate::WorkGate(int slots)
    : m_free(std::max(1, slots))
    , m_slots(std::max(1, slots))
{
}

int WorkGate::runningOf(std::int64_t owner) const
{
    const auto it = m_running.find(owner);
    return it == m_running.end() ? 0 : it->second;
}

const WorkGate::Waiter &WorkGate::nextWaiter() const
{
    const Waiter *best = &m_waiters.front();
    for (const Waiter &waiter : m_waiters) {
        if (std::make_tuple(runningOf(waiter.owner), waiter.arrival) < std::make_tuple(runningOf(best->owner), best->arrival))
            best = &waiter;
    }
    return *best;
}

std::shared_ptr<void> WorkGate::enter(std::int64_t owner, int waitMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto self = m_waiters.insert(m_waiters.end(), Waiter{owner, m_arrivals++});
    const bool admitted = m_wake.wait_for(lock, std::chrono::milliseconds(waitMs), [this, self] {
        return m_free > 0 && &nextWaiter() == &*self;
    });
    m_waiters.erase(self);
    if (!admitted) {
        // Our turn may have been next: let the following waiter look again.
        lock.unlock();
        m_wake.notify_all();
        return nullptr;
    }
    --m_free;
    ++m_running[owner];
    const bool more = m_free > 0 && !m_waiters.empty();
    lock.unlock();
    if (more)
        m_wake.notify_all();
    return std::shared_ptr<void>(this, [owner](WorkGate *gate) { gate->leave(owner); });
}

bool WorkGate::othersWait(std::int64_t owner) const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    // Were this owner's job to give its slot back, it would count one job fewer.
    const int mine = runningOf(owner) - 1;
    for (const Waiter &waiter : m_waiters) {
        if (waiter.owner != owner && runningOf(waiter.owner) <= mine)
            return true;
    }
    return false;
}

int WorkGate::running() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_slots - m_free;
}

int WorkGate::waiting() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return int(m_waiters.size());
}

void WorkGate::leave(std::int64_t owner)
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        ++m_free;
        const auto it = m_running.find(owner);
        if (it != m_running.end() && --it->second <= 0)
            m_running.erase(it);
    }
    // Every waiter looks whether it is the one the slot goes to.
    m_wake.notify_all();
}

} // namespace PennovaServer
