// Reading one key of ParGen.xml for the protocol editors and device-file writers.

#include "shell/common/par_gen_file.h"

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
