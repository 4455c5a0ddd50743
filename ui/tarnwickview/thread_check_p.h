// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the check that an operation runs on the application object's thread.

namespace tarnwickview::detail {

/// Throws std::logic_error whose what() begins with `qualifiedOperation` ("tarnwickview::get_tree")
/// when the process has an application object and the calling thread is not the one it lives on.
/// Without an application object there is no thread to compare with, and nothing is thrown.
void requireGuiThread(const char* qualifiedOperation);

} // namespace tarnwickview::detail
