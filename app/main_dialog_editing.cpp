// The Add, Remove and Default buttons of the Path, Filters and Exceptions
// pages, and the option pictures of the Options page.
#include <algorithm>

#include "app/main_dialog_model.h"
#include "app/main_dialog_texts.h"
#include "profile/config_file.h"
#include "res/resource.h"
#include "ui/utf8.h"

namespace velnor {

namespace {

// The profile file separates entries with "<" and ">" and fields with "|", and
// has no escape for them.
std::string WithoutFieldMarks(std::string text) {
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '<' || c == '>' || c == '|'; }),
               text.end());
    return text;
}

// What the dialog handed back, as the main dialog's storage holds it.
std::string TakenEntry(const std::string& handedBack) {
    return WithoutFieldMarks(Utf8Prefix(handedBack, kMaxEntryChars));
}

// The file drops a filter whose entry is longer than its limit, so a filter
// is held within that limit when it is added: the description gives way
// first, then the pattern.
void FitFilterEntry(std::string& pattern, std::string& description) {
    const size_t marks = config_file::FilterEntry("", "", true, FilterType::Exclude).size();
    const size_t room = kMaxEntryChars - marks;
    pattern = Utf8Prefix(pattern, room);
    description = Utf8Prefix(description, room - pattern.size());
}

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool OptionOfPicture(int pictureId, ScanOptions::Flag& flag) {
    switch (pictureId) {
    case IDC_OPT_READ: flag = ScanOptions::kRead; return true;
    case IDC_OPT_SYSTEM: flag = ScanOptions::kSystem; return true;
    case IDC_OPT_HIDE: flag = ScanOptions::kHide; return true;
    case IDC_OPT_ZERO: flag = ScanOptions::kZero; return true;
    default: return false;
    }
}

}  // namespace

void MainDialogModel::OnAddEntry() {
    controls[IDC_ADD].SetStateAndPicture(1);
    switch (currentPage) {
    case kPagePath:
        AddFolderLocation();
        break;
    case kPageFilters: {
        filterDialogValues = FilterDialogValues{};
        RunAddFilterDialog(filterDialogValues);
        std::string pattern = TakenEntry(filterDialogValues.pattern);
        std::string description = TakenEntry(filterDialogValues.description);
        if (pattern.empty()) return;
        FitFilterEntry(pattern, description);
        const auto lower = [this](const std::string& text) {
            return platform_.locale ? platform_.locale->Lower(text) : AsciiLower(text);
        };
        const std::string wanted = lower(pattern);
        ListModel& filters = profile.filters;
        for (int row = 0; row < filters.RowCount(); ++row)
            if (lower(filters.Cell(row, filter_col::kPattern)) == wanted) return;
        AddFilterRow(filters, pattern, description, true, filterDialogValues.type);
        SaveProfile();
        break;
    }
    case kPageExceptions: {
        excludeDialogValue.clear();
        RunAddExcludeDialog(excludeDialogValue);
        const std::string pattern = TakenEntry(excludeDialogValue);
        if (pattern.empty()) return;
        ListModel& exclusions = profile.exclusions;
        for (int row = 0; row < exclusions.RowCount(); ++row)
            if (exclusions.Cell(row, exclude_col::kPattern) == pattern) return;
        AddExclusionRow(exclusions, pattern);
        SaveProfile();
        break;
    }
    default:
        break;
    }
}

void MainDialogModel::OnRemoveEntry() {
    controls[IDC_REMOVE].SetStateAndPicture(1);
    switch (currentPage) {
    case kPagePath:
        RemoveLocation();
        break;
    case kPageFilters: {
        ListModel& filters = profile.filters;
        const int row = filters.FirstSelected();
        if (row < 0) return;
        filters.DeleteRow(row);
        filters.SetHeaderCheckImage(filters.AllChecked() ? 1 : 2);
        SaveProfile();
        break;
    }
    case kPageExceptions: {
        ListModel& exclusions = profile.exclusions;
        const int row = exclusions.FirstSelected();
        if (row < 0) return;
        exclusions.DeleteRow(row);
        SaveProfile();
        break;
    }
    default:
        break;
    }
}

void MainDialogModel::OnRestoreDefaults() {
    controls[IDC_DEFAULT].SetStateAndPicture(1);
    switch (currentPage) {
    case kPagePath:
        ListFixedDrives();
        break;
    case kPageFilters:
        FillDefaultFilters();
        break;
    case kPageExceptions:
        FillDefaultExclusions();
        break;
    default:
        return;
    }
    SaveProfile();
}

void MainDialogModel::OnToggleOption(int pictureId) {
    ScanOptions::Flag flag;
    if (!OptionOfPicture(pictureId, flag)) return;
    SetOption(flag, !OptionOn(flag));
}

// The Recycle Bin and permanent-deletion pictures are a radio pair: clicking
// the checked one never unchecks it.
void MainDialogModel::OnRecycleMode() {
    if (controls.StateOf(IDC_RECYCLE_MODE).state == 1) return;
    SetOption(ScanOptions::kRemove, true);
    controls[IDC_JUNK_CAPTION].SetText(kRecycleCaption);
}

void MainDialogModel::OnPermanentMode() {
    if (controls.StateOf(IDC_PERMANENT_MODE).state == 1) return;
    SetOption(ScanOptions::kRemove, false);
    controls[IDC_JUNK_CAPTION].SetText(kPermanentCaption);
}

}  // namespace velnor
