#include "clean/clean_outcome.h"

namespace velnor {

namespace {

std::string Files(uint32_t count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

}  // namespace

std::string CheckedFilesLeftText(uint32_t count) {
    return "Left: " + std::to_string(count) + (count == 1 ? " checked file" : " checked files") +
           ", still checked in the list.";
}

std::string AreaStepText(const std::string& stepName, bool emptied) {
    return (emptied ? "Success: Clean " : "Failed: Clean ") + stepName + "!";
}

std::string CleanCompletedText(const CleanOutcome& outcome) {
    const std::string text = "Clean Completed!";
    if (outcome.checkedFilesLeft == 0 && outcome.areasLeft.empty()) return text;
    const std::string files = outcome.checkedFilesLeft ? Files(outcome.checkedFilesLeft) : std::string();
    std::string left = files;
    for (const std::string& area : outcome.areasLeft) left += (left.empty() ? "" : ", ") + area;
    std::string whole = text + " Left: " + left + ".";
    if (whole.size() <= kStatusLineChars) return whole;
    // Too long for the line: the areas are counted instead of named.
    const size_t areas = outcome.areasLeft.size();
    const std::string counted = std::to_string(areas) + (areas == 1 ? " area" : " areas");
    return text + " Left: " + (files.empty() ? counted : files + ", " + counted) + ".";
}

}  // namespace velnor
