#include "host/commandline.h"

#include <QDir>

#include <gtest/gtest.h>

namespace zarvik::qthost {
namespace {

TEST(CommandLine, DocumentsBecomeAbsolutePathsInOrder) {
    const CommandLine line =
        parseCommandLine({QStringLiteral("/tmp/a.zarvik"), QStringLiteral("b.zarvik"), QStringLiteral("")});
    EXPECT_EQ(line.action, CommandLineAction::Run);
    ASSERT_EQ(line.documents.size(), 2u);
    EXPECT_EQ(line.documents[0], "/tmp/a.zarvik");
    EXPECT_EQ(line.documents[1], QDir::current().absoluteFilePath(QStringLiteral("b.zarvik")).toStdString());
}

// A file name that is not valid UTF-8 keeps its bytes, so the file it names can be opened.
TEST(CommandLine, RawArgumentsKeepTheBytesOfFileNames) {
    char program[] = "zarvik";
    char latin1[] = "/tmp/K\xF6nig.zarvik";
    char relative[] = "./neu/../Partie.zarvik";
    char* argv[] = {program, latin1, relative, nullptr};
    const CommandLine line = parseCommandLine(3, argv);
    EXPECT_EQ(line.action, CommandLineAction::Run);
    ASSERT_EQ(line.documents.size(), 2u);
    EXPECT_EQ(line.documents[0], "/tmp/K\xF6nig.zarvik");
    EXPECT_EQ(line.documents[1],
              QDir::current().absoluteFilePath(QStringLiteral("Partie.zarvik")).toStdString());
    char option[] = "--fast";
    char* refused[] = {program, option, nullptr};
    EXPECT_EQ(parseCommandLine(2, refused).refusedOption, "--fast");
}

TEST(CommandLine, OptionsAnswerOrAreRefused) {
    EXPECT_EQ(parseCommandLine({QStringLiteral("--help")}).action, CommandLineAction::ShowHelp);
    EXPECT_EQ(parseCommandLine({QStringLiteral("x.zarvik"), QStringLiteral("-h")}).action,
              CommandLineAction::ShowHelp);
    EXPECT_EQ(parseCommandLine({QStringLiteral("--version")}).action, CommandLineAction::ShowVersion);
    const CommandLine refused = parseCommandLine({QStringLiteral("--fast")});
    EXPECT_EQ(refused.action, CommandLineAction::Refuse);
    EXPECT_EQ(refused.refusedOption, "--fast");
    // After "--" a name that starts with a dash is a document.
    const CommandLine dashed = parseCommandLine({QStringLiteral("--"), QStringLiteral("/tmp/-odd.zarvik")});
    ASSERT_EQ(dashed.documents.size(), 1u);
    EXPECT_EQ(dashed.documents[0], "/tmp/-odd.zarvik");
}

TEST(CommandLine, TextOnlyAnswersAreFoundBeforeQtStarts) {
    char name[] = "zarvik";
    char help[] = "--help";
    char version[] = "--version";
    char stop[] = "--";
    char file[] = "x.zarvik";
    char* helpArgs[] = {name, file, help};
    char* versionArgs[] = {name, version};
    char* afterStop[] = {name, stop, help};
    char* plain[] = {name, file};
    EXPECT_TRUE(asksForTextOnly(3, helpArgs));
    EXPECT_TRUE(asksForTextOnly(2, versionArgs));
    EXPECT_FALSE(asksForTextOnly(3, afterStop));
    EXPECT_FALSE(asksForTextOnly(2, plain));
    EXPECT_NE(helpText().find("--version"), std::string::npos);
    EXPECT_EQ(versionText().rfind("zarvik ", 0), 0u);
}

}  // namespace
}  // namespace zarvik::qthost
