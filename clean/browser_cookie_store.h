#pragma once
#include <string>
#include <vector>

#include "clean/browser_profiles.h"

namespace velnor {

// How a browser's cookie store answered.
enum class CookieStoreResult {
    Done,
    // The store could not be opened, read or locked: the browser holds it,
    // or the file cannot be reached. Nothing in it changed.
    InUse,
    // No table or column where this browser keeps its cookies' sites: a
    // format the program does not know. Never written.
    UnknownFormat,
};

struct CookieSites {
    CookieStoreResult result = CookieStoreResult::Done;
    // The distinct sites, without a leading dot, sorted.
    std::vector<std::string> sites;
};

// The cookie stores of the browser profiles: the sites they hold cookies for,
// and the deletion of a site's cookies.
class ICookieStores {
public:
    virtual ~ICookieStores() = default;
    virtual CookieSites ListSites(const BrowserProfile& profile) = 0;
    // Deletes every cookie of the sites given, each site in its plain and its
    // dotted form, in one transaction: the store changes wholly or not at all.
    virtual CookieStoreResult DeleteSites(const BrowserProfile& profile, const std::vector<std::string>& sites) = 0;
};

// The stores themselves, through SQLite. A store is opened read-only to be
// listed, and for writing (with a short wait for a lock) only to delete.
// Nothing but the sites' column is read.
class SqliteCookieStores : public ICookieStores {
public:
    CookieSites ListSites(const BrowserProfile& profile) override;
    CookieStoreResult DeleteSites(const BrowserProfile& profile, const std::vector<std::string>& sites) override;
};

}  // namespace velnor
