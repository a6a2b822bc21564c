#pragma once

#include <chrono>
#include <functional>

// Asks condition until it holds or timeout has passed; true when it held. The
// Service Control Manager under Wine can lag a second or two behind a change made
// by another process, so tests poll with a bound instead of asserting at once.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(100));
