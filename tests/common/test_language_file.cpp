#include "common/lang_table.h"
#include "common/working_state.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/qstring_print.h"

#include <gtest/gtest.h>

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(KV_FIXTURES_DIR "/common/") + QString::fromLatin1(name);
}

void Write_File(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

// The same entry lines in each encoding (and each kind of line end).
class LanguageFileEncodings : public ::testing::TestWithParam<const char*> {};

TEST_P(LanguageFileEncodings, OverlaysValidEntryLinesOnly)
{
    Init_Lang_Table();
    ASSERT_TRUE(Load_Lang_File(Fixture(GetParam())));

    EXPECT_EQ(SL_Lang[0], "Inizio");
    EXPECT_EQ(SL_Lang[18], "Errore! Progetto non valido");  // line indented with blanks and a tab
    EXPECT_EQ(SL_Lang[12], "Twelve");                       // "STR12=": the whole number counts
    EXPECT_EQ(SL_Lang[1], "Step 1");
    EXPECT_EQ(SL_Lang[5], "Five");
    EXPECT_EQ(SL_Lang[7], "Seven spaced");
    EXPECT_EQ(SL_Lang[9], "Nove with two blanks");
    EXPECT_EQ(SL_Lang[5499], "Last one");
    EXPECT_EQ(SL_Lang[5500], " ");                          // beyond Num_Lang_Str
    EXPECT_EQ(SL_Lang[5516], " ");
    EXPECT_EQ(SL_Lang[13], "Tredici");                      // remark cut off
    EXPECT_EQ(SL_Lang[14], " word ");                       // pilcrows keep the blanks
    EXPECT_EQ(SL_Lang[15], "");                             // two pilcrows: empty text
    EXPECT_EQ(SL_Lang[16], "Open Configuration");           // only a remark: line ignored
    EXPECT_EQ(SL_Lang[17], "Update Device UDP");            // empty text: line ignored
    EXPECT_EQ(SL_Lang[19], "a = b");
    EXPECT_EQ(SL_Lang[20], "Twenty again");                 // last line wins
    EXPECT_EQ(SL_Lang[21], "IO-Link Set Access");           // "str" in lower case is no entry
    EXPECT_EQ(SL_Lang[22], "Create a new configuration for the device");
    EXPECT_EQ(SL_Lang[23], QString::fromUtf8("\xc3\x9cn\xc3\xaf" "c\xc3\xb6" "d\xc3\xa9 \xe2\x82\xac"));
    EXPECT_EQ(SL_Lang.size(), 5600);
}

INSTANTIATE_TEST_SUITE_P(Encodings, LanguageFileEncodings,
                         ::testing::Values("lang_utf8.lng", "lang_utf16le.lng", "lang_utf16be.lng"));

TEST(LanguageFile, WithoutByteOrderMarkReadsTheAnsiCodePage)
{
    Init_Lang_Table();
    ASSERT_TRUE(Load_Lang_File(Fixture("lang_ansi.lng")));
    EXPECT_EQ(SL_Lang[0], QString::fromUtf8("Euro \xe2\x82\xac"));
    EXPECT_EQ(SL_Lang[1], QString::fromUtf8("Caf\xc3\xa9"));
}

TEST(LanguageFile, LineGrammar)
{
    struct Case {
        const char* line;
        bool taken;
        int index;
        const char* text;
    };
    const Case cases[] = {
        {"STR12 = text", true, 12, "text"},
        {"STR12  = text", true, 12, "text"},
        {"STR12= text", true, 12, "text"},
        {"STR5=x", true, 5, "x"},
        {"STR007 = seven", true, 7, "seven"},
        {"STR000000000000018 = zeros", true, 18, "zeros"},
        {"STR12 = a=b=c", true, 12, "a=b=c"},
        {"STR0 = zero", true, 0, "zero"},
        {"STR5499 = last", true, 5499, "last"},
        {"STR5500 = out", false, 0, ""},
        {"STR99999999999 = huge", false, 0, ""},
        {"STR-3 = minus", false, 0, ""},
        {"STR+3 = plus", false, 0, ""},
        {"STR1 2 = split", false, 0, ""},
        {"STR = none", false, 0, ""},
        {"STR12 text", false, 0, ""},
        {"STR12 =   ", false, 0, ""},
        {"STR12 = /#/ remark", false, 0, ""},
        {" /#/ STR12 = commented", false, 0, ""},
        {"XSTR12 = x", false, 0, ""},
    };
    for (const Case& c : cases) {
        int index = -1;
        QString text;
        const bool taken = Parse_Lang_Line(QString::fromUtf8(c.line), 5500, index, text);
        EXPECT_EQ(taken, c.taken) << c.line;
        if (taken && c.taken) {
            EXPECT_EQ(index, c.index) << c.line;
            EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.line;
        }
    }
}

TEST(LanguageFile, UnreadableOrGarbageFileKeepsEnglish)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    Init_Lang_Table();
    const QStringList english = SL_Lang;

    EXPECT_FALSE(Load_Lang_File(tmp.filePath("missing.lng")));
    EXPECT_FALSE(Load_Lang_File(tmp.path()));  // a folder cannot be read as a file
    EXPECT_EQ(SL_Lang, english);

    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 37 + 11) & 0xFF));
    Write_File(tmp.filePath("garbage.lng"), garbage);
    Write_File(tmp.filePath("odd.lng"), QByteArray("\xff\xfeS\0T\0R", 7));  // UTF-16 cut mid-character
    EXPECT_TRUE(Load_Lang_File(tmp.filePath("garbage.lng")));
    EXPECT_TRUE(Load_Lang_File(tmp.filePath("odd.lng")));
    EXPECT_EQ(SL_Lang, english);
}

TEST(LoadLanguage, FallsBackToEnglish)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    TWorkingState ws(tmp.path());
    ws.Create_Program_Folders();

    // Nothing in LANGUAGE: built-in English, and the name becomes "English".
    ws.Language_Name = QStringLiteral("Italiano");
    Load_Language(ws);
    EXPECT_EQ(ws.Language_Name, "English");
    EXPECT_EQ(SL_Lang[18], "Error! Project not Valid");

    // A missing language with an English.lng present: that file is used.
    Write_File(QDir(ws.Dir_Language).filePath("English.lng"), "STR18 = Project missing\n");
    ws.Language_Name = QStringLiteral("Deutsch");
    Load_Language(ws);
    EXPECT_EQ(ws.Language_Name, "English");
    EXPECT_EQ(SL_Lang[18], "Project missing");

    // The named language file overlays a freshly built table.
    Write_File(QDir(ws.Dir_Language).filePath("Italiano.lng"), "STR0 = Inizio\n");
    ws.Language_Name = QStringLiteral("Italiano");
    Load_Language(ws);
    EXPECT_EQ(ws.Language_Name, "Italiano");
    EXPECT_EQ(SL_Lang[0], "Inizio");
    EXPECT_EQ(SL_Lang[18], "Error! Project not Valid");
    EXPECT_EQ(SL_Lang.size(), 5600);
}

TEST(LoadLanguage, FlagPictureFallsBackToDefault)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.path();
    EXPECT_EQ(Get_Lang_Flag_File(dir, "Italiano"), QString());
    Write_File(QDir(dir).filePath("DefaultFlag.bmp"), "BM");
    EXPECT_EQ(Get_Lang_Flag_File(dir, "Italiano"), QDir(dir).filePath("DefaultFlag.bmp"));
    Write_File(QDir(dir).filePath("Italiano.bmp"), "BM");
    EXPECT_EQ(Get_Lang_Flag_File(dir, "Italiano"), QDir(dir).filePath("Italiano.bmp"));
}
