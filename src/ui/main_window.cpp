#include "ui/main_window.h"

#include "ui/kelvo_icons.h"
#include "windows/main_window_logic.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString qpath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

constexpr int kTwipsPerPixel = 15;

struct TabSpec {
    const char* caption;
    const char* tag;
};
constexpr std::array<TabSpec, 11> kTabs = {{{"Basic", "Basic"},
                                            {"Stuff", "Stuff"},
                                            {"Places", "Places"},
                                            {"Fun", "Fun"},
                                            {"Custom", "Custom"},
                                            {"Client Tab", "Client"},
                                            {"Music", "Music"},
                                            {"Bookmarks", "Bookmarks"},
                                            {"Searches", "Searches"},
                                            {"Social", "Social"},
                                            {"Options", "Options"}}};

/// A label that never interprets its text as markup.
QLabel* plainLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Mouse");
    setWindowTitle("kelvo");
    setWindowIcon(trayIcon(false));

    auto* central = new QWidget(this);
    auto* outer = new QHBoxLayout(central);

    auto* left = new QVBoxLayout;
    m_tabs = new QTabBar(central);
    m_tabs->setObjectName("TabStrip1");
    m_tabs->setExpanding(false);
    // Arrow keys switch tabs once the strip has focus, also after a click.
    m_tabs->setFocusPolicy(Qt::StrongFocus);
    for (const TabSpec& tab : kTabs) {
        const int index = m_tabs->addTab(tab.caption);
        m_tabs->setTabData(index, QString(tab.tag));
    }
    left->addWidget(m_tabs);

    auto* area = new QWidget(central);
    area->setObjectName("tabArea");
    buildPages(area);
    left->addWidget(area, 1);

    auto* status = new QHBoxLayout;
    m_listening = new QLabel(central);
    m_listening->setObjectName("pctListening");
    m_listening->setFixedSize(40, 40);
    m_listening->setToolTip("Click to mute or activate the microphone");
    m_listening->installEventFilter(this);
    status->addWidget(m_listening);
    auto* lines = new QVBoxLayout;
    m_feedback = plainLabel("lblFeedback", central);
    m_feedback->setText("I Heard: ");
    m_location = plainLabel("lblLocation", central);
    m_location->setCursor(Qt::PointingHandCursor);
    m_signal = plainLabel("Label2", central);
    m_signal->setStyleSheet("color: #b00000; font-weight: bold;");
    m_signal->hide();
    lines->addWidget(m_feedback);
    lines->addWidget(m_signal);
    lines->addWidget(m_location);
    status->addLayout(lines, 1);
    left->addLayout(status);

    auto* buttons = new QHBoxLayout;
    for (auto [name, caption] :
         {std::pair{"BtnExit", "&Quit kelvo"}, std::pair{"btnHide", "&Hide kelvo"},
          std::pair{"cmdTrain", "&Train kelvo"}, std::pair{"cmdPrint", "&Print Commands"},
          std::pair{"Command15", "&Tutorial"}}) {
        buttons->addWidget(makeButton(name, caption, central));
    }
    buttons->addStretch();
    left->addLayout(buttons);
    outer->addLayout(left, 1);

    // Start page above the ad panes, on the right.
    auto* right = new QVBoxLayout;
    m_startPage = new QTextBrowser(central);
    m_startPage->setObjectName("WebBrowser1");
    m_startPage->setOpenLinks(false);
    m_startPage->setFixedWidth(240);
    right->addWidget(m_startPage, 1);
    const std::array<const char*, 4> adNames = {"WebBrowser2", "WebBrowser5", "WebBrowser3",
                                                "WebBrowser4"};
    for (size_t i = 0; i < adNames.size(); ++i) {
        auto* pane = new QTextBrowser(central);
        pane->setObjectName(adNames[i]);
        pane->setOpenLinks(false);
        pane->setFixedSize(240, 90);
        pane->hide();
        right->addWidget(pane);
        m_adPanes[i] = pane;
    }
    outer->addLayout(right);

    setCentralWidget(central);
    buildMenus();
    connectControls();
    resize(980, 640);
}

MainWindow::~MainWindow() = default;

QPushButton* MainWindow::makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    m_buttons[name] = button;
    return button;
}

QAction* MainWindow::makeAction(const char* name, const QString& caption, QObject* parent) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    m_actions[name] = action;
    return action;
}

QTreeWidget* MainWindow::makeList(ListId id, const char* name, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setColumnCount(0);
    list->setToolTip(qs(listToolTip(id)));
    // The last column takes the rest of the width, so one-column lists
    // never cut their phrases.
    list->header()->setStretchLastSection(true);
    m_lists[id] = list;
    return list;
}

QWidget* MainWindow::makeFrame(Frame frame, QWidget* area, const char* name) {
    auto* widget = new QWidget(area);
    widget->setObjectName(name);
    auto* grid = static_cast<QGridLayout*>(area->layout());
    grid->addWidget(widget, 0, 0);
    m_frames[static_cast<size_t>(frame)] = widget;
    return widget;
}

QPushButton* MainWindow::button(const QString& name) const {
    auto it = m_buttons.find(name);
    return it == m_buttons.end() ? nullptr : it->second;
}

QAction* MainWindow::menuAction(const QString& name) const {
    auto it = m_actions.find(name);
    return it == m_actions.end() ? nullptr : it->second;
}

QTreeWidget* MainWindow::list(ListId id) const {
    auto it = m_lists.find(id);
    return it == m_lists.end() ? nullptr : it->second;
}

QCheckBox* MainWindow::checkBox(CheckBox box) const {
    switch (box) {
    case CheckBox::ShowSplash:
        return m_showSplash;
    case CheckBox::ShowMain:
        return m_showMain;
    case CheckBox::AutoStart:
        break;
    }
    return m_autoStart;
}

QWidget* MainWindow::frame(Frame frame) const {
    return m_frames[static_cast<size_t>(frame)];
}

QList<QAction*> MainWindow::trayMenuActions() const {
    return {menuAction("mnuMuteKelvo"), menuAction("mnuSysTrayshow"),
            menuAction("mnuSysTrayclose")};
}

void MainWindow::connectControls() {
    connect(m_tabs, &QTabBar::currentChanged, this, [this] {
        if (m_logic) {
            m_logic->tabStripClicked();
        }
    });
    // clicked() comes from the user only; code that sets a box stays quiet.
    connect(m_showSplash, &QCheckBox::clicked, this, [this](bool on) {
        if (m_logic) {
            m_logic->showSplashClicked(on);
        }
    });
    connect(m_showMain, &QCheckBox::clicked, this, [this](bool on) {
        if (m_logic) {
            m_logic->showMainClicked(on);
        }
    });
    connect(m_autoStart, &QCheckBox::clicked, this, [this](bool on) {
        if (m_logic) {
            m_logic->autoStartClicked(on);
        }
    });
    connect(m_chatList, &QComboBox::activated, this, [this](int index) {
        if (m_logic) {
            m_logic->chatProgramChosen(m_chatList->itemText(index).toStdString());
        }
    });
    // Plain lambdas rather than a table of member pointers: the sanitizer
    // build misreads member pointers captured into Qt slot objects.
    connect(button("BtnExit"), &QPushButton::clicked, this, [this] {
        if (m_logic) {
            m_logic->exitClicked();
        }
    });
    connect(button("btnHide"), &QPushButton::clicked, this, [this] {
        if (m_logic) {
            m_logic->hideClicked();
        }
    });
    connect(button("btnApplyNewSetting"), &QPushButton::clicked, this, [this] {
        if (m_logic) {
            m_logic->applyNewSettingClicked();
        }
    });
    connect(button("cmdAddChat"), &QPushButton::clicked, this, [this] {
        if (m_logic) {
            m_logic->addChatClicked();
        }
    });
    for (const auto& [buttonName, dialog] :
         {std::pair{"cmdSkype", "frmskype"}, std::pair{"cmdJajah", "frmjajah"}}) {
        connect(button(buttonName), &QPushButton::clicked, this, [this, window = dialog] {
            if (m_logic) {
                m_logic->openDialogClicked(window);
            }
        });
    }
    connect(menuAction("mnuMuteKelvo"), &QAction::triggered, this, [this] {
        if (m_logic) {
            m_logic->muteClicked();
        }
    });
    connect(menuAction("mnuSysTrayshow"), &QAction::triggered, this, [this] {
        if (m_logic) {
            m_logic->trayShowClicked();
        }
    });
    connect(menuAction("mnuSysTrayclose"), &QAction::triggered, this, [this] {
        if (m_logic) {
            m_logic->quitFromTray();
        }
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, by whatever road.
    if (m_logic) {
        m_logic->formUnload();
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_listening && event->type() == QEvent::MouseButtonRelease) {
        // A click is a left release over the picture; letting go elsewhere
        // takes the press back, as with a button.
        const auto* release = static_cast<QMouseEvent*>(event);
        if (m_logic && release->button() == Qt::LeftButton &&
            m_listening->rect().contains(release->position().toPoint())) {
            m_logic->muteClicked();
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        emit firstPainted();
    }
}

void MainWindow::setLocationText(const std::string& text) {
    m_location->setText(qs(text));
}

void MainWindow::setFeedbackText(const std::string& text) {
    m_feedback->setText(qs(text));
}

void MainWindow::setSignalText(const std::string& text) {
    m_signal->setText(qs(text));
    m_signal->setVisible(!text.empty());
}

void MainWindow::showStartPage(const std::filesystem::path& page) {
    // Local pages only, shown as rich text; no scripts, no network.
    if (QFileInfo::exists(qpath(page))) {
        m_startPage->setSource(QUrl::fromLocalFile(qpath(page)));
    }
}

void MainWindow::setAdPane(int pane, const std::filesystem::path& page, bool visible) {
    if (pane < 1 || pane > 4) {
        return;
    }
    QTextBrowser* browser = m_adPanes[static_cast<size_t>(pane - 1)];
    if (visible && QFileInfo::exists(qpath(page))) {
        browser->setSource(QUrl::fromLocalFile(qpath(page)));
    }
    browser->setVisible(visible);
}

void MainWindow::setCheckBox(CheckBox box, bool checked) {
    checkBox(box)->setChecked(checked);
}

void MainWindow::setFrameVisible(Frame frame, bool visible) {
    m_frames[static_cast<size_t>(frame)]->setVisible(visible);
}

bool MainWindow::isFrameVisible(Frame frame) const {
    return !m_frames[static_cast<size_t>(frame)]->isHidden();
}

std::vector<std::string> MainWindow::tabTags() const {
    std::vector<std::string> tags;
    for (int i = 0; i < m_tabs->count(); ++i) {
        tags.push_back(m_tabs->tabData(i).toString().toStdString());
    }
    return tags;
}

int MainWindow::selectedTab() const {
    return m_tabs->currentIndex();
}

void MainWindow::selectTab(int index) {
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(index);
}

void MainWindow::removeTab(int index) {
    const QSignalBlocker quiet(m_tabs);
    m_tabs->removeTab(index);
}

void MainWindow::clearList(ListId id) {
    if (QTreeWidget* tree = list(id)) {
        tree->clear();
        tree->setColumnCount(0);
        tree->setHeaderLabels({});
    }
}

void MainWindow::addListColumn(ListId id, const std::string& header, int widthTwips) {
    QTreeWidget* tree = list(id);
    if (!tree) {
        return;
    }
    const int column = tree->columnCount();
    tree->setColumnCount(column + 1);
    tree->headerItem()->setText(column, qs(header));
    tree->setColumnWidth(column, widthTwips / kTwipsPerPixel);
}

void MainWindow::addListRow(ListId id, const std::vector<std::string>& cells) {
    QTreeWidget* tree = list(id);
    if (!tree) {
        return;
    }
    auto* item = new QTreeWidgetItem(tree);
    for (size_t i = 0; i < cells.size(); ++i) {
        item->setText(static_cast<int>(i), qs(cells[i]));
    }
}

int MainWindow::listRowCount(ListId id) const {
    QTreeWidget* tree = list(id);
    return tree ? tree->topLevelItemCount() : 0;
}

std::vector<std::string> MainWindow::selectedListRow(ListId id) const {
    QTreeWidget* tree = list(id);
    const QList<QTreeWidgetItem*> selected =
        tree ? tree->selectedItems() : QList<QTreeWidgetItem*>();
    std::vector<std::string> cells;
    if (!selected.isEmpty()) {
        for (int column = 0; column < tree->columnCount(); ++column) {
            cells.push_back(selected.front()->text(column).toStdString());
        }
    }
    return cells;
}

void MainWindow::setListEnabled(ListId id, bool enabled) {
    if (QTreeWidget* tree = list(id)) {
        tree->setEnabled(enabled);
    }
}

void MainWindow::addChatProgramItem(const std::string& name) {
    m_chatList->addItem(qs(name));
}

void MainWindow::setWebcamLabel(const std::string& text) {
    m_webcamSelected->setText(qs(text));
}

std::optional<std::filesystem::path> MainWindow::chooseProgramFile() {
    const QString file = QFileDialog::getOpenFileName(this, "Select A Webcam/Chat Program");
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(file.toStdString());
}

void MainWindow::setHandednessButton(const std::string& caption,
                                     const std::filesystem::path& picture) {
    button("btnApplyNewSetting")->setText(qs(caption));
    const QPixmap pixmap(qpath(picture));
    m_handednessPicture->setPixmap(pixmap);
    m_handednessPicture->setVisible(!pixmap.isNull());
}

void MainWindow::setListeningImage(int image) {
    if (image < 1 || image > 4) {
        return;
    }
    m_listening->setPixmap(listeningPixmap(image >= 3, image % 2 == 0, 40));
}

void MainWindow::showWindow() {
    show();
    raise();
    activateWindow();
}

void MainWindow::hideWindow() {
    hide();
}

bool MainWindow::isWindowVisible() const {
    return isVisible();
}

} // namespace kelvo
