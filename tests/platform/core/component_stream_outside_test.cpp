// An outside decoder of the component-stream encoding: the Free Pascal runtime's
// ObjectBinaryToText, built here from a ten-line program, prints what we wrote.
#include "platform/core/component_stream.h"
#include "platform/core/files.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* kDumpProgram =
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

}  // namespace

TEST(ComponentStreamOutside, TheFreePascalRuntimeReadsOurRecords)
{
    const QString fpc = QStandardPaths::findExecutable(QStringLiteral("fpc"));
    if (fpc.isEmpty())
        GTEST_SKIP() << "fpc is not installed (fp-compiler, fp-units-rtl): the outside decoder check is skipped";
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("dump.pas"));
    WriteBinaryFile(source, QByteArray(kDumpProgram));
    QProcess build;
    build.setWorkingDirectory(dir.path());
    build.setProcessChannelMode(QProcess::MergedChannels);
    build.start(fpc, {QStringLiteral("-O1"), source});
    ASSERT_TRUE(build.waitForFinished(120000));
    const QString program = dir.filePath(QStringLiteral("dump"));
    if (build.exitCode() != 0 || !QFile::exists(program))
        GTEST_SKIP() << "fpc could not build the decoder: " << build.readAll().toStdString();

    std::vector<uint8_t> out;
    TComponentWriter w(out);
    w.BeginRecord(QStringLiteral("TGridCellIO"));
    w.WriteInteger(QStringLiteral("Col"), 70000);
    w.WriteInteger(QStringLiteral("Row"), -129);
    w.WriteString(QStringLiteral("Cell"), QStringLiteral("a b"));
    w.WriteBoolean(QStringLiteral("HasProp"), true);
    w.EndRecord();
    w.BeginRecord(QStringLiteral("TGridCellPropIO"));
    w.WriteIdent(QStringLiteral("CellProperties.BrushColor"), QStringLiteral("clWindow"));
    w.WriteSet(QStringLiteral("CellProperties.FontStyle"), {QStringLiteral("fsBold"), QStringLiteral("fsItalic")});
    w.WriteString(QStringLiteral("CellProperties.FontName"), QStringLiteral("Grüße"));
    w.WriteString(QStringLiteral("CellProperties.Long"), QString(300, QLatin1Char('x')));
    w.WriteBoolean(QStringLiteral("HasGraphic"), false);
    w.EndRecord();
    w.BeginRecord(QStringLiteral("TGridGraphicIO"));
    w.WriteFloat(QStringLiteral("CellGraphic.CellValue"), 1.5);
    w.WriteBinary(QStringLiteral("Bitmap.Data"), std::vector<uint8_t>{1, 2, 255});
    w.WriteStringList(QStringLiteral("Strings.Strings"), {QStringLiteral("one"), QStringLiteral("zwei ü")});
    w.EndRecord();
    const QString stream = dir.filePath(QStringLiteral("cells.bin"));
    WriteBinaryFile(stream, out);

    QProcess run;
    run.start(program, {stream});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    const char* expected[] = {
        "object TGridCellIO", "Col = 70000", "Row = -129", "Cell = 'a b'", "HasProp = True",
        "object TGridCellPropIO", "CellProperties.BrushColor = clWindow", "CellProperties.FontStyle = [fsBold, fsItalic]",
        "CellProperties.FontName = 'Gr'#252#223'e'", "CellProperties.Long = 'xxxxxxxxxx", "HasGraphic = False",
        "object TGridGraphicIO", "CellGraphic.CellValue =  1.50000000000000000000E+0000", "Bitmap.Data = {", "0102FF",
        "Strings.Strings = (", "'one'", "'zwei '#252",
    };
    for (const char* e : expected)
        EXPECT_TRUE(text.contains(QString::fromUtf8(e))) << e << "\n--- decoder output ---\n" << text.toStdString();
}
