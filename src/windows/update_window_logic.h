#pragma once

#include "windows/update_window_view.h"

namespace kelvo {

/// Why a content update did not finish.
enum class UpdateFailure {
    /// The service could not be reached.
    Unreachable,
    /// The service refused a file, cut it short or sent something else.
    FileNotSent,
    /// A file came but the data folder would not take it.
    FileNotSaved,
};

/// What the progress window of the content update shows at each stage.
class UpdateWindowLogic {
public:
    explicit UpdateWindowLogic(UpdateWindowView& view) : m_view(view) {}

    /// Opens the window with "Connecting...." at 10.
    void connecting();
    /// "Checking For Updates".
    void checking();
    /// "Downloading Updates For kelvo.  Please Wait..." at 20.
    void downloading();
    /// Moves the bar as the files come.
    void progress(int percent);
    /// "Update Complete" at 100.
    void complete();
    /// Says the update could not be finished, and why; the bar stays where
    /// it was.
    void failed(UpdateFailure why);
    /// Closes the window when it is open.
    void close();

    bool open() const { return m_open; }

private:
    UpdateWindowView& m_view;
    bool m_open = false;
};

} // namespace kelvo
