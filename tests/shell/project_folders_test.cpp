// New-project folder rules, the project list lookup and the language file list.

#include "shell/project_folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "qt_print.h"

TEST(ProjectFolders, NewProjectNamesAreCreatedOrRefusedWithTheirText)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString projects = root.filePath(QStringLiteral("PROJECTS"));
    ASSERT_TRUE(QDir().mkpath(projects));
    ASSERT_TRUE(QDir().mkpath(projects + QStringLiteral("/Plant")));

    struct Case {
        const char* name;
        int refusal;
    };
    const Case cases[] = {
        {"", Txt_Name_Empty},
        {"Plant", Txt_Name_Exists},
        {"PLANT", Txt_Name_Exists},        // Open would not tell them apart
        {"../outside", Txt_Name_Not_Valid},
        {"a/b", Txt_Name_Not_Valid},
        {"a\\b", Txt_Name_Not_Valid},
        {"..", Txt_Name_Not_Valid},
        {".", Txt_Name_Not_Valid},
        {"Line 2", 0},
        {" lead", 0},                      // taken as typed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Create_Project_Folder(projects, QString::fromLatin1(c.name)), c.refusal);
    }
    EXPECT_TRUE(QDir(projects + QStringLiteral("/Line 2/bin")).exists());
    EXPECT_TRUE(QDir(projects + QStringLiteral("/ lead/bin")).exists());
    EXPECT_FALSE(QDir(root.filePath(QStringLiteral("outside"))).exists());
    // A fresh project holds only its empty bin folder.
    EXPECT_EQ(QDir(projects + QStringLiteral("/Line 2")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("bin")});
}

// A name longer than the file system allows cannot be created by any user, root included.
TEST(ProjectFolders, ANameTooLongForTheFileSystemIsRefused)
{
    QTemporaryDir root;
    const QString projects = root.filePath(QStringLiteral("PROJECTS"));
    ASSERT_TRUE(QDir().mkpath(projects));
    EXPECT_EQ(Create_Project_Folder(projects, QString(300, QLatin1Char('n'))), Txt_Name_Not_Valid);
    EXPECT_TRUE(QDir(projects).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST(ProjectFolders, AFolderThatCannotBeCreatedIsRefused)
{
    QTemporaryDir root;
    const QString projects = root.filePath(QStringLiteral("PROJECTS"));
    ASSERT_TRUE(QDir().mkpath(projects));
    QFile::setPermissions(projects, QFile::ReadOwner | QFile::ExeOwner);
    if (QDir().mkdir(projects + QStringLiteral("/probe"))) {
        QDir().rmdir(projects + QStringLiteral("/probe"));
        QFile::setPermissions(projects, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_EQ(Create_Project_Folder(projects, QStringLiteral("x")), Txt_Name_Not_Valid);
    QFile::setPermissions(projects, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProjectFolders, SearchIgnoresLetterCase)
{
    const QStringList list = {QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("BETA")};
    EXPECT_EQ(Search_Open_Conf(list, QStringLiteral("BeTa")), 1);
    EXPECT_EQ(Search_Open_Conf(list, QStringLiteral("alpha")), 0);
    EXPECT_EQ(Search_Open_Conf(list, QStringLiteral("gamma")), -1);
    EXPECT_EQ(Search_Open_Conf({}, QString()), -1);
}

TEST(ProjectFolders, LanguageListSortsIgnoringCaseAndKeepsReadOnlyFiles)
{
    QTemporaryDir dir;
    auto make = [&](const char* name) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        f.open(QIODevice::WriteOnly);
        f.write("STR0 = x\n");
    };
    make("Italiano.lng");
    make("deutsch.lng");
    make("English.lng");
    make("notes.txt");
    QDir().mkpath(dir.filePath(QStringLiteral("Folder.lng")));
    // Installed language files are often read-only; they still count.
    QFile::setPermissions(dir.filePath(QStringLiteral("English.lng")), QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_EQ(Language_File_List(dir.path()),
              (QStringList{QStringLiteral("deutsch.lng"), QStringLiteral("English.lng"), QStringLiteral("Italiano.lng")}));
    EXPECT_TRUE(Language_File_List(dir.filePath(QStringLiteral("missing"))).isEmpty());
}
