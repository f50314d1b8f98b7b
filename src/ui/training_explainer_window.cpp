#include "ui/training_explainer_window.h"

#include "ui/link_label.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kelvo {

TrainingExplainerWindow::TrainingExplainerWindow(TrainingExplainerServices services)
    : m_logic(*this, std::move(services)) {
    setObjectName("frmWhatIsTraining");
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    resize(620, 560);
    auto* layout = new QVBoxLayout(this);
    m_help = new LinkLabel(this);
    m_help->setObjectName("pctHelp");
    m_help->setMouseTracking(true);
    m_help->installEventFilter(this);
    layout->addWidget(m_help, 0, Qt::AlignRight);
    m_sections = new QVBoxLayout;
    layout->addLayout(m_sections, 1);
    auto* links = new QGridLayout;
    const std::pair<Link, const char*> names[] = {{Link::ConfigureMic, "lblConfigureMic"},
                                                  {Link::SelectProfile, "lblSelectProfile"},
                                                  {Link::TrainProfile, "lblTrainProfile"},
                                                  {Link::CreateProfile, "lblCreateNewProfile"}};
    int row = 0;
    for (const auto& [link, name] : names) {
        auto* label = new LinkLabel(this);
        label->setObjectName(name);
        auto* line = new QLabel(this);
        links->addWidget(label, row, 0);
        links->addWidget(line, row, 1);
        ++row;
        m_links[link] = {label, line};
        connect(label, &LinkLabel::clicked, this, [this, link = link] { m_logic.clickLink(link); });
    }
    links->setColumnStretch(1, 1);
    layout->addLayout(links);
    connect(m_help, &LinkLabel::clicked, this, [this] { m_logic.clickHelp(); });
    m_logic.open();
}

void TrainingExplainerWindow::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TrainingExplainerWindow::setSections(
    const std::vector<std::pair<std::string, std::string>>& sections) {
    for (const auto& [heading, text] : sections) {
        auto* title = new QLabel(QString::fromStdString(heading), this);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        m_sections->addWidget(title);
        if (!text.empty()) {
            auto* body = new QLabel(QString::fromStdString(text), this);
            body->setWordWrap(true);
            m_sections->addWidget(body);
        }
    }
}

void TrainingExplainerWindow::setLink(Link link, const std::string& caption,
                                      const std::string& line) {
    m_links[link].first->setText(QString::fromStdString(caption));
    m_links[link].second->setText(QString::fromStdString(line));
}

void TrainingExplainerWindow::setHelpImage(int image) {
    // Image 2 is the one under the pointer: the same words, raised.
    QFont font = m_help->font();
    font.setBold(image == 2);
    m_help->setFont(font);
    m_help->setText("? Help on training");
}

void TrainingExplainerWindow::hideWindow() {
    hide();
}

bool TrainingExplainerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_help && event->type() == QEvent::Enter) {
        m_logic.pointerOverHelp();
    } else if (watched == m_help && event->type() == QEvent::Leave) {
        m_logic.pointerOverBackdrop();
    }
    return QWidget::eventFilter(watched, event);
}

void TrainingExplainerWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    m_logic.closed();
}

} // namespace kelvo
