#pragma once
#include <string>

#include "app/option_switches.h"
#include "platform/platform.h"
#include "profile/profile.h"
#include "ui/profile_lists.h"

namespace velnor {

// The profile in config.ini beside the executable: the lists are set up and
// filled from it when the window opens (or from the defaults, written on the
// first start), and it is saved whole after every change.
class ProfileStore {
public:
    ProfileStore(const Platform& platform, ScanProfile& profile, ProfileLists& lists, OptionSwitches& options)
        : platform_(platform), profile_(profile), lists_(lists), options_(options) {}

    // The profile's path, from the executable's.
    void LocateProfile();
    const std::string& ProfilePath() const { return profilePath_; }

    bool ProfileFileUsable();
    // The file's text, or empty when it cannot be read.
    std::string ReadProfileText();
    void SaveProfile();
    void WriteDefaultProfile();
    void LoadExclusions();
    void LoadFilters();
    void LoadOptions();
    void FillDefaultFilters();
    void FillDefaultExclusions();

    // The Path page's list: the fixed drives, their checks and the folders.
    void SetupLocationList();
    void LoadLocations();
    void ListFixedDrives();
    void LoadDriveChecks();
    void LoadFolders();
    void AddLocationRow(int index, LocationEntry location);

private:
    const Platform platform_;
    ScanProfile& profile_;
    ProfileLists& lists_;
    OptionSwitches& options_;
    std::string profilePath_;
};

}  // namespace velnor
