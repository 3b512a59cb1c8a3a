#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/list_rows.h"

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

// How a list looks: its styles, columns, image strips and headings.
class ListLayout : public virtual ListRows {
public:
    static constexpr int kMaxColumns = 100;

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
    ColumnType ColumnTypeOf(int column) const;
    // The first column holds data rather than the check boxes.
    void SetFirstColumnIsData(bool on) { firstColumnIsData_ = on; }
    bool FirstColumnIsData() const { return firstColumnIsData_; }
    void SetSmallImages(ImageStrip strip);
    void SetHeaderImages(ImageStrip strip);
    const std::vector<ListColumn>& Columns() const { return columns_; }
    ImageStrip SmallImages() const { return smallImages_; }
    ImageStrip HeaderImages() const { return headerImages_; }

    // Header
    const HeaderState& Header() const { return header_; }
    // Puts back a header state kept from before.
    void SetHeader(const HeaderState& header);
    void SetHeaderCheckImage(int image);
    int HeaderCheckImage() const { return header_.checkImage; }
    // Stores the sort column, direction and hide-arrow flag and marks that
    // heading as drawn by the header.
    void SetSortImage(int column, bool ascending, bool hideArrow);

private:
    std::vector<ListColumn> columns_;
    HeaderState header_;
    ColumnType columnTypes_[kMaxColumns] = {};
    bool firstColumnIsData_ = false;
    bool checkBoxes_ = false;
    bool fullRowSelect_ = false;
    ImageStrip smallImages_;
    ImageStrip headerImages_;
};

}  // namespace velnor
