#include "speech/diagnostic_list.h"

#include <utility>

namespace kelvo {

void DiagnosticList::append(std::string line) {
    if (m_capacity == 0) {
        ++m_dropped;
        return;
    }
    if (m_lines.size() >= m_capacity) {
        m_lines.pop_front();
        ++m_dropped;
    }
    m_lines.push_back(std::move(line));
}

} // namespace kelvo
