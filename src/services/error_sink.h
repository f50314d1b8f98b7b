#pragma once

#include <string_view>

namespace kelvo {

/// Where trapped errors go. The real sink shows "kelvo Error" with
/// "number: description", a line break and the location code: in the
/// runtime-error window, whose OK ends the program, or, for a refusal of the
/// user's machine, in a message box after which the program goes on.
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
inline constexpr int kDeviceIo = 57;
inline constexpr int kDiskFull = 61;
inline constexpr int kTooManyFiles = 67;
inline constexpr int kDeviceUnavailable = 68;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kDiskNotReady = 71;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kAutomation = 440;

/// True when the number says the machine refused (a missing or unwritable
/// file or folder, a full disk, a device that is not there): something the
/// user can put right, so it never ends the program.
constexpr bool isMachineRefusal(int number) {
    switch (number) {
    case kFileNotFound:
    case kDeviceIo:
    case kDiskFull:
    case kTooManyFiles:
    case kDeviceUnavailable:
    case kPermissionDenied:
    case kDiskNotReady:
    case kPathFileAccess:
    case kPathNotFound:
        return true;
    default:
        return false;
    }
}
} // namespace error_number

} // namespace kelvo
