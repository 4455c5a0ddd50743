// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: the check that an operation runs on the application object's thread.

namespace velmora::detail {

/// Throws std::logic_error whose what() begins with `qualifiedOperation` ("Section::add_label")
/// when the process has an application object and the calling thread is not the one it lives on.
/// Without an application object there is no thread to compare with, and nothing is thrown.
void requireGuiThread(const char* qualifiedOperation);

/// As above for `operation` of `scope` ("Section", "add_label"); the two are joined with "::"
/// only when the check fails, so that the usual path builds no text.
void requireGuiThread(const char* scope, const char* operation);

} // namespace velmora::detail
