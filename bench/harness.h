// SPDX-License-Identifier: MIT
#pragma once

// What every benchmark executable shares besides the window recipes.

namespace benchmark {
class State;
}

namespace bench {

/// Makes sure the process has the QApplication that both variants share.
void ensureApplication();

/// Drops every event still queued for any object. Building a window queues an event or two
/// per widget (layout requests) that only the event loop would consume; destroying a widget
/// scans that whole queue for its own events, which makes tearing down a large window that
/// never reached the loop quadratic (tens of seconds at 100,000 widgets). Dropping the queue
/// first keeps the untimed teardown short.
void dropPendingEvents();

/// Marks the benchmark as failed with `message`, and the whole run with it: the executable then
/// exits with a non-zero status, so that the smoke test notices.
void fail(benchmark::State& state, const char* message);

/// Whether fail() was called during this run.
bool failed();

} // namespace bench
