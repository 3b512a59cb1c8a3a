#include "app/main_dialog_model.h"

#include "res/resource.h"
#include "ui/utf8.h"

namespace velnor {

namespace {
constexpr int kOptionPictures[ScanOptions::kCount] = {
    IDC_OPT_READ,   IDC_OPT_SYSTEM,  IDC_OPT_HIDE,     IDC_OPT_ZERO,    IDC_RECYCLE_MODE, IDC_CLEAN_JUNK,
    IDC_CLEAN_RECYCLE, IDC_CLEAN_TEMP, IDC_CLEAN_INTERNET, IDC_CLEAN_HISTORY, IDC_CLEAN_RECENT,
};
constexpr size_t kModulePathChars = 1000;
}  // namespace

MainDialogModel::MainDialogModel(const Platform& platform)
    : platform_(platform),
      selectedFilesText_(controls[IDC_SELECTED_FILES]),
      selectedSizeText_(controls[IDC_SELECTED_SIZE]) {}

void MainDialogModel::InitializeState() {
    backgroundPaint = true;
    currentPage = kPageAbout;
    scanState = kScanIdle;
    busy = false;
    cleanBusy = false;

    // The profile sits beside the executable. The separator is looked for from
    // the end of the path buffer down to index 1, as either kind of slash.
    std::string module = platform_.files ? platform_.files->ModulePath() : std::string();
    module = Utf8Prefix(module, kModulePathChars - 1);
    for (size_t i = module.size(); i-- > 1;) {
        if (module[i] == '\\' || module[i] == '/') {
            module.resize(i + 1);
            break;
        }
    }
    profilePath = module + "config.ini";
}

void MainDialogModel::LoadProfileAndLists() {
    HidePageControls();
    SetupLocationList();
    LoadExclusions();
    LoadFilters();
    SetupResultList();
    LoadOptions();
    FillAboutPage();
    OnListsSetUp();
}

void MainDialogModel::SetupResultList() {
    totalCount = 0;
    totalSize = 0;
    selectedCount = 0;
    selectedSize = 0;
    results.SetStyles(true, true);
    results.SetColumnType(1, ColumnType::Text);
    results.SetColumnType(2, ColumnType::Text);
    results.SetColumnType(3, ColumnType::Integer);
    results.SetColumnType(4, ColumnType::DateTime);
    results.InsertColumn("", 30);
    results.InsertColumn("File Name", 100);
    results.InsertColumn("Location", 165);
    results.InsertColumn("Size(Bytes)", 70);
    results.InsertColumn("Modified", 85);
    results.SetHeaderImages(ImageStrip{IDB_HEADER_CHECKS, 13});
    results.SetHeaderCheckImage(kHeaderAllChecked);
    if (platform_.locale) {
        ILocale* locale = platform_.locale;
        results.SetTimeFormatter([locale](uint64_t time) { return locale->FormatModified(time); });
    }
}

int MainDialogModel::OptionPicture(ScanOptions::Flag flag) { return kOptionPictures[flag]; }

bool MainDialogModel::OptionOn(ScanOptions::Flag flag) const { return profile.options[flag]; }

// The one way an option changes, so that its picture always shows it.
void MainDialogModel::SetOption(ScanOptions::Flag flag, bool on) {
    profile.options[flag] = on;
    controls[kOptionPictures[flag]].SetStateAndPicture(on ? picture_state::kOn : picture_state::kOff);
    if (flag == ScanOptions::kRemove)
        controls[IDC_PERMANENT_MODE].SetStateAndPicture(on ? picture_state::kOff : picture_state::kOn);
}

void MainDialogModel::SetOptions(const ScanOptions& options) {
    for (int i = 0; i < ScanOptions::kCount; ++i) {
        const auto flag = static_cast<ScanOptions::Flag>(i);
        SetOption(flag, options[flag]);
    }
}

void MainDialogModel::OnExitCommand() {
    if (scanState != kScanIdle) scanState = kScanStopRequested;
    cleanBusy = false;
    SaveProfile();
    EndMainDialog();
}

}  // namespace velnor
