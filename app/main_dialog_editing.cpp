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
    controls[IDC_ADD].SetStateAndPicture(picture_state::kNormal);
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
        FilterTable& filters = profile.filters;
        for (int row = 0; row < filters.RowCount(); ++row)
            if (lower(filters.At(row).pattern) == wanted) return;
        AddFilterRow(filters, pattern, description, true, filterDialogValues.type);
        SaveProfile();
        break;
    }
    case kPageExceptions: {
        excludeDialogValue.clear();
        RunAddExcludeDialog(excludeDialogValue);
        const std::string pattern = TakenEntry(excludeDialogValue);
        if (pattern.empty()) return;
        ExclusionTable& exclusions = profile.exclusions;
        for (int row = 0; row < exclusions.RowCount(); ++row)
            if (exclusions.At(row).pattern == pattern) return;
        AddExclusionRow(exclusions, pattern);
        SaveProfile();
        break;
    }
    default:
        break;
    }
}

void MainDialogModel::OnRemoveEntry() {
    controls[IDC_REMOVE].SetStateAndPicture(picture_state::kNormal);
    switch (currentPage) {
    case kPagePath:
        RemoveLocation();
        break;
    case kPageFilters: {
        FilterTable& filters = profile.filters;
        const int row = filters.FirstSelected();
        if (row < 0) return;
        filters.DeleteRow(row);
        filters.SetHeaderCheckImage(filters.AllChecked() ? kHeaderAllChecked : kHeaderSomeUnchecked);
        SaveProfile();
        break;
    }
    case kPageExceptions: {
        ExclusionTable& exclusions = profile.exclusions;
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
    controls[IDC_DEFAULT].SetStateAndPicture(picture_state::kNormal);
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
    if (OptionOn(ScanOptions::kRemove)) return;
    SetOption(ScanOptions::kRemove, true);
    ShowJunkCaption();
}

void MainDialogModel::OnPermanentMode() {
    if (!OptionOn(ScanOptions::kRemove)) return;
    SetOption(ScanOptions::kRemove, false);
    ShowJunkCaption();
}

// The Clean page names the junk files' item after the removal mode.
void MainDialogModel::ShowJunkCaption() {
    controls[IDC_JUNK_CAPTION].SetText(OptionOn(ScanOptions::kRemove) ? kRecycleCaption : kPermanentCaption);
}

}  // namespace velnor
