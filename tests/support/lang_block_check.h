#pragma once
// Checks shared by the tests of the windows' English text blocks: which ranges a block
// source covers, the table built with it, and a language file laid over that table.

#include "shell/common/lang_table.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
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
