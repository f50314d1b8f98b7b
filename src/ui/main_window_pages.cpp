#include "ui/main_window.h"
#include "windows/main_window_lists.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

void MainWindow::buildPages(QWidget* area) {
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);

    QWidget* basic = makeFrame(Frame::VoiceCommands, area, "fmvoiceCommands");
    (new QVBoxLayout(basic))->addWidget(makeList(ListId::Basic, "lstViewBasic", basic));

    QWidget* stuff = makeFrame(Frame::Stuff, area, "fmStuff");
    (new QVBoxLayout(stuff))->addWidget(makeList(ListId::Stuff, "lstvwWebCommands1", stuff));

    QWidget* places = makeFrame(Frame::WebCommands, area, "fmwebCommands");
    (new QVBoxLayout(places))->addWidget(makeList(ListId::Places, "lstvwWebCommands2", places));

    QWidget* fun = makeFrame(Frame::Fun, area, "fmFun");
    (new QVBoxLayout(fun))->addWidget(makeList(ListId::Fun, "lstvwWebCommands4", fun));

    QWidget* custom = makeFrame(Frame::CustomCommands, area, "fmcustomCommands");
    auto* customLayout = new QVBoxLayout(custom);
    customLayout->addWidget(makeList(ListId::Custom, "ListView1", custom));
    auto* customButtons = new QHBoxLayout;
    customButtons->addWidget(makeButton("cmdAddCommand", "Add A Command", custom));
    customButtons->addWidget(makeButton("cmdRemoveCommand", "Remove A Command", custom));
    customButtons->addWidget(makeButton("Command10", "Custom Speech Command Help", custom));
    customButtons->addStretch();
    customLayout->addLayout(customButtons);

    QWidget* client = makeFrame(Frame::ClientCommands, area, "fmClientCommands");
    auto* clientList = new QTreeWidget(client);
    clientList->setObjectName("lstvwClientCommands");
    (new QVBoxLayout(client))->addWidget(clientList);

    QWidget* music = makeFrame(Frame::Music, area, "fmMusic");
    auto* musicLayout = new QGridLayout(music);
    musicLayout->addWidget(makeList(ListId::MusicBasic, "lstViewMusicBasic", music), 0, 0);
    musicLayout->addWidget(makeList(ListId::MusicPlay, "lstViewPlay", music), 0, 1);
    musicLayout->addWidget(makeList(ListId::MusicSearch, "lstViewMusicSearch", music), 1, 0);
    musicLayout->addWidget(makeList(ListId::MusicOther, "lstViewMusicOther", music), 1, 1);
    QLabel* footnote = wrappedLabel(QString::fromStdString(musicFootnote()), music);
    footnote->setObjectName("Label10");
    musicLayout->addWidget(footnote, 2, 0, 1, 2);
    auto* musicButtons = new QHBoxLayout;
    musicButtons->addWidget(makeButton("Command11", "Click Here For Music Help", music));
    musicButtons->addWidget(makeButton("Command3", "Create", music));
    musicButtons->addWidget(makeButton("Command4", "kill", music));
    musicButtons->addStretch();
    musicLayout->addLayout(musicButtons, 3, 0, 1, 2);

    QWidget* bookmarks = makeFrame(Frame::Bookmarks, area, "fmBookmarks");
    auto* bookmarkLayout = new QVBoxLayout(bookmarks);
    bookmarkLayout->addWidget(wrappedLabel(
        "Import the bookmarks of your browser as speech commands, then open them by saying "
        "their names, or search them by voice.",
        bookmarks));
    bookmarkLayout->addWidget(makeButton("Command1", "Import Bookmarks", bookmarks));
    bookmarkLayout->addWidget(makeButton("Command2", "Bookmark Import Help", bookmarks));
    bookmarkLayout->addWidget(makeButton("Command9", "Bookmark Search Help", bookmarks));
    bookmarkLayout->addStretch();

    QWidget* searches = makeFrame(Frame::Searches, area, "fmSearches");
    auto* searchLayout = new QGridLayout(searches);
    searchLayout->addWidget(makeList(ListId::RegularSearch, "lstvwRegSearch", searches), 0, 0);
    searchLayout->addWidget(makeList(ListId::SpellSearch, "lstvwSpellSearch", searches), 0, 1);
    auto* searchButtons = new QGridLayout;
    searchButtons->addWidget(makeButton("Command5", "standard search help", searches), 0, 0);
    searchButtons->addWidget(makeButton("Command6", "spellsearch help", searches), 0, 1);
    searchButtons->addWidget(makeButton("Command7", "local search help", searches), 1, 0);
    searchButtons->addWidget(makeButton("Command8", "local spellsearch help", searches), 1, 1);
    searchButtons->addWidget(
        makeButton("cmdSearchHelp", "Click Here for Local Search Settings", searches), 2, 0, 1, 2);
    searchLayout->addLayout(searchButtons, 1, 0, 1, 2);

    QWidget* social = makeFrame(Frame::Social, area, "fmSocial");
    auto* socialLayout = new QGridLayout(social);
    socialLayout->addWidget(makeList(ListId::Facebook, "lstViewFacebook", social), 0, 0, 2, 1);
    socialLayout->addWidget(makeList(ListId::MySpace, "lstviewMySpace", social), 0, 1, 2, 1);
    socialLayout->addWidget(makeList(ListId::Login, "lstViewLogin", social), 0, 2);
    socialLayout->addWidget(makeButton("cmdSocialSetup", "Setup Social Networking", social), 1, 2);

    QWidget* options = makeFrame(Frame::MouseConfig, area, "fmMouseConfig");
    buildOptionsPage(options);

    QWidget* firstTime = makeFrame(Frame::FirstTime, area, "fmFirstTime");
    auto* firstLayout = new QVBoxLayout(firstTime);
    auto* setup = wrappedLabel("Click here to set up kelvo for your voice", firstTime);
    setup->setObjectName("lblClickSetup");
    auto* use = wrappedLabel("Click here to start using kelvo", firstTime);
    use->setObjectName("lblClickUse");
    firstLayout->addWidget(setup);
    firstLayout->addWidget(use);
    firstLayout->addStretch();

    // Stored hidden; the load shows the Basic page.
    for (QWidget* frame : m_frames) {
        frame->hide();
    }
    m_frames[static_cast<size_t>(Frame::VoiceCommands)]->show();
}

void MainWindow::buildOptionsPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    m_autoStart = new QCheckBox("Start Automatically When the Computer Turns On", page);
    m_autoStart->setObjectName("ckAutoStart");
    m_showSplash = new QCheckBox("Display the Welcome Screen When it Starts ", page);
    m_showSplash->setObjectName("ckShowSplash");
    m_showMain = new QCheckBox("Display this Screen When it Starts", page);
    m_showMain->setObjectName("ckShowMain");
    layout->addWidget(m_autoStart);
    layout->addWidget(m_showSplash);
    layout->addWidget(m_showMain);

    auto* chatRow = new QHBoxLayout;
    chatRow->addWidget(wrappedLabel("Select A Webcam/Chat Program: ", page));
    m_chatList = new QComboBox(page);
    m_chatList->setObjectName("cboChatList");
    m_chatList->setMinimumWidth(220);
    chatRow->addWidget(m_chatList);
    chatRow->addStretch();
    layout->addLayout(chatRow);
    m_webcamSelected = wrappedLabel({}, page);
    m_webcamSelected->setObjectName("lblWebcamSelected");
    layout->addWidget(m_webcamSelected);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(
        makeButton("cmdAddChat", "Not on the list?  Click to find your program.", page));
    addRow->addStretch();
    layout->addLayout(addRow);

    auto* handRow = new QHBoxLayout;
    handRow->addWidget(makeButton("btnApplyNewSetting", "&Apply New Setting", page));
    m_handednessPicture = new QLabel(page);
    m_handednessPicture->setObjectName("Picture2");
    m_handednessPicture->hide();
    handRow->addWidget(m_handednessPicture);
    handRow->addStretch();
    layout->addLayout(handRow);

    auto* voipRow = new QHBoxLayout;
    voipRow->addWidget(makeButton("cmdSkype", "Skype Settings", page));
    voipRow->addWidget(makeButton("cmdJajah", "Jajah Settings", page));
    voipRow->addWidget(makeButton("Command12", "Click For  Help", page));
    // The web-call service's logo, a link to its site.
    auto* logoOuter = new QWidget(page);
    logoOuter->setObjectName("pictJajahOuter");
    auto* logo = new QLabel(logoOuter);
    logo->setObjectName("pictjajah");
    logo->setToolTip("Jajah web calls");
    (new QHBoxLayout(logoOuter))->addWidget(logo);
    voipRow->addWidget(logoOuter);
    voipRow->addStretch();
    layout->addLayout(voipRow);
    layout->addStretch();
}

void MainWindow::buildMenus() {
    // The tray popup's items; its menu is never in the menu bar.
    makeAction("mnuMuteKelvo", "Mute/Activate Microphone", this);
    makeAction("mnuSysTrayshow", "Show kelvo", this);
    makeAction("mnuSysTrayclose", "Close kelvo", this);

    QMenuBar* bar = menuBar();
    QMenu* training = bar->addMenu("Training && Recognition Profiles");
    training->setObjectName("mnuTraining");
    for (auto [name, caption] : {
             std::pair{"mnuExplainProfile",
                       "Help - What Is A Recognition Profile, And What Is Training?"},
             std::pair{"mnuCreateProfile", "Create A Recognition Profile"},
             std::pair{"mnuSelectProfile",
                       "Select A Different Recognition Profile / Change My Settings"},
             std::pair{"mnuTrainProfile", "Train A Recognition Profile"},
             std::pair{"mnuConfigureMic", "Configure Your Microphone"},
             std::pair{"mnuProfileSettings", "Show My Current Recognition Profile"},
         }) {
        training->addAction(makeAction(name, caption, training));
    }
    QAction* hiddenTrain = makeAction("mnuTrainTheMouse", "junk--Train Kelvo", training);
    hiddenTrain->setVisible(false);
    training->addAction(hiddenTrain);

    QMenu* survey = bar->addMenu("Questionnaire");
    survey->setObjectName("mnuSurvey");
    survey->addAction(makeAction("mnuTakeSurvey", "Participate In Our Questionnaire!", survey));
    survey->menuAction()->setVisible(false);

    QMenu* help = bar->addMenu("Help");
    help->setObjectName("mnuHelp");
    help->addAction(makeAction("mnuTutorial", "Tutorial", help));
    help->addSeparator()->setObjectName("mnuDivider");
    for (auto [name, caption] : {
             std::pair{"mnuHelpIntro", "Introduction"},
             std::pair{"mnuHelpQuickstart", "Quickstart Instructions"},
             std::pair{"mnuHelpInstall", "Installation && Setup"},
             std::pair{"mnuHelpOverview", "Using kelvo - Overview"},
             std::pair{"mnuHelpBasic",
                       "Basic Tab - Speech Commands That Cause The OS To Perform Actions"},
             std::pair{"mnuHelpStuff", "Stuff Tab - Speech Commands That Link To Websites "
                                       "Providing Products/Services"},
             std::pair{"mnuHelpPlaces",
                       "Places Tab - Speech Commands That Link Very Popular Websites"},
             std::pair{"mnuHelpFun",
                       "Fun Tab - Speech Commands That Link To Fun && Unusual Websites"},
             std::pair{"mnuHelpCustom", "Custom Tab - Create Your Own Speech Commands"},
             std::pair{"mnuHelpMusic", "Music Tab - Control iTunes by Apple Via Speech Commands"},
             std::pair{"mnuHelpBookmark", "Bookmark Tab - Create Your Own Speech Commands From "
                                          "Your Browser Bookmarks, && Search Them!"},
             std::pair{"mnuHelpSearches",
                       "Searches Tab - Search The Internet By Talking To Your PC"},
             std::pair{"mnuHelpSocial", "Social Tab - Log Into && Navigate Facebook && MySpace "
                                        "Using Speech Commands"},
             std::pair{"mnuHelpOptions", "Options Tab - Webcam/Chat Commands && Other Settings"},
             std::pair{"mnuHelpTips", "Tips && Tricks"},
             std::pair{"mnuHelpMacs", "Using kelvo On Macs"},
             std::pair{"mnuHelpFAQ", "Frequently Asked Questions"},
             std::pair{"mnuHelpGlossary", "Glossary Of Terms"},
             std::pair{"mnuHelpEULA", "License Agreement - End User License Agreement (EULA)"},
             std::pair{"mnuHelpIP", "Copyright/Patent"},
         }) {
        help->addAction(makeAction(name, caption, help));
    }
    help->addSeparator()->setObjectName("mnuDivider2");
    help->addAction(makeAction("mnuTrainingHelp", "Training", help));
    help->addAction(makeAction("mnuTroubleshootMic", "Troubleshoot Microphone Problems", help));
    help->addSeparator()->setObjectName("mnuDivider3");
    help->addAction(makeAction("mnuAbout", "About kelvo", help));
    help->addAction(makeAction("mnuKelvoHome", "Kelvo Homepage", help));
    help->addSeparator()->setObjectName("mnuDivider10");
    help->addAction(makeAction("mnuSupport", "Support / Contact Us", help));

    bar->addAction(makeAction("mnu_tellafriend", "Tell A Friend", bar));

    QMenu* feedback = bar->addMenu("Send Us Your Feedback");
    feedback->setObjectName("mnuFeedback");
    feedback->addAction(makeAction("TakeASurvey", "Take A Survey", feedback));
    feedback->addAction(makeAction("ContactUs", "Contact Us At help@kelvo.example", feedback));
}

} // namespace kelvo
