#pragma once

#include "platform/status.h"
#include "services/settings_file.h"

#include <array>
#include <chrono>
#include <string>
#include <string_view>

namespace kelvo {

/// Show flag and coupon location of one ad pane for the next start.
struct ReplyAdPane {
    std::string showFlag; // "1" shows the pane
    std::string location; // "local", "#", empty or a web address
};

/// One picture or movie of the start page, ads and coupons: its settings
/// key (also the request type), its file in the data folder, and its date
/// on the service.
struct ReplyFileDate {
    std::string_view key;
    std::string_view file;
    std::chrono::sys_seconds serverDate{};
};

/// The start-up reply, every field checked.
struct StartupReply {
    std::string surveyState; // "0000" to "1111"
    std::string surveyDate;  // "m/d/yyyy"
    std::string upgradeMessage;
    std::string upgradeLink; // empty or a web address
    std::string days;        // whole days between content updates
    std::array<ReplyAdPane, 4> adPane;
    std::string serverVersion;
    std::chrono::sys_seconds cmdFileDate{};
    std::chrono::sys_seconds cmdFileDateClient{};
    /// In the order the content update fetches them.
    std::array<ReplyFileDate, 16> otherFiles;
    std::string newServerBase; // a web address
    std::string facebookLoginSwitch;
    std::string myspaceLoginSwitch;
    std::string bookmarkTemplate; // empty or a web address
};

/// A picture or movie the content update fetches: its key, its file and the
/// reply field of its server date, in the order they are fetched.
struct OtherUpdateFile {
    const char* key;
    const char* file;
    size_t field;
};
inline constexpr OtherUpdateFile kOtherUpdateFiles[] = {
    {"splash", "splash.swf", 30},
    {"splash_alt", "flash_alternative2.gif", 31},
    {"logo", "logo.swf", 32},
    {"logo_alt", "flash_alternative.gif", 33},
    {"ad1", "ad1.swf", 18},
    {"ad1_alt", "flash_ad1_alternative.gif", 22},
    {"coupon1", "coupon1.gif", 26},
    {"ad2", "ad2.swf", 19},
    {"ad2_alt", "flash_ad2_alternative.gif", 23},
    {"coupon2", "coupon2.gif", 27},
    {"ad3", "ad3.swf", 20},
    {"ad3_alt", "flash_ad3_alternative.gif", 24},
    {"coupon3", "coupon3.gif", 28},
    {"ad4", "ad4.swf", 21},
    {"ad4_alt", "flash_ad4_alternative.gif", 25},
    {"coupon4", "coupon4.gif", 29},
};

/// Fields a usable reply has at least.
inline constexpr size_t kReplyFields = 42;

/// A reply that is empty or begins with "<html>" or "-11111" is no reply.
bool isUsableReply(std::string_view text);

/// The reply read and checked whole: at least 42 "|"-separated fields, the
/// questionnaire state four "0"/"1" and its date "m/d/yyyy" unless the state
/// is "0000", whole days, dates where dates belong, web addresses (http or
/// https with a host) where addresses belong, and every value short enough
/// to survive the settings read that takes it back. Fails with the first
/// field that is wrong; an unusable reply fails too.
Result<StartupReply> parseStartupReply(std::string_view text);

/// Writes what the reply sets: the questionnaire state and date (unless
/// "0000"), the update interval, the login-phrase switches, the bookmark
/// service and the server address (encrypted), each only when it changed.
void takeInStartupReply(const StartupReply& reply, SettingsFile& settings);

/// True for an absolute http or https address with a host and no blanks or
/// control characters.
bool isWebAddress(std::string_view text);

} // namespace kelvo
