#include "services/window_services.h"

#include <algorithm>
#include <array>

namespace kelvo {

namespace {

constexpr std::array<std::string_view, 3> kKeptWindows = {
    kMainWindowName, kMatchBookmarksWindowName, kImportWindowName};

bool isLoaded(const WindowRegistry& windows, std::string_view name) {
    const auto loaded = windows.loadedWindows();
    return std::find(loaded.begin(), loaded.end(), name) != loaded.end();
}

void unloadSecondaryWindows(WindowRegistry& windows) {
    // Unloading one window may unload or show others, so each name of the
    // first list is checked again before it goes.
    for (const auto& name : windows.loadedWindows()) {
        if (!isKeptWindow(name) && isLoaded(windows, name)) {
            windows.unloadWindow(name);
        }
    }
}

} // namespace

bool isKeptWindow(std::string_view name) {
    return std::find(kKeptWindows.begin(), kKeptWindows.end(), name) != kKeptWindows.end();
}

void hideAllForms(WindowRegistry& windows) {
    unloadSecondaryWindows(windows);
    for (auto name : {kMatchBookmarksWindowName, kImportWindowName, kMainWindowName}) {
        if (isLoaded(windows, name)) {
            windows.hideWindow(name);
        }
    }
}

void closeSecondaryForms(WindowRegistry& windows) {
    unloadSecondaryWindows(windows);
    for (auto name : kKeptWindows) {
        if (isLoaded(windows, name)) {
            windows.showWindow(name);
            windows.bringToFront(name);
        }
    }
}

void bringFormToFront(WindowRegistry& windows, std::string_view name) {
    windows.showWindow(name);
    setTopMost(windows, name, true);
    setTopMost(windows, name, false);
    windows.sendToBack(name);
    windows.bringToFront(name);
}

bool setTopMost(WindowRegistry& windows, std::string_view name, bool topMost) {
    return windows.setWindowTopMost(name, topMost);
}

} // namespace kelvo
