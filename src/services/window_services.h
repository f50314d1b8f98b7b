#pragma once

#include "services/window_registry.h"

#include <string_view>

namespace kelvo {

/// True for the windows that survive hideAllForms and closeSecondaryForms:
/// the main window and the two bookmark dialogs.
bool isKeptWindow(std::string_view name);

/// Unloads every window but the three kept ones, then hides those of them
/// that are loaded.
void hideAllForms(WindowRegistry& windows);

/// Unloads every window but the three kept ones, then shows each of them
/// that is loaded (not modal) and brings it to the front.
void closeSecondaryForms(WindowRegistry& windows);

/// Shows the window and lifts it above every other window on the desktop:
/// topmost and at once not topmost again, then to the back and to the front.
void bringFormToFront(WindowRegistry& windows, std::string_view name);

/// Makes the window topmost or not; returns the window system's answer.
bool setTopMost(WindowRegistry& windows, std::string_view name, bool topMost);

} // namespace kelvo
