#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velnor {

// One file that the scan found, as the walk hands it over.
struct JunkItem {
    std::string path;  // the full path, name included
    uint64_t size = 0;
    uint64_t modified = 0;  // last-write time: 100-nanosecond intervals since 1601-01-01, UTC
    bool checked = true;

    // The name: the path after its last backslash.
    std::string_view Name() const;
};

// A found file as the found files keep it: a view of their own store, good
// until the files are cleared.
struct FoundFile {
    std::string_view folder;  // up to the last backslash, that included
    std::string_view name;
    uint64_t size = 0;
    uint64_t modified = 0;
    bool checked = true;

    std::string Path() const;
    std::string_view Name() const { return name; }
};

// What is told of every change to the found files, so that a view of them
// can follow.
class FoundFilesListener {
public:
    virtual ~FoundFilesListener() = default;
    // Rows first .. first + count - 1 were appended; the rows above did not change.
    virtual void OnFilesAppended(int first, int count) = 0;
    virtual void OnFilesReset() = 0;  // rows removed or reordered
    virtual void OnFileChanged(int row) = 0;
};

// The files that a scan found, in the order found (or as last sorted), with
// their check states and the four totals, which follow every change here and
// are written nowhere else.
class FoundFiles {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int row) const { return row >= 0 && row < Count(); }
    FoundFile At(int row) const;

    uint32_t TotalCount() const { return static_cast<uint32_t>(items_.size()); }
    uint64_t TotalSize() const { return totalSize_; }
    uint32_t CheckedCount() const { return checkedCount_; }
    uint64_t CheckedSize() const { return checkedSize_; }

    // Appends rows at the end in one step; takes them out of `items`.
    void Append(std::vector<JunkItem>& items);
    void Append(JunkItem item);
    void SetChecked(int row, bool checked);
    void SetAllChecked(bool checked);
    // Takes the first `count` rows off in one step, all but the rows named in
    // `kept` (ascending), which stay at the top.
    void EraseFront(int count, const std::vector<int>& kept = {});
    void Clear();
    // Reorders the rows stably by `less`; returns, for each new row, the row
    // it was before.
    std::vector<int> Sort(const std::function<bool(const FoundFile&, const FoundFile&)>& less);

    void SetListener(FoundFilesListener* listener) { listener_ = listener; }

private:
    // A row as kept: the files of one folder share its path, and the texts
    // lie in large blocks rather than one allocation each, so that a scan of
    // many files holds about a third of the memory.
    struct Row {
        const char* name;
        uint64_t size;
        uint64_t modified;
        uint32_t folder;  // into folders_
        uint16_t nameLength;
        bool checked;
    };

    void Count(const Row& row, int sign);
    std::string_view Keep(std::string_view text);
    uint32_t FolderOf(std::string_view folder);

    // In blocks, so that a big scan never holds its rows twice while they
    // grow, as one array would.
    std::deque<Row> items_;
    std::vector<std::string_view> folders_;
    std::vector<std::unique_ptr<char[]>> texts_;
    char* textFree_ = nullptr;  // the room left in the last block of texts_
    size_t textRoom_ = 0;
    uint64_t totalSize_ = 0;
    uint32_t checkedCount_ = 0;
    uint64_t checkedSize_ = 0;
    FoundFilesListener* listener_ = nullptr;
};

}  // namespace velnor
