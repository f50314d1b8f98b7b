#pragma once

#include "speech/command_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelvo {

/// The phrase of a trimmed match key when it is a standard recognition's
/// key, compared without regard to case ("[text=...,  recotype=0]" too);
/// false otherwise.
bool standardKeyPhrase(std::string_view trimmedKey, std::string_view& phrase);

/// ASCII letters upper-cased, everything else as it is.
std::string upperAscii(std::string_view text);

/// The command table's rows by phrase, without regard to case, so a phrase
/// is found without walking every row. Rows of one phrase stay in table
/// order. The index follows the table: a new generation of the table (every
/// load raises it), or a table of another size or storage, is indexed again
/// on the next lookup.
class PhraseIndex {
public:
    /// Indices of the rows whose phrase equals this one without regard to
    /// case, ascending; empty when none.
    const std::vector<std::size_t>& rowsOf(const CommandTable& table, std::uint64_t generation,
                                           std::string_view phrase);

private:
    void rebuild(const CommandTable& table, std::uint64_t generation);

    const void* m_data = nullptr;
    std::size_t m_size = 0;
    std::uint64_t m_generation = 0;
    bool m_built = false;
    std::unordered_map<std::string, std::vector<std::size_t>> m_rows;
    std::string m_probe;
};

} // namespace kelvo
