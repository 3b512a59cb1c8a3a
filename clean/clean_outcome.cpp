#include "clean/clean_outcome.h"

namespace velnor {

namespace {

std::string CheckedFiles(uint32_t count) {
    return std::to_string(count) + (count == 1 ? " checked file" : " checked files");
}

}  // namespace

std::string CheckedFilesLeftText(uint32_t count) { return "Left: " + CheckedFiles(count) + ", still checked in the list."; }

std::string AreaStepText(const std::string& stepName, bool emptied) {
    return (emptied ? "Success: Clean " : "Failed: Clean ") + stepName + "!";
}

std::string CleanCompletedText(const CleanOutcome& outcome) {
    std::string text = "Clean Completed!";
    if (outcome.checkedFilesLeft == 0 && outcome.areasLeft.empty()) return text;
    std::string left = outcome.checkedFilesLeft ? CheckedFiles(outcome.checkedFilesLeft) : std::string();
    for (const std::string& area : outcome.areasLeft) left += (left.empty() ? "" : ", ") + area;
    return text + " Left: " + left + ".";
}

}  // namespace velnor
