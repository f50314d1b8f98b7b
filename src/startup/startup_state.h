#pragma once

#include "platform/clock.h"

#include <array>
#include <filesystem>
#include <string>

namespace kelvo {

/// The show flag and coupon location of one ad pane, from the settings.
struct CouponPane {
    std::string showFlag; // "1" shows the pane
    std::string location;
};

/// What the start-up fixes for the whole run; every other part reads it.
struct StartupState {
    /// The moment the program started (the session log measures from it).
    TimePoint startTime{};
    std::filesystem::path startupFolder;
    std::filesystem::path dataFolder;
    std::filesystem::path myDocumentsFolder;
    std::filesystem::path programFolder;
    /// The content service's base address; empty when none is stored.
    std::string serverBase;
    /// Where the desktop's own programs live.
    std::filesystem::path windowsDir;
    std::filesystem::path systemDir;
    std::string commonFilesDir;
    std::string programFilesDir;
    /// The music player's program; empty when none is registered.
    std::string iTunesPath;
    /// `Welcome` `Uses` as read before this start raised it ("0" for none).
    std::string startCount;
    /// True when this start sends the start-up report.
    bool reportDue = false;
    /// The session-log summary sent with the report.
    std::string sessionSummary;
    /// Ad panes 1 to 4 as the settings left them for this run.
    std::array<CouponPane, 4> couponPane;
    /// The coupon picture of ad panes 1 to 4 ("coupon1.gif" ...).
    std::array<std::string, 4> adPaneCouponPicture;
    std::filesystem::path helpFile;
    /// The voice profile the engine starts with; empty for the default.
    std::string defaultProfileName;
};

} // namespace kelvo
