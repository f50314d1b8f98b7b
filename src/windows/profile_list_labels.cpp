#include "windows/profile_list_labels.h"

namespace kelvo {

void fillProfileList(ProfileListView& view, const ProfileWizardServices& services) {
    std::vector<std::string> names;
    for (auto& name : services.profiles.getProfileList())
        if (!name.empty())
            names.push_back(std::move(name));
    view.setProfiles(names);
    view.setDefaultProfileText("The Profile That kelvo Uses By Default: " +
                               storedDefaultProfile(services.settings));
    std::string current = services.profiles.getProfile("currentprofile");
    if (current == "x")
        current.clear();
    view.setCurrentProfileText("Your Current Profile: " + current);
}

void showSwitchedNotice(const ProfileWizardServices& services, const std::string& profile,
                        bool nameInFirstText) {
    const std::string quoted = "'" + profile + "'";
    if (services.speech.muted)
        profileNotice(services.boxes,
                      "When kelvo begins listening again it will use the profile:", quoted);
    else if (nameInFirstText)
        profileNotice(services.boxes, "kelvo will now start listening using the profile " + quoted);
    else
        profileNotice(services.boxes, "kelvo will now start listening using the profile", quoted);
}

} // namespace kelvo
