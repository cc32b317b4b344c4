#include "host/commandline.h"

#include <QDir>
#include <QProcess>

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

TEST(CommandLine, LogGoesToStandardOutputOnlyWhenAsked) {
    struct Case {
        QStringList arguments;
        bool log;
        std::vector<std::string> documents;
    };
    const Case cases[] = {
        {{}, false, {}},
        {{QStringLiteral("/tmp/a.zarvik")}, false, {"/tmp/a.zarvik"}},
        {{QStringLiteral("--log")}, true, {}},
        {{QStringLiteral("/tmp/a.zarvik"), QStringLiteral("--log")}, true, {"/tmp/a.zarvik"}},
        {{QStringLiteral("--"), QStringLiteral("/tmp/--log")}, false, {"/tmp/--log"}},  // a file after "--"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, CommandLineAction::Run);
        EXPECT_EQ(line.log, c.log);
        EXPECT_EQ(line.documents, c.documents);
    }
    EXPECT_NE(helpText().find("--log"), std::string::npos);
}

TEST(CommandLine, QtsOwnOptionsArePassedOver) {
    const CommandLine version = parseCommandLine(
        {QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--version")});
    EXPECT_EQ(version.action, CommandLineAction::ShowVersion);
    const CommandLine run =
        parseCommandLine({QStringLiteral("--style"), QStringLiteral("fusion"), QStringLiteral("-reverse"),
                          QStringLiteral("-platform=xcb"), QStringLiteral("/tmp/a.zarvik")});
    EXPECT_EQ(run.action, CommandLineAction::Run);
    EXPECT_EQ(run.documents, std::vector<std::string>{"/tmp/a.zarvik"});
    // A lone -platform at the end takes nothing with it.
    EXPECT_EQ(parseCommandLine({QStringLiteral("-platform")}).action, CommandLineAction::Run);
    EXPECT_NE(helpText().find("--version"), std::string::npos);
    EXPECT_EQ(versionText().rfind("zarvik ", 0), 0u);
}

// The real program, run as a person would from a terminal.
struct ProgramRun {
    int status;
    std::string out;
    std::string err;
};

ProgramRun runProgram(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZARVIK_BINARY), arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return {-1, "", "did not end"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 128 + process.exitCode(),
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

// No display at all: the xcb platform would abort the program before it reads its options.
QProcessEnvironment withoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

TEST(CommandLine, TheProgramAnswersWithoutADisplay) {
    const ProgramRun version =
        runProgram({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--version")},
                   withoutDisplay());
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, versionText());

    const ProgramRun refused = runProgram({QStringLiteral("--schnell")}, withoutDisplay());
    EXPECT_EQ(refused.status, 2) << refused.err;
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, usageText("--schnell"));
    EXPECT_NE(refused.err.find("unbekannte Option --schnell"), std::string::npos);

    const ProgramRun help = runProgram({QStringLiteral("-h")}, withoutDisplay());
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, helpText());
}

}  // namespace
}  // namespace zarvik::qthost
