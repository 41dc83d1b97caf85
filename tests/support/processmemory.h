#pragma once

// This process's memory as /proc reports it, for tests that bound what a request costs.
class ProcessMemory
{
public:
    // A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"); -1 when missing.
    static long statusKiB(const char *field);
    // Starts the peak resident size (VmHWM) again from the current size; false when the
    // kernel does not allow it.
    static bool resetPeak();
};
