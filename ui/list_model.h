#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velnor {

class Control;

// Comparison kinds of the columns, as the owner sets them.
enum class ColumnType : int { Text = 0, Integer = 1, DateTime = 2, Real = 3 };
enum class ColumnAlign : int { Left = 0, Right = 1, Center = 2 };

struct ListColumn {
    std::string heading;
    int width = 0;
    ColumnAlign align = ColumnAlign::Left;
};

struct ListRow {
    std::vector<std::string> cells;  // one per column; cells[0] is the first column
    bool checked = false;
    bool selected = false;
    int image = 0;
    intptr_t itemData = 0;
};

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

// What the list view that displays a model is told. Every change of the model
// reaches the observer, so the control on screen never differs from it.
class ListObserver {
public:
    virtual ~ListObserver() = default;
    virtual void OnColumnsChanged() = 0;  // columns, styles or image strips
    virtual void OnRowsReset() = 0;       // every row may have changed, order included
    virtual void OnRowInserted(int row) = 0;
    // Rows first .. first + count - 1 were appended at the end in one step. A
    // display may gather such rows and show them a little later, in batches.
    virtual void OnRowsAppended(int first, int count) {
        for (int row = first; row < first + count; ++row) OnRowInserted(row);
    }
    // Every appended row must be shown now.
    virtual void OnAppendsFinished() {}
    virtual void OnRowDeleted(int row) = 0;
    virtual void OnRowChanged(int row) = 0;  // cells, image, check box or selection
    virtual void OnHeaderChanged() = 0;
};

// Turns a date-time text into a comparable number (the platform's locale-aware
// parser); empty when the text is no date.
using DateParser = std::function<std::optional<double>(const std::string&)>;

// The rows of one checkable report list and the behaviour of the list control:
// the check-all image in column 0's heading, sorting by column kind and the live
// selected totals of the result list.
class ListModel {
public:
    static constexpr int kMaxColumns = 100;

    // Set-up
    void SetStyles(bool checkBoxes, bool fullRowSelect);
    bool HasCheckBoxes() const { return checkBoxes_; }
    bool HasFullRowSelect() const { return fullRowSelect_; }
    void InsertColumn(const std::string& heading, int width, ColumnAlign align = ColumnAlign::Left);
    void SetColumnWidth(int column, int width);
    void SetColumnType(int column, ColumnType type);
    void SetFirstColumnIsData(bool on) { firstColumnIsData_ = on; }
    void SetSmallImages(ImageStrip strip);
    void SetHeaderImages(ImageStrip strip);
    const std::vector<ListColumn>& Columns() const { return columns_; }
    ImageStrip SmallImages() const { return smallImages_; }
    ImageStrip HeaderImages() const { return headerImages_; }

    // Rows
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const ListRow& Row(int row) const { return rows_[row]; }
    const std::vector<ListRow>& Rows() const { return rows_; }
    const std::string& Cell(int row, int column) const;
    int AppendItem(const std::string& text, int image);
    int InsertRow(int index, ListRow row);
    // Appends rows at the end in one step, told to the observer once; returns
    // the index of the first. The scan appends the hits of a folder this way.
    int AppendRows(std::vector<ListRow> rows);
    // Ends a run of AppendRows: whatever the display gathered is shown now.
    void FinishAppending();
    void SetCell(int row, int column, const std::string& text);
    void SetImage(int row, int image);
    void SetItemData(int row, intptr_t data);
    void SetChecked(int row, bool checked);
    bool IsChecked(int row) const { return rows_[row].checked; }
    void SetAllChecked(bool checked);
    bool AllChecked() const;
    void SetSelected(int row, bool selected);
    int FirstSelected() const;  // -1 when no row is selected
    void DeleteRow(int row);
    void DeleteAllRows();

    // Header
    const HeaderState& Header() const { return header_; }
    void SetHeaderCheckImage(int image);
    int HeaderCheckImage() const { return header_.checkImage; }
    // Stores the sort column, direction and hide-arrow flag and marks that
    // heading as drawn by the header.
    void SetSortImage(int column, bool ascending, bool hideArrow);
    // Reads back what the header shows, for the header's own archive of widths.
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return sortAscending_; }

    // Behaviour of the list control
    void OnColumnClick(int column);
    void OnMouseButton(int x, int y);
    void RecountSelection();
    void SortByColumn(int column, bool ascending);
    void SetDateParser(DateParser parser) { dateParser_ = std::move(parser); }

    // Links the selected totals of the result list to the dialog's counters and texts.
    void LinkTotals(uint32_t* selectedCount, uint64_t* selectedSize, Control* filesText, Control* sizeText);
    bool TotalsLinked() const;

    void SetObserver(ListObserver* observer) { observer_ = observer; }
    ListObserver* Observer() const { return observer_; }

    // The check strip: clicks there may have toggled a check box.
    static bool InCheckStrip(int x, int y) { return x >= 0 && x <= 24 && y >= 15 && y <= 399; }

private:
    int Compare(const std::string& a, const std::string& b, ColumnType type) const;

    std::vector<ListColumn> columns_;
    std::vector<ListRow> rows_;
    HeaderState header_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    ColumnType columnTypes_[kMaxColumns] = {};
    bool firstColumnIsData_ = false;
    bool checkBoxes_ = false;
    bool fullRowSelect_ = false;
    ImageStrip smallImages_;
    ImageStrip headerImages_;
    int totalsLinked_ = 0;
    uint32_t* selectedCount_ = nullptr;
    uint64_t* selectedSize_ = nullptr;
    Control* selectedFilesText_ = nullptr;
    Control* selectedSizeText_ = nullptr;
    DateParser dateParser_;
    ListObserver* observer_ = nullptr;
};

// Texts of the selected totals.
std::string SelectedFilesText(uint32_t count);
std::string SelectedSizeText(uint64_t bytes);

// Number written at the start of a text: optional sign, then decimal digits.
// Saturates instead of overflowing.
int64_t LeadingInteger(const std::string& text);
// A "Size(Bytes)" cell as an unsigned 64-bit count.
uint64_t ParseByteCount(const std::string& text);

}  // namespace velnor
