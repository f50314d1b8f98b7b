#pragma once

#include "platform/status.h"
#include "services/error_sink.h"

#include <string>
#include <string_view>

namespace kelvo {

/// The hex coding of settings and command-file values: each Windows-1252
/// byte of the text as two upper-case hex digits, no separators.
/// "abc" gives "616263", a line feed "0A", "é" "E9", "€" "80". A character
/// Windows-1252 has no byte for is coded as "?" (3F).
std::string stringToHex(std::string_view text);

/// The text of hex digits (either case), two per character; an odd last
/// digit is read alone ("6162a" gives "ab" and a line feed). The empty text
/// gives the empty text. Fails on any character that is not a hex digit.
Result<std::string> decodeHex(std::string_view hex);

/// decodeHex for callers that report: a bad digit is reported ("MutPdx")
/// and gives the empty text.
std::string hexToString(std::string_view hex, ErrorSink& errors);

} // namespace kelvo
