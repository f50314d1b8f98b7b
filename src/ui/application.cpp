#include "ui/application.h"

#include "integrations/bookmarks/bookmark_search.h"
#include "integrations/music/default_player.h"
#include "integrations/music/mpris_player.h"
#include "integrations/music/music_interpreter.h"
#include "integrations/social/social_login.h"
#include "integrations/social/social_pages.h"
#include "platform/desktop.h"
#include "platform/environment.h"
#include "program/browser_windows.h"
#include "program/platform_services.h"
#include "program/program_custom_command_hooks.h"
#include "program/program_dispatch_host.h"
#include "program/program_interpreters.h"
#include "program/program_music_library.h"
#include "program/program_voice_profiles.h"
#include "program/speech_startup_hooks.h"
#include "program/welcome_sound.h"
#include "services/address_opener.h"
#include "services/curl_http_client.h"
#include "services/message_boxes.h"
#include "services/window_registry.h"
#include "speech/catalogue_files.h"
#include "speech/command_lists.h"
#include "speech/custom_command_editor.h"
#include "speech/custom_command_store.h"
#include "speech/dispatch_failure.h"
#include "speech/training_commands.h"
#include "startup/app_state.h"
#include "startup/close_down.h"
#include "startup/program_hooks.h"
#include "startup/startup_hooks.h"
#include "startup/startup_report.h"
#include "startup/startup_sequence.h"
#include "ui/about_window.h"
#include "ui/bookmark_import_window.h"
#include "ui/bookmark_matching_window.h"
#include "ui/bookmark_phrase_editor_window.h"
#include "ui/conflicts_notice_window.h"
#include "ui/create_profile_wizard_window.h"
#include "ui/custom_edit_window.h"
#include "ui/delete_command_window.h"
#include "ui/diagnostic_window.h"
#include "ui/main_window_menus.h"
#include "ui/main_window_parts.h"
#include "ui/profile_properties_window.h"
#include "ui/program_speech.h"
#include "ui/qt_app_control.h"
#include "ui/qt_dialog_port.h"
#include "ui/qt_ui_poster.h"
#include "ui/qt_window_registry.h"
#include "ui/select_profile_wizard_window.h"
#include "ui/settings_dialogs.h"
#include "ui/splash_window.h"
#include "ui/support_window.h"
#include "ui/termination_watcher.h"
#include "ui/train_profile_window.h"
#include "ui/training_explainer_window.h"
#include "ui/training_notice_window.h"
#include "ui/training_screens_qt.h"
#include "ui/update_window.h"
#include "ui/upgrade_notice_window.h"
#include "ui/window_notices.h"
#include "ui/window_startup_hooks.h"
#include "windows/local_search_settings_logic.h"
#include "windows/update_window_logic.h"
#include "windows/voip_settings_logic.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <optional>

namespace kelvo {
namespace {

/// The one place where the program's pieces are made and wired. Members are
/// built top to bottom in the order they are declared, each from the ones
/// above it, and go in the reverse order; what can only be made once the
/// start-up has fixed the folders (the main window, the command lists, the
/// engine) is made by the member functions below and held at the end.
class Application {
public:
    Application() {
        m_control.setBackupCustomStore([this] { backupCustomStore(); });
        m_control.setCloseDown([this] { m_closeDown.shutdownProcess(); });
        // The audio-setup error's help: the microphone set-up and the help
        // page, before the link ends the program.
        m_messageBoxes.setAudioProblemHandler([this] {
            (void)configureMicrophone();
            m_opener.openUrl((m_state.startup.programFolder / "help" / "mic.html").string());
        });
        m_control.setQuestionnaireCheck(
            [this] { return m_menus && m_menus->questionnaire().checkSurveyDue(true); });
        // The registry outlives the main window, which its parts own.
        m_windows.registerWindow(kMainWindowName, [this]() -> QWidget* {
            return window() ? &window()->window() : nullptr;
        });
        registerProfileWindows();
        registerSmallWindows();
        m_windows.registerWindow(kImportWindowName, [this] { return makeImportWindow(); });
        m_windows.registerWindow(kMatchBookmarksWindowName,
                                 [this] { return makeMatchingWindow(); });
        m_interpreters.bookmarkSearch = [this](const std::string& text) {
            if (m_bookmarkSearch) {
                m_bookmarkSearch->searchBookmarks(text);
            }
        };
        m_interpreters.forgetSteps = [this] {
            m_state.music.iTunesPendingMode.clear();
            if (m_bookmarkSearch) {
                m_bookmarkSearch->forgetPending();
            }
        };
        connectCustomCommandHooks();
        registerSettingsDialogs();
        watchTermination();
        // A reply that came after the main window loaded: the window follows it.
        m_startupReport.setLateReplyHandler([this] {
            if (window()) {
                (void)window()->logic().reloadCommandLists();
                window()->logic().showUpgradeMessage(m_state.exchange.reply.upgradeMessage);
            }
        });
    }

    /// Runs the start-up inside the event loop, so its modal windows and
    /// pumped events behave as they do later on.
    int run() {
        QTimer::singleShot(0, [this] {
            if (m_startup.run() == StartupOutcome::AnotherInstanceRuns) {
                QCoreApplication::exit(0);
                return;
            }
            // Stopped: the runtime-error window is open and its OK ends us.
            // Without a tray the window is the only way to reach the program;
            // a first run's wizard shows it when it closes.
            if (MainWindowParts* main = window();
                main && m_windows.loaded(kCreateProfileWindowName) == nullptr) {
                main->showIfNoTray();
            }
        });
        return QApplication::exec();
    }

private:
    MainWindowParts* window() { return m_windowSteps.window(); }

    /// A registered window by its name, loaded when it is not yet; null
    /// when it cannot be made yet.
    template <class Window> Window* load() {
        return dynamic_cast<Window*>(m_windows.load(Window::kName));
    }

    /// The small windows, each made when first shown and gone when closed.
    /// The editor and the delete confirmation need the main window and the
    /// custom commands, made once the start-up fixed the folders.
    void registerSmallWindows() {
        m_windows.registerWindow(CustomEditWindow::kName, [this]() -> QWidget* {
            if (!window() || !m_customEditor) {
                return nullptr;
            }
            return new CustomEditWindow(&window()->window(), *m_customEditor, m_messageBoxes);
        });
        m_windows.registerWindow(DeleteCommandWindow::kName, [this]() -> QWidget* {
            if (!m_customEditor) {
                return nullptr;
            }
            return new DeleteCommandWindow(*m_customEditor, *m_commandLists, m_catalogueFiles,
                                           m_customHooks, m_messageBoxes);
        });
        m_windows.registerWindow(SplashWindow::kName, [this]() -> QWidget* {
            return new SplashWindow(m_state.startup.dataFolder, m_messageBoxes);
        });
        m_windows.registerWindow(AboutWindow::kName,
                                 [this]() -> QWidget* { return new AboutWindow(m_windows); });
        m_windows.registerWindow(SupportWindow::kName, [this]() -> QWidget* {
            return new SupportWindow(m_opener, m_windows);
        });
        m_windows.registerWindow(UpgradeNoticeWindow::kName, [this]() -> QWidget* {
            return new UpgradeNoticeWindow(m_opener, m_messageBoxes);
        });
        m_windows.registerWindow(ConflictsNoticeWindow::kName,
                                 []() -> QWidget* { return new ConflictsNoticeWindow(); });
    }

    /// What the Custom tab's buttons open.
    CustomTabDialogs customTabDialogs() {
        return CustomTabDialogs{[this] {
                                    if (auto* editor = load<CustomEditWindow>()) {
                                        editor->logic().openNew();
                                    }
                                },
                                [this](const std::string& phrase) {
                                    if (auto* confirmation = load<DeleteCommandWindow>()) {
                                        confirmation->logic().open(phrase);
                                    }
                                }};
    }

    StartupWindows startupWindows() {
        return StartupWindows{[this] {
                                  if (auto* splash = load<SplashWindow>()) {
                                      splash->logic().showModal();
                                  }
                              },
                              [this] { (void)load<AboutWindow>(); }};
    }

    /// Loads the grammar file of the current listening state again (the
    /// sleep one while asleep), without changing the state.
    void reloadListeningGrammar() {
        if (!m_speech || m_speech->system().grammar() == nullptr) {
            return;
        }
        // The switcher reports its own failures.
        (void)m_speech->system().grammars().LoadDifferentGrammar(
            m_state.speech.muted ? kSleepGrammarFile : m_state.speech.grammarFile);
    }

    /// The main window, made when the start-up loads it: by then the folders
    /// and the settings file are known.
    std::unique_ptr<MainWindowParts> makeMainWindow() {
        const StartupState& folders = m_state.startup;
        m_catalogueFiles = {folders.dataFolder, folders.myDocumentsFolder,
                            m_state.speech.grammarFile};
        MainWindowHooks listLoaders;
        listLoaders.loadAllCommandLists = [this] {
            m_commandLists->loadAllCommandLists();
            return Status{};
        };
        listLoaders.loadCustomCommandList = [this] {
            m_commandLists->loadCustomCommandList(m_catalogueFiles.customStore());
            return Status{};
        };
        listLoaders.toggleListening = [this] { toggleListening(); };
        listLoaders.showWindow = [this](std::string_view name) { m_windows.showWindow(name); };
        auto main = std::make_unique<MainWindowParts>(
            MainWindowServices{m_state.mainWindow, m_state.dispatch, m_state.messageBoxes,
                               *m_startup.settings(), m_messageBoxes, m_control},
            mainWindowPaths(folders.dataFolder, folders.programFolder, folders.startupFolder),
            std::move(listLoaders), customTabDialogs());
        m_commandLists = std::make_unique<CommandLists>(m_state.catalogue, main->commandLists(),
                                                        m_messageBoxes, m_catalogueFiles);
        m_customEditor = std::make_unique<CustomCommandEditor>(
            m_catalogueFiles, *m_commandLists, m_messageBoxes, m_messageBoxes, m_customHooks);
        QObject::connect(main->window().button("Command1"), &QPushButton::clicked,
                         [this] { openImportDialog(); });
        // Loaded from the moment it exists, so hiding it by name works
        // before anything has shown it by name.
        m_windows.registerWindow(kMainWindowName,
                                 [window = &main->window()]() -> QWidget* { return window; });
        (void)m_windows.load(kMainWindowName);
        m_menus = makeMenus(*main);
        m_menus->menus().setHandler("mnuConfigureMic", [this] { (void)configureMicrophone(); });
        // The music tab's two buttons: connect to the player and show it, or end it.
        m_menus->menus().setHandler("Command3", [this] {
            Status shown = m_musicPlayer.attach();
            if (shown) {
                shown = m_musicPlayer.showPlayer();
            }
            if (!shown) {
                m_messageBoxes.showNotice("Music Player", shown.message(), 1, false);
            }
        });
        m_menus->menus().setHandler("Command4", [this] {
            if (Status ended = m_musicPlayer.quit(); !ended) {
                m_messageBoxes.showNotice("Music Player", ended.message(), 1, false);
            }
        });
        reportFirstPaint(main->window());
        startSocialLogins();
        return main;
    }

    /// The main window's menus, links, ad panes and questionnaire.
    std::unique_ptr<MainWindowMenus> makeMenus(MainWindowParts& main) {
        MainWindowLinksHooks hooks;
        hooks.adCoupon = [this](int pane) {
            const auto k = static_cast<size_t>(pane - 1);
            return AdCoupon{m_state.startup.couponPane.at(k).location,
                            m_state.startup.adPaneCouponPicture.at(k)};
        };
        // An editor already open is brought to the front instead.
        hooks.editCustomCommand = [this](const std::string& phrase, const std::string& target) {
            auto* editor = load<CustomEditWindow>();
            if (editor != nullptr) {
                (void)editor->logic().openEdit(phrase, target);
            }
            return editor != nullptr;
        };
        hooks.reloadCommandGrammar = [this] { reloadListeningGrammar(); };
        hooks.microphoneSetUp = [this] {
            (void)configureMicrophone();
            return true;
        };
        return std::make_unique<MainWindowMenus>(
            MainWindowMenuServices{
                main.window(), m_windows, m_messageBoxes, *m_startup.settings(), m_control,
                *m_platform.shell, *m_platform.clock, *m_platform.random,
                [this](const std::string& target) { return m_opener.openUrl(target); },
                m_state.speech, m_state.exchange.questionnaire, m_state.startup.programFolder,
                m_state.startup.dataFolder},
            std::move(hooks));
    }

    /// The logins, once the data folder is known: pages a past run left
    /// behind go now, and the scrub runs from here to the exit.
    void startSocialLogins() {
        m_socialLogin = std::make_unique<SocialLogin>(
            SocialLoginParts{m_state.social, *m_startup.settings(), m_messageBoxes, m_windows,
                             m_control, m_dispatchHost, m_state.startup.dataFolder});
        m_socialLogin->tempFileCleanUp();
        m_pageScrub.setInterval(kPageScrubIntervalMs);
        QObject::connect(&m_pageScrub, &QTimer::timeout, [this] { m_socialLogin->timerTick(); });
        m_pageScrub.start();
    }

    /// The voice interpreters, made with the recognition road: they show
    /// their feedback in the main window.
    PhraseInterpreters& interpreters() {
        FeedbackPort& feedback = window()->feedback();
        m_musicLibrary = std::make_unique<ProgramMusicLibrary>(
            m_musicPlayer, m_state.startup.dataFolder, userMediaFolders(processEnvironment()));
        m_music = std::make_unique<MusicInterpreter>(
            MusicParts{m_state.music, m_state.speech, m_musicLibrary->player(), feedback,
                       m_messageBoxes, m_control, m_dispatchHost});
        m_socialPages = std::make_unique<SocialPages>(m_state.speech, feedback, m_dispatchHost);
        m_interpreters.music = [this](const std::string& text) {
            return m_music->checkiTunes(text);
        };
        m_interpreters.socialPages = [this](const std::string& text) {
            return m_socialPages->goSocialNetworkPage(text);
        };
        m_interpreters.siteLogin = [this](const std::string& site) { m_socialLogin->login(site); };
        return m_interpreters;
    }

    void registerSettingsDialogs() {
        const auto dialog = [this](QWidget* (*make)(const SettingsDialogServices&)) {
            return [this, make]() -> QWidget* {
                if (!m_startup.settings() || !window()) {
                    return nullptr;
                }
                return make(SettingsDialogServices{
                    *m_startup.settings(), m_messageBoxes, m_windows, window()->feedback(),
                    [this](const std::string& topic) { openHelpPage(topic); }});
            };
        };
        m_windows.registerWindow(kSocialSetupWindowName, dialog(&makeSocialSetupWindow));
        m_windows.registerWindow(kLocalSearchSettingsWindowName,
                                 dialog(&makeLocalSearchSettingsWindow));
        m_windows.registerWindow(kJajahWindowName, dialog(&makeJajahWindow));
        m_windows.registerWindow(kSkypeWindowName, dialog(&makeSkypeWindow));
        registerTrainingWindows();
    }

    /// The engine and the recognition road, made once the main window
    /// loaded: its feedback shows there. Once the program is ending, no
    /// engine starts any more.
    SpeechSystem* speech() {
        if (!m_speech && window() && m_startup.settings() && !m_control.ending()) {
            m_bookmarkSearch = std::make_unique<BookmarkSearch>(BookmarkSearchParts{
                m_state.bookmarks, m_dispatchHost, m_control, window()->feedback(), m_messageBoxes,
                [this] { return bookmarkStores(); }, m_state.startup.programFolder,
                m_state.startup.dataFolder, logBookmarkProblem});
            m_speech = std::make_unique<ProgramSpeech>(
                ProgramSpeechParts{RecognitionRoadParts{m_state,
                                                        m_dispatchHost,
                                                        m_messageBoxes,
                                                        m_control,
                                                        m_windows,
                                                        window()->feedback(),
                                                        *m_startup.settings(),
                                                        interpreters(),
                                                        {}},
                                   m_dispatchHost, m_state.startup.dataFolder,
                                   m_state.startup.programFolder, m_trainingScreens});
        }
        return m_speech ? &m_speech->system() : nullptr;
    }

    /// What the voice-profile windows work with; nothing before the
    /// start-up has opened the settings file.
    std::optional<ProfileWizardServices> profileWindowServices() {
        if (!m_startup.settings()) {
            return std::nullopt;
        }
        return ProfileWizardServices{
            m_voiceProfiles, *m_startup.settings(),
            m_messageBoxes,  m_state.speech,
            m_windows,       [this](const std::string& page) {
                                         openHelpPage(page); }};
    }

    template <typename Window> void registerProfileWindow(std::string_view name) {
        m_windows.registerWindow(name, [this]() -> QWidget* {
            auto services = profileWindowServices();
            return services ? new Window(*services) : nullptr;
        });
    }

    void registerTrainingWindows() {
        m_windows.registerWindow(kTrainingNoticeWindowName, [this]() -> QWidget* {
            return new TrainingNoticeWindow(TrainingNoticeServices{
                [this] { openHelpPage("training_tutorial.html"); },
                [this] { (void)trainProfileInUse(); }, [this] { m_control.pumpEvents(); },
                [this] { m_control.quitProgram(); }});
        });
        m_windows.registerWindow(kDiagnosticWindowName, [this]() -> QWidget* {
            return new DiagnosticWindow(m_state.dispatch.diagnostics);
        });
        m_windows.registerWindow(kTrainingExplainerWindowName, [this]() -> QWidget* {
            return new TrainingExplainerWindow(TrainingExplainerServices{
                m_windows, m_state.speech, [this] { (void)configureMicrophone(); },
                [this](const std::string& topic) { openHelpPage(topic); }});
        });
    }

    void registerProfileWindows() {
        registerProfileWindow<CreateProfileWizardWindow>(kCreateProfileWindowName);
        registerProfileWindow<SelectProfileWizardWindow>(kSelectProfileWindowName);
        registerProfileWindow<TrainProfileWindow>(kTrainProfileWindowName);
        registerProfileWindow<ProfilePropertiesWindow>(kProfilePropertiesWindowName);
    }

    /// Opens a help page; "page#place" opens it at that place.
    void openHelpPage(const std::string& page) {
        HelpTopics(
            m_state.startup.programFolder / "help", m_state.startup.dataFolder,
            [this](const std::string& target) { return m_opener.openUrl(target); }, m_messageBoxes)
            .open(page);
    }

    // The bookmark dialogs: the import dialog reads the sources into the
    // matching window, whose double click opens the phrase editor.
    QWidget* makeImportWindow() {
        SettingsFile* settings = m_startup.settings();
        if (settings == nullptr) {
            return nullptr;
        }
        if (!m_bookmarkHttp) {
            auto http = CurlHttpClient::create(
                HttpLimits{std::chrono::seconds(10), std::chrono::seconds(30), 16u << 20});
            if (!http) {
                m_messageBoxes.reportError(http.error().number(), http.error().message(),
                                           "FimpPfl");
                return nullptr;
            }
            m_bookmarkHttp = std::move(http).value();
        }
        return new BookmarkImportWindow(
            BookmarkImportServices{m_state.bookmarks, *settings, m_messageBoxes, *m_bookmarkHttp,
                                   [this]() -> BookmarkMatchingLogic& {
                                       return static_cast<BookmarkMatchingWindow*>(
                                                  m_windows.load(kMatchBookmarksWindowName))
                                           ->logic();
                                   },
                                   [this] { return bookmarkStores(); }, logBookmarkProblem,
                                   [this] { m_windows.showWindow(kMainWindowName); }});
    }

    QWidget* makeMatchingWindow() {
        BookmarkMatchingServices services{
            m_messageBoxes, m_catalogueFiles,
            [this](const std::string& address) { (void)m_opener.openUrl(address); },
            [this](const std::string& filter) {
                auto* importWindow =
                    static_cast<BookmarkImportWindow*>(m_windows.load(kImportWindowName));
                if (importWindow != nullptr) {
                    importWindow->logic().reImportBookmarks(filter);
                }
            },
            [this](const std::string&) { openHelpPage("tab_bookmark.html#bookmark_import"); }};
        return new BookmarkMatchingWindow(
            std::move(services), [this](const BookmarkListRow& row, QWidget* parent) {
                BookmarkPhraseEditorWindow editor(
                    m_messageBoxes,
                    [this](std::string_view kind, const std::string& phrase,
                           const std::string& target) {
                        return m_customEditor &&
                               m_customEditor->saveCustomCommand(kind, phrase, target);
                    },
                    parent);
                editor.logic().open(row.website, row.source, row.description);
                editor.exec();
            });
    }

    void openImportDialog() {
        m_windows.hideWindow(kMainWindowName);
        m_windows.showWindow(kImportWindowName);
        (void)m_windows.setWindowTopMost(kImportWindowName, true);
        (void)m_windows.setWindowTopMost(kImportWindowName, false);
        m_windows.bringToFront(kImportWindowName);
    }

    bookmarks::BookmarkStores bookmarkStores() {
        SettingsFile* settings = m_startup.settings();
        return settings ? bookmarks::locateBookmarkStores(*settings, processEnvironment())
                        : bookmarks::BookmarkStores{};
    }

    static void logBookmarkProblem(const std::string& problem) {
        std::fprintf(stderr, "kelvo: bookmarks: %s\n", problem.c_str());
    }

    void connectCustomCommandHooks() {
        m_customHooks.refreshMatching = [this] {
            if (QWidget* loaded = m_windows.loaded(kMatchBookmarksWindowName)) {
                BookmarkMatchingLogic& matching =
                    static_cast<BookmarkMatchingWindow*>(loaded)->logic();
                matching.check1Clicked();
                matching.loadCurrentVoiceCommands();
            }
        };
        m_customHooks.grammarHasRule = [this](std::string_view rule) {
            speech::SpeechGrammar* grammar = m_dispatchHost.grammar();
            return grammar != nullptr && grammar->hasRule(std::string(rule));
        };
        m_customHooks.sleepOrWake = [this](int mode) {
            // Without a running engine there is no grammar to load again.
            if (m_dispatchHost.grammar() == nullptr) {
                return;
            }
            try {
                m_dispatchHost.muteUnmute(mode);
            } catch (const DispatchFailure& failure) {
                m_messageBoxes.reportError(failure.number(), failure.what(), "MutPscc");
            }
        };
    }

    TrainingResult configureMicrophone() {
        auto command = trainingCommand("The microphone cannot be set up now.");
        return command ? command->configureMicrophone() : TrainingResult{};
    }

    TrainingResult trainProfileInUse() {
        auto command = trainingCommand("The voice training cannot start now.");
        return command ? command->trainProfileInUse() : TrainingResult{};
    }

    /// The training screens' command; nothing, and the notice why, while no
    /// engine runs.
    std::optional<MicrophoneSetupCommand> trainingCommand(const char* cannot) {
        SpeechSystem* system = speech();
        if (!system || !window()) {
            m_messageBoxes.showNotice("The speech engine is not running.", cannot, 1, true);
            return std::nullopt;
        }
        return std::make_optional<MicrophoneSetupCommand>(
            system->engine(), system->grammars(), m_state.speech, window()->feedback(), m_control,
            m_messageBoxes, m_trainingScreens, m_windows);
    }

    void toggleListening() {
        if (!m_speech) {
            showNotListeningNotice(m_messageBoxes);
            return;
        }
        if (Status toggled = m_speech->toggleListening(); !toggled) {
            m_messageBoxes.reportError(toggled.number(), toggled.message(), "mnuMuteKelvo");
        }
    }

    void backupCustomStore() {
        // Before the start-up fixed the folders there is nothing to back up.
        if (m_state.startup.dataFolder.empty() || m_state.startup.myDocumentsFolder.empty()) {
            return;
        }
        backupCustomCommands(
            CatalogueFiles{m_state.startup.dataFolder, m_state.startup.myDocumentsFolder},
            m_messageBoxes);
    }

    void releaseSpeech() {
        if (m_speech) {
            (void)m_speech->system().engine().controlEngine(engine_action::kShutdown, "");
        }
    }

    // The main window is on its way out too: hidden, its parts still
    // there for the steps that follow.
    void unloadOtherWindows() {
        for (const std::string& name : m_windows.loadedWindows()) {
            if (name != kMainWindowName) {
                m_windows.unloadWindow(name);
            }
        }
        m_windows.hideWindow(kMainWindowName);
    }

    void removeTrayIcon() {
        if (window()) {
            window()->tray().removeIcon();
        }
    }

    // Being killed by the session or by Ctrl+C takes the same road out, also
    // while the start-up waits in a modal window: its loops end, and its
    // remaining steps run without starting the engine.
    void watchTermination() {
        if (auto termination = TerminationSignals::create()) {
            m_terminationWatcher = std::make_unique<TerminationWatcher>(
                std::move(termination).value(), [this] { m_control.quitProgram(); });
        } else {
            std::fprintf(stderr, "kelvo: %s\n", termination.error().message().c_str());
        }
    }

    DispatchWindowHooks dispatchWindowHooks() {
        return DispatchWindowHooks{[this](const std::string& tag) {
                                       if (window()) {
                                           window()->logic().clickTab(tag);
                                       }
                                   },
                                   [this] {
                                       return window()
                                                  ? window()->window().windowTitle().toStdString()
                                                  : std::string();
                                   },
                                   [this](const std::string& text) {
                                       if (window()) {
                                           window()->window().setSignalText(text);
                                       }
                                   }};
    }

    static std::unique_ptr<HttpClient> makeHttpClient() {
        if (auto curl = CurlHttpClient::create()) {
            return std::move(curl).value();
        } else {
            std::fprintf(stderr, "kelvo: %s\n", curl.error().message().c_str());
        }
        return std::make_unique<NoHttpClient>();
    }

    /// The desktop that raises the music player's window, opened when first
    /// needed.
    Desktop& playerDesktop() {
        if (!m_playerDesktop) {
            auto desktop = Desktop::create();
            m_playerDesktop = desktop ? std::move(desktop).value()
                                      : makeUnavailableDesktop(desktop.error().message());
        }
        return *m_playerDesktop;
    }

    std::string upgradeMessage() const {
        return m_state.exchange.replyOk ? m_state.exchange.reply.upgradeMessage : std::string();
    }

    BrowserWindowCheck browserWindowCheck() {
        return makeBrowserWindowCheck(
            [this] { return m_browserWindows.count(); },
            [this]() -> FeedbackPort* { return window() ? &window()->feedback() : nullptr; });
    }

    static std::unique_ptr<Desktop> openWindowList() {
        auto desktop = Desktop::create();
        return desktop ? std::move(desktop).value() : nullptr;
    }

    // Services and state.
    PlatformServices m_platform = PlatformServices::create();
    AppState m_state;
    QtDialogPort m_dialogs;
    QtAppControl m_control{
        [this](const std::string& program, const std::vector<std::string>& arguments) {
            return shellSucceeded(m_platform.shell->startProgram(program, arguments));
        }};
    MessageBoxes m_messageBoxes{m_state.messageBoxes, m_dialogs, m_control};
    QtWindowRegistry m_windows;
    DefaultBrowserWindows m_browserWindows{processEnvironment(), openWindowList};
    AddressOpener m_opener{*m_platform.shell, browserWindowCheck()};
    // The close-down's notices in their windows.
    WindowNotices m_notices{m_windows};

    // The recognition road's parts that exist before the engine.
    ProgramDispatchHost m_dispatchHost{m_opener, *m_platform.shell, dispatchWindowHooks(),
                                       m_state.startup.programFolder};
    ProgramInterpreters m_interpreters;
    ProgramCustomCommandHooks m_customHooks;
    MprisPlayer m_musicPlayer{MprisPlayerParts{
        [this] { return startDefaultPlayer(processEnvironment(), *m_platform.shell); },
        *m_platform.processes,
        [this](std::uint32_t processId) { return playerDesktop().raiseWindowOf(processId); },
        [] { return defaultAudioPlayerIdentity(processEnvironment()); },
        [this] { m_control.pumpEvents(); }}};
    std::unique_ptr<Desktop> m_playerDesktop;

    // The voice profiles and their screens; the profiles act once the
    // engine's side is made.
    QtTrainingScreens m_trainingScreens{m_state.startup.dataFolder, m_state.startup.programFolder};
    ProgramVoiceProfiles m_voiceProfiles{
        [this]() -> VoiceProfilePort* { return m_speech ? &m_speech->profiles() : nullptr; },
        m_messageBoxes};

    std::unique_ptr<HttpClient> m_http = makeHttpClient();
    QtUiPoster m_uiPoster{QCoreApplication::instance()};
    StartupReport m_startupReport{m_state.exchange, *m_http, [this](std::function<void()> task) {
                                      m_uiPoster.post(std::move(task));
                                  }};

    // The start-up's steps, each layer handing what it does not do to the
    // next: the main window's, then the engine's, then the program's own.
    WelcomeSound m_welcomeSound{[] { return MediaPlayer::create(); }};
    ProgramHooks m_programSteps{m_state, m_messageBoxes,
                                ProgramHookParts{[this] { return m_startup.settings(); },
                                                 &m_startupReport,
                                                 [this](const std::filesystem::path& sound) {
                                                     m_welcomeSound.play(sound);
                                                 }}};
    SpeechStartupHooks m_speechSteps{[this] { return speech(); }, m_programSteps};
    WindowStartupHooks m_windowSteps{[this] { return makeMainWindow(); }, m_speechSteps,
                                     [this] { return upgradeMessage(); }, m_windows,
                                     startupWindows()};
    StartupSequence m_startup{m_state, m_platform.forStartup(), m_messageBoxes, m_windowSteps};

    // Every road out (button, tray, window close, a spoken quit) ends here
    // once: the engine stops hearing before the files are saved.
    UpdateWindow m_updateWindow;
    UpdateWindowLogic m_updateLogic{m_updateWindow};
    CloseDown m_closeDown{
        m_state,
        m_control,
        m_messageBoxes,
        *m_platform.clock,
        CloseDownReleases{[this] { releaseSpeech(); }, [this] { removeTrayIcon(); },
                          [this] {
                              if (m_socialLogin) {
                                  m_socialLogin->tempFileCleanUp();
                              }
                          },
                          [this] { m_startupReport.settle(); }, [this] { unloadOtherWindows(); },
                          [this](bool busy) { m_windowSteps.setBusyPointer(busy); }},
        CloseDownUpdate{[this] { return m_startup.settings(); }, m_http.get(), &m_updateLogic,
                        &m_notices, &m_notices}};
    std::unique_ptr<TerminationWatcher> m_terminationWatcher;

    // Made once the start-up has fixed the folders; they go first, before
    // the main window they report to.
    CatalogueFiles m_catalogueFiles;
    std::unique_ptr<CommandLists> m_commandLists;
    std::unique_ptr<CustomCommandEditor> m_customEditor;
    std::unique_ptr<CurlHttpClient> m_bookmarkHttp;
    std::unique_ptr<BookmarkSearch> m_bookmarkSearch;
    std::unique_ptr<SocialLogin> m_socialLogin;
    QTimer m_pageScrub;
    std::unique_ptr<ProgramMusicLibrary> m_musicLibrary;
    std::unique_ptr<MusicInterpreter> m_music;
    std::unique_ptr<SocialPages> m_socialPages;
    std::unique_ptr<ProgramSpeech> m_speech;
    std::unique_ptr<MainWindowMenus> m_menus;
};

} // namespace

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kelvo");
    // The program lives in the notification area; closing a window never
    // ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    Application program;
    return program.run();
}

} // namespace kelvo
