// The entry of the system's list of programs: its commands start the installed uninstaller with
// the record switch last (it ends the command line), the quiet one with the silent switch.
#include <gtest/gtest.h>
#include <string>
#include "installer/run/command_line.h"
#include "installer/record/programs_list_entry.h"

TEST(ProgramsListEntry, CommandsReadBackAsTheUninstallRunAndTheValuesAreWhole) {
    ProgramsListFacts facts;
    facts.productName = "Pen, \"Tablet\" 2";
    facts.uninstaller = "C:\\Program Files\\Pen, Tablet\\Instally.exe";
    facts.recordKey = "SetupExt\\Pen, \"Tablet\" 2";
    facts.installDir = "C:\\Program Files\\Pen, Tablet";
    facts.sizeK = 2048;
    facts.publisher = "Zorvant, Inc.";
    facts.version = "5.2";
    EXPECT_EQ("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pen, \"Tablet\" 2",
              std::string(ProgramsListKeyPath(facts.productName).c_str()));
    for (bool quiet : {false, true}) {
        std::string command = UninstallCommand(facts, quiet).c_str();
        ASSERT_EQ('"', command[0]);
        size_t close = command.find('"', 1);
        EXPECT_EQ(facts.uninstaller.c_str(), command.substr(1, close - 1));
        CommandLineOptions options = ReadCommandLine(command.c_str() + close + 1);
        EXPECT_TRUE(options.hasRecordKey);
        EXPECT_EQ(facts.recordKey.c_str(), std::string(options.recordKey.c_str()));
        EXPECT_EQ(quiet, options.silent);
    }
    bool sawSize = false, sawDir = false, sawPublisher = false, sawVersion = false;
    for (const ProgramsListValue& v : ProgramsListValues(facts)) {
        if (std::string(v.name) == "Publisher") sawPublisher = !v.isNumber && std::string(v.text.c_str()) == "Zorvant, Inc.";
        if (std::string(v.name) == "DisplayVersion") sawVersion = !v.isNumber && std::string(v.text.c_str()) == "5.2";
        if (std::string(v.name) == "EstimatedSize") sawSize = v.isNumber && v.number == 2048;
        if (std::string(v.name) == "InstallLocation") sawDir = v.text.EqualsNoCase(facts.installDir);
        if (std::string(v.name) == "DisplayName") EXPECT_EQ(facts.productName.c_str(), std::string(v.text.c_str()));
    }
    EXPECT_TRUE(sawSize && sawDir && sawPublisher && sawVersion);
    facts.sizeK = 0;
    facts.installDir.Empty();
    facts.publisher.Empty();
    facts.version.Empty();
    for (const ProgramsListValue& v : ProgramsListValues(facts)) {
        EXPECT_NE("EstimatedSize", std::string(v.name));
        EXPECT_NE("InstallLocation", std::string(v.name));
        EXPECT_NE("Publisher", std::string(v.name));
        EXPECT_NE("DisplayVersion", std::string(v.name));
    }
}
