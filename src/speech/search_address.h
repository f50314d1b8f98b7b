#pragma once

#include <string>
#include <string_view>

namespace kelvo {

/// A search armed by a catalogue row, waiting for its words. Empty `u`
/// means none is pending.
struct PendingSearch {
    std::string u;    // address template
    std::string p;    // placeholder of the search words
    std::string ct;   // put between the words of a web search
    std::string p2;   // placeholder of the current location
    std::string p3;   // carried
    std::string p4;   // carried
    std::string styp; // "1" web, "2" local, "3" spelled web, "4" spelled local
    std::string fact; // carried

    bool pending() const { return !u.empty(); }
    void clear() { *this = PendingSearch{}; }
};

/// Every occurrence of `from` in the text replaced by `to`, left to right,
/// case-sensitive; replaced text is never scanned again, and an empty
/// `from` changes nothing.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

/// The text with every byte outside the unreserved characters of an address
/// (letters, digits, "-", ".", "_", "~") written as "%" and two hex digits.
std::string percentEncode(std::string_view text);

/// The words of a web search for the address: each word encoded, joined by
/// `ct` in place of each blank.
std::string joinSearchWords(std::string_view words, std::string_view ct);

/// The address of a web search (types "1" and "3"): `p` replaced by the
/// joined words.
std::string webSearchAddress(const PendingSearch& search, std::string_view words);

/// The address of a local search (types "2" and "4"): `p` replaced by the
/// encoded words (blanks kept as %20), then `p2` by the encoded location.
std::string localSearchAddress(const PendingSearch& search, std::string_view words,
                               std::string_view location);

/// A dictated zip code: the text split at each blank, each number word
/// turned into its digits, the pieces joined with nothing between them.
std::string zipFromWords(std::string_view words);

} // namespace kelvo
