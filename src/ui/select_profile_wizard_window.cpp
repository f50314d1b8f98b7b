#include "ui/select_profile_wizard_window.h"

#include "ui/link_label.h"
#include "ui/profile_window_parts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

namespace text = select_profile_text;

namespace {

QWidget* questionFrame(QWidget* parent, const char* name, QCheckBox*& box, const char* boxName,
                       const char* question, LinkLabel** label = nullptr) {
    auto* frame = new QWidget(parent);
    frame->setObjectName(name);
    auto* layout = new QHBoxLayout(frame);
    box = new QCheckBox(frame);
    box->setObjectName(boxName);
    layout->addWidget(box, 0, Qt::AlignTop);
    if (label != nullptr) {
        *label = new LinkLabel(frame);
        (*label)->setObjectName("Label6");
        (*label)->setText(text::kYes);
        layout->addWidget(*label, 0, Qt::AlignTop);
    } else {
        box->setText(text::kYes);
    }
    layout->addWidget(plainLabel(frame, QString(), question), 1);
    return frame;
}

} // namespace

SelectProfileWizardWindow::SelectProfileWizardWindow(const ProfileWizardServices& services)
    : ProfileListWindow("frmSelectProfile", text::kListLabel, "listProfileList", "cmdSelectProfile",
                        "lblCreate"),
      m_logic(*this, services) {
    LinkLabel* label6 = nullptr;
    QWidget* makeDefault = questionFrame(this, "fmSelectProfile2", m_default, "ckDefault",
                                         text::kDefaultQuestion, &label6);
    QWidget* train =
        questionFrame(this, "fmSelectProfile3", m_train, "ckTrain", text::kTrainQuestion);
    body()->addWidget(makeDefault);
    body()->addWidget(train);
    addProfileFrames(text::kDefaultHeading);
    m_frames = {listFrame(), makeDefault, train, currentFrame(), defaultFrame()};

    connect(button(), &QPushButton::clicked, this, [this] { m_logic.buttonClicked(); });
    connect(label6, &LinkLabel::clicked, this, [this] { m_logic.defaultLabelClicked(); });
    connect(createLink(), &LinkLabel::clicked, this, [this] { m_logic.createClicked(); });
    m_onClose = [this] { m_logic.formUnload(); };
    m_mayClose = [this] { return m_logic.mayClose(); };
    m_startOver = [this] { m_logic.startOver(); };
    m_logic.formLoad();
}

void SelectProfileWizardWindow::setFrameVisible(SelectProfileFrame frame, bool visible) {
    m_frames[static_cast<std::size_t>(frame)]->setVisible(visible);
}

bool SelectProfileWizardWindow::makeDefaultChecked() const {
    return m_default->isChecked();
}

void SelectProfileWizardWindow::setMakeDefaultChecked(bool checked) {
    m_default->setChecked(checked);
}

bool SelectProfileWizardWindow::trainChecked() const {
    return m_train->isChecked();
}

void SelectProfileWizardWindow::setTrainChecked(bool checked) {
    m_train->setChecked(checked);
}

} // namespace kelvo
