#pragma once
#include <string>

namespace velnor {

// What the list view that displays a model is told. The list view keeps no
// rows of its own: it asks the model for what it paints, so it only needs to
// know how many rows there are and which of them to paint again.
class ListObserver {
public:
    virtual ~ListObserver() = default;
    virtual void OnColumnsChanged() = 0;  // columns, styles or image strips
    virtual void OnRowsReset() = 0;       // rows added, removed or reordered
    // Rows first .. first + count - 1 were appended at the end; the rows above
    // them did not change.
    virtual void OnRowsAppended(int first, int count) = 0;
    virtual void OnRowChanged(int row) = 0;  // cells, image, check box or selection
    virtual void OnHeaderChanged() = 0;
};

// The rows of a list as the list view reads them, kept by a derived class,
// and the one list view that is told of their changes.
class ListRows {
public:
    virtual ~ListRows() = default;

    virtual int RowCount() const = 0;
    // The text a cell shows; empty outside the rows and columns.
    virtual std::string CellText(int row, int column) const = 0;
    virtual int RowImage(int row) const = 0;
    virtual bool IsChecked(int row) const = 0;
    virtual bool IsSelected(int row) const = 0;

    void SetObserver(ListObserver* observer) { observer_ = observer; }
    ListObserver* Observer() const { return observer_; }

protected:
    virtual void StoreChecked(int row, bool checked) = 0;
    virtual void StoreSelected(int row, bool selected) = 0;
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
    void ShowRowsReset() const {
        if (observer_) observer_->OnRowsReset();
    }
    void ShowRowChanged(int row) const {
        if (observer_) observer_->OnRowChanged(row);
    }
    void ShowRowsAppended(int first, int count) const {
        if (observer_) observer_->OnRowsAppended(first, count);
    }
    void ShowColumnsChanged() const {
        if (observer_) observer_->OnColumnsChanged();
    }
    void ShowHeaderChanged() const {
        if (observer_) observer_->OnHeaderChanged();
    }

private:
    ListObserver* observer_ = nullptr;
};

}  // namespace velnor
