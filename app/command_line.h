#pragma once
// The program's command line: what a run without the window is asked to do.
#include <string>
#include <vector>

namespace velnor {

enum class CliCommand { Window, Usage, Scan, Preview, Clean };
enum class ReportFormat { Csv, Json };

// How a run without the window ends, as its exit code.
enum class ExitCode : int { Done = 0, BadCommandLine = 1, ProfileUnreadable = 2, SomethingLeft = 3 };
// What an exit code means, as the report says it.
const char* ExitCodeMeaning(ExitCode code);

struct CommandLine {
    CliCommand command = CliCommand::Window;
    std::string profilePath;  // empty: config.ini beside the program
    std::string reportPath;   // empty: the standard output
    ReportFormat format = ReportFormat::Csv;
    // Why the command line was refused; empty when it was understood.
    std::string error;
};

// The arguments after the program's name. Switches begin with "/" or "-" and
// are read without regard to letter case. No arguments: the window opens.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The text that /? prints, and that follows a refused command line.
extern const char* const kUsageText;

}  // namespace velnor
