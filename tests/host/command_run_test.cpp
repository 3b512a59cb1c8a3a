#include <gtest/gtest.h>

#include "app/command_run.h"
#include "tests/fakes/fake_console.h"
#include "tests/fakes/fake_platform.h"

namespace velnor {
namespace {

using testing::FakeConsole;
using testing::FakePlatform;

const char kProfile[] = "D:\\Fleet\\office.ini";

class CommandRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakes.files.drives = {{"C:\\", kDriveFixed, 80ull << 30, 20ull << 30}};
        fakes.shell.displayNames["C:\\"] = "System (C:)";
        fakes.files.AddFolder("C:\\Junk");
        fakes.files.AddFolder("C:\\Junk\\Sub");
        fakes.files.AddFile("C:\\Junk\\a,\"b\".tmp", 10, 0, 116444736000000000ull);
        fakes.files.AddFile("C:\\Junk\\Sub\\c.tmp", 20, kAttrReadOnly, 116444736000000000ull);
        fakes.files.AddFile("C:\\Junk\\keep.txt", 5);
        fakes.files.AddFile("C:\\Junk\\held.tmp", 7);
        fakes.files.AddFile("C:\\Other\\outside.tmp", 3);
        fakes.files.SetLocked("C:\\Junk\\held.tmp", true);
        console.files[kProfile] =
            "PathDrive=<C:|0>\nPathFolder=<C:\\Junk|1>\nPathExclude=\nFilter=<*.tmp|Temp|1|0>\n"
            "Option=<read|1><remove|0><clean0|1><clean1|0><clean2|0><clean3|0><clean4|0><clean5|0>\n";
    }
    ExitCode Run(std::vector<std::string> arguments) {
        return RunCommand(ParseCommandLine(arguments), fakes.Services(), console);
    }

    FakePlatform fakes;
    FakeConsole console;
};

TEST_F(CommandRunTest, CleanRemovesWhatTheScanFindsNamesWhatStayedAndAsksNothing) {
    EXPECT_EQ(Run({"/clean", "/profile", kProfile}), ExitCode::SomethingLeft);
    EXPECT_FALSE(fakes.files.Exists("C:\\Junk\\a,\"b\".tmp"));
    EXPECT_FALSE(fakes.files.Exists("C:\\Junk\\Sub\\c.tmp"));
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\keep.txt"));
    EXPECT_TRUE(fakes.files.Exists("C:\\Junk\\held.tmp"));
    EXPECT_TRUE(fakes.files.Exists("C:\\Other\\outside.tmp"));
    EXPECT_TRUE(fakes.shell.recycled.empty()) << "the profile says permanent";
    EXPECT_EQ(console.output.find(",found\r\n"), std::string::npos) << "/clean lists what it removed, not the finds";
    EXPECT_NE(console.output.find("file,\"c:\\junk\\a,\"\"b\"\".tmp\",10,1970-01-01T00:00:00Z,removed\r\n"),
              std::string::npos)
        << console.output;
    EXPECT_NE(console.output.find("file,c:\\junk\\held.tmp,7,"), std::string::npos) << console.output;
    EXPECT_NE(console.output.find(",left\r\nfile,"), std::string::npos) << console.output;
    EXPECT_NE(console.output.find("summary,removed,30,,2\r\nsummary,left,7,,1\r\n"), std::string::npos)
        << console.output;
    EXPECT_NE(console.output.find("exit,3,,,\"done, but something chosen was left\"\r\n"), std::string::npos);
    EXPECT_TRUE(fakes.prompts.questions.empty());
    EXPECT_EQ(fakes.files.replaceCount, 0) << "the command line wrote a file through the file system";
    EXPECT_EQ(console.files.size(), 1u);
}

TEST_F(CommandRunTest, NothingIsScannedOrRemovedWithoutAProfileOrWithABadCommandLine) {
    struct Case {
        std::vector<std::string> arguments;
        ExitCode exit;
        const char* said;
    } cases[] = {
        {{"/clean", "/profile", "D:\\Fleet\\missing.ini"}, ExitCode::ProfileUnreadable,
         "cannot read the profile D:\\Fleet\\missing.ini"},
        // Without /profile: config.ini beside the program, which is missing.
        {{"/clean"}, ExitCode::ProfileUnreadable, "C:\\Program Files\\Velnor\\config.ini"},
        {{"/clean", "/profile", kProfile, "/formt", "json"}, ExitCode::BadCommandLine, "unknown switch /formt"},
        {{"/clean", "/profile"}, ExitCode::BadCommandLine, "Usage:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        console.output.clear();
        console.error.clear();
        EXPECT_EQ(Run(c.arguments), c.exit);
        EXPECT_NE(console.error.find(c.said), std::string::npos) << console.error;
        EXPECT_EQ(fakes.files.enumerateCount, 0);
        EXPECT_TRUE(fakes.files.deleted.empty());
        EXPECT_FALSE(fakes.files.Exists("C:\\Program Files\\Velnor\\config.ini"));
        if (c.exit == ExitCode::ProfileUnreadable)
            EXPECT_NE(console.output.find("exit,2,,,the profile cannot be read\r\n"), std::string::npos);
    }
}

TEST_F(CommandRunTest, PreviewAddsTheCheckedAreasAndAReportFileTakesTheLines) {
    console.files[kProfile] =
        "PathDrive=<C:|0>\nPathFolder=<C:\\Junk|1>\nFilter=<*.tmp|Temp|1|0>\n"
        "Option=<clean0|1><clean1|0><clean2|1><clean3|0><clean4|0><clean5|0>\n";
    fakes.files.tempPath = "C:\\Temp\\";
    fakes.files.AddFolder("C:\\Temp");
    fakes.files.AddFile("C:\\Temp\\x.log", 100);
    EXPECT_EQ(Run({"/preview", "/profile", kProfile, "/report", "D:\\r.csv"}), ExitCode::Done);
    EXPECT_EQ(console.output, "");
    const std::string& report = console.files["D:\\r.csv"];
    EXPECT_EQ(report.rfind("\xef\xbb\xbfKind,Name,Bytes,Modified,Result\r\n", 0), 0u) << report;
    EXPECT_NE(report.find("area,Temp Folder,100,,measured\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("summary,to free,137,,"), std::string::npos) << report;
    EXPECT_TRUE(fakes.files.Exists("C:\\Temp\\x.log"));
    EXPECT_TRUE(fakes.files.deleted.empty());
}

}  // namespace
}  // namespace velnor
