#include "workgate.h"

#include <algorithm>
#include <chrono>

namespace PennovaServer {

WorkGate::WorkGate(int slots)
    : m_free(std::max(1, slots))
    , m_slots(std::max(1, slots))
{
}

std::shared_ptr<void> WorkGate::enter(int waitMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_wake.wait_for(lock, std::chrono::milliseconds(waitMs), [this] { return m_free > 0; }))
        return nullptr;
    --m_free;
    return std::shared_ptr<void>(this, [](WorkGate *gate) { gate->leave(); });
}

int WorkGate::running() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_slots - m_free;
}

void WorkGate::leave()
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        ++m_free;
    }
    m_wake.notify_one();
}

} // namespace PennovaServer
