#pragma once

#include "ui/busy_pointer.h"
#include "windows/bookmark_import_logic.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kelvo {

/// The import dialog frmImport: a box and a status picture per source, the
/// web service's log-in panel and the build button. Behaviour lives in
/// BookmarkImportLogic; this class only shows and forwards.
class BookmarkImportWindow final : public QWidget, public BookmarkImportView {
    Q_OBJECT
public:
    explicit BookmarkImportWindow(BookmarkImportServices services);

    BookmarkImportLogic& logic() { return m_logic; }

    // BookmarkImportView
    void setTicked(ImportSource source, bool ticked) override;
    void setStatusShown(ImportSource source, bool shown) override;
    void setLoginPanelVisible(bool visible) override;
    std::string userName() const override;
    std::string password() const override;
    void clearPassword() override;
    void setBusyPointer(bool busy) override;
    void showWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::array<QCheckBox*, 4> m_boxes{};
    std::array<QLabel*, 4> m_status{};
    QWidget* m_login = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    BusyPointer m_busy;
    BookmarkImportLogic m_logic;
};

} // namespace kelvo
