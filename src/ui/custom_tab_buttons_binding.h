#pragma once

#include "ui/main_window.h"
#include "windows/custom_tab_buttons.h"

namespace kelvo {

/// Forwards the Custom tab's Add and Remove buttons to their logic.
void connectCustomTabButtons(MainWindow& window, CustomTabButtons& buttons);

} // namespace kelvo
