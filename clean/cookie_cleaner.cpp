#include "clean/cookie_cleaner.h"

#include <set>

#include "clean/confirm_delete.h"
#include "clean/url_cache_walk.h"
#include "res/resource.h"
#include "ui/picture_access.h"

namespace velnor {

namespace {

constexpr int kRowPicture = 1;
constexpr int kHeaderNotAllChecked = 2;

}  // namespace

std::string CookieDisplayText(const std::string& sourceUrlName) {
    const size_t at = sourceUrlName.find('@');
    return at == std::string::npos ? sourceUrlName : sourceUrlName.substr(at + 1);
}

void CookieCleaner::Open() {
    controls[IDC_COOKIE_DELETE].Setup(PictureKind::PicEx, 1, 150, 255, 76, 26, IDB_DELETE, IDB_DELETE_HOVER,
                                      IDB_DELETE, "");
    controls[IDC_COOKIE_CANCEL].Setup(PictureKind::PicEx, 1, 250, 255, 76, 26, IDB_CANCEL_OFF, IDB_CANCEL_HOVER,
                                      IDB_CANCEL, "");
    controls[IDC_COOKIE_DELETE].SetRole(PictureRole::PushButton, "Delete");
    controls[IDC_COOKIE_CANCEL].SetRole(PictureRole::PushButton, kCancelLabel);
    controls[IDC_COOKIE_LIST].Place(50, 50, 300, 200);

    list.SetStyles(true, true);
    if (list.Columns().empty()) {
        list.InsertColumn("", 35);
        list.InsertColumn("Cookie Name", 245);
    }
    list.SetSmallImages(ImageStrip{IDB_COOKIE_IMAGES, 13});
    list.SetHeaderImages(ImageStrip{IDB_HEADER_CHECKS, 13});
    list.SetHeaderCheckImage(kHeaderNotAllChecked);
    Fill();
}

void CookieCleaner::Fill() {
    names_.clear();
    list.DeleteAllRows();
    if (cache_) {
        WalkUrlCache(*cache_, [this](const UrlCacheEntry& entry) {
            if (!(entry.entryType & kCookieCacheEntry)) return;
            names_.push_back(entry.sourceUrlName);
            ListRow row;
            row.cells = {"", CookieDisplayText(entry.sourceUrlName)};
            row.image = kRowPicture;
            list.InsertRow(list.RowCount(), std::move(row));
        });
    }
    browsers_.Fill(list, kRowPicture);
}

void CookieCleaner::Delete() {
    if (!ConfirmDelete(prompts_)) return;
    const int rows = list.RowCount();
    auto checkedRowShows = [&](const std::string& text) {
        for (int i = 0; i < rows; ++i)
            if (list.IsChecked(i) && !BrowserCookieRows::IsBrowserRow(list, i) && list.Cell(i, kNameColumn) == text)
                return true;
        return false;
    };
    // A name that no checked row shows stays, so that a later Delete in the
    // same opening can still reach it; so does one whose deletion failed.
    std::vector<std::string> kept;
    std::set<std::string> failed;
    for (const std::string& name : names_) {
        if (!checkedRowShows(CookieDisplayText(name)))
            kept.push_back(name);
        else if (!cache_ || !cache_->DeleteEntry(name))
            failed.insert(name);
    }
    // A cookie whose deletion failed may have gone all the same (its site or
    // the browser removed it meanwhile): only one that the cache still holds
    // was left.
    std::set<std::string> failedTexts;
    if (!failed.empty() && cache_) {
        WalkUrlCache(*cache_, [&](const UrlCacheEntry& entry) {
            if (!failed.count(entry.sourceUrlName)) return;
            kept.push_back(entry.sourceUrlName);
            failedTexts.insert(CookieDisplayText(entry.sourceUrlName));
        });
    }
    names_ = std::move(kept);
    const BrowserCookieRows::DeleteOutcome browsers = browsers_.Delete(list);
    // A checked row leaves the list only when every cookie it stands for is
    // gone; the others stay checked and the user is told.
    int failedRows = 0;
    for (int i = rows - 1; i >= 0; --i) {
        if (!list.IsChecked(i)) continue;
        const bool left = BrowserCookieRows::IsBrowserRow(list, i) ? browsers.rowsLeft.count(i) > 0
                                                                  : failedTexts.count(list.Cell(i, kNameColumn)) > 0;
        if (left)
            ++failedRows;
        else
            list.DeleteRow(i);
    }
    if (failedRows == 0 || !prompts_) return;
    std::string text = CookiesLeftText(failedRows);
    if (!browsers.browsersToClose.empty()) text += "\n\n" + BrowsersToCloseText(browsers.browsersToClose);
    if (browsers.unknownFormat) text += std::string("\n\n") + kUnknownCookieFormatText;
    prompts_->MessageBox(text, kInformationCaption, kMbOk | kMbIconWarning);
}

const char* const kUnknownCookieFormatText =
    "A browser keeps its cookies in a format that this program does not know; they were left as they are.";

std::string BrowsersToCloseText(const std::vector<std::string>& browsers) {
    std::string names;
    for (size_t i = 0; i < browsers.size(); ++i) {
        if (i > 0) names += i + 1 == browsers.size() ? " and " : ", ";
        names += browsers[i];
    }
    std::string text = "Close " + names + " and press Delete again: a running browser keeps its cookies locked.";
    for (const std::string& browser : browsers)
        if (browser == BrowserName(Browser::Edge))
            text += " Microsoft Edge may keep running in the background after its last window has closed.";
    return text;
}

std::string CookiesLeftText(int rows) {
    return rows == 1 ? "1 checked cookie could not be deleted. It stays checked in the list."
                     : std::to_string(rows) + " checked cookies could not be deleted. They stay checked in the list.";
}

}  // namespace velnor
