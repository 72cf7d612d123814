#pragma once
// Outside checkers for the office files: unzip, xmllint and the Python readers.
#include "platform/core/zip_archive.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

struct TRunResult {
    bool Ran = false;
    int ExitCode = -1;
    QString Output;
};

inline TRunResult RunTool(const QString& Program, const QStringList& Args, const QByteArray& Input = QByteArray())
{
    TRunResult r;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(Program, Args);
    if (!p.waitForStarted(10000))
        return r;
    if (!Input.isEmpty())
        p.write(Input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000))
        return r;
    r.Ran = true;
    r.ExitCode = p.exitCode();
    r.Output = QString::fromUtf8(p.readAll());
    return r;
}

// True when /usr/bin/python3 has the module; the caller skips visibly otherwise.
inline bool PythonHas(const QString& Module)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
        return false;
    const TRunResult r = RunTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import ") + Module});
    return r.Ran && r.ExitCode == 0;
}

// Runs a Python script with arguments; the script's output is returned.
inline TRunResult RunPython(const QString& Script, const QStringList& Args = {})
{
    return RunTool(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), Script} + Args);
}

// unzip -t on the file and xmllint --noout on every XML part: the structure an office reader needs.
inline void ExpectSoundPackage(const QString& FileName)
{
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (unzip.isEmpty()) {
        std::cout << "[ SKIPPED ] unzip is not installed: archive check skipped\n";
    } else {
        const TRunResult r = RunTool(unzip, {QStringLiteral("-t"), FileName});
        EXPECT_TRUE(r.Ran && r.ExitCode == 0) << r.Output.toStdString();
    }
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty()) {
        std::cout << "[ SKIPPED ] xmllint is not installed: part check skipped\n";
        return;
    }
    TZipArchiveReader zip;
    ASSERT_TRUE(zip.OpenFile(FileName));
    for (const QString& name : zip.Names()) {
        if (!name.endsWith(QLatin1String(".xml")) && !name.endsWith(QLatin1String(".rels")))
            continue;
        const TRunResult r = RunTool(xmllint, {QStringLiteral("--noout"), QStringLiteral("-")}, zip.Read(name));
        EXPECT_TRUE(r.Ran && r.ExitCode == 0) << name.toStdString() << ": " << r.Output.toStdString();
    }
}
