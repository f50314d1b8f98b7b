#pragma once

#include <string_view>

namespace kelvo {

/// Where trapped errors go. The real sink is the runtime-error window
/// ("kelvo Error", "number: description", line break, location code).
class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    virtual void reportError(int number, std::string_view description,
                             std::string_view location) = 0;
};

/// Error numbers the program reports, named after what went wrong.
namespace error_number {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadFileMode = 54;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kAutomation = 440;
} // namespace error_number

} // namespace kelvo
