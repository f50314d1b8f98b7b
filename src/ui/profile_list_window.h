#pragma once

#include "windows/profile_list_view.h"

#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace kelvo {

class LinkLabel;

/// What the select-profile and train-profile windows share on screen: the
/// title, instructions, the list frame with its "Click Here!" link, the
/// current and default profile frames and the one button. Behaviour lives
/// in the windows' logic; this class only shows and forwards.
class ProfileListWindow : public QWidget, public virtual ProfileListView {
    Q_OBJECT

public:
    void setCaption(const std::string& text) override;
    std::string caption() const override;
    void setTitle(const std::string& text) override;
    void setInstructions(const std::string& text) override;
    void setButtonCaption(const std::string& text) override;
    void setProfiles(const std::vector<std::string>& names) override;
    std::string selectedProfile() const override;
    void setCurrentProfileText(const std::string& text) override;
    void setDefaultProfileText(const std::string& text) override;
    void closeWindow() override;

protected:
    /// Lays out the shared parts; extra frames go into body() between the
    /// list and the profile frames.
    ProfileListWindow(const QString& objectName, const char* listLabel, const char* listName,
                      const char* buttonName, const char* createName);

    QVBoxLayout* body() { return m_body; }
    QWidget* listFrame() { return m_listFrame; }
    QWidget* currentFrame() { return m_currentFrame; }
    QWidget* defaultFrame() { return m_defaultFrame; }
    QPushButton* button() { return m_button; }
    LinkLabel* createLink() { return m_create; }
    /// Adds the current and default profile frames below the body.
    void addProfileFrames(const char* defaultHeading);

    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    /// Runs as the window closes: the logic's formUnload.
    std::function<void()> m_onClose;
    /// Runs as a window that was hidden shows again: the logic's startOver.
    std::function<void()> m_startOver;
    /// Whether the logic lets the window close now.
    std::function<bool()> m_mayClose;

private:
    QLabel* m_title = nullptr;
    QLabel* m_instructions = nullptr;
    QWidget* m_listFrame = nullptr;
    QListWidget* m_list = nullptr;
    LinkLabel* m_create = nullptr;
    QVBoxLayout* m_body = nullptr;
    QWidget* m_currentFrame = nullptr;
    QLabel* m_current = nullptr;
    QWidget* m_defaultFrame = nullptr;
    QLabel* m_default = nullptr;
    QPushButton* m_button = nullptr;
    QVBoxLayout* m_outer = nullptr;
    bool m_hidden = false;
};

} // namespace kelvo
