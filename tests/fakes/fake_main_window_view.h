#pragma once

#include "windows/main_window_view.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvo::fakes {

/// The main window held in memory; records the frame switches in order.
class FakeMainWindowView : public MainWindowView {
public:
    struct List {
        std::vector<std::pair<std::string, int>> columns;
        std::vector<std::vector<std::string>> rows;
        bool enabled = true;
    };

    FakeMainWindowView() {
        tags = {"Basic", "Stuff",     "Places",   "Fun",    "Custom", "Client",
                "Music", "Bookmarks", "Searches", "Social", "Options"};
    }

    void setLocationText(const std::string& text) override { locationText = text; }
    void showStartPage(const std::filesystem::path& page) override { startPage = page; }
    void setAdPane(int pane, const std::filesystem::path& page, bool visible) override {
        adPanes[pane] = {page, visible};
    }
    void setCheckBox(CheckBox box, bool checked) override { checkBoxes[box] = checked; }
    void setFrameVisible(Frame frame, bool visible) override {
        frames[frame] = visible;
        frameCalls.emplace_back(frame, visible);
    }
    bool isFrameVisible(Frame frame) const override {
        auto it = frames.find(frame);
        return it != frames.end() && it->second;
    }
    std::vector<std::string> tabTags() const override { return tags; }
    int selectedTab() const override { return selected; }
    void selectTab(int index) override { selected = index; }
    void removeTab(int index) override {
        tags.erase(tags.begin() + index);
        if (selected >= static_cast<int>(tags.size())) {
            selected = static_cast<int>(tags.size()) - 1;
        }
    }
    void clearList(ListId list) override { lists[list] = List{}; }
    void addListColumn(ListId list, const std::string& header, int widthTwips) override {
        lists[list].columns.emplace_back(header, widthTwips);
    }
    void addListRow(ListId list, const std::vector<std::string>& cells) override {
        lists[list].rows.push_back(cells);
    }
    int listRowCount(ListId list) const override {
        auto it = lists.find(list);
        return it == lists.end() ? 0 : static_cast<int>(it->second.rows.size());
    }
    std::vector<std::string> selectedListRow(ListId list) const override {
        auto it = lists.find(list);
        if (it == lists.end() || selectedRow < 0 ||
            selectedRow >= static_cast<int>(it->second.rows.size())) {
            return {};
        }
        return it->second.rows[static_cast<size_t>(selectedRow)];
    }
    void setListEnabled(ListId list, bool enabled) override { lists[list].enabled = enabled; }
    void addChatProgramItem(const std::string& name) override { chatItems.push_back(name); }
    void setWebcamLabel(const std::string& text) override { webcamLabel = text; }
    std::optional<std::filesystem::path> chooseProgramFile() override {
        ++fileDialogs;
        return chosenFile;
    }
    void setHandednessButton(const std::string& caption,
                             const std::filesystem::path& picture) override {
        handednessCaption = caption;
        handednessPicture = picture;
    }
    void setListeningImage(int image) override { listeningImage = image; }
    void showWindow() override { windowVisible = true; }
    void hideWindow() override { windowVisible = false; }
    bool isWindowVisible() const override { return windowVisible; }

    /// Names of the frames that are visible now.
    int visibleFrameCount() const {
        int count = 0;
        for (const auto& [frame, visible] : frames) {
            count += visible ? 1 : 0;
        }
        return count;
    }

    std::string locationText;
    std::filesystem::path startPage;
    std::map<int, std::pair<std::filesystem::path, bool>> adPanes;
    std::map<CheckBox, bool> checkBoxes;
    std::map<Frame, bool> frames;
    std::vector<std::pair<Frame, bool>> frameCalls;
    std::vector<std::string> tags;
    int selected = 0;
    std::map<ListId, List> lists;
    /// Index of the selected row of every list; -1 for none.
    int selectedRow = -1;
    std::vector<std::string> chatItems;
    std::string webcamLabel;
    std::optional<std::filesystem::path> chosenFile;
    int fileDialogs = 0;
    std::string handednessCaption;
    std::filesystem::path handednessPicture;
    int listeningImage = 0;
    bool windowVisible = false;
};

} // namespace kelvo::fakes
