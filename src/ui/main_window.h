#pragma once

#include "windows/main_window_view.h"

#include <QMainWindow>

#include <array>
#include <map>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTextBrowser;
class QTreeWidget;

namespace kelvo {

class MainWindowLogic;

/// The main window `Mouse`: tab strip, the twelve pages lying on top of each
/// other, lists, Options page, start page and ad panes, buttons and menus.
/// Behaviour lives in MainWindowLogic; this class only shows and forwards.
class MainWindow final : public QMainWindow, public MainWindowView {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Where user actions go; set once, before the window is shown.
    void setLogic(MainWindowLogic* logic) { m_logic = logic; }

    /// A control or menu item by its name (for example "BtnExit",
    /// "mnuAbout"), for the parts that handle them; null when unknown.
    QPushButton* button(const QString& name) const;
    QAction* menuAction(const QString& name) const;
    QTreeWidget* list(ListId id) const;
    QLabel* feedbackLabel() const { return m_feedback; }
    QLabel* locationLabel() const { return m_location; }
    QLabel* signalLabel() const { return m_signal; }
    QComboBox* chatProgramBox() const { return m_chatList; }
    QCheckBox* checkBox(CheckBox box) const;
    QTabBar* tabStrip() const { return m_tabs; }
    QWidget* frame(Frame frame) const;
    /// The tray popup's three items: mute, show, close.
    QList<QAction*> trayMenuActions() const;

    // MainWindowView
    void setLocationText(const std::string& text) override;
    void showStartPage(const std::filesystem::path& page) override;
    void setAdPane(int pane, const std::filesystem::path& page, bool visible) override;
    void setCheckBox(CheckBox box, bool checked) override;
    void setFrameVisible(Frame frame, bool visible) override;
    bool isFrameVisible(Frame frame) const override;
    std::vector<std::string> tabTags() const override;
    int selectedTab() const override;
    void selectTab(int index) override;
    void removeTab(int index) override;
    void clearList(ListId list) override;
    void addListColumn(ListId list, const std::string& header, int widthTwips) override;
    void addListRow(ListId list, const std::vector<std::string>& cells) override;
    int listRowCount(ListId list) const override;
    std::vector<std::string> selectedListRow(ListId list) const override;
    void setListEnabled(ListId list, bool enabled) override;
    void addChatProgramItem(const std::string& name) override;
    void setWebcamLabel(const std::string& text) override;
    std::optional<std::filesystem::path> chooseProgramFile() override;
    void setHandednessButton(const std::string& caption,
                             const std::filesystem::path& picture) override;
    void setListeningImage(int image) override;
    void showWindow() override;
    void hideWindow() override;
    bool isWindowVisible() const override;

    /// True once the window has been painted.
    bool painted() const { return m_painted; }

    /// Sets the feedback line (plain text).
    void setFeedbackText(const std::string& text);
    /// Sets the signal line (plain text); it is hidden while empty.
    void setSignalText(const std::string& text);

signals:
    /// The first time the window is painted.
    void firstPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    /// A click on the listening picture sleeps or wakes, as the tray item does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildPages(QWidget* area);
    void buildOptionsPage(QWidget* page);
    QWidget* makeFrame(Frame frame, QWidget* area, const char* name);
    QTreeWidget* makeList(ListId id, const char* name, QWidget* parent);
    QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent);
    QAction* makeAction(const char* name, const QString& caption, QObject* parent);
    void connectControls();

    MainWindowLogic* m_logic = nullptr;
    QTabBar* m_tabs = nullptr;
    std::array<QWidget*, kFrameCount> m_frames{};
    std::map<ListId, QTreeWidget*> m_lists;
    std::map<QString, QPushButton*> m_buttons;
    std::map<QString, QAction*> m_actions;
    QLabel* m_location = nullptr;
    QLabel* m_feedback = nullptr;
    QLabel* m_signal = nullptr;
    QLabel* m_listening = nullptr;
    QTextBrowser* m_startPage = nullptr;
    std::array<QTextBrowser*, 4> m_adPanes{};
    QCheckBox* m_showSplash = nullptr;
    QCheckBox* m_showMain = nullptr;
    QCheckBox* m_autoStart = nullptr;
    QComboBox* m_chatList = nullptr;
    QLabel* m_webcamSelected = nullptr;
    QLabel* m_handednessPicture = nullptr;
    bool m_painted = false;
};

} // namespace kelvo
