#include "app/list_pages.h"

#include <algorithm>

#include "profile/config_file.h"
#include "res/resource.h"
#include "scan/wildcard.h"
#include "scan/utf8.h"

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
    std::transform(text.begin(), text.end(), text.begin(), LowerAsciiLetter);
    return text;
}

// Remove takes folders only: the drives stay listed.
bool IsDriveRow(const LocationEntry& location) { return location.kind == LocationKind::Drive; }

}  // namespace

// What Add, Remove and Default do on each of the three list pages.
const ListPages::PageCommands ListPages::kPageCommands[] = {
    {kPagePath, &ListPages::AddFolderLocation, &ListPages::RemoveLocation, &ProfileStore::ListFixedDrives},
    {kPageFilters, &ListPages::AddFilter, &ListPages::RemoveFilter, &ProfileStore::FillDefaultFilters},
    {kPageExceptions, &ListPages::AddExclusion, &ListPages::RemoveExclusion, &ProfileStore::FillDefaultExclusions},
};

const ListPages::PageCommands* ListPages::CurrentPageCommands() const {
    for (const PageCommands& commands : kPageCommands)
        if (commands.page == state_.currentPage) return &commands;
    return nullptr;
}

void ListPages::OnAddEntry() {
    controls_[IDC_ADD].SetStateAndPicture(picture_state::kNormal);
    if (const PageCommands* commands = CurrentPageCommands()) (this->*commands->add)();
}

void ListPages::OnRemoveEntry() {
    controls_[IDC_REMOVE].SetStateAndPicture(picture_state::kNormal);
    if (const PageCommands* commands = CurrentPageCommands()) (this->*commands->remove)();
}

void ListPages::OnRestoreDefaults() {
    controls_[IDC_DEFAULT].SetStateAndPicture(picture_state::kNormal);
    const PageCommands* commands = CurrentPageCommands();
    if (!commands) return;
    (store_.*commands->restore)();
    store_.SaveProfile();
}

// Every run of a dialog starts from blank values.
void ListPages::AddFilter() {
    FilterDialogValues values;
    window_.RunAddFilterDialog(values);
    std::string pattern = TakenEntry(values.pattern);
    std::string description = TakenEntry(values.description);
    if (pattern.empty()) return;
    FitFilterEntry(pattern, description);
    const auto lower = [this](const std::string& text) {
        return platform_.locale ? platform_.locale->Lower(text) : AsciiLower(text);
    };
    const std::string wanted = lower(pattern);
    FilterTable& filters = profile_.filters;
    for (int row = 0; row < filters.RowCount(); ++row)
        if (lower(filters.At(row).pattern) == wanted) return;
    AddFilterRow(filters, pattern, description, true, values.type);
    store_.SaveProfile();
}

void ListPages::AddExclusion() {
    std::string value;
    window_.RunAddExcludeDialog(value);
    const std::string pattern = TakenEntry(value);
    if (pattern.empty()) return;
    ExclusionTable& exclusions = profile_.exclusions;
    for (int row = 0; row < exclusions.RowCount(); ++row)
        if (exclusions.At(row).pattern == pattern) return;
    AddExclusionRow(exclusions, pattern);
    store_.SaveProfile();
}

void ListPages::AddFolderLocation() {
    std::string path;
    if (platform_.prompts) path = platform_.prompts->ChooseFolder().value_or(std::string());
    // Nothing chosen, or a drive root, which is listed as a drive already.
    if (path.size() <= 3) return;
    LocationTable& list = profile_.locations;
    for (int i = 0; i < list.RowCount(); ++i)
        if (list.At(i).path == path) return;
    store_.AddLocationRow(list.RowCount(), MakeFolderLocation(path, true));
    store_.SaveProfile();
}

template <typename Record>
void ListPages::RemoveSelected(RecordListModel<Record>& list, bool (*stays)(const Record&)) {
    const int row = list.FirstSelected();
    if (row < 0) return;
    if (!stays || !stays(list.Records().At(row))) list.Records().DeleteRow(row);
    if (list.HasCheckBoxes()) list.ShowHeaderCheckOfRows();
    store_.SaveProfile();
}

void ListPages::RemoveLocation() { RemoveSelected(lists_.locations, IsDriveRow); }

void ListPages::RemoveFilter() { RemoveSelected<FilterEntry>(lists_.filters, nullptr); }

void ListPages::RemoveExclusion() { RemoveSelected<ExcludeEntry>(lists_.exclusions, nullptr); }

}  // namespace velnor
