#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace kelvo {

/// The lines of the diagnostic window: every hypothesis, recognition, false
/// recognition and interference. Only the newest lines are kept, so days of
/// listening cannot grow it without bound.
class DiagnosticList {
public:
    static constexpr std::size_t kDefaultCapacity = 2000;

    explicit DiagnosticList(std::size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    /// Appends the line, dropping the oldest one when full.
    void append(std::string line);

    /// Empties the list (the diagnostic window's clear button).
    void clear() { m_lines.clear(); }

    const std::deque<std::string>& lines() const { return m_lines; }

    /// Lines dropped since the start because the list was full.
    std::size_t dropped() const { return m_dropped; }

private:
    std::size_t m_capacity;
    std::deque<std::string> m_lines;
    std::size_t m_dropped = 0;
};

} // namespace kelvo
