#pragma once

#include "platform/process_table.h"

#include <string_view>

namespace kelvo {

/// Ends every process of the user whose executable name, in lower case,
/// ends with executableName in lower case ("itunes.exe" also ends
/// "myitunes.exe"). The program itself is never ended. An empty name ends
/// nothing; a process that can't be ended is passed over. Returns how many
/// were ended.
int killProcess(ProcessTable& processes, std::string_view executableName);

} // namespace kelvo
