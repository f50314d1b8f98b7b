#pragma once

#include <string>
#include <string_view>

namespace kelvo {

/// The one-byte character set that hex values and stored settings are coded
/// in. Program text is UTF-8; these two turn it into those bytes and back.
///
/// Bytes 0x80-0x9F follow the Windows-1252 table (0x80 is the euro sign,
/// 0x93/0x94 the curly double quotes, ...). Its five unassigned bytes (0x81,
/// 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same number, so
/// every byte value survives a round trip.

/// Windows-1252 bytes of UTF-8 text. A character the set has no byte for,
/// and any byte that is not valid UTF-8, becomes "?", as the platform's own
/// conversion does; nothing is reported.
std::string utf8ToWindows1252(std::string_view utf8);

/// UTF-8 text of Windows-1252 bytes. Every byte has a character.
std::string windows1252ToUtf8(std::string_view bytes);

} // namespace kelvo
