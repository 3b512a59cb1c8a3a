#pragma once
#include "ui/list_rows.h"

namespace velnor {

// The single selection of a list: choosing a row clears the others.
class ListSelection : public virtual ListRows {
public:
    void SetSelected(int row, bool selected);
    int FirstSelected() const;  // -1 when no row is selected
};

}  // namespace velnor
