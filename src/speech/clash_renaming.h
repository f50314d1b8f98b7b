#pragma once

#include "services/error_sink.h"
#include "speech/catalogue_files.h"
#include "speech/conflicts_notice_port.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

/// Heading of the conflicts notice; the report lines follow it.
inline constexpr std::string_view kConflictsHeading =
    "These custom commands conflicted with new commands that were downloaded in the update, "
    "and had to be renamed.";

/// Phrases of custom commands (in store order) renamed so that none equals a
/// catalogue phrase. Each clashing catalogue phrase renames the first custom
/// command that has it, to "my " and the phrase (more "my " while that is
/// taken by another command). Returns the report text: one line per
/// renamed, non-empty phrase.
std::string renameClashes(const std::vector<std::string>& cataloguePhrases,
                          std::vector<std::string>& customPhrases);

/// Renames the custom commands whose phrases the new catalogue now uses,
/// saves the store when anything changed and shows what changed. A store
/// that cannot be read has nothing to rename; other failures are reported
/// ("MutPdacc") and leave the store as it was.
void renameClashingCustomCommands(const CatalogueFiles& files, ErrorSink& errors,
                                  ConflictsNoticePort& notice);

} // namespace kelvo
