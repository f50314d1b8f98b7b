#pragma once

#include "windows/profile_list_view.h"

namespace kelvo {

/// The frames of the train-profile window.
enum class TrainProfileFrame {
    List,           // fmTrainProfile1
    CurrentProfile, // fmCurrent
    DefaultProfile, // fmDefault
};

/// The train-profile window as its logic sees it.
class TrainProfileWindowView : public virtual ProfileListView {
public:
    virtual void setFrameVisible(TrainProfileFrame frame, bool visible) = 0;
};

} // namespace kelvo
