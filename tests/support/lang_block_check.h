#pragma once
// Checks shared by the tests of the windows' English text blocks: the indexes a block
// source covers, that the whole table still builds with it, that the program registers
// it, and that a language file still replaces its entries.

#include "shell/common/lang_table.h"
#include "shell/lang_sources.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

// Registers one block source for a test and builds the table with it; undoes both at the end.
class TLangSourceScope {
public:
    explicit TLangSourceScope(TLangBlockSource source) : Source(source)
    {
        Add_Lang_Block_Source(Source);
        Init_Lang_Table();
    }
    ~TLangSourceScope()
    {
        Remove_Lang_Block_Source(Source);
        Init_Lang_Table();
    }
    TLangSourceScope(const TLangSourceScope&) = delete;
    TLangSourceScope& operator=(const TLangSourceScope&) = delete;

private:
    TLangBlockSource Source;
};

// A language file setting the first and last entries of the range replaces them; the
// entries between keep their English text.
inline void Expect_Lang_File_Overrides(TLangBlockSource source, int first, int last)
{
    TLangSourceScope scope(source);
    const QString kept = Lang_Str(first + 1);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Test.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QTextStream out(&f);
        out << "STR" << first << "=Erste\n"
            << "STR" << last << "=Letzte\n";
    }
    ASSERT_TRUE(Load_Lang_File(file));
    EXPECT_EQ(Lang_Str(first), QStringLiteral("Erste"));
    EXPECT_EQ(Lang_Str(last), QStringLiteral("Letzte"));
    EXPECT_EQ(Lang_Str(first + 1), kept);
}

// The source writes every index from first to last once and nothing else, the table
// builds with it next to the shell's blocks, and a language file still overrides it.
inline void Expect_Lang_Range(TLangBlockSource source, int first, int last)
{
    SCOPED_TRACE(testing::Message() << "range " << first << " to " << last);
    std::multiset<int> written;
    const std::vector<TLangBlock> blocks = source();
    for (const TLangBlock& block : blocks)
        for (qsizetype k = 0; k < block.Texts.size(); ++k)
            written.insert(block.Start + static_cast<int>(k));
    std::multiset<int> expected;
    for (int i = first; i <= last; ++i)
        expected.insert(i);
    EXPECT_EQ(written, expected);

    std::vector<TLangBlock> all = Shell_Lang_Blocks();
    all.insert(all.end(), blocks.begin(), blocks.end());
    QStringList table;
    EXPECT_NO_THROW(table = Build_Lang_Table(all, Shell_Lang_Shared_Blocks()));
    EXPECT_EQ(table.size(), Lang_Table_Size);
    Expect_Lang_File_Overrides(source, first, last);
}

// Each (index, text) pair is the built table's English text.
inline void Expect_Lang_Texts(TLangBlockSource source, const std::vector<std::pair<int, const char*>>& texts)
{
    TLangSourceScope scope(source);
    for (const auto& [index, text] : texts)
        EXPECT_EQ(Lang_Str(index), QString::fromUtf8(text)) << index;
}

// The program's start-up registration includes the source: an entry of it shows up in
// a table built from the registered sources alone.
inline void Expect_Lang_Registered(int index, const char* text)
{
    Register_Lang_Sources();
    Init_Lang_Table();
    EXPECT_EQ(Lang_Str(index), QString::fromUtf8(text)) << index;
}
