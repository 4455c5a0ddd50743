// SPDX-License-Identifier: MIT
#pragma once

#include <velmora/velmora_export.h>

#include <stdexcept>

namespace velmora {

/// Thrown when a value is outside the set an operation accepts (an unknown sidebar side).
/// `what()` holds the French message, UTF-8 encoded.
class VELMORA_EXPORT ValueError : public std::invalid_argument
{
public:
    /// Takes the message, as std::invalid_argument does.
    using std::invalid_argument::invalid_argument;
    /// Defined out of line, so that the class's type information lives in the library.
    ~ValueError() override;
};

} // namespace velmora
