#pragma once

#include "integrations/bookmarks/bookmark_state.h"
#include "integrations/music/music_state.h"
#include "integrations/social/social_state.h"
#include "services/message_boxes.h"
#include "speech/catalogue_state.h"
#include "speech/dispatch_state.h"
#include "speech/speech_state.h"
#include "startup/exchange_state.h"
#include "startup/startup_state.h"
#include "windows/main_window_state.h"

namespace kelvo {

/// Everything the program keeps for the whole run, owned by the program and
/// handed down by reference: each layer gets the parts it needs. Each part
/// is defined beside the code that owns it.
struct AppState {
    MessageBoxState messageBoxes;
    SpeechState speech;
    CatalogueState catalogue;
    DispatchState dispatch;
    StartupState startup;
    ExchangeState exchange;
    MainWindowState mainWindow;
    BookmarkState bookmarks;
    MusicState music;
    SocialState social;
};

} // namespace kelvo
