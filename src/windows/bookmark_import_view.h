#pragma once

#include <string>

namespace kelvo {

/// The four sources of the import dialog.
enum class ImportSource { InternetExplorer, Firefox, Safari, WebService };

/// The import dialog frmImport as its logic sees it: a box per source with
/// its status picture, and the web service's log-in panel. Calls never
/// fail; text is plain text.
class BookmarkImportView {
public:
    virtual ~BookmarkImportView() = default;

    /// Ticks or clears the source's box.
    virtual void setTicked(ImportSource source, bool ticked) = 0;
    /// Shows or clears the source's "read" picture.
    virtual void setStatusShown(ImportSource source, bool shown) = 0;
    virtual void setLoginPanelVisible(bool visible) = 0;
    virtual std::string userName() const = 0;
    virtual std::string password() const = 0;
    virtual void clearPassword() = 0;
    virtual void setBusyPointer(bool busy) = 0;
    /// Shows the dialog (not modal) on top of the others.
    virtual void showWindow() = 0;
};

} // namespace kelvo
