#include "ui/window_session.h"

#include <QEventLoop>

#include <memory>
#include <optional>
#include <utility>

namespace kelvo {

std::uint64_t WindowSession::begin(Finish finish) {
    Finish previous = std::exchange(m_finish, std::move(finish));
    m_current = ++m_lastId;
    const std::uint64_t id = m_current;
    // The old request may start yet another one from its callback; then
    // that one owns the window and isCurrent(id) tells the caller.
    if (previous) {
        previous(BoxButton::Closed);
    }
    return id;
}

void WindowSession::end(BoxButton button) {
    Finish finish = std::exchange(m_finish, {});
    m_current = 0;
    if (finish) {
        finish(button);
    }
}

bool WindowSession::isCurrent(std::uint64_t id) const {
    return id != 0 && id == m_current;
}

void WindowSession::abandon() {
    m_finish = {};
    m_current = 0;
}

BoxButton WindowSession::waitModal(const std::function<void(Finish)>& start) {
    struct Wait {
        std::optional<BoxButton> button;
        QEventLoop* loop = nullptr;
    };
    // Shared, because the Finish may outlive this frame when the loop is
    // left early.
    auto wait = std::make_shared<Wait>();
    start([wait](BoxButton button) {
        if (wait->button) {
            return;
        }
        wait->button = button;
        if (wait->loop != nullptr) {
            wait->loop->exit();
        }
    });
    if (!wait->button) {
        QEventLoop loop;
        wait->loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        wait->loop = nullptr;
    }
    return wait->button.value_or(BoxButton::Closed);
}

} // namespace kelvo
