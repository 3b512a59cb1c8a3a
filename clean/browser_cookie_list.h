#pragma once
#include <set>
#include <string>
#include <vector>

#include "clean/browser_cookie_store.h"
#include "clean/browser_profiles.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "ui/list_model.h"

namespace velnor {

// Where the cookie dialog finds the browsers' cookies. Without all three it
// lists the URL cache's cookies alone.
struct BrowserCookieSources {
    IFileSystem* files = nullptr;
    IShell* shell = nullptr;
    ICookieStores* stores = nullptr;
};

// The browsers' cookies in the cookie dialog's list: one row per site per
// browser profile, told apart by the row's item data, never by its text. A
// store that could not be read, or whose format is unknown, has one row that
// says so.
class BrowserCookieRows {
public:
    explicit BrowserCookieRows(BrowserCookieSources sources) : sources_(sources) {}

    // Finds the profiles afresh and appends their rows, unchecked.
    void Fill(ListModel& list, int image);
    // True for a row that this class made.
    static bool IsBrowserRow(const ListModel& list, int row) { return list.Row(row).itemData != 0; }

    struct DeleteOutcome {
        std::set<int> rowsLeft;  // checked rows whose cookies stay
        std::vector<std::string> browsersToClose;  // names, each once, in the order of the enum
        bool unknownFormat = false;  // a checked row stands for a store of unknown format
    };
    // Deletes the checked rows' sites, one store at a time; the rows of a
    // store that could not be written, or not listed, are left.
    DeleteOutcome Delete(const ListModel& list);

private:
    enum class RowKind { Site, InUse, UnknownFormat };
    struct Entry {
        size_t profile;
        RowKind kind;
        std::string site;
    };

    BrowserCookieSources sources_;
    std::vector<BrowserProfile> profiles_;
    std::vector<Entry> entries_;  // a row's item data is its index here plus one
};

// What a browser row says: "site (owner)", or the store's state.
std::string BrowserOwnerText(const BrowserProfile& profile);

}  // namespace velnor
