#pragma once

#include "platform/desktop_entry.h"
#include "platform/environment.h"

#include <optional>
#include <string_view>

namespace kelvo {

/// The desktop's default application for a MIME type, as `xdg-mime query
/// default` answers it: the "Default Applications" of the mimeapps.list
/// files (the user's configuration first, the desktop's own variant before
/// the plain one, then the system's and the applications folders'), else
/// their "Added Associations", else the desktop database (mimeinfo.cache).
/// Only an entry that is installed, an application and not hidden counts,
/// and none that a "Removed Associations" list takes away. nullopt when
/// there is none.
std::optional<DesktopEntry> defaultApplicationFor(const Environment& env,
                                                  std::string_view mimeType);

} // namespace kelvo
