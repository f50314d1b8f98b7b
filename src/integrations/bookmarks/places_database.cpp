#include "integrations/bookmarks/places_database.h"

#include <sqlite3.h>

#include <cstdlib>
#include <memory>
#include <system_error>

namespace kelvo::bookmarks {

namespace fs = std::filesystem;

namespace {

// Bookmark entries are type 1; the entries inside the folders below the
// tags root repeat bookmarks under a tag and are left out.
constexpr const char* kQuery =
    "SELECT b.title, p.url, p.title FROM moz_bookmarks b JOIN moz_places p ON p.id = b.fk "
    "WHERE b.type = 1 AND p.url NOT LIKE 'place:%' AND b.parent NOT IN ("
    "SELECT t.id FROM moz_bookmarks t JOIN moz_bookmarks r ON r.id = t.parent "
    "WHERE r.guid = 'tags________') "
    "ORDER BY b.parent, b.position, b.id";

// A private folder removed with everything in it when it goes.
class TemporaryFolder {
public:
    static Result<TemporaryFolder> create() {
        std::error_code error;
        fs::path base = fs::temp_directory_path(error);
        if (error) {
            base = "/tmp";
        }
        std::string pattern = (base / "kelvo-places-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            return Status::failure(errno, "cannot make a temporary folder in " + base.string());
        }
        return TemporaryFolder(pattern);
    }
    TemporaryFolder(TemporaryFolder&& other) noexcept : m_path(std::move(other.m_path)) {
        other.m_path.clear();
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(TemporaryFolder&&) = delete;
    ~TemporaryFolder() {
        if (!m_path.empty()) {
            std::error_code ignored;
            fs::remove_all(m_path, ignored);
        }
    }
    const fs::path& path() const { return m_path; }

private:
    explicit TemporaryFolder(fs::path path) : m_path(std::move(path)) {}
    fs::path m_path;
};

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

std::string columnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    if (text == nullptr) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

Status copyBeside(const fs::path& source, const fs::path& folder, bool required) {
    std::error_code error;
    if (!required && !fs::exists(source, error)) {
        return {};
    }
    fs::copy_file(source, folder / source.filename(), fs::copy_options::overwrite_existing, error);
    if (error) {
        return Status::failure(error.value(),
                               "cannot copy " + source.string() + ": " + error.message());
    }
    return {};
}

} // namespace

Status readPlacesDatabase(const fs::path& database, const SearchFilter& filter,
                          BookmarkRows& rows) {
    Result<TemporaryFolder> folder = TemporaryFolder::create();
    if (!folder) {
        return folder.error();
    }
    const fs::path copy = folder->path() / database.filename();
    if (Status copied = copyBeside(database, folder->path(), true); !copied) {
        return copied;
    }
    // Recent changes sit in the log until Firefox folds them in.
    fs::path log = database;
    log += "-wal";
    if (Status copied = copyBeside(log, folder->path(), false); !copied) {
        return copied;
    }

    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(copy.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    if (opened != SQLITE_OK) {
        return Status::failure(opened, "cannot open " + database.string() + ": " +
                                           (db ? sqlite3_errmsg(db.get()) : "out of memory"));
    }
    sqlite3_stmt* rawStatement = nullptr;
    if (sqlite3_prepare_v2(db.get(), kQuery, -1, &rawStatement, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(db.get());
        return Status::failure(code, "not a places database " + database.string() + ": " +
                                         sqlite3_errmsg(db.get()));
    }
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(rawStatement);
    BookmarkRows taken;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        std::string title = columnText(statement.get(), 0);
        if (title.empty()) {
            title = columnText(statement.get(), 2);
        }
        std::string address = columnText(statement.get(), 1);
        if (!address.empty() && filter.matches(title, address)) {
            taken.push_back({std::move(title), std::move(address)});
        }
    }
    if (step != SQLITE_DONE) {
        return Status::failure(step, "cannot read " + database.string() + ": " +
                                         sqlite3_errmsg(db.get()));
    }
    rows.insert(rows.end(), std::make_move_iterator(taken.begin()),
                std::make_move_iterator(taken.end()));
    return {};
}

} // namespace kelvo::bookmarks
