#pragma once

#include <string_view>

namespace kelvo {

/// The maker's web site; pages are addressed below it ("/tellafriend.html").
inline constexpr std::string_view kMakerSite = "https://kelvo.example.org";
/// The web-call service's main page.
inline constexpr std::string_view kVoipServicePage = "https://jajah.example.org/";
/// The support mailbox.
inline constexpr std::string_view kSupportMailbox = "help@kelvo.example";
/// The outside survey service's page, with the fixed survey id.
inline constexpr std::string_view kSurveyPage = "https://survey.kelvo.example.org/s.aspx?sm=kelvo1";

} // namespace kelvo
