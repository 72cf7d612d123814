#pragma once
// An outside decoder of the component-stream encoding: the Free Pascal runtime's
// ObjectBinaryToText, built from a ten-line program, prints the records of a stream.
// Where fpc is missing or cannot build the program, Skip says why.

#include "platform/core/files.h"

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

struct TFpcObjectDump {
    QString Skip;     // non-empty: the decoder is not available
    QString Text;     // what the decoder printed
    QString Errors;   // its error output
    int ExitCode = -1;
};

inline TFpcObjectDump FpcObjectBinaryToText(const QByteArray& Stream)
{
    static const char* kDumpProgram =
        "program dump;\n"
        "{$mode objfpc}{$H+}\n"
        "uses Classes, SysUtils;\n"
        "var Input: TFileStream; Output: TStringStream;\n"
        "begin\n"
        "  Input := TFileStream.Create(ParamStr(1), fmOpenRead);\n"
        "  Output := TStringStream.Create('');\n"
        "  while Input.Position < Input.Size - 1 do ObjectBinaryToText(Input, Output);\n"
        "  Write(Output.DataString);\n"
        "end.\n";
    TFpcObjectDump result;
    const QString fpc = QStandardPaths::findExecutable(QStringLiteral("fpc"));
    if (fpc.isEmpty()) {
        result.Skip = QStringLiteral("fpc is not installed (fp-compiler, fp-units-rtl): the outside decoder check is skipped");
        return result;
    }
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("dump.pas"));
    WriteBinaryFile(source, QByteArray(kDumpProgram));
    QProcess build;
    build.setWorkingDirectory(dir.path());
    build.setProcessChannelMode(QProcess::MergedChannels);
    build.start(fpc, {QStringLiteral("-O1"), source});
    const QString program = dir.filePath(QStringLiteral("dump"));
    if (!build.waitForFinished(120000) || build.exitCode() != 0 || !QFile::exists(program)) {
        result.Skip = QStringLiteral("fpc could not build the decoder: ") + QString::fromUtf8(build.readAll());
        return result;
    }
    const QString stream = dir.filePath(QStringLiteral("cells.bin"));
    WriteBinaryFile(stream, Stream);
    QProcess run;
    run.start(program, {stream});
    run.waitForFinished(30000);
    result.ExitCode = run.exitCode();
    result.Errors = QString::fromUtf8(run.readAllStandardError());
    result.Text = QString::fromUtf8(run.readAllStandardOutput());
    return result;
}
