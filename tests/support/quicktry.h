#pragma once
// Included before every test source: QTRY_* checks its condition every 5 ms instead of
// Qt's 50 ms, so a test that waits on an event that arrives at once does not sleep for
// the rest of a step. Timeouts are unchanged. Web-engine tests keep Qt's step: their
// conditions run page scripts, and asking that often only slows the pages down.
#include <QtTest/qtestcase.h>

#if defined(QTRY_IMPL) && !defined(PENNOVA_QTRY_QT_STEP)
#undef QTRY_IMPL
#define QTRY_IMPL(expr, timeout) \
    const int qt_test_step = timeout < 35 ? timeout / 7 + 1 : 5; \
    const int qt_test_timeoutValue = timeout; \
    { QTRY_LOOP_IMPL(expr, qt_test_timeoutValue, qt_test_step) } \
    QTRY_TIMEOUT_DEBUG_IMPL(expr, qt_test_timeoutValue, qt_test_step)
#endif
