#include "ui/bookmark_import_window.h"

#include "integrations/bookmarks/bookmark_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

namespace {

constexpr std::array<ImportSource, 4> kSources{ImportSource::InternetExplorer,
                                               ImportSource::Firefox, ImportSource::Safari,
                                               ImportSource::WebService};
constexpr std::array<const char*, 4> kBoxNames{"ckIE", "ckFF", "ckSF", "ckDL"};
constexpr std::array<const char*, 4> kPictureNames{"pcIE", "pcFF", "pcSF", "pcDL"};

// The small "read" mark beside a source: a green tick.
QPixmap okPicture() {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2e, 0x8b, 0x3a), 2.5));
    painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    return picture;
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

size_t indexOf(ImportSource source) {
    return static_cast<size_t>(source);
}

} // namespace

BookmarkImportWindow::BookmarkImportWindow(BookmarkImportServices services)
    : m_logic(*this, std::move(services)) {
    setObjectName("frmImport");
    setWindowTitle("Create a Custom Speech Command From a Bookmark");
    setAttribute(Qt::WA_DeleteOnClose);
    const QString service = QString::fromUtf8(bookmarks::kServiceDisplayName.data(),
                                              bookmarks::kServiceDisplayName.size());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plainLabel("Instructions: ", this));
    layout->addWidget(plainLabel("The first step is to get a list of bookmarks, then select a "
                                 "bookmark and create a custom command from it.  ",
                                 this));
    layout->addWidget(
        plainLabel("You can create custom commands from any or all of your bookmarks.", this));
    layout->addWidget(plainLabel("Tick one or more of the boxes below, then press the "
                                 "\"Build Bookmarks/Favorites List\" button.",
                                 this));
    auto* grid = new QGridLayout;
    for (size_t i = 0; i < kSources.size(); ++i) {
        m_boxes[i] = new QCheckBox(QString::fromStdString(importSourceCaption(kSources[i])), this);
        m_boxes[i]->setObjectName(kBoxNames[i]);
        m_status[i] = new QLabel(this);
        m_status[i]->setObjectName(kPictureNames[i]);
        m_status[i]->setFixedSize(16, 16);
        grid->addWidget(m_boxes[i], static_cast<int>(i), 0);
        grid->addWidget(m_status[i], static_cast<int>(i), 1);
    }
    layout->addLayout(grid);

    m_login = new QWidget(this);
    m_login->setObjectName("Picture2");
    auto* form = new QFormLayout(m_login);
    form->addRow(plainLabel(service + " needs your log-in to send your bookmarks.", m_login));
    m_user = new QLineEdit(m_login);
    m_user->setObjectName("txtDlUsername");
    m_password = new QLineEdit(m_login);
    m_password->setObjectName("txtDlPassword");
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(service + " User Name:", m_user);
    form->addRow(service + " Password:", m_password);
    m_login->setVisible(false);
    layout->addWidget(m_login);

    auto* build = new QPushButton("Build Bookmarks/Favorites List", this);
    build->setObjectName("Command2");
    layout->addWidget(build);

    setMinimumWidth(440);

    for (size_t i = 0; i < kSources.size(); ++i) {
        connect(m_boxes[i], &QCheckBox::clicked, this,
                [this, source = kSources[i]](bool on) { m_logic.sourceClicked(source, on); });
    }
    connect(build, &QPushButton::clicked, this, [this] { m_logic.command2Clicked(); });
    m_logic.formLoad();
}

void BookmarkImportWindow::setTicked(ImportSource source, bool ticked) {
    m_boxes[indexOf(source)]->setChecked(ticked);
}

void BookmarkImportWindow::setStatusShown(ImportSource source, bool shown) {
    QLabel* picture = m_status[indexOf(source)];
    if (shown) {
        picture->setPixmap(okPicture());
    } else {
        picture->clear();
    }
}

void BookmarkImportWindow::setLoginPanelVisible(bool visible) {
    m_login->setVisible(visible);
}

std::string BookmarkImportWindow::userName() const {
    return m_user->text().toStdString();
}

std::string BookmarkImportWindow::password() const {
    return m_password->text().toStdString();
}

void BookmarkImportWindow::clearPassword() {
    m_password->clear();
}

void BookmarkImportWindow::setBusyPointer(bool busy) {
    m_busy.set(busy);
}

void BookmarkImportWindow::showWindow() {
    show();
    raise();
    activateWindow();
}

void BookmarkImportWindow::closeEvent(QCloseEvent* event) {
    m_logic.formUnload();
    event->accept();
}

} // namespace kelvo
