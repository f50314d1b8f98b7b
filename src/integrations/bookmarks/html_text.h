#pragma once

#include <string>
#include <string_view>

namespace kelvo::bookmarks {

/// The text with each character reference ("&amp;", "&#39;", "&#x2019;")
/// replaced by its character, once: "&amp;lt;" gives "&lt;". An unknown or
/// unfinished reference is kept as written.
std::string decodeEntities(std::string_view text);

/// Runs of blanks, tabs and line breaks become one blank; none at either end.
std::string collapseWhitespace(std::string_view text);

/// Appends the UTF-8 form of a code point; false (nothing appended) for a
/// surrogate, zero or a value past U+10FFFF.
bool appendUtf8(std::string& out, unsigned long codePoint);

} // namespace kelvo::bookmarks
