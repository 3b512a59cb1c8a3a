#pragma once
#include <string>
#include <vector>

#include "clean/browser_cookie_list.h"
#include "platform/prompts.h"
#include "platform/url_cache.h"
#include "ui/control_model.h"
#include "ui/list_model.h"

namespace velnor {

// The site part of a cookie's cache name: everything after the first "@";
// a name without "@" is shown whole. Letter case is kept.
std::string CookieDisplayText(const std::string& sourceUrlName);

// What Delete tells when the cookies of some checked rows could not be deleted.
std::string CookiesLeftText(int rows);
// What Delete adds when running browsers kept their cookies (names as
// BrowserName gives them), or a store's format is unknown.
std::string BrowsersToCloseText(const std::vector<std::string>& browsers);
extern const char* const kUnknownCookieFormatText;

// The behaviour of the "Cookies Cleaner" dialog (template 249): the cookie
// list, the cache names behind it, and Delete. Rows and cache names are
// paired by display text only, never by position; the browsers' rows follow
// the cache's and are their own (BrowserCookieRows). The dialog window
// mirrors `controls` and `list`.
class CookieCleaner {
public:
    static constexpr const char* kTitle = "Cookies Cleaner";
    static constexpr int kNameColumn = 1;

    CookieCleaner(IUrlCache* cache, IPrompts* prompts, BrowserCookieSources browsers = {})
        : cache_(cache), prompts_(prompts), browsers_(browsers) {}

    // Sets up the buttons and the list and walks the cache afresh.
    void Open();
    // The list from a new walk of the cache: one unchecked row per cookie
    // entry; then one per site per browser profile.
    void Fill();
    // Asks first; then deletes every stored cookie whose display text a checked
    // cache row shows, and the cookies of the checked browser rows' sites, and
    // the checked rows whose cookies are gone.
    void Delete();

    // Cache names of the listed cookies not deleted yet, in walk order.
    const std::vector<std::string>& Names() const { return names_; }

    DialogModel controls;
    ListModel list;

private:
    IUrlCache* cache_;
    IPrompts* prompts_;
    BrowserCookieRows browsers_;
    std::vector<std::string> names_;
};

}  // namespace velnor
