#include "speech/phrase_index.h"

namespace kelvo {

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) {
            return false;
        }
    }
    return true;
}

const std::vector<std::size_t> kNoRows;

} // namespace

std::string upperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = upper(c);
    }
    return result;
}

bool standardKeyPhrase(std::string_view trimmedKey, std::string_view& phrase) {
    constexpr std::string_view kHead = "[TEXT=";
    constexpr std::string_view kTail = ", RECOTYPE=0]";
    if (trimmedKey.size() < kHead.size() + kTail.size() ||
        !equalsIgnoringCase(trimmedKey.substr(0, kHead.size()), kHead) ||
        !equalsIgnoringCase(trimmedKey.substr(trimmedKey.size() - kTail.size()), kTail)) {
        return false;
    }
    phrase = trimmedKey.substr(kHead.size(), trimmedKey.size() - kHead.size() - kTail.size());
    return true;
}

void PhraseIndex::rebuild(const CommandTable& table, std::uint64_t generation) {
    m_rows.clear();
    m_rows.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        m_rows[upperAscii(table[i][CommandColumn::Phrase])].push_back(i);
    }
    m_data = table.data();
    m_size = table.size();
    m_generation = generation;
    m_built = true;
}

const std::vector<std::size_t>&
PhraseIndex::rowsOf(const CommandTable& table, std::uint64_t generation, std::string_view phrase) {
    if (!m_built || m_generation != generation || m_data != table.data() ||
        m_size != table.size()) {
        rebuild(table, generation);
    }
    m_probe.assign(phrase);
    for (char& c : m_probe) {
        c = upper(c);
    }
    const auto hit = m_rows.find(m_probe);
    if (hit == m_rows.end()) {
        return kNoRows;
    }
    // A row edited in place since the index was made is not taken for
    // another phrase.
    for (const std::size_t row : hit->second) {
        if (row >= table.size() || !equalsIgnoringCase(table[row][CommandColumn::Phrase], phrase)) {
            rebuild(table, generation);
            const auto again = m_rows.find(m_probe);
            return again == m_rows.end() ? kNoRows : again->second;
        }
    }
    return hit->second;
}

} // namespace kelvo
