#pragma once
// The independent EDS checker (eds_check.py), run with the system's Python.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

inline const char* const Eds_Checker_Python = "/usr/bin/python3";

inline bool Have_Python()
{
  return QFile::exists(QString::fromLatin1(Eds_Checker_Python));
}

// Runs the checker on a sheet; empty when it passes, else its messages. Without lineEnds
// the CR LF check is left out.
inline QString Checker_Faults(const QString& eds, bool lineEnds = true)
{
  QStringList args{QStringLiteral(KV_FIXTURES_DIR "/../editors_can/eds_check.py")};
  if (!lineEnds)
    args << QStringLiteral("--any-line-ends");
  args << eds;
  QProcess p;
  p.start(QString::fromLatin1(Eds_Checker_Python), args);
  if (!p.waitForFinished(30000))
    return QStringLiteral("checker did not finish");
  const QString out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    return out.isEmpty() ? QStringLiteral("checker failed") : out;
  return {};
}
