#pragma once
// Paths, file helpers and the xmllint check shared by the industrial-Ethernet tests.

#include "common/working_state.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace industrial_test {

inline QString Fixture(const QString& name)
{
  return QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/editors_industrial/") + name;
}

inline QString Shared(const QString& relative)
{
  return QString::fromUtf8(KV_SHARED_TESTDATA_DIR) + QLatin1Char('/') + relative;
}

inline QByteArray Read_All(const QString& path)
{
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool Write_All(const QString& path, const QByteArray& bytes)
{
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline bool Has_Xmllint()
{
  return !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
}

// xmllint's complaints about a document (with --schema when schema is given); empty when it
// passes.
inline QString Xmllint_Errors(const QString& doc, const QString& schema = QString())
{
  QStringList args{QStringLiteral("--noout")};
  if (!schema.isEmpty())
    args << QStringLiteral("--schema") << schema;
  args << doc;
  QProcess p;
  p.start(QStringLiteral("xmllint"), args);
  if (!p.waitForFinished(60000))
    return QStringLiteral("xmllint did not finish");
  if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
    return QString();
  const QString err = QString::fromUtf8(p.readAllStandardError());
  return err.isEmpty() ? QStringLiteral("xmllint failed") : err;
}

// A working state on a temporary program folder with its project folder open, for the
// life of the object.
class TProjectScope {
public:
  explicit TProjectScope(const QString& dirExe, const QString& dirProject)
  {
    auto ws = std::make_unique<TWorkingState>(dirExe);
    ws->Dir_Project = dirProject;
    ws->Set_Files();
    FPrev = Install_Working_State(std::move(ws));
  }
  ~TProjectScope() { Install_Working_State(std::move(FPrev)); }
  TProjectScope(const TProjectScope&) = delete;
  TProjectScope& operator=(const TProjectScope&) = delete;

private:
  std::unique_ptr<TWorkingState> FPrev;
};

}  // namespace industrial_test

// Skips the test, saying why, when xmllint or the schema is missing.
#define KV_REQUIRE_XMLLINT(schema)                                                                       \
  if (!industrial_test::Has_Xmllint() || (!QString(schema).isEmpty() && !QFile::exists(schema)))         \
    GTEST_SKIP() << "xmllint or " << qPrintable(QString(schema)) << " not available: check skipped";
