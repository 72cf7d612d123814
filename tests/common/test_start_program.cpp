#include "common/start_program.h"

#include "platform/core/process.h"
#include "platform/ui/dialogs.h"

#include "common/qstring_print.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TLauncherScope {
    explicit TLauncherScope(IProcessLauncher* l) { SetProcessLauncher(l); }
    ~TLauncherScope() { SetProcessLauncher(nullptr); }
};

}  // namespace

TEST(StartProgram, RunsTheProgramWithItsParametersAndWaitsForIt)
{
    QTemporaryDir dir;
    const QString prog = dir.filePath(QStringLiteral("Ethernet_Update"));
    const QString out = dir.filePath(QStringLiteral("args"));
    {
        QFile f(prog);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\nsleep 0.2\nprintf '%s|' \"$@\" > \"%1\"\n").arg(out).toUtf8());
    }
    QFile::setPermissions(prog, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TDialogResponder answers;

    EXPECT_TRUE(Start_Program(prog, QStringLiteral("-a \"two words\""), 0));
    // The wait ended only after the script wrote its record.
    QFile rec(out);
    ASSERT_TRUE(rec.open(QIODevice::ReadOnly));
    EXPECT_EQ(rec.readAll(), QByteArray("-a|two words|"));
    EXPECT_EQ(answers.MessageCount(), 0);
}

TEST(StartProgram, AProgramThatCannotStartIsNamedInAMessage)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Ethernet_Update"));
    TDialogResponder answers;
    EXPECT_FALSE(Start_Program(missing, QString(), 0));
    ASSERT_EQ(answers.MessageCount(), 1);
    EXPECT_TRUE(answers.LastText().contains(missing)) << answers.LastText().toStdString();
    EXPECT_EQ(answers.Requests.back().DlgType, mtError);
}

TEST(StartProgram, PassesTheShowModeAndTheWaitLimit)
{
    TRecordingLauncher launcher;
    TLauncherScope scope(&launcher);
    TDialogResponder answers;
    EXPECT_TRUE(Start_Program(QStringLiteral("/opt/x/prog"), QString(), 0));
    EXPECT_TRUE(Start_Program(QStringLiteral("/opt/x/prog"), QStringLiteral("x"), 1));
    launcher.Answer.Status = TLaunchStatus::TimedOut;  // left running: still counts as run
    EXPECT_TRUE(Start_Program(QStringLiteral("/opt/x/prog"), QString(), 0));
    ASSERT_EQ(launcher.Requests.size(), 3u);
    EXPECT_EQ(launcher.Requests[0].ShowMode, 0);
    EXPECT_TRUE(launcher.Requests[0].Arguments.isEmpty());
    EXPECT_EQ(launcher.Requests[1].ShowMode, 1);
    EXPECT_EQ(launcher.Requests[1].Arguments, QStringList{QStringLiteral("x")});
    for (const auto& r : launcher.Requests)
        EXPECT_EQ(r.TimeoutMs, 150000);
    EXPECT_EQ(answers.MessageCount(), 0);
}
