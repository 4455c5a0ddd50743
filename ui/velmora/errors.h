#pragma once

#include <velmora/velmora_export.h>

#include <stdexcept>

namespace velmora {

/// Thrown when a value is outside the set an operation accepts (an unknown sidebar side).
/// `what()` holds the French message, UTF-8 encoded.
class VELMORA_EXPORT ValueError : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
    ~ValueError() override;
};

} // namespace velmora
