#pragma once
// Texts that more than one part of the main window shows.

namespace velnor {

// The Clean page's junk item, after the removal mode chosen on the Options page.
constexpr char kRecycleCaption[] = "Send Junk Files To The Recycle Bin";
constexpr char kPermanentCaption[] = "Delete Junk Files Permanently";

// The Scan page's running totals, each followed by its number.
constexpr char kTotalFiles[] = "Total Files: ";
constexpr char kTotalSize[] = "Total Size:  ";

// The Scan page's totals when nothing is listed: before a scan's first hit and
// after Start Clean has taken the list. The two blanks before "Size" belong to
// these texts only; the running totals have theirs after the colon.
constexpr char kTotalFilesZero[] = "Total Files: 0";
constexpr char kTotalSizeZero[] = "Total  Size: 0 MB";
constexpr char kSelectedFilesZero[] = "Selected Files: 0";
constexpr char kSelectedSizeZero[] = "Selected  Size: 0 MB";

}  // namespace velnor
