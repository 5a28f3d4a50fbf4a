#pragma once
// Runs the event loop until a condition holds or the time is up (the test then fails on the condition).
#include <functional>

#include <QDeadlineTimer>
#include <QTest>

namespace tavrel::testing {

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QTest::qWait(10);
    }
    return true;
}

}  // namespace tavrel::testing
