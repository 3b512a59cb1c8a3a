#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "profile/profile.h"
#include "scan/filter_set.h"
#include "ui/control_model.h"
#include "ui/link_label.h"
#include "ui/list_model.h"
#include "ui/result_table.h"

namespace velnor {

enum class CleanArea { RecycleBin, TempFolder, InternetCache, History, RecentDocuments };
constexpr int kCleanAreaCount = 5;

enum ScanState : int { kScanIdle = 0, kScanRunning = 1, kScanStopRequested = 3 };

enum Page : int { kPageAbout = 0, kPagePath, kPageFilters, kPageExceptions, kPageOptions, kPageScan, kPageClean };

// What the add dialogs hand back; written by a dialog only when the user confirms.
struct FilterDialogValues {
    std::string pattern;
    std::string description;
    FilterType type = FilterType::Include;
};

// The behaviour of the main window, free of the platform's window code: every
// control of template 102 is a ControlState in `controls`, the four lists are
// tables of records, and the Win32 dialog (CMainDialog) derives from this class and
// mirrors the models onto the real controls. Handlers keep the names of the
// commands they answer, so the dialog's message map points straight at them.
class MainDialogModel {
public:
    explicit MainDialogModel(const Platform& platform);
    virtual ~MainDialogModel() = default;
    MainDialogModel(const MainDialogModel&) = delete;
    MainDialogModel& operator=(const MainDialogModel&) = delete;

    // Start-up: the portable steps of the dialog's initialisation, in order.
    void InitializeState();     // flags, page, profile path
    void LayoutControls();      // every control at its place, every button set up
    struct PictureButton {
        int id;
        PictureKind kind;  // Pic: a CBitmapPic; PicEx: a CBitmapPicEx
    };
    static const std::vector<PictureButton>& PictureButtons();
    void LoadProfileAndLists(); // location, exclusion and filter lists, result list, options
    void SetupResultList();

    // Scan
    void OnStartScan();
    void OnStopScan();
    void RunScan();
    void PrepareScanLists();

    // Profile file
    bool ProfileFileUsable();
    std::string ReadProfileValue(const std::string& key);
    void SaveProfile();
    void WriteDefaultProfile();
    void LoadExclusions();
    void LoadFilters();
    void LoadOptions();
    void FillDefaultFilters();
    void FillDefaultExclusions();

    // Locations
    void SetupLocationList();
    void LoadLocations();
    void ListFixedDrives();
    void LoadDriveChecks();
    void LoadFolders();
    void AddLocationRow(int index, LocationEntry location);
    void AddFolderLocation();
    void RemoveLocation();

    // Removal and cleaning
    void RemoveJunkFiles();
    void MeasureCleanAreas();
    void ShowTotalGain();
    uint64_t GetFolderSize(const std::string& path, bool allSubfolders);
    bool CleanUrlCache();
    long ClearUrlHistory();
    void OnStartClean();
    void OnToggleCleanItem(int pictureId);
    void OnOpenFolder(int buttonId);

    // Page flow
    void ShowPage(int page);
    void OnAbout();
    void OnBack();
    void OnNext();
    void HidePageControls();
    void UpdateNavigation(int page);
    // What a page shows besides the controls that every page shows.
    static const std::vector<int>& PageControlIds(int page);
    void FillAboutPage();
    // The user manual: the executable's path with the extension ".CHM", opened
    // at the main window's help context (a dialog's context is 0x20000 plus
    // its template id, here 102).
    std::string HelpFilePath() const;
    static constexpr uint32_t kHelpContext = 0x20000 + 102;

    // Editing pages
    void OnAddEntry();
    void OnRemoveEntry();
    void OnRestoreDefaults();
    void OnToggleOption(int pictureId);
    void OnRecycleMode();
    void OnPermanentMode();
    void ShowJunkCaption();

    // Exit
    void OnExitCommand();

    // The options are the profile's; the option pictures show them.
    bool OptionOn(ScanOptions::Flag flag) const;
    void SetOption(ScanOptions::Flag flag, bool on);
    void SetOptions(const ScanOptions& options);
    const ScanOptions& Options() const { return profile.options; }
    static int OptionPicture(ScanOptions::Flag flag);

    // State shared by the parts of the window.
    DialogModel controls;
    ScanProfile profile;
    ResultTable results;  // list 1082 on the Scan page
    std::string profilePath;
    int currentPage = kPageAbout;
    int scanState = kScanIdle;
    bool busy = false;
    bool cleanBusy = false;
    bool backgroundPaint = true;
    uint32_t totalCount = 0;
    uint64_t totalSize = 0;
    uint32_t selectedCount = 0;
    uint64_t selectedSize = 0;

    // Scan work lists and the option copies taken when a scan starts.
    std::deque<std::string> locationQueue;
    FilterSet filterSet;
    bool includeReadOnly = false, includeSystem = false, includeHidden = false, findZeroSize = false;

    // System areas, indexed by CleanArea.
    std::string areaPaths[kCleanAreaCount];
    uint64_t areaSizes[kCleanAreaCount] = {};

    FilterDialogValues filterDialogValues;
    std::string excludeDialogValue;

    // The About page's two links (controls 1145 and 1151).
    LinkLabelState homeLink, supportLink;

    Control Ctl(int id) { return controls[id]; }

protected:
    // What only the window can do; the Win32 dialog overrides these, the host
    // tests replace them.
    virtual void EndMainDialog() {}
    virtual void RunAddFilterDialog(FilterDialogValues& values) {}
    virtual void RunAddExcludeDialog(std::string& value) {}
    virtual void OnListsSetUp() {}

    const Platform platform_;

private:
    void EnterPage(int page);
    void ProcessFolder(const std::string& path);
    void ShowHits(std::vector<JunkItem>& hits);
    Control selectedFilesText_;
    Control selectedSizeText_;
};

}  // namespace velnor
