#include "app/command_run.h"

#include <memory>
#include <optional>

#include "app/command_report.h"
#include "clean/junk_removal.h"
#include "clean/system_areas.h"
#include "profile/profile_reader.h"
#include "scan/found_files.h"
#include "scan/junk_scan.h"

namespace velnor {

namespace {

constexpr char kProgramName[] = "VelnorCleaner: ";

class CommandRun {
public:
    CommandRun(const CommandLine& line, const Platform& platform, CommandReport& report)
        : line_(line), platform_(platform), report_(report) {}

    ExitCode Run(const ScanProfile& profile) {
        const ScanOptions& options = profile.options;
        Scan(profile);
        summary_.filesFound = found_.TotalCount();
        summary_.bytesFound = found_.TotalSize();
        if (line_.command == CliCommand::Preview) Preview(options);
        if (line_.command == CliCommand::Clean) Clean(options);
        const bool left = summary_.filesLeft > 0 || summary_.areasFailed > 0;
        summary_.exit = left ? ExitCode::SomethingLeft : ExitCode::Done;
        report_.Summary(summary_);
        return summary_.exit;
    }

private:
    // The walk, folder by folder; /scan and /preview list each folder's
    // files as soon as it has been walked.
    void Scan(const ScanProfile& profile) {
        const bool list = line_.command != CliCommand::Clean;
        JunkScan scan(platform_.files, platform_.locale);
        scan.Start(profile);
        int listed = 0;
        bool more = true;
        while (more) {
            more = scan.WalkNextFolder(found_);
            for (; list && listed < found_.Count(); ++listed) {
                const FoundFile file = found_.At(listed);
                report_.File(file.Path(), file.size, file.modified, FileResult::Found);
            }
        }
    }

    void Preview(const ScanOptions& options) {
        SystemAreas areas(platform_);
        areas.Measure();
        summary_.toFree = options[ScanOptions::kClean0] ? found_.CheckedSize() : 0;
        for (int i = 0; i < kCleanAreaCount; ++i) {
            const CleanArea area = static_cast<CleanArea>(i);
            if (!options[AreaInfo(area).flag]) continue;
            report_.Area(AreaInfo(area).shortName, areas.Size(area), AreaResult::Measured);
            ++summary_.areas;
            summary_.areaBytes += areas.Size(area);
        }
        summary_.toFree += summary_.areaBytes;
    }

    void Clean(const ScanOptions& options) {
        if (options[ScanOptions::kClean0]) {
            const uint32_t checked = found_.CheckedCount();
            const uint64_t checkedBytes = found_.CheckedSize();
            const RemovalMode mode = options[ScanOptions::kRemove] ? RemovalMode::RecycleBin : RemovalMode::Permanent;
            RemoveCheckedFiles(found_, platform_, mode, [&](const FoundFile& file, bool removed) {
                report_.File(file.Path(), file.size, file.modified, removed ? FileResult::Removed : FileResult::Left);
            });
            // What stayed is still in the list, checked.
            summary_.filesLeft = found_.CheckedCount();
            summary_.bytesLeft = found_.CheckedSize();
            summary_.filesRemoved = checked - summary_.filesLeft;
            summary_.bytesRemoved = checkedBytes - summary_.bytesLeft;
        }
        SystemAreas areas(platform_);
        areas.Measure();
        for (int i = 0; i < kCleanAreaCount; ++i) {
            const CleanArea area = static_cast<CleanArea>(i);
            if (!options[AreaInfo(area).flag]) continue;
            const uint64_t bytes = areas.Size(area);
            const bool emptied = areas.Empty(area);
            report_.Area(AreaInfo(area).shortName, bytes, emptied ? AreaResult::Emptied : AreaResult::Failed);
            ++summary_.areas;
            summary_.areaBytes += bytes;
            if (!emptied) ++summary_.areasFailed;
        }
    }

    const CommandLine& line_;
    const Platform& platform_;
    CommandReport& report_;
    FoundFiles found_;
    RunSummary summary_;
};

void Complain(IConsole& console, const std::string& text) {
    console.StandardError().Write(kProgramName + text + "\r\n");
}

}  // namespace

ExitCode RunCommand(const CommandLine& line, const Platform& platform, IConsole& console) {
    if (line.command == CliCommand::Usage) {
        if (line.error.empty()) {
            console.StandardOutput().Write(kUsageText);
            return ExitCode::Done;
        }
        Complain(console, line.error + "\r\n");
        console.StandardError().Write(kUsageText);
        return ExitCode::BadCommandLine;
    }

    std::unique_ptr<ITextSink> reportFile;
    if (!line.reportPath.empty()) {
        reportFile = console.CreateTextFile(line.reportPath);
        if (!reportFile) {
            Complain(console, "cannot create the report file " + line.reportPath);
            return ExitCode::BadCommandLine;
        }
        // Spreadsheet programs take a CSV file for UTF-8 by this mark.
        if (line.format == ReportFormat::Csv) reportFile->Write("\xef\xbb\xbf");
    }
    ITextSink& sink = reportFile ? *reportFile : console.StandardOutput();
    const std::unique_ptr<CommandReport> report = MakeReport(line.format, line.command, sink);

    const std::string profilePath =
        !line.profilePath.empty() ? line.profilePath
                                  : ProfilePathBeside(platform.files ? platform.files->ModulePath() : std::string());
    const std::optional<std::string> bytes = console.ReadFileBytes(profilePath);
    ExitCode exit = ExitCode::ProfileUnreadable;
    if (!bytes || !platform.files) {
        Complain(console, "cannot read the profile " + profilePath);
        RunSummary summary;
        summary.exit = exit;
        report->Summary(summary);
    } else {
        ScanProfile profile;
        ReadProfile(ProfileFileText(*bytes, platform.locale), platform, profile);
        exit = CommandRun(line, platform, *report).Run(profile);
    }
    const bool written = sink.Flush();
    if (!written) Complain(console, "the report could not be written whole");
    console.StandardError().Flush();
    return exit;
}

}  // namespace velnor
