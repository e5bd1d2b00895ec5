// Waiting for something that travels through the kernel (bytes on a
// pseudo-terminal, a file another process writes) and arrives a moment later.
#pragma once

#include <chrono>
#include <functional>
#include <poll.h>

namespace k7::test {

// Polls condition until it holds or timeoutMs pass.
inline bool Eventually(const std::function<bool()>& condition, int timeoutMs = 2000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        poll(nullptr, 0, 1);
    }
    return true;
}

} // namespace k7::test
