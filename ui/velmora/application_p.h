// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the process-wide application object the wrappers share, and its end.

class QApplication;

namespace velmora::detail {

/// Returns the process's QApplication, creating one when the process has none yet.
/// Throws std::logic_error when the process already has an application object of another kind.
QApplication* ensureApplication();

/// Arranges for an application object made by ensureApplication() to be destroyed at exit.
/// Called again after every event loop, so that it goes before the globals the loop created.
void scheduleApplicationRelease();

/// Counts a wrapper that now exists; while one does at exit, the application object is kept.
void addLiveWrapper();

/// Counts a wrapper that no longer exists.
void removeLiveWrapper();

} // namespace velmora::detail
