#include "ui/bookmark_matching_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kelvo {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kNarrowTwips = 10455;
constexpr int kWideTwips = 13745;

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QTreeWidget* makeList(const QString& name, const QStringList& headers, const QList<int>& twips,
                      QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setHeaderLabels(headers);
    list->header()->setSectionsClickable(true);
    for (int i = 0; i < twips.size(); ++i) {
        list->setColumnWidth(i, twips[i] / kTwipsPerPixel);
    }
    return list;
}

} // namespace

BookmarkMatchingWindow::BookmarkMatchingWindow(BookmarkMatchingServices services,
                                               EditorRunner runEditor)
    : m_runEditor(std::move(runEditor)), m_logic(*this, std::move(services)) {
    setObjectName("frmMatchBookmarks");
    setWindowTitle("Create a Custom Speech Command From a Bookmark");
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plainLabel(
        "Double click a bookmark to create a speech command for it.  Tick a bookmark's box to "
        "view the website.  The two boxes below are optional.",
        this));
    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(plainLabel("Bookmarked Websites", this));
    m_bookmarks =
        makeList("ListView1", {"Website", "Source", "Description"}, {4450, 1375, 4450}, this);
    left->addWidget(m_bookmarks);
    lists->addLayout(left, 3);
    m_commands = makeList("ListView2", {"Custom Command", "Website"}, {1500, 2000}, this);
    lists->addWidget(m_commands, 1);
    layout->addLayout(lists);
    m_filter = new QCheckBox(
        "OPTIONAL:  Filter out bookmarked websites that are already custom commands.", this);
    m_filter->setObjectName("Check1");
    m_showCommands = new QCheckBox("OPTIONAL:  Show my current custom speech commands.", this);
    m_showCommands->setObjectName("Check2");
    auto* help = new QPushButton("Bookmark Help", this);
    help->setObjectName("Command1");
    layout->addWidget(m_filter);
    layout->addWidget(m_showCommands);
    layout->addWidget(help, 0, Qt::AlignLeft);
    resize(kNarrowTwips / kTwipsPerPixel, 480);

    connect(m_filter, &QCheckBox::clicked, this, [this] { m_logic.check1Clicked(); });
    connect(m_showCommands, &QCheckBox::clicked, this,
            [this](bool on) { m_logic.check2Clicked(on); });
    connect(help, &QPushButton::clicked, this, [this] { m_logic.command1Clicked(); });
    connect(m_bookmarks->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_logic.bookmarkHeaderClicked(static_cast<BookmarkColumn>(column));
    });
    connect(m_commands->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_logic.commandHeaderClicked(static_cast<CustomListColumn>(column));
    });
    connect(m_bookmarks, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (!m_filling) {
            m_logic.bookmarkTicked(static_cast<size_t>(m_bookmarks->indexOfTopLevelItem(item)),
                                   item->checkState(0) == Qt::Checked);
        }
    });
    // A double click on no row reaches the logic too; the view's own signal
    // only reports rows.
    m_bookmarks->viewport()->installEventFilter(this);
    connect(m_bookmarks, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        const int row = m_bookmarks->indexOfTopLevelItem(item);
        m_logic.bookmarkDoubleClicked(row < 0 ? std::nullopt
                                              : std::optional<size_t>(static_cast<size_t>(row)));
    });
    m_logic.formLoad();
}

bool BookmarkMatchingWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_bookmarks->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(event);
        if (click->button() == Qt::LeftButton &&
            m_bookmarks->itemAt(click->position().toPoint()) == nullptr) {
            m_logic.bookmarkDoubleClicked(std::nullopt);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BookmarkMatchingWindow::setBookmarkRows(const std::vector<BookmarkListRow>& rows) {
    m_filling = true;
    m_bookmarks->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const BookmarkListRow& row : rows) {
        auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(row.website),
                                                     QString::fromStdString(row.source),
                                                     QString::fromStdString(row.description)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.ticked ? Qt::Checked : Qt::Unchecked);
        items.push_back(item);
    }
    m_bookmarks->addTopLevelItems(items);
    m_filling = false;
}

void BookmarkMatchingWindow::setCommandRows(const std::vector<CommandListRow>& rows) {
    m_commands->clear();
    for (const CommandListRow& row : rows) {
        m_commands->addTopLevelItem(new QTreeWidgetItem(
            QStringList{QString::fromStdString(row.phrase), QString::fromStdString(row.website)}));
    }
}

void BookmarkMatchingWindow::setWide(bool wide) {
    m_commands->setVisible(wide);
    resize((wide ? kWideTwips : kNarrowTwips) / kTwipsPerPixel, height());
}

bool BookmarkMatchingWindow::filterTicked() const {
    return m_filter->isChecked();
}

void BookmarkMatchingWindow::setBusyPointer(bool busy) {
    m_busy.set(busy);
}

void BookmarkMatchingWindow::showWindow() {
    show();
    raise();
    activateWindow();
}

void BookmarkMatchingWindow::showPhraseEditor(const BookmarkListRow& row) {
    if (m_runEditor) {
        m_runEditor(row, this);
    }
}

} // namespace kelvo
