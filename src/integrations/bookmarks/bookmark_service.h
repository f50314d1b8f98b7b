#pragma once

#include "integrations/bookmarks/bookmark_state.h"
#include "platform/status.h"
#include "services/http_client.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvo::bookmarks {

/// The social-bookmarking service's name in captions, messages and lists.
inline constexpr std::string_view kServiceDisplayName = "Markstack";

/// "503" when the reply says the service is unavailable, else "401" when it
/// says the log-in was refused, else the empty text (exact, case included).
std::string badResponse(std::string_view reply);

/// The request address: the template with its first "user" replaced by the
/// user name and its first "pass" by the password, each percent-encoded and
/// neither looked at again. Empty unless the result is an http or https
/// address.
std::string serviceAddress(std::string_view addressTemplate, std::string_view user,
                           std::string_view password);

/// The bookmarks of a reply, in document order: each element "post" with
/// an "href" (one without is skipped) and a "description" (the address
/// when it has none). Curly single quotes become straight ones and every
/// ": " a "-" first. Fails when the reply is not well-formed XML.
Result<std::vector<WebBookmark>> parseServiceReply(std::string_view reply);

/// How a request ended.
enum class ServiceOutcome { Listed, Unavailable, Refused, NoReply };

struct ServiceResult {
    ServiceOutcome outcome = ServiceOutcome::NoReply;
    std::vector<WebBookmark> bookmarks;
    /// What went wrong, for the log.
    std::string detail;
};

/// Posts an empty form to the address made from the template and reads the
/// reply. An empty template is an unavailable service and sends nothing.
/// Status 401 is a refused log-in, 503 an unavailable service; any other
/// failure, an empty reply or one that is no XML, no reply.
ServiceResult requestWebBookmarks(HttpClient& http, std::string_view addressTemplate,
                                  std::string_view user, std::string_view password);

} // namespace kelvo::bookmarks
