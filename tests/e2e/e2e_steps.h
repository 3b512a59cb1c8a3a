#pragma once
// The user's steps through the window, shared by the scenario files. Each step
// returns an empty text when it went as a user would see it, else what went
// wrong, so that tests can ASSERT on it with the reason in the message.
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/e2e_driver.h"

namespace velnor::e2e {

constexpr DWORD kStepMs = 20000;

struct ResultRow {
    std::string name, location, size;
    bool checked = false;
};

inline std::vector<ResultRow> ResultRows(const Program& program) {
    RemoteList list(program, IDC_RESULT_LIST);
    std::vector<ResultRow> rows;
    const int count = list.Count();
    for (int i = 0; i < count; ++i)
        rows.push_back(ResultRow{list.Cell(i, 1), list.Cell(i, 2), list.Cell(i, 3), list.Checked(i)});
    return rows;
}

inline bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return Lower(text).rfind(Lower(prefix), 0) == 0;
}

// On the Path page: unchecks every checked row whose path is not below
// `inside` (the fixed drives above all: under Wine Z: is the host's whole
// file system), then adds `folder` through the folder chooser.
inline std::string ChooseOnlyFolder(Program& program, const std::string& folder, const std::string& inside) {
    if (!program.Click(IDC_PAGE_PATH)) return "the Path page button did not answer";
    RemoteList locations(program, IDC_LOCATION_LIST);
    for (int row = 0; row < locations.Count(); ++row) {
        if (locations.Checked(row) && !StartsWithNoCase(locations.Cell(row, 1), inside) &&
            !locations.ClickCheckBox(row))
            return "could not uncheck location row " + locations.Cell(row, 1);
    }
    const int before = locations.Count();
    program.PostClick(IDC_ADD);
    if (std::string error = ChooseFolderInChooser(program, folder, kStepMs); !error.empty()) return error;
    if (!WaitUntil([&] { return locations.Count() == before + 1; }, kStepMs))
        return "the chosen folder did not appear in the location list";
    const std::string shown = locations.Cell(before, 1);
    if (Lower(shown) != Lower(folder)) return "the location list shows \"" + shown + "\" for " + folder;
    if (!locations.Checked(before)) return "the added folder row is not checked";
    return std::string();
}

// Refuses to go on when a checked location lies outside `inside`: a scan of a
// whole drive here would reach the host's files.
inline std::string OnlyInsideChecked(const Program& program, const std::string& inside) {
    RemoteList locations(program, IDC_LOCATION_LIST);
    for (int row = 0; row < locations.Count(); ++row)
        if (locations.Checked(row) && !StartsWithNoCase(locations.Cell(row, 1), inside))
            return "checked location outside the test folder: " + locations.Cell(row, 1);
    return std::string();
}

inline std::string ScanToEnd(Program& program, const std::string& inside, DWORD ms = 60000) {
    if (std::string error = OnlyInsideChecked(program, inside); !error.empty()) return error;
    program.PostClick(IDC_START_SCAN);
    if (!program.WaitForText(IDC_SCAN_STATUS, kScanFinished, ms))
        return "scan did not finish; status line reads \"" + program.Text(IDC_SCAN_STATUS) + "\"";
    return std::string();
}

// Presses Start Clean, checks the question and answers it.
// Answers Start Clean's question; after OK, waits for the clean's last status
// line, which names what was left when anything was.
inline std::string StartCleanAndAnswer(Program& program, bool ok, const std::string& inside,
                                       const std::string& finalStatus = kCleanCompleted) {
    for (const ResultRow& row : ResultRows(program))
        if (row.checked && !StartsWithNoCase(row.location, inside))
            return "refusing to clean: checked row outside the test folder: " + row.location;
    program.PostClick(IDC_START_CLEAN);
    HWND box = program.WaitForMessageBox("Information", kStepMs);
    if (!box) return "no \"Information\" box after Start Clean";
    const std::string texts = program.DialogTexts(box);
    if (texts.find("Delete all selected items?") == std::string::npos)
        return "the question reads \"" + texts + "\"";
    const int answer = ok ? IDOK : IDCANCEL;
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, answer)));
    if (!WaitUntil([&] { return !::IsWindow(box); }, kStepMs)) return "the question did not close";
    if (ok && !program.WaitForText(IDC_CLEAN_STATUS, finalStatus, 60000))
        return "clean did not complete; status reads \"" + program.Text(IDC_CLEAN_STATUS) + "\"";
    return std::string();
}

inline std::string ExitProgram(Program& program, DWORD ms = kStepMs) {
    program.PostClick(IDC_EXIT);
    if (!program.WaitForExit(ms)) return "the program did not end after Exit";
    return std::string();
}

}  // namespace velnor::e2e
