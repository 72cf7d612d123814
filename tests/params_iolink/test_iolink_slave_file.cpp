// IOLink_Slave.xml reader and writer, and the bank compiler reading through them.

#include "common/iolink_slave_file.h"

#include "enip_outputs/bank_compiler.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Read_All(const QString& path)
{
    return ReadBinaryFile(path);
}

void Write_All(const QString& path, const QByteArray& bytes)
{
    WriteBinaryFile(path, bytes);
}

TIOLink_Slave_Variable Variable(const QString& index, const QString& enable = QStringLiteral("Y"))
{
    TIOLink_Slave_Variable v;
    for (int i = 0; i < IOLink_Slave_Variable_Attr_Count; ++i)
        v.Field(i) = QStringLiteral("v%1").arg(i);
    v.Enable = enable;
    v.Index = index;
    v.Access = QStringLiteral("Read Write");
    v.Length = QStringLiteral("16");
    v.Present = (1u << IOLink_Slave_Variable_Attr_Count) - 1;
    return v;
}

TIOLink_Slave_Process_Row Process(const QString& length, const QString& enable = QStringLiteral("Y"))
{
    TIOLink_Slave_Process_Row p;
    for (int i = 0; i < IOLink_Slave_Process_Attr_Count; ++i)
        p.Field(i) = QStringLiteral("p%1").arg(i);
    p.Enable = enable;
    p.Length = length;
    p.Present = (1u << IOLink_Slave_Process_Attr_Count) - 1;
    return p;
}

}  // namespace

TEST(IOLinkSlaveFile, WriterProducesTheFixedLayoutByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    TIOLink_Slave_Data data;
    data.Variables = {Variable(QStringLiteral("60 ")), Variable(QStringLiteral(" ")), Variable(QStringLiteral("61"))};
    data.Process_Data_Input = {Process(QStringLiteral("8"), QStringLiteral("N"))};
    Write_IOLink_Slave_File(path, data);
    EXPECT_EQ(Read_All(path).toStdString(),
              "<VIZediZadud><Variables>"
              "<row Enable=\"Y\" Index=\"60 \" Name=\"v2\" Access=\"Read Write\" Length=\"16\" Gradient=\"v5\" "
              "Offset=\"v6\" UnitCode=\"v7\" DefaultValue=\"v8\" PositionRead=\"v9\" StartBitRead=\"v10\" "
              "PositionWrite=\"v11\" StartBitWrite=\"v12\" Description=\"v13\" Mnemonic=\"v14\"/>"
              "</Variables><Process_Data><Process_Data_Input>"
              "<row Enable=\"N\" Name=\"p1\" Length=\"8\" Gradient=\"p3\" Offset=\"p4\" UnitCode=\"p5\" "
              "Position=\"p6\" StartBit=\"p7\" Description=\"p8\" Mnemonic=\"p9\"/>"
              "</Process_Data_Input><Process_Data_Output/></Process_Data></VIZediZadud>\r\n"
              "<!--SW_VERSION = 1.001-->\r\n");
}

TEST(IOLinkSlaveFile, RoundTripKeepsEveryCell)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    TIOLink_Slave_Data data;
    data.Variables = {Variable(QStringLiteral("60")), Variable(QStringLiteral("x"), QStringLiteral("n"))};
    data.Process_Data_Input = {Process(QStringLiteral("12")), Process(QStringLiteral("5"))};
    data.Process_Data_Output = {Process(QStringLiteral("9"))};
    data.Variables[1].Description = QStringLiteral("a \"quoted\" <text> & more");
    Write_IOLink_Slave_File(path, data);
    bool found = false;
    EXPECT_EQ(Read_IOLink_Slave_File(path, IOLink_Slave_Max_Rows, &found), data);
    EXPECT_TRUE(found);
    const QByteArray first = Read_All(path);
    Write_IOLink_Slave_File(path, Read_IOLink_Slave_File(path));
    EXPECT_EQ(Read_All(path), first);
}

TEST(IOLinkSlaveFile, ReaderDefaultsAndRoots)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    // Another root name, no Enable, a comment among the rows, the sections in another order.
    Write_All(path, "<Other><Process_Data><Process_Data_Output><row Length=\"3\"/></Process_Data_Output>"
                    "</Process_Data><Variables><row Index=\"70\"/><!-- note --><anything Enable=\"N\"/></Variables>"
                    "</Other>");
    const TIOLink_Slave_Data data = Read_IOLink_Slave_File(path);
    ASSERT_EQ(data.Variables.size(), 2u);
    EXPECT_EQ(data.Variables[0].Enable, QStringLiteral("Y"));
    EXPECT_FALSE(data.Variables[0].Has(iol_Enable));
    EXPECT_EQ(data.Variables[0].Index, QStringLiteral("70"));
    EXPECT_EQ(data.Variables[0].Name, QString());
    EXPECT_EQ(data.Variables[1].Enable, QStringLiteral("N"));
    EXPECT_TRUE(data.Process_Data_Input.empty());
    ASSERT_EQ(data.Process_Data_Output.size(), 1u);
    EXPECT_EQ(data.Process_Data_Output[0].Length, QStringLiteral("3"));

    // A leading comment is the root: nothing is read.
    Write_All(path, "<!-- x --><VIZediZadud><Variables><row Index=\"70\"/></Variables></VIZediZadud>");
    EXPECT_TRUE(Read_IOLink_Slave_File(path).Variables.empty());

    bool found = true;
    EXPECT_EQ(Read_IOLink_Slave_File(dir.filePath(QStringLiteral("none.xml")), -1, &found), TIOLink_Slave_Data{});
    EXPECT_FALSE(found);

    Write_All(path, "<VIZediZadud><Variables>");
    try {
        Read_IOLink_Slave_File(path);
        FAIL() << "no error raised";
    } catch (const EXmlError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("IOLink_Slave.xml"))) << e.Message().toStdString();
    }
}

TEST(IOLinkSlaveFile, SectionsBeyondTheGridAreCountedNotRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    QByteArray xml = "<VIZediZadud><Variables>";
    for (int i = 0; i < 513; ++i)
        xml += "<row Index=\"" + QByteArray::number(60 + i) + "\"/>";
    xml += "</Variables><Process_Data><Process_Data_Input>";
    for (int i = 0; i < 514; ++i)
        xml += "<row Length=\"1\"/>";
    xml += "</Process_Data_Input></Process_Data></VIZediZadud>";
    Write_All(path, xml);
    const TIOLink_Slave_Data data = Read_IOLink_Slave_File(path, IOLink_Slave_Max_Rows);
    EXPECT_EQ(data.Variables.size(), 512u);
    EXPECT_EQ(data.Variables_Left_Out, 1);
    EXPECT_EQ(data.Process_Data_Input.size(), 512u);
    EXPECT_EQ(data.Input_Left_Out, 2);
    EXPECT_EQ(data.Output_Left_Out, 0);
    EXPECT_EQ(Read_IOLink_Slave_File(path).Variables.size(), 513u);

    // The writer stops at the grid's size too.
    Write_IOLink_Slave_File(path, Read_IOLink_Slave_File(path));
    EXPECT_EQ(Read_IOLink_Slave_File(path).Variables.size(), 512u);
}

TEST(IOLinkSlaveFile, BankCompilerSeesTheEnabledRowsTheEditorWrote)
{
    QTemporaryDir dir;
    const TBankSources sources{dir.filePath(QStringLiteral("ParGen.xml")),
                               dir.filePath(QStringLiteral("EtherNetIP_Master_Rules.xml")),
                               dir.filePath(QStringLiteral("IOLink_Slave.xml"))};
    TIOLink_Slave_Data data;
    data.Variables = {Variable(QStringLiteral("60")), Variable(QStringLiteral("61"), QStringLiteral("N")),
                      Variable(QStringLiteral("62"), QStringLiteral("y"))};
    data.Variables[2].Access = QStringLiteral("Write Only");
    data.Variables[2].PositionRead = QStringLiteral("3");
    data.Process_Data_Input = {Process(QStringLiteral("12")), Process(QStringLiteral("5"), QStringLiteral("N"))};
    data.Process_Data_Output = {Process(QStringLiteral("9"))};
    Write_IOLink_Slave_File(sources.IOLink_Slave, data);
    Compile_Banks(sources);
    const TIO_Link_Slave_Dev& dev = IOLink_Slave_Dev();
    EXPECT_EQ(dev.pd_in_bit_length, 12u);
    EXPECT_EQ(dev.pd_out_bit_length, 9u);
    ASSERT_EQ(dev.n_par, 2u);
    EXPECT_EQ(dev.parameter[0].index, 60);
    EXPECT_EQ(dev.parameter[0].access, 3);
    EXPECT_EQ(dev.parameter[0].bit_length, 16u);
    EXPECT_EQ(dev.parameter[1].index, 62);
    EXPECT_EQ(dev.parameter[1].access, 1);
    EXPECT_EQ(dev.parameter[1].position_read, 3);

    // A row without Enable is shown enabled by the editor but left out of the bank.
    Write_All(sources.IOLink_Slave, "<VIZediZadud><Variables><row Index=\"60\"/></Variables></VIZediZadud>");
    Compile_Banks(sources);
    EXPECT_EQ(IOLink_Slave_Dev().n_par, 0u);
}
