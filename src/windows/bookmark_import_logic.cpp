#include "windows/bookmark_import_logic.h"

#include "integrations/bookmarks/bookmark_service.h"
#include "services/hex_coding.h"

namespace kelvo {

using namespace bookmarks;

namespace {

constexpr const char* kProblemTitle = "Import Problem";
constexpr int kNoticeMs = 4000;

const std::string kService(kServiceDisplayName);

constexpr ImportSource kSources[] = {ImportSource::InternetExplorer, ImportSource::Firefox,
                                     ImportSource::Safari, ImportSource::WebService};

} // namespace

std::string importSourceName(ImportSource source) {
    switch (source) {
    case ImportSource::InternetExplorer:
        return "Internet Explorer";
    case ImportSource::Firefox:
        return "Firefox";
    case ImportSource::Safari:
        return "Safari";
    case ImportSource::WebService:
        break;
    }
    return kService;
}

std::string importSourceCaption(ImportSource source) {
    return "View " + importSourceName(source) + " Bookmarks";
}

BookmarkImportLogic::BookmarkImportLogic(BookmarkImportView& view, BookmarkImportServices services)
    : m_view(view), m_s(std::move(services)) {}

void BookmarkImportLogic::formLoad() {
    for (ImportSource source : kSources) {
        m_view.setTicked(source, isTicked(source));
    }
    m_view.setLoginPanelVisible(isTicked(ImportSource::WebService));
}

void BookmarkImportLogic::sourceClicked(ImportSource source, bool ticked) {
    m_s.state.importSources.at(static_cast<size_t>(source)) = ticked;
    if (source == ImportSource::WebService) {
        m_view.setLoginPanelVisible(ticked);
    }
}

bool BookmarkImportLogic::isTicked(ImportSource source) const {
    return m_s.state.importSources.at(static_cast<size_t>(source));
}

bool BookmarkImportLogic::anyTicked() const {
    for (ImportSource source : kSources) {
        if (isTicked(source)) {
            return true;
        }
    }
    return false;
}

void BookmarkImportLogic::command2Clicked() {
    if (isTicked(ImportSource::WebService) &&
        (m_view.userName().empty() || m_view.password().empty())) {
        m_s.boxes.custMsgBox(
            kProblemTitle, "ok",
            "You must enter a username and password to access bookmarks stored on " + kService,
            true);
        return;
    }
    for (ImportSource source : kSources) {
        m_view.setStatusShown(source, false);
    }
    m_view.setBusyPointer(false);
    importBookmarks("");
}

void BookmarkImportLogic::importBookmarks(const std::string& filter) {
    if (!anyTicked()) {
        m_view.setBusyPointer(false);
        m_s.boxes.custMsgBox(kProblemTitle, "ok",
                             "You forgot to select which bookmarks you want to view.", true);
        return;
    }
    m_view.setBusyPointer(true);
    m_s.matching().clearBookmarks();
    if (isTicked(ImportSource::WebService)) {
        importWebBookmarks(filter);
    }
    listBrowsers(filter);
    m_view.setBusyPointer(false);
    if (!m_s.matching().hasBookmarks()) {
        m_s.boxes.custMsgBox(kProblemTitle, "ok", "No items were found to import.", true);
        return;
    }
    m_s.matching().showWindow();
}

void BookmarkImportLogic::reImportBookmarks(const std::string& filter) {
    m_view.setBusyPointer(true);
    if (!anyTicked()) {
        m_view.setBusyPointer(false);
        m_s.boxes.custMsgBox(kProblemTitle, "ok", "You forgot to which bookmarks you want to view.",
                             true);
        return;
    }
    m_s.matching().clearBookmarks();
    for (const WebBookmark& bookmark : m_s.state.importedBookmarks) {
        if (!bookmark.description.empty()) {
            m_s.matching().listBookmark(kService, bookmark.description, bookmark.address, filter);
        }
    }
    listBrowsers(filter);
    m_view.setBusyPointer(false);
}

void BookmarkImportLogic::listBrowsers(const std::string& filter) {
    struct Reader {
        ImportSource source;
        BrowserRead (*read)(const BookmarkStores&, const SearchFilter&);
    };
    const Reader readers[] = {{ImportSource::InternetExplorer, readFavorites},
                              {ImportSource::Firefox, readFirefox},
                              {ImportSource::Safari, readSafari}};
    const BookmarkStores stores = m_s.stores ? m_s.stores() : BookmarkStores{};
    for (const Reader& reader : readers) {
        if (!isTicked(reader.source)) {
            continue;
        }
        const BrowserRead read = reader.read(stores, SearchFilter());
        for (const std::string& problem : read.read.problems) {
            if (m_s.log) {
                m_s.log(problem);
            }
        }
        const std::string name = importSourceName(reader.source);
        BookmarkMatchingLogic& matching = m_s.matching();
        for (const Bookmark& bookmark : read.read.rows) {
            if (!bookmark.title.empty() && !bookmark.address.empty()) {
                matching.listBookmark(name, bookmark.title, bookmark.address, filter);
            }
        }
        m_view.setStatusShown(reader.source, true);
    }
}

void BookmarkImportLogic::importWebBookmarks(const std::string& filter) {
    // The stored value is hex; "x" is the installed "not set", and a damaged
    // value is no address either: the next start-up reply writes it again.
    const std::string stored = m_s.settings.readIni("Etowah", "delaware", "", 2000);
    Result<std::string> decoded =
        stored == "x" || stored.empty() ? Result<std::string>(std::string()) : decodeHex(stored);
    const std::string addressTemplate = decoded ? std::move(decoded).value() : std::string();
    const ServiceResult result =
        requestWebBookmarks(m_s.http, addressTemplate, m_view.userName(), m_view.password());
    m_s.state.importedBookmarks.clear();
    if (!result.detail.empty() && m_s.log) {
        m_s.log(kService + ": " + result.detail);
    }
    switch (result.outcome) {
    case ServiceOutcome::Unavailable:
        m_s.boxes.showNotice("Unable to connect with " + kService + ".", "Please try again later.",
                             kNoticeMs, true);
        resetImportStatus();
        break;
    case ServiceOutcome::Refused:
        m_s.boxes.showNotice("The " + kService +
                                 " username and/or password you entered was not valid.",
                             "Please type them again.", kNoticeMs, true);
        resetImportStatus();
        break;
    case ServiceOutcome::NoReply:
        m_s.boxes.showNotice("Unable to connect to " + kService + ".", "Please try again later.",
                             kNoticeMs, true);
        resetImportStatus();
        break;
    case ServiceOutcome::Listed:
        m_s.state.importedBookmarks = result.bookmarks;
        for (const WebBookmark& bookmark : result.bookmarks) {
            m_s.matching().listBookmark(kService, bookmark.description, bookmark.address, filter);
        }
        m_view.setStatusShown(ImportSource::WebService, true);
        break;
    }
    m_view.setBusyPointer(false);
}

void BookmarkImportLogic::resetImportStatus() {
    for (ImportSource source : kSources) {
        m_view.setStatusShown(source, false);
    }
    m_view.clearPassword();
    m_view.setBusyPointer(false);
}

void BookmarkImportLogic::formUnload() {
    if (m_s.showMainWindow) {
        m_s.showMainWindow();
    }
}

} // namespace kelvo
