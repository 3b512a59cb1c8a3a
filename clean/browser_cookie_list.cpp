#include "clean/browser_cookie_list.h"

namespace velnor {

namespace {

std::string RowText(const std::string& owner, const std::string& text) { return text + " (" + owner + ")"; }

constexpr const char* kInUseRow = "cookies in use: close the browser";
constexpr const char* kUnknownFormatRow = "cookies in an unknown format";

}  // namespace

std::string BrowserOwnerText(const BrowserProfile& profile) {
    std::string owner = BrowserName(profile.browser);
    if (!profile.label.empty()) owner += ", " + profile.label;
    return owner;
}

void BrowserCookieRows::Fill(ListModel& list, int image) {
    profiles_.clear();
    entries_.clear();
    if (!sources_.files || !sources_.shell || !sources_.stores) return;
    for (BrowserProfile& profile : FindBrowserProfiles(*sources_.files, UserAppDataFolders(*sources_.shell)).profiles)
        if (!profile.cookieStore.empty()) profiles_.push_back(std::move(profile));
    auto append = [&](size_t profile, RowKind kind, const std::string& site, const std::string& text) {
        entries_.push_back({profile, kind, site});
        ListRow row;
        row.cells = {"", RowText(BrowserOwnerText(profiles_[profile]), text)};
        row.image = image;
        row.itemData = static_cast<intptr_t>(entries_.size());
        list.InsertRow(list.RowCount(), std::move(row));
    };
    for (size_t p = 0; p < profiles_.size(); ++p) {
        const CookieSites listed = sources_.stores->ListSites(profiles_[p]);
        switch (listed.result) {
            case CookieStoreResult::Done:
                for (const std::string& site : listed.sites) append(p, RowKind::Site, site, site);
                break;
            case CookieStoreResult::InUse:
                append(p, RowKind::InUse, "", kInUseRow);
                break;
            case CookieStoreResult::UnknownFormat:
                append(p, RowKind::UnknownFormat, "", kUnknownFormatRow);
                break;
        }
    }
}

BrowserCookieRows::DeleteOutcome BrowserCookieRows::Delete(const ListModel& list) {
    DeleteOutcome outcome;
    std::vector<std::vector<int>> checkedRows(profiles_.size());
    for (int row = 0; row < list.RowCount(); ++row) {
        const intptr_t data = list.Row(row).itemData;
        if (!list.IsChecked(row) || data <= 0 || static_cast<size_t>(data) > entries_.size()) continue;
        checkedRows[entries_[static_cast<size_t>(data) - 1].profile].push_back(row);
    }
    std::set<Browser> toClose;
    for (size_t p = 0; p < profiles_.size(); ++p) {
        if (checkedRows[p].empty()) continue;
        std::vector<std::string> sites;
        bool unknown = false, inUse = false;
        for (int row : checkedRows[p]) {
            const Entry& entry = entries_[static_cast<size_t>(list.Row(row).itemData) - 1];
            if (entry.kind == RowKind::Site) sites.push_back(entry.site);
            unknown |= entry.kind == RowKind::UnknownFormat;
            inUse |= entry.kind == RowKind::InUse;
        }
        CookieStoreResult result = CookieStoreResult::Done;
        if (!sites.empty()) result = sources_.stores->DeleteSites(profiles_[p], sites);
        unknown |= result == CookieStoreResult::UnknownFormat;
        inUse |= result == CookieStoreResult::InUse;
        for (int row : checkedRows[p]) {
            const Entry& entry = entries_[static_cast<size_t>(list.Row(row).itemData) - 1];
            if (entry.kind != RowKind::Site || result != CookieStoreResult::Done) outcome.rowsLeft.insert(row);
        }
        if (inUse) toClose.insert(profiles_[p].browser);
        outcome.unknownFormat |= unknown;
    }
    for (Browser browser : toClose) outcome.browsersToClose.push_back(BrowserName(browser));
    return outcome;
}

}  // namespace velnor
