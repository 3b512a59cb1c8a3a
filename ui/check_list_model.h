#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velnor {

// Comparison kinds of the columns, as the owner sets them.
enum class ColumnType : int { Text = 0, Integer = 1, DateTime = 2, Real = 3 };
enum class ColumnAlign : int { Left = 0, Right = 1, Center = 2 };

struct ListColumn {
    std::string heading;
    int width = 0;
    ColumnAlign align = ColumnAlign::Left;
};

// The images of column 0's heading in a list with check boxes.
constexpr int kHeaderAllChecked = 1;
constexpr int kHeaderSomeUnchecked = 2;

struct HeaderState {
    int checkImage = -1;  // image shown in column 0's heading; -1 for none
    int sortColumn = -1;
    bool sortAscending = true;
    bool hideArrow = false;
    std::vector<int> ownerDrawn;  // headings drawn by the header itself
    bool IsOwnerDrawn(int column) const;
};

// An image list made from one bitmap strip of square images.
struct ImageStrip {
    int resourceId = 0;
    int size = 0;
    explicit operator bool() const { return resourceId != 0; }
};

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

// The behaviour of the one list control of the program, whatever keeps its
// rows: the check-all image in column 0's heading, single selection, sorting
// by column kind and the check-strip clicks. A derived class stores the rows
// and gives their texts when the list view paints them.
class CheckListModel {
public:
    static constexpr int kMaxColumns = 100;

    virtual ~CheckListModel() = default;

    // Set-up
    void SetStyles(bool checkBoxes, bool fullRowSelect);
    bool HasCheckBoxes() const { return checkBoxes_; }
    bool HasFullRowSelect() const { return fullRowSelect_; }
    void InsertColumn(const std::string& heading, int width, ColumnAlign align = ColumnAlign::Left);
    // Columns in order, each with how it sorts.
    struct ColumnSpec {
        const char* heading;
        int width;
        ColumnType type = ColumnType::Text;
    };
    void InsertColumns(std::initializer_list<ColumnSpec> columns);
    void SetColumnWidth(int column, int width);
    void SetColumnType(int column, ColumnType type);
    void SetFirstColumnIsData(bool on) { firstColumnIsData_ = on; }
    void SetSmallImages(ImageStrip strip);
    void SetHeaderImages(ImageStrip strip);
    const std::vector<ListColumn>& Columns() const { return columns_; }
    ImageStrip SmallImages() const { return smallImages_; }
    ImageStrip HeaderImages() const { return headerImages_; }

    // Rows, as the derived class keeps them.
    virtual int RowCount() const = 0;
    // The text a cell shows; empty outside the rows and columns.
    virtual std::string CellText(int row, int column) const = 0;
    virtual int RowImage(int row) const = 0;
    virtual bool IsChecked(int row) const = 0;
    virtual bool IsSelected(int row) const = 0;

    void SetChecked(int row, bool checked);
    void SetAllChecked(bool checked);
    bool AllChecked() const;
    // Single selection: choosing a row clears the others.
    void SetSelected(int row, bool selected);
    int FirstSelected() const;  // -1 when no row is selected

    // Header
    const HeaderState& Header() const { return header_; }
    void SetHeaderCheckImage(int image);
    // The heading's check image as the rows' checks are now.
    void ShowHeaderCheckOfRows() { SetHeaderCheckImage(AllChecked() ? kHeaderAllChecked : kHeaderSomeUnchecked); }
    int HeaderCheckImage() const { return header_.checkImage; }
    // Stores the sort column, direction and hide-arrow flag and marks that
    // heading as drawn by the header.
    void SetSortImage(int column, bool ascending, bool hideArrow);
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return sortAscending_; }

    // Behaviour of the list control
    void OnColumnClick(int column);
    void OnMouseButton(int x, int y);
    // Brings linked totals up to date with the check boxes; only the result
    // list has totals.
    virtual void RecountSelection() {}
    void SortByColumn(int column, bool ascending);

    void SetObserver(ListObserver* observer) { observer_ = observer; }
    ListObserver* Observer() const { return observer_; }

    // The check strip: clicks there may have toggled a check box.
    static bool InCheckStrip(int x, int y) { return x >= 0 && x <= 24 && y >= 15 && y <= 399; }

protected:
    virtual void StoreChecked(int row, bool checked) = 0;
    virtual void StoreSelected(int row, bool selected) = 0;
    // Reorders the rows by a column, stably; rows keep their check boxes.
    virtual void SortRows(int column, ColumnType type, bool ascending) = 0;
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
    void ShowRowsReset() {
        if (observer_) observer_->OnRowsReset();
    }
    void ShowRowChanged(int row) {
        if (observer_) observer_->OnRowChanged(row);
    }
    void ShowRowsAppended(int first, int count) {
        if (observer_) observer_->OnRowsAppended(first, count);
    }

private:
    std::vector<ListColumn> columns_;
    HeaderState header_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    ColumnType columnTypes_[kMaxColumns] = {};
    bool firstColumnIsData_ = false;
    bool checkBoxes_ = false;
    bool fullRowSelect_ = false;
    ImageStrip smallImages_;
    ImageStrip headerImages_;
    ListObserver* observer_ = nullptr;
};

// Case-insensitive order of two texts; only A to Z are folded.
int CompareNoCase(std::string_view a, std::string_view b);

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace velnor
