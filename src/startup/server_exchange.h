#pragma once

#include "services/settings_file.h"

#include <string>
#include <string_view>

namespace kelvo {

/// Paths of the content service, appended to its base address.
inline constexpr std::string_view kReportPath = "upgrade_update/processupdate.aspx";
inline constexpr std::string_view kUpdateFilePath = "admin/downloadupdate.aspx";
inline constexpr std::string_view kOtherUpdateFilePath = "admin/downloadupdate_other.aspx";

/// What every request tells the content service about this installation.
struct UserRecord {
    std::string zip;
    std::string email;
    std::string age;
    std::string sex;
    std::string country;
    std::string state;
    std::string language = "English";
    std::string version = "2.7";
    std::string edition = "Free";
    std::string id;
    std::string productid = "4";
    /// What a download asks for; empty for the report.
    std::string type;
    std::string client;
    std::string operatingsystem = "Vista";
    std::string oem = "0";
    std::string city;
};

/// The record of this installation: its identifier (`Yazoo` `Random`) and
/// edition tag (`Edition` `Edition`). No personal details are stored, so
/// those fields stay empty.
UserRecord fillUserRecord(const SettingsFile& settings);

/// A value as a form field carries it: letters, digits and "-._~" as they
/// are, a blank as "+", every other byte as "%" and two hex digits.
std::string formValue(std::string_view text);

/// The report's form, the session-log summary last.
std::string startupReportForm(const UserRecord& user, std::string_view sessionSummary);

/// The form of a download request; the city only when withCity.
std::string downloadForm(const UserRecord& user, bool withCity);

/// The service's address for a path: the base with a "/" between.
std::string serviceAddress(std::string_view serverBase, std::string_view path);

} // namespace kelvo
