#pragma once

#include "windows/training_explainer_logic.h"

#include <QWidget>

#include <map>

class QLabel;
class QVBoxLayout;

namespace kelvo {

class LinkLabel;

/// Draws frmWhatIsTraining; behaviour lives in TrainingExplainerLogic.
class TrainingExplainerWindow final : public QWidget, public TrainingExplainerView {
    Q_OBJECT

public:
    explicit TrainingExplainerWindow(TrainingExplainerServices services);

    void setCaption(const std::string& caption) override;
    void setSections(const std::vector<std::pair<std::string, std::string>>& sections) override;
    void setLink(Link link, const std::string& caption, const std::string& line) override;
    void setHelpImage(int image) override;
    void hideWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVBoxLayout* m_sections = nullptr;
    LinkLabel* m_help = nullptr;
    std::map<Link, std::pair<LinkLabel*, QLabel*>> m_links;
    TrainingExplainerLogic m_logic;
};

} // namespace kelvo
