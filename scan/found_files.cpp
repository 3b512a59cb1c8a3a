#include "scan/found_files.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace velnor {

std::string_view JunkItem::Name() const {
    const std::string_view all(path);
    const size_t slash = all.find_last_of('\\');
    return slash == std::string_view::npos ? all : all.substr(slash + 1);
}

std::string FoundFile::Path() const {
    std::string path;
    path.reserve(folder.size() + name.size());
    return path.append(folder).append(name);
}

namespace {

// The texts are kept in blocks of this size (a longer one gets its own).
constexpr size_t kTextBlock = 256 * 1024;
// A file's name is at most 255 UTF-16 units; what a row's name could not
// hold would stay with its folder, so that the path is whole either way.
constexpr size_t kLongestName = UINT16_MAX;

}  // namespace

FoundFile FoundFiles::At(int row) const {
    const Row& r = items_[row];
    return FoundFile{folders_[r.folder], std::string_view(r.name, r.nameLength), r.size, r.modified, r.checked};
}

// Adds a row to the totals (sign 1) or takes it out (sign -1).
void FoundFiles::Count(const Row& row, int sign) {
    const uint64_t size = sign > 0 ? row.size : 0 - row.size;
    totalSize_ += size;
    if (!row.checked) return;
    checkedCount_ += sign > 0 ? 1u : 0u - 1u;
    checkedSize_ += size;
}

std::string_view FoundFiles::Keep(std::string_view text) {
    if (text.empty()) return std::string_view();
    if (text.size() > textRoom_) {
        const size_t block = std::max(kTextBlock, text.size());
        texts_.push_back(std::make_unique<char[]>(block));
        textFree_ = texts_.back().get();
        textRoom_ = block;
    }
    std::memcpy(textFree_, text.data(), text.size());
    const std::string_view kept(textFree_, text.size());
    textFree_ += text.size();
    textRoom_ -= text.size();
    return kept;
}

// The files of one folder reach the list one after another.
uint32_t FoundFiles::FolderOf(std::string_view folder) {
    if (folders_.empty() || folders_.back() != folder) folders_.push_back(Keep(folder));
    return static_cast<uint32_t>(folders_.size() - 1);
}

void FoundFiles::Append(std::vector<JunkItem>& items) {
    if (items.empty()) return;
    const int first = Count();
    for (const JunkItem& item : items) {
        const std::string_view path(item.path);
        const size_t slash = path.find_last_of('\\');
        size_t split = slash == std::string_view::npos ? 0 : slash + 1;
        split = std::max(split, path.size() > kLongestName ? path.size() - kLongestName : 0);
        const std::string_view name = Keep(path.substr(split));
        Row row{name.data(), item.size, item.modified, FolderOf(path.substr(0, split)),
                static_cast<uint16_t>(name.size()), item.checked};
        Count(row, 1);
        items_.push_back(row);
    }
    items.clear();
    if (listener_) listener_->OnFilesAppended(first, Count() - first);
}

void FoundFiles::Append(JunkItem item) {
    std::vector<JunkItem> one;
    one.push_back(std::move(item));
    Append(one);
}

void FoundFiles::SetChecked(int row, bool checked) {
    if (!Valid(row) || items_[row].checked == checked) return;
    Count(items_[row], -1);
    items_[row].checked = checked;
    Count(items_[row], 1);
    if (listener_) listener_->OnFileChanged(row);
}

void FoundFiles::SetAllChecked(bool checked) {
    for (Row& row : items_) row.checked = checked;
    checkedCount_ = checked ? TotalCount() : 0;
    checkedSize_ = checked ? totalSize_ : 0;
    if (listener_) listener_->OnFilesReset();
}

// The texts of the rows taken off stay until the files are cleared.
void FoundFiles::EraseFront(int count, const std::vector<int>& kept) {
    count = std::clamp(count, 0, Count());
    if (count == 0) return;
    for (int row = 0; row < count; ++row) Count(items_[row], -1);
    std::vector<Row> keptRows;
    keptRows.reserve(kept.size());
    for (int row : kept) {
        if (row < 0 || row >= count) continue;
        Count(items_[row], 1);
        keptRows.push_back(items_[row]);
    }
    items_.erase(items_.begin(), items_.begin() + count);
    items_.insert(items_.begin(), keptRows.begin(), keptRows.end());
    if (listener_) listener_->OnFilesReset();
}

void FoundFiles::Clear() {
    // Gives the memory back too: a big scan's rows are not kept for the next.
    std::deque<Row>().swap(items_);
    std::vector<std::string_view>().swap(folders_);
    std::vector<std::unique_ptr<char[]>>().swap(texts_);
    textFree_ = nullptr;
    textRoom_ = 0;
    totalSize_ = checkedSize_ = 0;
    checkedCount_ = 0;
    if (listener_) listener_->OnFilesReset();
}

std::vector<int> FoundFiles::Sort(const std::function<bool(const FoundFile&, const FoundFile&)>& less) {
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(At(a), At(b)); });
    std::deque<Row> sorted;
    for (int row : order) sorted.push_back(items_[row]);
    items_.swap(sorted);
    if (listener_) listener_->OnFilesReset();
    return order;
}

}  // namespace velnor
