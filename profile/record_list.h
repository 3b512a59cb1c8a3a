#pragma once
#include <algorithm>
#include <utility>
#include <vector>

namespace velnor {

// What a list of records tells whoever shows it, after each change.
class RecordListListener {
public:
    virtual ~RecordListListener() = default;
    virtual void OnRecordInserted(int row) = 0;
    virtual void OnRecordDeleted(int row) = 0;
    virtual void OnRecordChanged(int row) = 0;
    // Any record may differ: the list was emptied or given other records.
    virtual void OnRecordsReplaced() = 0;
    // The records were put in a new order: row i holds what row order[i] held.
    virtual void OnRecordsReordered(const std::vector<int>& order) = 0;
};

// A list of the profile's records of one type, in the order the user sees
// them. A record type gives its check box through these free functions, found
// by argument-dependent lookup:
//   bool RecordChecked(const Record&);
//   void SetRecordChecked(Record&, bool);
template <typename Record>
class RecordList {
public:
    RecordList() = default;
    // A copy holds the records only; whoever listens stays with the original.
    RecordList(const RecordList& other) : records_(other.records_) {}
    RecordList& operator=(const RecordList& other) {
        records_ = other.records_;
        if (listener_) listener_->OnRecordsReplaced();
        return *this;
    }

    int RowCount() const { return static_cast<int>(records_.size()); }
    const Record& At(int row) const { return records_[row]; }
    bool IsChecked(int row) const { return ValidRow(row) && RecordChecked(records_[row]); }

    int InsertRow(int index, Record record) {
        index = std::clamp(index, 0, RowCount());
        records_.insert(records_.begin() + index, std::move(record));
        if (listener_) listener_->OnRecordInserted(index);
        return index;
    }
    int AppendRow(Record record) { return InsertRow(RowCount(), std::move(record)); }
    void DeleteRow(int row) {
        if (!ValidRow(row)) return;
        records_.erase(records_.begin() + row);
        if (listener_) listener_->OnRecordDeleted(row);
    }
    void DeleteAllRows() {
        records_.clear();
        if (listener_) listener_->OnRecordsReplaced();
    }
    void SetChecked(int row, bool checked) {
        if (!ValidRow(row) || RecordChecked(records_[row]) == checked) return;
        SetRecordChecked(records_[row], checked);
        if (listener_) listener_->OnRecordChanged(row);
    }
    // `order` names every row once: row i takes what row order[i] holds.
    void Reorder(const std::vector<int>& order) {
        std::vector<Record> reordered;
        reordered.reserve(records_.size());
        for (int from : order) reordered.push_back(std::move(records_[from]));
        records_.swap(reordered);
        if (listener_) listener_->OnRecordsReordered(order);
    }

    void SetListener(RecordListListener* listener) { listener_ = listener; }
    RecordListListener* Listener() const { return listener_; }

private:
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }

    std::vector<Record> records_;
    RecordListListener* listener_ = nullptr;
};

}  // namespace velnor
