#pragma once
// Checks shared by the tests of the windows' English text blocks: which ranges a block
// source covers, the table built with it, that the program registers it, and a language
// file laid over that table.

#include "common/lang_table.h"
#include "shell/lang_sources.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

// Registers one block source for the life of a test and builds the table with it;
// on leaving, the source is removed and the table rebuilt without it.
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

// The source gives exactly these ranges (first and last index, in order), and every
// text in them is non-empty.
inline void Expect_Lang_Ranges(TLangBlockSource source, const std::vector<std::pair<int, int>>& ranges)
{
  const std::vector<TLangBlock> blocks = source();
  ASSERT_EQ(blocks.size(), ranges.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    EXPECT_EQ(blocks[i].Start, ranges[i].first) << "block " << i;
    EXPECT_EQ(blocks[i].Start + blocks[i].Texts.size() - 1, ranges[i].second) << "block " << i;
    for (qsizetype k = 0; k < blocks[i].Texts.size(); ++k)
      EXPECT_FALSE(blocks[i].Texts[k].isEmpty()) << "index " << blocks[i].Start + k;
  }
}

// The built table holds these texts at these indexes.
inline void Expect_Lang_Texts(std::initializer_list<std::pair<int, const char*>> expected)
{
  ASSERT_EQ(SL_Lang.size(), Lang_Table_Size);
  for (const auto& [index, text] : expected)
    EXPECT_EQ(SL_Lang[index], QString::fromUtf8(text)) << "index " << index;
}

// Writes the language file lines (UTF-8 with a byte-order mark) and lays them over the
// current table.
inline void Load_Lang_Lines(const QStringList& lines)
{
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("Test.lng"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("\xEF\xBB\xBF");
  f.write(lines.join(QStringLiteral("\r\n")).toUtf8());
  f.close();
  ASSERT_TRUE(Load_Lang_File(path));
}

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
