// Reading one key of ParGen.xml for the protocol editors and device-file writers.

#include "common/par_gen_file.h"

#include "platform/core/exceptions.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Write_ParGen(const QTemporaryDir& dir, const QByteArray& bytes)
{
  const QString path = dir.filePath(QStringLiteral("ParGen.xml"));
  QFile f(path);
  if (f.open(QIODevice::WriteOnly))
    f.write(bytes);
  return path;
}

}  // namespace

TEST(ParGenKey, MissingFileOrKeyGivesTheDefault)
{
  QTemporaryDir dir;
  EXPECT_EQ(Read_ParGen_Key(dir.filePath(QStringLiteral("ParGen.xml")), QStringLiteral("A"), QStringLiteral("d")),
            QStringLiteral("d"));
  const QString path = Write_ParGen(dir, "<Par_Gen><A> 7 </A><B/></Par_Gen>\r\n<!--SW_VERSION = 1.001-->\r\n");
  EXPECT_EQ(Read_ParGen_Key(path, QStringLiteral("A"), QStringLiteral("d")), QStringLiteral(" 7 "));
  EXPECT_EQ(Read_ParGen_Key(path, QStringLiteral("B"), QStringLiteral("d")), QString());
  EXPECT_EQ(Read_ParGen_Key(path, QStringLiteral("C"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST(ParGenKey, RootIsTheFirstNodeWhateverItsName)
{
  QTemporaryDir dir;
  const QString other = Write_ParGen(dir, "<Other><A>x</A></Other>");
  EXPECT_EQ(Read_ParGen_Key(other, QStringLiteral("A"), QString()), QStringLiteral("x"));
  const QString commentFirst = Write_ParGen(dir, "<!--c--><Par_Gen><A>x</A></Par_Gen>");
  EXPECT_EQ(Read_ParGen_Key(commentFirst, QStringLiteral("A"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST(ParGenKey, FileThatIsNotWellFormedRaises)
{
  QTemporaryDir dir;
  const QString path = Write_ParGen(dir, "<Par_Gen><A>x</Par_Gen>");
  EXPECT_THROW(Read_ParGen_Key(path, QStringLiteral("A"), QString()), EXmlError);
}

TEST(ParGenKey, FoundFlagTellsAMissingKeyFromAnEmptyOne)
{
  QTemporaryDir dir;
  const QString missing = dir.filePath(QStringLiteral("None.xml"));
  const QString path = Write_ParGen(dir, "<Par_Gen><A>x</A><B/></Par_Gen>");
  const QString commentFirst = dir.filePath(QStringLiteral("ParGen.xml"));
  struct Case {
    const char* name;
    QString file;
    const char* key;
    bool found;
    const char* text;
  };
  const Case cases[] = {
      {"missing file", missing, "A", false, "d"},
      {"missing key", path, "C", false, "d"},
      {"key", path, "A", true, "x"},
      {"empty key", path, "B", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool found = !c.found;
    EXPECT_EQ(Read_ParGen_Key(c.file, QString::fromLatin1(c.key), QStringLiteral("d"), &found), QString::fromLatin1(c.text));
    EXPECT_EQ(found, c.found);
  }
  Write_ParGen(dir, "<!--c--><Par_Gen><A>x</A></Par_Gen>");
  bool found = true;
  EXPECT_EQ(Read_ParGen_Key(commentFirst, QStringLiteral("A"), QStringLiteral("d"), &found), QStringLiteral("d"));
  EXPECT_FALSE(found);
  Write_ParGen(dir, "<Par_Gen><A>x</Par_Gen>");
  EXPECT_THROW(Read_ParGen_Key(commentFirst, QStringLiteral("A"), QString(), &found), EXmlError);
}
