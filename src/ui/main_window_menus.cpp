#include "ui/main_window_menus.h"

#include "ui/kelvo_icons.h"
#include "ui/main_window.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace kelvo {

MainWindowMenus::MainWindowMenus(MainWindowMenuServices s, MainWindowLinksHooks hooks)
    : m_window(s.window), m_help(s.programFolder / "help", s.dataFolder, s.open, s.boxes),
      m_menus(m_help, s.open, s.windows, s.boxes),
      m_links(s.window, s.speech, m_help, s.windows, s.boxes, s.shell, s.open, s.programFolder,
              s.dataFolder, std::move(hooks)),
      m_printer(s.programFolder, s.dataFolder, s.open, s.boxes),
      m_questionnaire(s.questionnaire, m_questionnaireWindow, s.settings, s.boxes, s.app, s.clock,
                      s.random, s.open, s.programFolder, s.dataFolder) {
    m_questionnaireWindow.setLogic(&m_questionnaire);
    m_menus.setHandler("mnuTakeSurvey", [this] { m_questionnaire.menuClicked(); });
    m_menus.setHandler("cmdPrint", [this] { m_printer.printCommandLists(); });
    m_menus.setHandler("mnuTroubleshootMic", [this] { m_links.troubleshootMicrophone(); });
    connectControls();
}

void MainWindowMenus::connectControls() {
    for (const MenuItem& item : mainWindowMenuItems()) {
        const QString name =
            QString::fromUtf8(item.control.data(), static_cast<qsizetype>(item.control.size()));
        const std::string control(item.control);
        if (QAction* action = m_window.menuAction(name)) {
            connect(action, &QAction::triggered, this,
                    [this, control] { (void)m_menus.activate(control); });
        } else if (QPushButton* button = m_window.button(name)) {
            connect(button, &QPushButton::clicked, this,
                    [this, control] { (void)m_menus.activate(control); });
        }
    }
    // Clickable labels and pictures show a hand.
    for (const char* name : {"lblLocation", "lblClickSetup", "lblClickUse", "pctListening"}) {
        if (auto* widget = m_window.findChild<QWidget*>(name)) {
            widget->setCursor(Qt::PointingHandCursor);
        }
    }
    m_listening = m_window.findChild<QWidget*>("pctListening");
    m_voipLogo = m_window.findChild<QLabel*>("pictjajah");
    if (m_voipLogo) {
        m_voipLogo->setPixmap(voipLogoPixmap(false));
        m_voipLogo->setCursor(Qt::PointingHandCursor);
    }
    m_location = m_window.locationLabel();
    if (QTreeWidget* custom = m_window.list(ListId::Custom)) {
        m_customList = custom->viewport();
    }
    const std::array<const char*, 4> panes = {"WebBrowser2", "WebBrowser5", "WebBrowser3",
                                              "WebBrowser4"};
    // A pane's clicks land on the page it scrolls; only a press there opens
    // the coupon, never the focus coming back with the window.
    for (size_t i = 0; i < panes.size(); ++i) {
        auto* pane = m_window.findChild<QAbstractScrollArea*>(panes[i]);
        m_adPanes[i] = pane ? pane->viewport() : nullptr;
    }
    for (QWidget* widget :
         {m_listening, m_location, m_customList, static_cast<QWidget*>(m_voipLogo)}) {
        if (widget) {
            widget->setMouseTracking(true);
            widget->installEventFilter(this);
        }
    }
    for (QWidget* pane : m_adPanes) {
        if (pane) {
            pane->installEventFilter(this);
        }
    }
}

bool MainWindowMenus::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_listening) {
        if (type == QEvent::Enter || type == QEvent::MouseMove) {
            m_links.listeningHovered();
        } else if (type == QEvent::Leave) {
            m_links.listeningLeft();
        }
    } else if (watched == m_voipLogo) {
        if (type == QEvent::Enter || type == QEvent::Leave) {
            m_voipLogo->setPixmap(voipLogoPixmap(type == QEvent::Enter));
        } else if (type == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            (void)m_menus.activate("pictjajah");
        }
    } else if (watched == m_location && type == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            m_location->rect().contains(release->position().toPoint())) {
            m_links.locationClicked();
        }
    } else if (watched == m_customList && type == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(event);
        QTreeWidget* list = m_window.list(ListId::Custom);
        std::optional<std::vector<std::string>> row;
        if (QTreeWidgetItem* item = list->itemAt(click->position().toPoint())) {
            row.emplace();
            for (int column = 0; column < list->columnCount(); ++column) {
                row->push_back(item->text(column).toStdString());
            }
        }
        m_links.customListDoubleClicked(row);
        return true;
    } else if (type == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (size_t i = 0; i < m_adPanes.size(); ++i) {
            if (watched == m_adPanes[i]) {
                m_links.adPaneActivated(static_cast<int>(i) + 1);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kelvo
