#include "polishmode.h"

#include <atomic>

namespace ZeltraLib {

namespace {
std::atomic<bool> g_polishMode{false};
}

bool polishMode()
{
    return g_polishMode.load(std::memory_order_relaxed);
}

void setPolishMode(bool on)
{
    g_polishMode.store(on, std::memory_order_relaxed);
}

} // namespace ZeltraLib
