#pragma once
// xmllint as the outside check of the XML files the program writes.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

// The checker's complaint about the file; empty when it passes or xmllint is missing.
inline QString Xmllint_Failure(const QString& path)
{
  const QString lint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
  if (lint.isEmpty())
    return QString();
  QProcess p;
  p.start(lint, {QStringLiteral("--noout"), path});
  p.waitForFinished(10000);
  return p.exitCode() == 0 ? QString() : QString::fromLocal8Bit(p.readAllStandardError() + " (exit code)");
}

inline bool Have_Xmllint()
{
  return !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
}
