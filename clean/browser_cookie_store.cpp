#include "clean/browser_cookie_store.h"

#include <optional>
#include <set>

#include "platform/exact_path.h"
#include "sqlite3.h"

namespace velnor {

namespace {

// A running browser may hold its store's lock for a moment between writes;
// longer than this, and it is taken as in use.
constexpr int kBusyTimeoutMs = 1000;

struct StoreFormat {
    const char* table;
    const char* column;
};

StoreFormat FormatOf(Browser browser) {
    return browser == Browser::Firefox ? StoreFormat{"moz_cookies", "host"} : StoreFormat{"cookies", "host_key"};
}

// Windows takes the exact path form, which reaches the file named however
// long its path and whatever its names end in; SQLite's long-path file layer
// passes such a name through as it is.
#ifdef _WIN32
constexpr const char* kFileLayer = "win32-longpath";
std::string OpenName(const std::string& path) { return ExactPathForm(path); }
#else
constexpr const char* kFileLayer = nullptr;
std::string OpenName(const std::string& path) { return path; }
#endif

class Database {
public:
    Database(const std::string& path, bool writable) {
        const std::string name = OpenName(path);
        if (name.empty()) return;
        const int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOFOLLOW;
        // SQLite makes the name a full path before it opens the file; where
        // that changed it (Wine drops a trailing dot even from an exact path),
        // the file open is another one, and it is let go untouched.
        const char* opened = nullptr;
        if (sqlite3_open_v2(name.c_str(), &db_, flags, kFileLayer) != SQLITE_OK ||
            !(opened = sqlite3_db_filename(db_, "main")) || name != opened) {
            sqlite3_close(db_);
            db_ = nullptr;
            return;
        }
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool IsOpen() const { return db_ != nullptr; }
    sqlite3* Handle() const { return db_; }
    bool Execute(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) statement_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool IsReady() const { return statement_ != nullptr; }
    sqlite3_stmt* Handle() const { return statement_; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

bool NotADatabase(const Database& db) {
    const int error = sqlite3_errcode(db.Handle());
    return error == SQLITE_NOTADB || error == SQLITE_CORRUPT;
}

// Reading the schema is the first read of the file: a store that a browser
// holds fails here, a store without the table or the column is another format.
std::optional<CookieStoreResult> CheckFormat(Database& db, const StoreFormat& format) {
    Statement query(db.Handle(), "SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2");
    if (!query.IsReady()) return NotADatabase(db) ? CookieStoreResult::UnknownFormat : CookieStoreResult::InUse;
    sqlite3_bind_text(query.Handle(), 1, format.table, -1, SQLITE_STATIC);
    sqlite3_bind_text(query.Handle(), 2, format.column, -1, SQLITE_STATIC);
    const int step = sqlite3_step(query.Handle());
    if (step == SQLITE_ROW) return std::nullopt;
    if (step == SQLITE_DONE || NotADatabase(db)) return CookieStoreResult::UnknownFormat;
    return CookieStoreResult::InUse;
}

std::string WithoutLeadingDot(const char* text, int bytes) {
    std::string site(text, static_cast<size_t>(bytes));
    if (!site.empty() && site[0] == '.') site.erase(0, 1);
    return site;
}

}  // namespace

CookieSites SqliteCookieStores::ListSites(const BrowserProfile& profile) {
    CookieSites answer;
    Database db(profile.cookieStore, false);
    if (!db.IsOpen()) return {CookieStoreResult::InUse, {}};
    const StoreFormat format = FormatOf(profile.browser);
    if (std::optional<CookieStoreResult> failure = CheckFormat(db, format)) return {*failure, {}};
    Statement query(db.Handle(),
                    std::string("SELECT DISTINCT \"") + format.column + "\" FROM \"" + format.table + "\"");
    if (!query.IsReady()) return {CookieStoreResult::InUse, {}};
    std::set<std::string> sites;
    int step;
    while ((step = sqlite3_step(query.Handle())) == SQLITE_ROW) {
        if (sqlite3_column_type(query.Handle(), 0) != SQLITE_TEXT) continue;
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(query.Handle(), 0));
        std::string site = WithoutLeadingDot(text, sqlite3_column_bytes(query.Handle(), 0));
        if (!site.empty()) sites.insert(std::move(site));
    }
    if (step != SQLITE_DONE) return {CookieStoreResult::InUse, {}};
    answer.sites.assign(sites.begin(), sites.end());
    return answer;
}

CookieStoreResult SqliteCookieStores::DeleteSites(const BrowserProfile& profile,
                                                  const std::vector<std::string>& sites) {
    Database db(profile.cookieStore, true);
    if (!db.IsOpen()) return CookieStoreResult::InUse;
    const StoreFormat format = FormatOf(profile.browser);
    if (std::optional<CookieStoreResult> failure = CheckFormat(db, format)) return *failure;
    // The write lock is taken before anything is deleted, so that a store in
    // use is found before it is touched.
    if (!db.Execute("BEGIN IMMEDIATE")) return CookieStoreResult::InUse;
    Statement erase(db.Handle(), std::string("DELETE FROM \"") + format.table + "\" WHERE \"" + format.column +
                                     "\" = ?1 OR \"" + format.column + "\" = ?2");
    bool deleted = erase.IsReady();
    for (size_t i = 0; deleted && i < sites.size(); ++i) {
        const std::string dotted = "." + sites[i];
        sqlite3_bind_text(erase.Handle(), 1, sites[i].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(erase.Handle(), 2, dotted.c_str(), -1, SQLITE_TRANSIENT);
        deleted = sqlite3_step(erase.Handle()) == SQLITE_DONE;
        sqlite3_reset(erase.Handle());
    }
    if (deleted && db.Execute("COMMIT")) return CookieStoreResult::Done;
    db.Execute("ROLLBACK");
    return CookieStoreResult::InUse;
}

}  // namespace velnor
