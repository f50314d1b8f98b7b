#pragma once

#include "ui/questionnaire_window.h"
#include "windows/help_topics.h"
#include "windows/main_window_links_logic.h"
#include "windows/main_window_menus_logic.h"
#include "windows/print_lists_logic.h"
#include "windows/questionnaire_logic.h"

#include <QObject>

class QLabel;

#include <filesystem>

namespace kelvo {

class AppControl;
class Clock;
class MainWindow;
class RandomSource;
class SettingsFile;

/// What the menus, links and questionnaire are built from.
struct MainWindowMenuServices {
    MainWindow& window;
    WindowRegistry& windows;
    MessageBoxes& boxes;
    SettingsFile& settings;
    AppControl& app;
    Shell& shell;
    Clock& clock;
    RandomSource& random;
    OpenAddress open;
    const SpeechState& speech;
    QuestionnaireState& questionnaire;
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;
};

/// The main window's menu items, help buttons, links, ad panes and the
/// questionnaire prompt: their logic, and the wiring of the window's
/// controls to it. Behaviour lives in the logic classes.
class MainWindowMenus final : public QObject {
    Q_OBJECT

public:
    MainWindowMenus(MainWindowMenuServices services, MainWindowLinksHooks hooks);

    MainWindowMenusLogic& menus() { return m_menus; }
    QuestionnaireLogic& questionnaire() { return m_questionnaire; }
    CommandListPrinter& printer() { return m_printer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();

    MainWindow& m_window;
    HelpTopics m_help;
    MainWindowMenusLogic m_menus;
    MainWindowLinksLogic m_links;
    CommandListPrinter m_printer;
    QuestionnaireWindow m_questionnaireWindow;
    QuestionnaireLogic m_questionnaire;
    QWidget* m_listening = nullptr;
    QWidget* m_location = nullptr;
    QLabel* m_voipLogo = nullptr;
    QWidget* m_customList = nullptr;
    /// The ad panes' pages: a press on one opens its coupon.
    std::array<QWidget*, 4> m_adPanes{};
};

} // namespace kelvo
