#pragma once
// What Start Clean tells of each step and of the whole: a step that failed or
// a checked file that stayed is said so, never shown as a success.
#include <cstdint>
#include <string>
#include <vector>

namespace velnor {

// The status line shows one line of some 300 pixels: about this many
// characters of the dialog font.
constexpr size_t kStatusLineChars = 54;

struct CleanOutcome {
    uint32_t checkedFilesLeft = 0;
    std::vector<std::string> areasLeft;  // short names, in cleaning order
};

// "Left: 3 checked files, still checked in the list."
std::string CheckedFilesLeftText(uint32_t count);
// "Success: Clean Windows Temp Folder!" or "Failed: Clean Windows Temp Folder!"
std::string AreaStepText(const std::string& stepName, bool emptied);
// "Clean Completed!", followed by what was left when anything was: the checked
// files and the areas by name, or by number where the names would not fit.
std::string CleanCompletedText(const CleanOutcome& outcome);

}  // namespace velnor
