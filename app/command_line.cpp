#include "app/command_line.h"

#include <cctype>

namespace velnor {

const char* const kUsageText =
    "Usage: VelnorCleaner.exe /scan | /preview | /clean [/profile FILE] [/report FILE] [/format csv|json]\n"
    "\n"
    "  /scan            lists the junk files that the profile finds\n"
    "  /preview         /scan, then the size of each checked system area and what /clean would free\n"
    "  /clean           removes the files found (when the profile's junk-files item is on), in the\n"
    "                   profile's removal mode, then empties each checked system area\n"
    "  /profile FILE    reads that profile instead of config.ini beside the program (never writes it)\n"
    "  /report FILE     writes the report to FILE (UTF-8) instead of the standard output\n"
    "  /format csv|json the report's format; csv unless told\n"
    "  /?               shows this text\n"
    "\n"
    "Without arguments the window opens. Exit codes: 0 done; 1 a bad command line; 2 the profile\n"
    "cannot be read; 3 done, but something chosen was left.\n";

const char* ExitCodeMeaning(ExitCode code) {
    switch (code) {
        case ExitCode::Done: return "done";
        case ExitCode::BadCommandLine: return "bad command line";
        case ExitCode::ProfileUnreadable: return "the profile cannot be read";
        case ExitCode::SomethingLeft: return "done, but something chosen was left";
    }
    return "";
}

namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool IsSwitch(const std::string& argument) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

CommandLine Refused(std::string why) {
    CommandLine line;
    line.command = CliCommand::Usage;
    line.error = std::move(why);
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    if (arguments.empty()) return line;
    bool usage = false, formatGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!IsSwitch(argument)) return Refused("unexpected argument \"" + argument + "\"");
        const std::string name = Lower(argument.substr(1));
        if (name == "?" || name == "h" || name == "help") {
            usage = true;
            continue;
        }
        CliCommand command = CliCommand::Window;
        if (name == "scan") command = CliCommand::Scan;
        if (name == "preview") command = CliCommand::Preview;
        if (name == "clean") command = CliCommand::Clean;
        if (command != CliCommand::Window) {
            if (line.command != CliCommand::Window && line.command != command)
                return Refused("only one of /scan, /preview and /clean may be given");
            line.command = command;
            continue;
        }
        if (name != "profile" && name != "report" && name != "format") return Refused("unknown switch " + argument);
        // A value is the next argument, which is never another switch: a
        // file name that begins with a slash is no name on Windows.
        if (i + 1 >= arguments.size() || (arguments[i + 1].size() > 1 && arguments[i + 1][0] == '/'))
            return Refused(argument + " needs a value");
        const std::string& value = arguments[++i];
        if (value.empty()) return Refused(argument + " needs a value");
        std::string& target = name == "profile" ? line.profilePath : line.reportPath;
        if (name == "format") {
            if (formatGiven) return Refused("/format is given twice");
            formatGiven = true;
            const std::string format = Lower(value);
            if (format != "csv" && format != "json") return Refused("/format takes csv or json, not \"" + value + "\"");
            line.format = format == "json" ? ReportFormat::Json : ReportFormat::Csv;
            continue;
        }
        if (!target.empty()) return Refused(argument + " is given twice");
        target = value;
    }
    if (usage) {
        CommandLine help;
        help.command = CliCommand::Usage;
        return help;
    }
    if (line.command == CliCommand::Window) return Refused("/scan, /preview or /clean is missing");
    return line;
}

}  // namespace velnor
