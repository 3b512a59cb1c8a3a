#include "app/command_report.h"

#include <cstdio>
#include <vector>

#include <nlohmann/json.hpp>

namespace velnor {

namespace {

using Json = nlohmann::ordered_json;

constexpr int64_t kFileTimeUnitsPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
constexpr int64_t kSecondsPerDay = 86400;

const char* CommandName(CliCommand command) {
    switch (command) {
        case CliCommand::Scan: return "scan";
        case CliCommand::Preview: return "preview";
        case CliCommand::Clean: return "clean";
        default: return "";
    }
}

const char* FileResultName(FileResult result) {
    switch (result) {
        case FileResult::Found: return "found";
        case FileResult::Removed: return "removed";
        case FileResult::Left: return "left";
    }
    return "";
}

const char* AreaResultName(AreaResult result) {
    switch (result) {
        case AreaResult::Measured: return "measured";
        case AreaResult::Emptied: return "emptied";
        case AreaResult::Failed: return "failed";
    }
    return "";
}

// The summary's entries: what, how many, how many bytes. Which a command
// reports is decided once, here, for both formats.
struct SummaryEntry {
    const char* name;
    uint32_t count;
    uint64_t bytes;
};

std::vector<SummaryEntry> SummaryEntries(CliCommand command, const RunSummary& s) {
    std::vector<SummaryEntry> entries{{"found", s.filesFound, s.bytesFound}};
    if (command == CliCommand::Preview) {
        entries.push_back({"areas", s.areas, s.areaBytes});
        entries.push_back({"to free", s.filesFound + s.areas, s.toFree});
    }
    if (command == CliCommand::Clean) {
        entries.push_back({"removed", s.filesRemoved, s.bytesRemoved});
        entries.push_back({"left", s.filesLeft, s.bytesLeft});
        entries.push_back({"areas", s.areas, s.areaBytes});
        entries.push_back({"areas failed", s.areasFailed, 0});
    }
    return entries;
}

// One row a line, CR LF after each as RFC 4180 has it:
//   Kind,Name,Bytes,Modified,Result
// file rows: the path, its size, its last-write time, found/removed/left;
// area rows: the area's name and bytes, measured/emptied/failed;
// summary rows: what (found, removed, ...), the bytes, the count;
// the last row: exit, the exit code, and its meaning.
class CsvReport : public CommandReport {
public:
    CsvReport(CliCommand command, ITextSink& sink) : command_(command), sink_(sink) {
        sink_.Write("Kind,Name,Bytes,Modified,Result\r\n");
    }

    void File(std::string_view path, uint64_t size, uint64_t modified, FileResult result) override {
        line_ = "file,";
        line_ += CsvField(path);
        line_ += ',' + std::to_string(size) + ',' + IsoUtcTime(modified) + ',' + FileResultName(result) + "\r\n";
        sink_.Write(line_);
    }
    void Area(std::string_view name, uint64_t bytes, AreaResult result) override {
        sink_.Write("area," + CsvField(name) + ',' + std::to_string(bytes) + ",," + AreaResultName(result) + "\r\n");
    }
    void Summary(const RunSummary& summary) override {
        for (const SummaryEntry& e : SummaryEntries(command_, summary))
            sink_.Write(std::string("summary,") + CsvField(e.name) + ',' + std::to_string(e.bytes) + ",," +
                        std::to_string(e.count) + "\r\n");
        sink_.Write("exit," + std::to_string(static_cast<int>(summary.exit)) + ",,," +
                    CsvField(ExitCodeMeaning(summary.exit)) + "\r\n");
    }

private:
    const CliCommand command_;
    ITextSink& sink_;
    std::string line_;
};

// One JSON document, written as the run goes so that a long list never waits
// in memory: {"command", "files": [...], "areas": [...], "summary": {...}}.
// Every value is made by the JSON library; only the document's frame, the
// brackets between the values, is written here.
class JsonReport : public CommandReport {
public:
    JsonReport(CliCommand command, ITextSink& sink) : command_(command), sink_(sink) {
        Json head = {{"command", CommandName(command)}};
        std::string text = Dump(head);
        text.pop_back();  // the closing brace: the lists follow
        sink_.Write(text + ",\n\"files\": [");
    }

    void File(std::string_view path, uint64_t size, uint64_t modified, FileResult result) override {
        const Json entry = {{"path", path}, {"bytes", size}, {"modified", IsoUtcTime(modified)},
                            {"result", FileResultName(result)}};
        Element(entry);
    }
    void Area(std::string_view name, uint64_t bytes, AreaResult result) override {
        if (!inAreas_) OpenAreas();
        Element(Json{{"name", name}, {"bytes", bytes}, {"result", AreaResultName(result)}});
    }
    void Summary(const RunSummary& summary) override {
        if (!inAreas_) OpenAreas();
        Json totals = Json::object();
        for (const SummaryEntry& e : SummaryEntries(command_, summary))
            totals[e.name] = Json{{"count", e.count}, {"bytes", e.bytes}};
        totals["exit code"] = static_cast<int>(summary.exit);
        totals["exit meaning"] = ExitCodeMeaning(summary.exit);
        sink_.Write("\n],\n\"summary\": " + Dump(totals) + "\n}\n");
    }

private:
    static std::string Dump(const Json& value) {
        // A name that is no valid UTF-8 cannot come from the file system; if
        // one did, it would show with U+FFFD rather than end the report.
        return value.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    void Element(const Json& value) {
        sink_.Write((first_ ? "\n" : ",\n") + Dump(value));
        first_ = false;
    }
    void OpenAreas() {
        sink_.Write("\n],\n\"areas\": [");
        inAreas_ = true;
        first_ = true;
    }

    const CliCommand command_;
    ITextSink& sink_;
    bool inAreas_ = false;
    bool first_ = true;
};

}  // namespace

std::unique_ptr<CommandReport> MakeReport(ReportFormat format, CliCommand command, ITextSink& sink) {
    if (format == ReportFormat::Json) return std::make_unique<JsonReport>(command, sink);
    return std::make_unique<CsvReport>(command, sink);
}

std::string IsoUtcTime(uint64_t fileTime) {
    const int64_t seconds = static_cast<int64_t>(fileTime / kFileTimeUnitsPerSecond) - kSecondsFrom1601To1970;
    int64_t days = seconds / kSecondsPerDay;
    int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    // The civil date of a day count since 1970-01-01 (H. Hinnant's algorithm).
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ", static_cast<long long>(year),
                  static_cast<long long>(month), static_cast<long long>(day), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"') field += '"';
        field += c;
    }
    field += '"';
    return field;
}

}  // namespace velnor
