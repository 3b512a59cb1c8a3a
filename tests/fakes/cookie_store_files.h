#pragma once
// Browser cookie stores made with SQLite for the tests, with the tables and
// columns that the browsers themselves use, and what the tests ask of them.
#include "sqlite3.h"

#include <string>
#include <vector>

namespace velnor::testing {

// As current Chromium-family browsers make it ("Network\Cookies"), with the
// meta table beside the cookies.
constexpr const char* kChromiumCookieSchema =
    "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
    "INSERT INTO meta VALUES('mmap_status','-1'),('version','24'),('last_compatible_version','24');"
    "CREATE TABLE cookies(creation_utc INTEGER NOT NULL,host_key TEXT NOT NULL,top_frame_site_key TEXT NOT NULL,"
    "name TEXT NOT NULL,value TEXT NOT NULL,encrypted_value BLOB NOT NULL,path TEXT NOT NULL,"
    "expires_utc INTEGER NOT NULL,is_secure INTEGER NOT NULL,is_httponly INTEGER NOT NULL,"
    "last_access_utc INTEGER NOT NULL,has_expires INTEGER NOT NULL,is_persistent INTEGER NOT NULL,"
    "priority INTEGER NOT NULL,samesite INTEGER NOT NULL,source_scheme INTEGER NOT NULL,source_port INTEGER NOT NULL,"
    "last_update_utc INTEGER NOT NULL,source_type INTEGER NOT NULL,has_cross_site_ancestor INTEGER NOT NULL);"
    "CREATE UNIQUE INDEX cookies_unique_index ON cookies(host_key, top_frame_site_key, has_cross_site_ancestor,"
    " name, path, source_scheme, source_port);";

// As Firefox makes cookies.sqlite (write-ahead log), with its one table.
constexpr const char* kFirefoxCookieSchema =
    "PRAGMA journal_mode=WAL;"
    "CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '', name TEXT,"
    " value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER,"
    " isSecure INTEGER, isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0,"
    " rawSameSite INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT 0, isPartitionedAttributeSet INTEGER DEFAULT 0,"
    " CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes));";

inline bool RunSql(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
                        SQLITE_OK &&
                    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// Two cookies for each host given ("a" and "b"), as the browser writes them.
inline bool MakeChromiumStore(const std::string& path, const std::vector<std::string>& hosts) {
    std::string sql = kChromiumCookieSchema;
    for (const std::string& host : hosts)
        for (const char* name : {"a", "b"})
            sql += "INSERT INTO cookies VALUES(13300000000000000,'" + host + "','','" + name +
                   "','',x'763130aabbcc','/',13400000000000000,1,1,13300000000000000,1,1,1,0,2,443,"
                   "13300000000000000,0,0);";
    return RunSql(path, sql);
}

inline bool MakeFirefoxStore(const std::string& path, const std::vector<std::string>& hosts) {
    std::string sql = kFirefoxCookieSchema;
    for (const std::string& host : hosts)
        for (const char* name : {"a", "b"})
            sql += "INSERT INTO moz_cookies(name,value,host,path,expiry,isSecure,isHttpOnly) VALUES('" +
                   std::string(name) + "','v','" + host + "','/',2000000000,1,0);";
    return RunSql(path, sql);
}

// Every value of one column of a table, in row order; "!" when it cannot be read.
inline std::vector<std::string> ColumnOf(const std::string& path, const std::string& sql) {
    std::vector<std::string> values;
    sqlite3* db = nullptr;
    sqlite3_stmt* query = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, sql.c_str(), -1, &query, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {"!"};
    }
    while (sqlite3_step(query) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < sqlite3_column_count(query); ++c) {
            const unsigned char* text = sqlite3_column_text(query, c);
            row += (c ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "");
        }
        values.push_back(row);
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return values;
}

inline bool PassesIntegrityCheck(const std::string& path) {
    return ColumnOf(path, "PRAGMA integrity_check") == std::vector<std::string>{"ok"};
}

// The schema and every row of every table but the cookies' own.
inline std::vector<std::string> SchemaAndOtherTables(const std::string& path, const std::string& cookieTable) {
    std::vector<std::string> all = ColumnOf(path, "SELECT type, name, sql FROM sqlite_master ORDER BY name");
    for (const std::string& table : ColumnOf(path, "SELECT name FROM sqlite_master WHERE type = 'table'")) {
        if (table == cookieTable) continue;
        const std::vector<std::string> rows = ColumnOf(path, "SELECT * FROM \"" + table + "\"");
        all.insert(all.end(), rows.begin(), rows.end());
    }
    return all;
}

}  // namespace velnor::testing
