#pragma once
// The report of a run without the window: one line per file and per system
// area, then a summary, as CSV or as one JSON document.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "platform/console.h"

namespace velnor {

enum class FileResult { Found, Removed, Left };
enum class AreaResult { Measured, Emptied, Failed };

struct RunSummary {
    uint32_t filesFound = 0;
    uint64_t bytesFound = 0;
    // /clean: the files removed and those that stayed.
    uint32_t filesRemoved = 0;
    uint64_t bytesRemoved = 0;
    uint32_t filesLeft = 0;
    uint64_t bytesLeft = 0;
    // The checked system areas: their bytes as measured before any was
    // emptied, and (for /clean) how many could not be emptied.
    uint32_t areas = 0;
    uint64_t areaBytes = 0;
    uint32_t areasFailed = 0;
    // /preview: what /clean would free.
    uint64_t toFree = 0;
    ExitCode exit = ExitCode::Done;
};

class CommandReport {
public:
    virtual ~CommandReport() = default;
    // `modified` in 100-nanosecond units since 1601-01-01 UTC.
    virtual void File(std::string_view path, uint64_t size, uint64_t modified, FileResult result) = 0;
    virtual void Area(std::string_view name, uint64_t bytes, AreaResult result) = 0;
    // The last lines; nothing may follow.
    virtual void Summary(const RunSummary& summary) = 0;
};

// A report of the command's run in the format asked for, written to `sink`.
std::unique_ptr<CommandReport> MakeReport(ReportFormat format, CliCommand command, ITextSink& sink);

// A time in 100-nanosecond units since 1601-01-01 UTC in ISO 8601, UTC, to
// the second: "2024-03-01T12:30:05Z".
std::string IsoUtcTime(uint64_t fileTime);
// A CSV field as RFC 4180 writes it: in double quotes, with each quote
// doubled, when it holds a comma, a quote or a line break.
std::string CsvField(std::string_view text);

}  // namespace velnor
