#pragma once

// What every benchmark executable shares besides the window recipes.

namespace benchmark {
class State;
}

namespace bench {

/// Makes sure the process has the QApplication that both variants share.
void ensureApplication();

/// Marks the benchmark as failed with `message`, and the whole run with it: the executable then
/// exits with a non-zero status, so that the smoke test notices.
void fail(benchmark::State& state, const char* message);

/// Whether fail() was called during this run.
bool failed();

} // namespace bench
