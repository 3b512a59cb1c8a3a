// The command line's /scan over a big tree, its report sent to a file, as a
// scheduled run makes it: the shipped program started as a process of its
// own and timed until it ends, against a bare breadth-first
// FindFirstFileA/FindNextFileA walk of the same tree in this process, in
// turns; the best time of each is compared. The profile is the first start's
// defaults with only the tree checked.
// Usage: cli_scan_bench PROGRAM ROOT [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/win32/bench_walk.h"
#include "profile/config_file.h"
#include "profile/defaults.h"
#include "profile/profile.h"

namespace {

using bench::BareWalk;
using bench::Seconds;

std::string BenchProfileText(const std::string& root) {
    velnor::ScanProfile profile;
    for (const velnor::DefaultFilter& f : velnor::kDefaultFilters)
        velnor::AddFilterRow(profile.filters, f.pattern, f.description, f.checked, f.type);
    for (const char* pattern : velnor::kDefaultExclusions) velnor::AddExclusionRow(profile.exclusions, pattern);
    profile.locations.AppendRow(velnor::MakeFolderLocation(root, true));
    profile.options = velnor::ScanOptions::FileDefaults();
    // Every drive unchecked: under Wine Z: is the whole host.
    std::string drives = "PathDrive=";
    for (char letter = 'A'; letter <= 'Z'; ++letter) drives += std::string("<") + letter + ":|0>";
    return drives + "\n" + velnor::config_file::ProfileText(profile);
}

bool WriteAll(const std::string& path, const std::string& text) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    ::CloseHandle(file);
    return ok;
}

// Runs the program to its end; its exit code, or -1 when it could not start.
long RunProgram(const std::string& program, std::string arguments) {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return -1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: cli_scan_bench PROGRAM ROOT [ROUNDS]\n");
        return 2;
    }
    const std::string program = argv[1], root = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 2;
    const std::string profile = root + "-cli.ini", report = root + "-cli-report.csv";
    // The profile's text is the file's: LF in memory, CR LF on disk.
    std::string text;
    for (const char c : BenchProfileText(root)) {
        if (c == '\n') text += '\r';
        text += c;
    }
    if (!WriteAll(profile, text)) {
        std::fprintf(stderr, "cannot write %s\n", profile.c_str());
        return 1;
    }
    const std::string arguments = "/scan /profile \"" + profile + "\" /report \"" + report + "\"";
    double bestBare = 1e30, bestCli = 1e30;
    for (int round = 0; round < rounds; ++round) {
        double start = Seconds();
        BareWalk(root);
        const double bare = Seconds() - start;
        start = Seconds();
        const long exitCode = RunProgram(program, arguments);
        const double cli = Seconds() - start;
        if (exitCode != 0) {
            std::fprintf(stderr, "the program's /scan ended with %ld\n", exitCode);
            return 1;
        }
        if (bare < bestBare) bestBare = bare;
        if (cli < bestCli) bestCli = cli;
    }
    ::DeleteFileA(profile.c_str());
    ::DeleteFileA(report.c_str());
    std::printf("cli_scan_1m_seconds: %.3f (bare walk %.3f)\n", bestCli, bestBare);
    std::printf("cli_scan_1m_vs_enumeration: %.3f\n", bestCli / bestBare);
    return 0;
}
