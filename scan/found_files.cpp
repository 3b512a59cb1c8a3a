#include "scan/found_files.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace velnor {

std::string_view JunkItem::Name() const {
    const std::string_view all(path);
    const size_t slash = all.find_last_of('\\');
    return slash == std::string_view::npos ? all : all.substr(slash + 1);
}

// Adds an item to the totals (sign 1) or takes it out (sign -1).
void FoundFiles::Count(const JunkItem& item, int sign) {
    const uint64_t size = sign > 0 ? item.size : 0 - item.size;
    totalSize_ += size;
    if (!item.checked) return;
    checkedCount_ += sign > 0 ? 1u : 0u - 1u;
    checkedSize_ += size;
}

void FoundFiles::Append(std::vector<JunkItem>& items) {
    if (items.empty()) return;
    const int first = Count();
    for (JunkItem& item : items) {
        Count(item, 1);
        items_.push_back(std::move(item));
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
    for (JunkItem& item : items_) item.checked = checked;
    checkedCount_ = checked ? TotalCount() : 0;
    checkedSize_ = checked ? totalSize_ : 0;
    if (listener_) listener_->OnFilesReset();
}

void FoundFiles::EraseFront(int count, const std::vector<int>& kept) {
    count = std::clamp(count, 0, Count());
    if (count == 0) return;
    for (int row = 0; row < count; ++row) Count(items_[row], -1);
    std::vector<JunkItem> keptItems;
    keptItems.reserve(kept.size());
    for (int row : kept) {
        if (row < 0 || row >= count) continue;
        Count(items_[row], 1);
        keptItems.push_back(std::move(items_[row]));
    }
    items_.erase(items_.begin(), items_.begin() + count);
    items_.insert(items_.begin(), std::make_move_iterator(keptItems.begin()), std::make_move_iterator(keptItems.end()));
    if (listener_) listener_->OnFilesReset();
}

void FoundFiles::Clear() {
    // Gives the memory back too: a big scan's rows are not kept for the next.
    std::deque<JunkItem>().swap(items_);
    totalSize_ = checkedSize_ = 0;
    checkedCount_ = 0;
    if (listener_) listener_->OnFilesReset();
}

std::vector<int> FoundFiles::Sort(const std::function<bool(const JunkItem&, const JunkItem&)>& less) {
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(items_[a], items_[b]); });
    std::deque<JunkItem> sorted;
    for (int row : order) sorted.push_back(std::move(items_[row]));
    items_.swap(sorted);
    if (listener_) listener_->OnFilesReset();
    return order;
}

}  // namespace velnor
