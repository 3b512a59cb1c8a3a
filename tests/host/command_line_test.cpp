#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/command_line.h"
#include "app/command_report.h"
#include "tests/fakes/fake_console.h"

namespace velnor {
namespace {

TEST(CommandLineParse, WhatIsUnderstood) {
    struct Case {
        std::vector<std::string> arguments;
        CliCommand command;
        std::string profile, report;
        ReportFormat format;
    } cases[] = {
        {{}, CliCommand::Window, "", "", ReportFormat::Csv},
        {{"/scan"}, CliCommand::Scan, "", "", ReportFormat::Csv},
        {{"-PREVIEW"}, CliCommand::Preview, "", "", ReportFormat::Csv},
        {{"/Clean", "/profile", "D:\\p\\config.ini", "/report", "out.json", "/FORMAT", "JSON"},
         CliCommand::Clean, "D:\\p\\config.ini", "out.json", ReportFormat::Json},
        // A value keeps its blanks, letter case and script; it may begin with
        // a dash.
        {{"/report", "C:\\Отчёт с пробелом.csv", "/scan", "/profile", "-x.ini", "/format", "csv"},
         CliCommand::Scan, "-x.ini", "C:\\Отчёт с пробелом.csv", ReportFormat::Csv},
        {{"/scan", "/scan"}, CliCommand::Scan, "", "", ReportFormat::Csv},
        // /? wins over everything else.
        {{"/clean", "/?"}, CliCommand::Usage, "", "", ReportFormat::Csv},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, "");
        EXPECT_EQ(line.command, c.command);
        EXPECT_EQ(line.profilePath, c.profile);
        EXPECT_EQ(line.reportPath, c.report);
        EXPECT_EQ(line.format, c.format);
    }
}

TEST(CommandLineParse, WhatIsRefusedSaysWhy) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"/scna"}, "unknown switch /scna"},
        {{"scan"}, "unexpected argument \"scan\""},
        {{"/scan", "/clean"}, "only one of /scan, /preview and /clean may be given"},
        {{"/profile", "x.ini"}, "/scan, /preview or /clean is missing"},
        {{"/scan", "/profile"}, "/profile needs a value"},
        {{"/scan", "/report", "/format", "csv"}, "/report needs a value"},
        {{"/scan", "/report", ""}, "/report needs a value"},
        {{"/scan", "/format", "xml"}, "/format takes csv or json, not \"xml\""},
        {{"/scan", "/profile", "a", "/profile", "b"}, "/profile is given twice"},
        {{"/clean", "/?", "/bogus"}, "unknown switch /bogus"},
    };
    for (const auto& [arguments, why] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const CommandLine line = ParseCommandLine(arguments);
        EXPECT_EQ(line.command, CliCommand::Usage);
        EXPECT_EQ(line.error, why);
    }
}

constexpr uint64_t kUnitsPerSecond = 10000000;
constexpr uint64_t k1970 = 11644473600ull * kUnitsPerSecond;

TEST(CommandReport, TimesAreIsoUtcToTheSecond) {
    EXPECT_EQ(IsoUtcTime(0), "1601-01-01T00:00:00Z");
    EXPECT_EQ(IsoUtcTime(k1970), "1970-01-01T00:00:00Z");
    // 2024-02-29 23:59:59.9999999: a leap day, the fraction dropped.
    EXPECT_EQ(IsoUtcTime(k1970 + 1709251199ull * kUnitsPerSecond + 9999999), "2024-02-29T23:59:59Z");
    EXPECT_EQ(IsoUtcTime(k1970 + 4102444800ull * kUnitsPerSecond), "2100-01-01T00:00:00Z");
    EXPECT_EQ(IsoUtcTime(k1970 - kUnitsPerSecond), "1969-12-31T23:59:59Z");
}

TEST(CommandReport, CsvQuotesAsRfc4180AndEndsWithTheSummaryAndExitCode) {
    testing::FakeConsole console;
    std::unique_ptr<CommandReport> report =
        MakeReport(ReportFormat::Csv, CliCommand::Clean, console.StandardOutput());
    report->File("C:\\a,b \"q\" \xce\xb1\xce\xb2.tmp", 12, k1970 + 86400 * kUnitsPerSecond, FileResult::Removed);
    report->File("C:\\plain.tmp", 7, k1970, FileResult::Left);
    report->Area("Recycle Bin", 4096, AreaResult::Emptied);
    RunSummary summary;
    summary.filesFound = 2;
    summary.bytesFound = 19;
    summary.filesRemoved = 1;
    summary.bytesRemoved = 12;
    summary.filesLeft = 1;
    summary.bytesLeft = 7;
    summary.areas = 1;
    summary.areaBytes = 4096;
    summary.exit = ExitCode::SomethingLeft;
    report->Summary(summary);
    EXPECT_EQ(console.output,
              "Kind,Name,Bytes,Modified,Result\r\n"
              "file,\"C:\\a,b \"\"q\"\" \xce\xb1\xce\xb2.tmp\",12,1970-01-02T00:00:00Z,removed\r\n"
              "file,C:\\plain.tmp,7,1970-01-01T00:00:00Z,left\r\n"
              "area,Recycle Bin,4096,,emptied\r\n"
              "summary,found,19,,2\r\n"
              "summary,removed,12,,1\r\n"
              "summary,left,7,,1\r\n"
              "summary,areas,4096,,1\r\n"
              "summary,areas failed,0,,0\r\n"
              "exit,3,,,\"done, but something chosen was left\"\r\n");
    EXPECT_EQ(CsvField("line\nbreak"), "\"line\nbreak\"");
}

TEST(CommandReport, JsonIsOneDocumentThatReadsBackWithEveryValue) {
    for (const bool withFiles : {true, false}) {
        SCOPED_TRACE(withFiles);
        testing::FakeConsole console;
        std::unique_ptr<CommandReport> report =
            MakeReport(ReportFormat::Json, CliCommand::Preview, console.StandardOutput());
        const std::string path = "C:\\\"q\"\\back\\slash\\\xe6\x97\xa5\xf0\x9f\x98\x80.tmp";
        if (withFiles) {
            report->File(path, 5000000000ull, k1970, FileResult::Found);
            report->File("C:\\b.tmp", 0, k1970, FileResult::Found);
        }
        report->Area("Temporary Files", 10, AreaResult::Measured);
        RunSummary summary;
        summary.filesFound = withFiles ? 2 : 0;
        summary.bytesFound = withFiles ? 5000000000ull : 0;
        summary.areas = 1;
        summary.areaBytes = 10;
        summary.toFree = summary.bytesFound + 10;
        report->Summary(summary);

        const nlohmann::json document = nlohmann::json::parse(console.output);
        EXPECT_EQ(document["command"], "preview");
        ASSERT_EQ(document["files"].size(), withFiles ? 2u : 0u);
        if (withFiles) {
            EXPECT_EQ(document["files"][0]["path"], path);
            EXPECT_EQ(document["files"][0]["bytes"], 5000000000ull);
            EXPECT_EQ(document["files"][0]["modified"], "1970-01-01T00:00:00Z");
            EXPECT_EQ(document["files"][1]["result"], "found");
        }
        ASSERT_EQ(document["areas"].size(), 1u);
        EXPECT_EQ(document["areas"][0]["name"], "Temporary Files");
        EXPECT_EQ(document["areas"][0]["bytes"], 10);
        EXPECT_EQ(document["summary"]["to free"]["bytes"], summary.toFree);
        EXPECT_EQ(document["summary"]["found"]["count"], summary.filesFound);
        EXPECT_EQ(document["summary"]["exit code"], 0);
        EXPECT_EQ(document["summary"]["exit meaning"], "done");
    }
}

}  // namespace
}  // namespace velnor
