// An outside decoder of the component-stream encoding: the Free Pascal runtime's
// ObjectBinaryToText, built here from a ten-line program, prints what we wrote.
#include "platform/core/component_stream.h"
#include "support/fpc_object_dump.h"

#include <gtest/gtest.h>

TEST(ComponentStreamOutside, TheFreePascalRuntimeReadsOurRecords)
{
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
    const TFpcObjectDump dump = FpcObjectBinaryToText(QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(out.size())));
    if (!dump.Skip.isEmpty()) GTEST_SKIP() << dump.Skip.toStdString();
    EXPECT_EQ(dump.ExitCode, 0) << dump.Errors.toStdString();
    const QString& text = dump.Text;
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
