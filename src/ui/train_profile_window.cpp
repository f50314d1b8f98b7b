#include "ui/train_profile_window.h"

#include "ui/link_label.h"
#include "windows/select_profile_wizard_logic.h"

#include <QPushButton>

namespace kelvo {

TrainProfileWindow::TrainProfileWindow(const ProfileWizardServices& services)
    : ProfileListWindow("frmTrainProfile", train_profile_text::kListLabel, "listTrainProfileList",
                        "cmdTrainProfile", "lblCreate2"),
      m_logic(*this, services) {
    addProfileFrames(select_profile_text::kDefaultHeading);
    m_frames = {listFrame(), currentFrame(), defaultFrame()};
    connect(button(), &QPushButton::clicked, this, [this] { m_logic.buttonClicked(); });
    connect(createLink(), &LinkLabel::clicked, this, [this] { m_logic.createClicked(); });
    m_onClose = [this] { m_logic.formUnload(); };
    m_mayClose = [this] { return m_logic.mayClose(); };
    m_startOver = [this] { m_logic.startOver(); };
    m_logic.formLoad();
}

void TrainProfileWindow::setFrameVisible(TrainProfileFrame frame, bool visible) {
    m_frames[static_cast<std::size_t>(frame)]->setVisible(visible);
}

} // namespace kelvo
