#include "platform/core/codepages.h"
#include "platform/core/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Put(const QString& Path, const QByteArray& Bytes)
{
    QFile F(Path);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
}

// Entries of a folder other than the named file: a left-over temporary file shows here.
QStringList Others(const QString& Dir, const QString& Keep)
{
    QStringList R = QDir(Dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    R.removeAll(Keep);
    return R;
}

}  // namespace

TEST(Paths, SplittingAndJoining)
{
    EXPECT_EQ(PathJoin(QStringLiteral("/a/b"), QStringLiteral("c.xml")), QStringLiteral("/a/b/c.xml"));
    EXPECT_EQ(PathJoin(QStringLiteral("/a/b/"), QStringLiteral("/c.xml")), QStringLiteral("/a/b/c.xml"));
    EXPECT_EQ(PathJoin({QStringLiteral("/p"), QStringLiteral("bin"), QStringLiteral("bank1.bin")}),
              QStringLiteral("/p/bin/bank1.bin"));
    EXPECT_EQ(PathJoin(QString(), QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(IncludeTrailingPathDelimiter(QStringLiteral("/a")), QStringLiteral("/a/"));
    EXPECT_EQ(IncludeTrailingPathDelimiter(QStringLiteral("/a/")), QStringLiteral("/a/"));
    EXPECT_EQ(ExcludeTrailingPathDelimiter(QStringLiteral("/a/")), QStringLiteral("/a"));

    struct Case {
        const char* Path;
        const char* Name;
        const char* Dir;
        const char* Ext;
        const char* Changed;   // ChangeFileExt(Path, ".bak")
    };
    const Case Cases[] = {
        {"/p/ParGen.xml", "ParGen.xml", "/p/", ".xml", "/p/ParGen.bak"},
        {"/p.d/file", "file", "/p.d/", "", "/p.d/file.bak"},
        {"name.tar.gz", "name.tar.gz", "", ".gz", "name.tar.bak"},
        {"/p/", "", "/p/", "", "/p/.bak"},
        {".hidden", ".hidden", "", ".hidden", ".bak"},
    };
    for (const Case& C : Cases) {
        const QString P = QString::fromLatin1(C.Path);
        EXPECT_EQ(ExtractFileName(P), QString::fromLatin1(C.Name)) << C.Path;
        EXPECT_EQ(ExtractFilePath(P), QString::fromLatin1(C.Dir)) << C.Path;
        EXPECT_EQ(ExtractFileExt(P), QString::fromLatin1(C.Ext)) << C.Path;
        EXPECT_EQ(ChangeFileExt(P, QStringLiteral(".bak")), QString::fromLatin1(C.Changed)) << C.Path;
    }
}

TEST(Folders, CreateListCopyDelete)
{
    QTemporaryDir T;
    const QString Root = T.path();
    EXPECT_TRUE(ForceDirectories(PathJoin(Root, QStringLiteral("x/y/z"))));
    EXPECT_TRUE(DirectoryExists(PathJoin(Root, QStringLiteral("x/y/z"))));
    EXPECT_FALSE(CreateDir(PathJoin(Root, QStringLiteral("q/r"))));   // one level only
    EXPECT_TRUE(CreateDir(PathJoin(Root, QStringLiteral("B"))));
    EXPECT_TRUE(CreateDir(PathJoin(Root, QStringLiteral(".git"))));
    Put(PathJoin(Root, QStringLiteral("English.LNG")), "a");
    Put(PathJoin(Root, QStringLiteral("italiano.lng")), "b");
    Put(PathJoin(Root, QStringLiteral("notes.txt")), "c");
    Put(PathJoin(Root, QStringLiteral(".hidden.lng")), "d");

    EXPECT_EQ(ListSubFolders(Root), (QStringList{"B", "x"}));
    EXPECT_EQ(ListFiles(Root, QStringLiteral("*.lng")), (QStringList{"English.LNG", "italiano.lng"}));
    EXPECT_EQ(ListFiles(Root, QStringLiteral("*.*")).size(), 3);
    EXPECT_EQ(ListFiles(Root, QStringLiteral("?otes.*")), QStringList{"notes.txt"});

    EXPECT_TRUE(FileExists(PathJoin(Root, QStringLiteral("notes.txt"))));
    EXPECT_FALSE(FileExists(PathJoin(Root, QStringLiteral("B"))));   // a folder is no file
    EXPECT_FALSE(DirectoryExists(PathJoin(Root, QStringLiteral("notes.txt"))));

    const QString Src = PathJoin(Root, QStringLiteral("notes.txt"));
    const QString Dst = PathJoin(Root, QStringLiteral("copy.txt"));
    EXPECT_TRUE(CopyFile(Src, Dst, true));
    Put(Src, "changed");
    EXPECT_FALSE(CopyFile(Src, Dst, true));   // exists and must not be overwritten
    EXPECT_EQ(ReadBinaryFile(Dst), QByteArray("c"));
    EXPECT_TRUE(CopyFile(Src, Dst, false));
    EXPECT_EQ(ReadBinaryFile(Dst), QByteArray("changed"));
    EXPECT_FALSE(CopyFile(PathJoin(Root, QStringLiteral("none")), Dst, false));
    EXPECT_TRUE(DeleteFile(Dst));
    EXPECT_FALSE(DeleteFile(Dst));
}

TEST(Folders, AllEntriesListsEveryKindInTheFileSystemsOrder)
{
    QTemporaryDir T;
    const QString Root = T.path();
    ASSERT_TRUE(CreateDir(PathJoin(Root, QStringLiteral("sub.png"))));
    Put(PathJoin(Root, QStringLiteral("a.png")), "a");
    Put(PathJoin(Root, QStringLiteral(".b.PNG")), "b");
    Put(PathJoin(Root, QStringLiteral("c.txt")), "c");

    QStringList All = ListAllEntries(Root, QStringLiteral("*"));
    std::sort(All.begin(), All.end());
    EXPECT_EQ(All, (QStringList{".", "..", ".b.PNG", "a.png", "c.txt", "sub.png"}));

    QStringList Png = ListAllEntries(Root, QStringLiteral("*.png"));
    std::sort(Png.begin(), Png.end());
    EXPECT_EQ(Png, (QStringList{".b.PNG", "a.png", "sub.png"}));
    EXPECT_TRUE(ListAllEntries(PathJoin(Root, QStringLiteral("missing")), QStringLiteral("*")).isEmpty());
}

TEST(TextFiles, DecodingDetectsBomAndFallsBackTo1252)
{
    struct Case {
        QByteArray Bytes;
        TTextEncoding Encoding;
        QString Text;
    };
    const Case Cases[] = {
        {QByteArray("\xEF\xBB\xBF\xC3\xA4x"), TTextEncoding::UTF8BOM, QStringLiteral("äx")},
        {QByteArray("\xFF\xFE\xE4\x00x\x00", 6), TTextEncoding::UTF16LE, QStringLiteral("äx")},
        {QByteArray("\xFE\xFF\x00\xE4\x00x", 6), TTextEncoding::UTF16BE, QStringLiteral("äx")},
        {QByteArray("\xC3\xA4x"), TTextEncoding::UTF8, QStringLiteral("äx")},
        {QByteArray("\xE4x\x80"), TTextEncoding::Ansi, QStringLiteral("äx€")},   // not valid UTF-8
        {QByteArray("plain"), TTextEncoding::UTF8, QStringLiteral("plain")},
        {QByteArray(), TTextEncoding::UTF8, QString()},
    };
    for (const Case& C : Cases) {
        TTextEncoding E = TTextEncoding::Ansi;
        EXPECT_EQ(DecodeText(C.Bytes, &E), C.Text) << C.Bytes.toHex().constData();
        EXPECT_EQ(E, C.Encoding) << C.Bytes.toHex().constData();
    }
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\rc\nd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\n\n")), (QStringList{"a", ""}));
}

TEST(TextFiles, WriteEncodingsRoundTrip)
{
    QTemporaryDir T;
    const QString Path = PathJoin(T.path(), QStringLiteral("t.txt"));
    const QString Text = QStringLiteral("Zoë ∑ 1\r\n");
    for (TTextEncoding E : {TTextEncoding::UTF8, TTextEncoding::UTF8BOM, TTextEncoding::UTF16LE}) {
        WriteTextFile(Path, Text, E);
        TTextEncoding Got;
        EXPECT_EQ(ReadTextFile(Path, &Got), Text);
        EXPECT_EQ(Got, E);
    }
    // 1252 cannot hold '∑': it becomes '?'.
    WriteTextLines(Path, {QStringLiteral("Zoë ∑")}, TTextEncoding::Ansi);
    EXPECT_EQ(ReadBinaryFile(Path), QByteArray("Zo\xEB ?\r\n"));
}

TEST(CodePages, RoundTripsAndUnmappable)
{
    QByteArray All;
    for (int b = 0; b < 256; ++b)
        All += char(b);
    EXPECT_EQ(UnicodeToAnsi(AnsiToUnicode(All)), All);
    EXPECT_EQ(UnicodeToOem(OemToUnicode(All)), All);

    struct Case {
        char16_t Char;
        char Ansi;
        char Oem;
    };
    const Case Cases[] = {
        {u'€', '\x80', '?'},   {u'ä', '\xE4', '\x84'}, {u'Ç', '\xC7', '\x80'}, {u'ß', '\xDF', '\xE1'},
        {u'═', '?', '\xCD'},   {u'ƒ', '\x83', '\x9F'}, {u'→', '?', '?'},       {u'A', 'A', 'A'},
        {u'\u00A0', '\xA0', '\xFF'},
    };
    for (const Case& C : Cases) {
        const QString S(QChar(C.Char));
        EXPECT_EQ(UnicodeToAnsi(S), QByteArray(1, C.Ansi)) << int(C.Char);
        EXPECT_EQ(UnicodeToOem(S), QByteArray(1, C.Oem)) << int(C.Char);
    }
    // A character outside the basic plane is one '?', not two.
    EXPECT_EQ(UnicodeToAnsi(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_TRUE(IsAnsiRepresentable(QStringLiteral("Grüße €")));
    EXPECT_FALSE(IsAnsiRepresentable(QStringLiteral("∑")));
}

TEST(AtomicWrite, ReplacesWholeFileAndKeepsPermissions)
{
    QTemporaryDir T;
    const QString Path = PathJoin(T.path(), QStringLiteral("f.bin"));
    WriteBinaryFile(Path, QByteArray("first version, longer"));
    ::chmod(QFile::encodeName(Path).constData(), 0640);
    WriteBinaryFile(Path, std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(ReadBinaryFile(Path), QByteArray("\x01\x02\x03"));
    struct stat St {};
    ASSERT_EQ(::stat(QFile::encodeName(Path).constData(), &St), 0);
    EXPECT_EQ(St.st_mode & 0777, 0640u);
    EXPECT_TRUE(Others(T.path(), QStringLiteral("f.bin")).isEmpty());
}

TEST(AtomicWrite, FailureKeepsOldFileRemovesTemporaryAndNamesPath)
{
    QTemporaryDir T;
    const QString Path = PathJoin(T.path(), QStringLiteral("keep.xml"));
    WriteTextFile(Path, QStringLiteral("old"), TTextEncoding::UTF8);

    // The last step fails (as a rename onto a full or vanished volume would).
    SetAtomicWriteHookForTests([](const QString&) { throw EInOutError(QStringLiteral("simulated")); });
    try {
        WriteTextFile(Path, QStringLiteral("new"), TTextEncoding::UTF8);
        ADD_FAILURE() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_TRUE(E.Message().contains(Path)) << E.Message().toStdString();
    }
    SetAtomicWriteHookForTests(nullptr);
    EXPECT_EQ(ReadBinaryFile(Path), QByteArray("old"));
    EXPECT_TRUE(Others(T.path(), QStringLiteral("keep.xml")).isEmpty());

    // Target is a folder: the rename fails, nothing is left behind.
    const QString DirTarget = PathJoin(T.path(), QStringLiteral("sub"));
    ASSERT_TRUE(CreateDir(DirTarget));
    Put(PathJoin(DirTarget, QStringLiteral("inner")), "x");
    EXPECT_THROW(WriteBinaryFile(DirTarget, QByteArray("y")), EInOutError);
    EXPECT_TRUE(Others(T.path(), QStringLiteral("keep.xml")).isEmpty());

    // The parent of the target is a file: even root cannot create anything there.
    const QString Under = PathJoin({T.path(), QStringLiteral("keep.xml"), QStringLiteral("x.xml")});
    try {
        WriteBinaryFile(Under, QByteArray("y"));
        ADD_FAILURE() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_TRUE(E.Message().contains(Under));
    }
}

TEST(AtomicWrite, ReadOnlyFolderKeepsOldFile)
{
    QTemporaryDir T;
    const QString Dir = PathJoin(T.path(), QStringLiteral("ro"));
    ASSERT_TRUE(CreateDir(Dir));
    const QString Path = PathJoin(Dir, QStringLiteral("ParGen.xml"));
    WriteTextFile(Path, QStringLiteral("old"), TTextEncoding::UTF8);

    // An unprivileged user is stopped by the mode bits; root only by the immutable flag.
    bool Locked = false;
    int Fd = -1;
    if (::geteuid() != 0) {
        Locked = ::chmod(QFile::encodeName(Dir).constData(), 0555) == 0;
    } else {
        Fd = ::open(QFile::encodeName(Dir).constData(), O_RDONLY | O_DIRECTORY);
        int Flags = 0;
        if (Fd >= 0 && ::ioctl(Fd, FS_IOC_GETFLAGS, &Flags) == 0) {
            Flags |= FS_IMMUTABLE_FL;
            Locked = ::ioctl(Fd, FS_IOC_SETFLAGS, &Flags) == 0;
        }
    }
    if (!Locked) {
        if (Fd >= 0)
            ::close(Fd);
        GTEST_SKIP() << "cannot make a folder read-only here";
    }
    EXPECT_THROW(WriteTextFile(Path, QStringLiteral("new"), TTextEncoding::UTF8), EInOutError);
    EXPECT_EQ(ReadBinaryFile(Path), QByteArray("old"));
    if (::geteuid() != 0) {
        ::chmod(QFile::encodeName(Dir).constData(), 0755);
    } else {
        int Flags = 0;
        ::ioctl(Fd, FS_IOC_GETFLAGS, &Flags);
        Flags &= ~FS_IMMUTABLE_FL;
        ::ioctl(Fd, FS_IOC_SETFLAGS, &Flags);
        ::close(Fd);
    }
    EXPECT_TRUE(Others(Dir, QStringLiteral("ParGen.xml")).isEmpty());
}
