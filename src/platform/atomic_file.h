#pragma once

#include "platform/status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvo {

/// Writes the whole content to a temporary file beside the target, flushes
/// it to disk and renames it over the target, so the target is either the
/// old file or the new one, never half written. A new file gets mode 0600;
/// a rewritten file keeps its mode. The parent folder is created if missing.
Status writeFileAtomically(const std::filesystem::path& target, std::string_view content);

/// Error number of createFileAtomically when the name is taken.
inline constexpr int kFileAlreadyExists = 58;

/// Creates the target with the whole content, written and flushed beside it
/// first as writeFileAtomically does, and put in place only while no file
/// of that name exists (a dangling link counts): a file made since the
/// caller last looked is never replaced. Fails with kFileAlreadyExists when
/// the name is taken, leaving what holds it as it was. The file gets mode
/// 0600; its folder is created if missing.
Status createFileAtomically(const std::filesystem::path& target, std::string_view content);

/// Reads a whole file. Fails when it is missing or unreadable.
Result<std::string> readWholeFile(const std::filesystem::path& file);

/// Copies source over target atomically (same guarantees as above).
Status copyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace kelvo
