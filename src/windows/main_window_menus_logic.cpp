#include "windows/main_window_menus_logic.h"

#include "platform/shell.h"
#include "services/message_boxes.h"
#include "services/window_registry.h"
#include "windows/help_topics.h"
#include "windows/maker_site.h"

#include <array>

namespace kelvo {

namespace {

using K = MenuKind;
using O = DialogOrder;

constexpr std::array<MenuItem, 54> kItems = {{
    {"mnuHelpIntro", K::HelpTopic, "default.html"},
    {"mnuHelpQuickstart", K::HelpTopic, "quickstart.html"},
    {"mnuHelpInstall", K::HelpTopic, "installation.html"},
    {"mnuHelpOverview", K::HelpTopic, "using.html"},
    {"mnuHelpBasic", K::HelpTopic, "tab_basiccommands.html"},
    {"mnuHelpStuff", K::HelpTopic, "tab_stuff.html"},
    {"mnuHelpPlaces", K::HelpTopic, "tab_places.html"},
    {"mnuHelpFun", K::HelpTopic, "tab_fun.html"},
    {"mnuHelpCustom", K::HelpTopic, "tab_customcommands.html"},
    {"mnuHelpMusic", K::HelpTopic, "tab_music.html"},
    {"mnuHelpBookmark", K::HelpTopic, "tab_bookmark.html"},
    {"mnuHelpSearches", K::HelpTopic, "tab_search.html"},
    {"mnuHelpSocial", K::HelpTopic, "tab_social.html"},
    {"mnuHelpOptions", K::HelpTopic, "tab_options.html"},
    {"mnuHelpTips", K::HelpTopic, "tips.html"},
    {"mnuHelpMacs", K::HelpTopic, "mac.html"},
    {"mnuHelpFAQ", K::HelpTopic, "faq.html"},
    {"mnuHelpGlossary", K::HelpTopic, "glossary.html"},
    {"mnuHelpEULA", K::HelpTopic, "license.html"},
    {"mnuHelpIP", K::HelpTopic, "copyright.html"},
    {"mnuTrainingHelp", K::HelpTopic, "training.html"},
    {"Command10", K::HelpTopic, "tab_customcommands.html"},
    {"Command11", K::HelpTopic, "tab_music.html"},
    {"Command12", K::HelpTopic, "tab_options.html"},
    {"Command5", K::HelpTopic, "tab_search.html#search_regular"},
    {"Command6", K::HelpTopic, "tab_search.html#search_spell"},
    {"Command7", K::HelpTopic, "tab_search.html#search_local"},
    {"Command8", K::HelpTopic, "tab_search.html#search_local"},
    {"Command9", K::HelpTopic, "tab_bookmark.html#bookmark_search"},
    {"Command2", K::HelpTopic, "tab_bookmark.html#bookmark_import"},
    {"mnuTutorial", K::WebPage, "/demo_tutorial.php?view=tutorial1"},
    {"Command15", K::WebPage, "/demo_tutorial.php?view=tutorial1"},
    {"ContactUs", K::WebPage, "/contactus.html"},
    {"mnu_tellafriend", K::WebPage, "/tellafriend.html"},
    {"mnuKelvoHome", K::WebPage, "/"},
    {"TakeASurvey", K::WebPage, kSurveyPage},
    {"pictjajah", K::WebPage, kVoipServicePage},
    {"cmdSearchHelp", K::Dialog, "frmlocalsearchsettings", O::HideFirstRaise,
     "The Local Search Settings window"},
    {"cmdSocialSetup", K::Dialog, "frmsocialsetup", O::HideFirst,
     "The Social Networking Setup window"},
    {"mnuExplainProfile", K::Dialog, "frmwhatistraining", O::ShowFirst,
     "The explanation of recognition profiles and training"},
    {"mnuCreateProfile", K::Dialog, "frmcreateprofile", O::ShowFirst,
     "The Create A Recognition Profile wizard"},
    {"mnuSelectProfile", K::Dialog, "frmselectprofile", O::HideFirst,
     "The Select A Recognition Profile wizard"},
    {"mnuTrainProfile", K::Dialog, "frmtrainprofile", O::HideFirst,
     "The Train A Recognition Profile wizard"},
    {"mnuProfileSettings", K::Dialog, "frmprofileproperties", O::HideFirst,
     "The recognition profile window"},
    {"mnuSupport", K::Dialog, "frmsupport", O::HideFirst, "The Support window"},
    {"mnuAbout", K::Dialog, "frmabout", O::HideFirst, "The About window"},
    {"mnuTrainTheMouse", K::Dialog, "frmtrain", O::KeepMain, "The training window"},
    {"cmdTrain", K::Dialog, "frmtrain", O::KeepMain, "The training window"},
    {"mnuConfigureMic", K::Action, "configuremic", O::KeepMain, "The microphone set-up"},
    {"mnuTroubleshootMic", K::Action, "troubleshootmic", O::KeepMain, "Microphone troubleshooting"},
    {"mnuTakeSurvey", K::Action, "survey", O::KeepMain, "The questionnaire"},
    {"cmdPrint", K::Action, "print", O::KeepMain, "Printing the command lists"},
    {"Command3", K::Action, "itunescreate", O::KeepMain, "Connecting to the music player"},
    {"Command4", K::Action, "itunesend", O::KeepMain, "Ending the music player"},
}};

const MenuItem* findItem(std::string_view control) {
    for (const MenuItem& item : kItems) {
        if (item.control == control) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace

std::span<const MenuItem> mainWindowMenuItems() {
    return kItems;
}

MainWindowMenusLogic::MainWindowMenusLogic(HelpTopics& help, OpenAddress open,
                                           WindowRegistry& windows, MessageBoxes& boxes)
    : m_help(help), m_open(std::move(open)), m_windows(windows), m_boxes(boxes) {}

void MainWindowMenusLogic::setHandler(std::string_view control, std::function<void()> handler) {
    m_handlers[std::string(control)] = std::move(handler);
}

bool MainWindowMenusLogic::activate(std::string_view control) {
    const MenuItem* item = findItem(control);
    if (auto handler = m_handlers.find(control); handler != m_handlers.end()) {
        handler->second();
        return true;
    }
    if (item == nullptr) {
        return false;
    }
    switch (item->kind) {
    case K::HelpTopic:
        m_help.open(item->target);
        break;
    case K::WebPage: {
        const std::string address = item->target.starts_with("http")
                                        ? std::string(item->target)
                                        : std::string(kMakerSite) + std::string(item->target);
        if (!shellSucceeded(m_open(address))) {
            m_boxes.showNotice("kelvo", "The page " + address + " could not be opened.", 1, false);
        }
        break;
    }
    case K::Dialog:
        showDialog(*item);
        break;
    case K::Action:
        notAvailable(item->what);
        break;
    }
    return true;
}

void MainWindowMenusLogic::showDialog(const MenuItem& item) {
    if (!m_windows.hasWindow(item.target)) {
        notAvailable(item.what);
        return;
    }
    switch (item.order) {
    case O::ShowFirst:
        m_windows.showWindow(item.target);
        m_windows.hideWindow(kMainWindowName);
        break;
    case O::HideFirst:
    case O::HideFirstRaise:
        m_windows.hideWindow(kMainWindowName);
        m_windows.showWindow(item.target);
        if (item.order == O::HideFirstRaise) {
            (void)m_windows.setWindowTopMost(item.target, true);
            (void)m_windows.setWindowTopMost(item.target, false);
            m_windows.bringToFront(item.target);
        }
        break;
    case O::KeepMain:
        m_windows.showWindow(item.target);
        break;
    }
}

void MainWindowMenusLogic::notAvailable(std::string_view what) {
    m_boxes.showNotice("Not Available Yet",
                       std::string(what) + " is not part of this version of kelvo yet.", 1, false);
}

} // namespace kelvo
