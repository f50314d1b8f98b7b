#pragma once

#include "windows/profile_list_view.h"
#include "windows/profile_wizard_services.h"

namespace kelvo {

/// Fills the profile list and the current and default profile labels, as
/// the select and train windows do when they open.
void fillProfileList(ProfileListView& view, const ProfileWizardServices& services);

/// The notice after a switch: asleep, that the profile is used once the
/// program listens again; awake, that it listens with it now (the train
/// window puts the name in the first text).
void showSwitchedNotice(const ProfileWizardServices& services, const std::string& profile,
                        bool nameInFirstText);

} // namespace kelvo
