#pragma once

#include "platform/speech/speech_events.h"

#include <deque>
#include <functional>
#include <mutex>

namespace kelvo::fakes {

/// Keeps posted tasks until the test drains them, as the UI event loop would
/// run them after the current handler returns.
class QueuedUiPoster : public speech::UiPoster {
public:
    void post(std::function<void()> task) override {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }

    /// Runs queued tasks, including those they post, until none is left.
    /// Returns how many ran.
    int drain() {
        int count = 0;
        while (runOne())
            ++count;
        return count;
    }

    /// Runs the oldest queued task; false when none was queued.
    bool runOne() {
        std::function<void()> task;
        {
            std::lock_guard lock(m_mutex);
            if (m_tasks.empty())
                return false;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
        return true;
    }

    std::size_t pending() const {
        std::lock_guard lock(m_mutex);
        return m_tasks.size();
    }

private:
    mutable std::mutex m_mutex;
    std::deque<std::function<void()>> m_tasks;
};

} // namespace kelvo::fakes
