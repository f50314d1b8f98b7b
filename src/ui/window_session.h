#pragma once

#include "services/dialog_port.h"

#include <cstdint>
#include <functional>

namespace kelvo {

/// The requests one reused window serves. Only the newest request owns the
/// window; each request ends exactly once, with the button that closed the
/// window, or Closed when a newer request took the window over.
class WindowSession {
public:
    using Finish = std::function<void(BoxButton)>;

    /// Gives the window to a new request and returns its id; the request the
    /// window served until now ends with Closed.
    std::uint64_t begin(Finish finish);

    /// Ends the current request with the button; does nothing when none.
    void end(BoxButton button);

    /// True while the request with this id still owns the window.
    [[nodiscard]] bool isCurrent(std::uint64_t id) const;

    /// Forgets the current request without ending it (the window goes away
    /// with the program).
    void abandon();

    /// Runs start with a Finish, then a nested event loop until that Finish
    /// is called; returns its button. Returns Closed when the loop is told
    /// to exit for another reason (the program is ending).
    static BoxButton waitModal(const std::function<void(Finish)>& start);

private:
    Finish m_finish;
    std::uint64_t m_current = 0;
    std::uint64_t m_lastId = 0;
};

} // namespace kelvo
