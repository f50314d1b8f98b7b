#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kelvo {

/// The training explainer as its logic drives it.
class TrainingExplainerView {
public:
    enum class Link { ConfigureMic, SelectProfile, TrainProfile, CreateProfile };

    virtual ~TrainingExplainerView() = default;
    virtual void setCaption(const std::string& caption) = 0;
    /// Headings, each with its text.
    virtual void setSections(const std::vector<std::pair<std::string, std::string>>& sections) = 0;
    /// A link's caption and the line beside it.
    virtual void setLink(Link link, const std::string& caption, const std::string& line) = 0;
    /// Image 1 (normal) or 2 (under the pointer) of the help picture.
    virtual void setHelpImage(int image) = 0;
    virtual void hideWindow() = 0;
};

} // namespace kelvo
