#include "clean/cookie_cleaner.h"

#include "res/resource.h"
#include "ui/picture_access.h"

namespace velnor {

namespace {

constexpr uint32_t kFirstBufferBytes = 4096;
constexpr int kRowPicture = 1;
constexpr int kHeaderNotAllChecked = 2;
const char kQuestion[] = "Delete all selected items?";
const char kQuestionCaption[] = "Information";

// One cache call, repeated with a larger buffer for as long as the platform
// asks for more room. A platform that asks for no more than it already had
// would never be satisfied, so that ends the walk like any other error.
template <typename Call>
bool WithRoom(std::vector<uint8_t>& buffer, Call call) {
    for (;;) {
        uint32_t size = static_cast<uint32_t>(buffer.size());
        uint32_t error = 0;
        if (call(size, error)) return true;
        if (error != kErrorInsufficientBuffer || size <= buffer.size()) return false;
        buffer.resize(size);
    }
}

}  // namespace

void WalkUrlCache(IUrlCache& cache, const std::function<void(const UrlCacheEntry&)>& onEntry) {
    std::vector<uint8_t> buffer(kFirstBufferBytes);
    UrlCacheEntry entry;
    IUrlCache::Handle walk = nullptr;
    const bool started = WithRoom(buffer, [&](uint32_t& size, uint32_t& error) {
        walk = cache.FindFirst(buffer, size, entry, error);
        return walk != nullptr;
    });
    if (!started) return;
    do {
        onEntry(entry);
    } while (WithRoom(buffer, [&](uint32_t& size, uint32_t& error) {
        return cache.FindNext(walk, buffer, size, entry, error);
    }));
    cache.FindClose(walk);
}

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
    if (!cache_) return;
    WalkUrlCache(*cache_, [this](const UrlCacheEntry& entry) {
        if (!(entry.entryType & kCookieCacheEntry)) return;
        names_.push_back(entry.sourceUrlName);
        ListRow row;
        row.cells = {"", CookieDisplayText(entry.sourceUrlName)};
        row.image = kRowPicture;
        list.InsertRow(list.RowCount(), std::move(row));
    });
}

void CookieCleaner::Delete() {
    if (!prompts_ || prompts_->MessageBox(kQuestion, kQuestionCaption, kMbOkCancel | kMbIconQuestion) != kIdOk)
        return;
    const int rows = list.RowCount();
    auto checkedRowShows = [&](const std::string& text) {
        for (int i = 0; i < rows; ++i)
            if (list.IsChecked(i) && list.Cell(i, kNameColumn) == text) return true;
        return false;
    };
    // A name that no checked row shows stays, so that a later Delete in the
    // same opening can still reach it.
    std::vector<std::string> kept;
    for (const std::string& name : names_) {
        if (!checkedRowShows(CookieDisplayText(name))) {
            kept.push_back(name);
            continue;
        }
        if (cache_) cache_->DeleteEntry(name);
    }
    names_ = std::move(kept);
    for (int i = rows - 1; i >= 0; --i)
        if (list.IsChecked(i)) list.DeleteRow(i);
}

}  // namespace velnor
