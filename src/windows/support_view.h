#pragma once

#include "windows/dialog_view.h"

namespace kelvo {

/// The support window frmSupport as its logic sees it; its texts are fixed.
class SupportView : public DialogView {};

} // namespace kelvo
