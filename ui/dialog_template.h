#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velnor {

// A control of a dialog template that shows a picture by its resource id:
// a static whose text in the template is an ordinal, such as
// CONTROL IDB_ORNAMENT, IDC_ORNAMENT, "Static", SS_BITMAP, ...
struct TemplatePicture {
    int controlId = 0;
    int resourceId = 0;
};

// The controls of an extended dialog template (DLGTEMPLATEEX, as resource
// compilers write DIALOGEX) whose text is a resource ordinal. A template that
// is cut short or of the old form yields what could be read of it.
std::vector<TemplatePicture> TemplatePictures(const uint8_t* data, size_t size);

}  // namespace velnor
