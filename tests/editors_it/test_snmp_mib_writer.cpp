// The SNMP MIB module written from the agent's variables.

#include "editors_it/snmp_mib_writer.h"

#include "platform/core/exceptions.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "common/working_state.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/file_bytes.h"

namespace {

QString Fixture(const char* name)
{
    return QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/editors_it/") + QString::fromLatin1(name);
}


QByteArray Trap_File(const QByteArray& readRows, const QByteArray& writeRows)
{
    return "<SNMP_Trap><SNMP_Trap_Read>" + readRows + "</SNMP_Trap_Read><SNMP_Trap_Write>" + writeRows +
           "</SNMP_Trap_Write></SNMP_Trap>\r\n<!--SW_VERSION = 1.000-->\r\n";
}

QByteArray Var_Row(const QByteArray& enable, const QByteArray& type, const QByteArray& description)
{
    return "<row Enable=\"" + enable + "\" Community_Name=\"public\" Type=\"" + type + "\" Position=\"0\" Bit=\"0\" "
           "NumBits=\"8\" Description=\"" + description + "\" Conversion=\"None\" Mnemonic=\"\"/>";
}

// What smilint says about a module (empty: nothing), or why it could not run.
struct TLint {
    bool Ran = false;
    QString Why;
    QString Output;
};

TLint Smilint(const QString& module)
{
    TLint r;
    const QString smilint = QStandardPaths::findExecutable(QStringLiteral("smilint"));
    const QString mibs = QString::fromUtf8(KV_SHARED_TESTDATA_DIR) + QStringLiteral("/mib");
    if (smilint.isEmpty()) {
        r.Why = QStringLiteral("smilint is not installed (Debian package smitools)");
        return r;
    }
    if (!QFile::exists(mibs + QStringLiteral("/SNMPv2-SMI.txt"))) {
        r.Why = QStringLiteral("the base modules are missing in ") + mibs;
        return r;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SMIPATH"), mibs);
    p.setProcessEnvironment(env);
    p.start(smilint, {QStringLiteral("-s"), QStringLiteral("-l"), QStringLiteral("3"), module});
    if (!p.waitForFinished(60000)) {
        r.Why = QStringLiteral("smilint did not finish");
        return r;
    }
    r.Ran = true;
    // smilint exits 0 even when it reports errors: its output is the verdict.
    r.Output = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
    return r;
}

class SnmpMibWriter : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }
    QString Path(const char* name) const { return Dir.filePath(QString::fromLatin1(name)); }

    void Expect_Smilint_Quiet(const QString& module)
    {
        const TLint lint = Smilint(module);
        if (!lint.Ran)
            GTEST_SKIP() << lint.Why.toStdString() << ": the module was not checked";
        EXPECT_EQ(lint.Output, QString());
    }

    QTemporaryDir Dir;
};

TEST_F(SnmpMibWriter, ModuleMatchesTheHandWrittenGoldenFileByteForByte)
{
    // Read: Int "d", a disabled variable, String without description ("y" enables too);
    // write: "int" counts as an integer.
    const TMIB_Variables vars = Read_MIB_Variables(Fixture("SNMP_Trap.xml"));
    EXPECT_EQ(vars.Read, (QStringList{QStringLiteral("d"), QString()}));
    EXPECT_EQ(vars.Read_Int, (std::vector<bool>{true, false}));
    EXPECT_EQ(vars.Write, QStringList{QStringLiteral("setpoint")});
    EXPECT_EQ(vars.Write_Int, std::vector<bool>{true});

    Write_MIB_Module(Path("GATEWAY"), vars);
    const QByteArray golden = Read_All(Fixture("golden_gateway.mib"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(Read_All(Path("GATEWAY")), golden);
    Expect_Smilint_Quiet(Path("GATEWAY"));
}

TEST_F(SnmpMibWriter, EveryEnabledVariableIsWrittenWithItsTypeBeyondTheGridSize)
{
    QByteArray reads, writes;
    for (int i = 1; i <= 300; ++i) {
        const QByteArray n = QByteArray::number(i);
        reads += Var_Row("Y", i % 2 ? "Int" : "String", "r" + n);
        if (i <= 256)
            writes += Var_Row("Y", i % 2 ? "String" : "INT", "w" + n);
    }
    Write_All(Path("SNMP_Trap.xml"), Trap_File(reads, writes));
    const TMIB_Variables vars = Read_MIB_Variables(Path("SNMP_Trap.xml"));
    ASSERT_EQ(vars.Read.size(), 300);
    ASSERT_EQ(vars.Write.size(), 256);
    Write_MIB_Module(Path("GATEWAY"), vars);
    const QString text = QString::fromLatin1(Read_All(Path("GATEWAY")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nr299 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                                             "DESCRIPTION \"r299\" ::= { bufferinval 299 }\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nr300 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nw256 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\ntrapval300 NOTIFICATION-TYPE OBJECTS { r300 } STATUS current "
                                             "DESCRIPTION \"r300\" ::= { trapsval 300 }\r\nEND\r\n")));
    Expect_Smilint_Quiet(Path("GATEWAY"));
}

// A variable described with a name the module defines itself, always or by number, or
// with the description of an earlier variable, is written under its numbered name: every
// identifier is defined once and smilint finds nothing to say.
TEST_F(SnmpMibWriter, NoNameIsDefinedTwiceWhateverTheDescriptions)
{
    QStringList reserved = {"identity",    "norvel",       "gateway",      "application", "data",
                            "hellostring", "countin",      "countout",     "bufferin",    "bufferinval",
                            "bufferout",   "bufferoutval", "traps",        "trapsval",    "enterprises",
                            "bufferinval1", "bufferinval2", "bufferoutval1", "trapval1",  "trapval2"};
    for (int k = 1; k <= 8; ++k)
        reserved << QStringLiteral("bufferinblk%1").arg(k) << QStringLiteral("bufferoutblk%1").arg(k);
    for (const QString& name : reserved) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(MIB_Reserved_Name(name));
        TMIB_Variables vars;
        vars.Read = QStringList{name, QString()};
        vars.Read_Int = {true, false};
        vars.Write = QStringList{name};
        vars.Write_Int = {false};
        Write_MIB_Module(Path("GATEWAY"), vars);
        const QString text = QString::fromLatin1(Read_All(Path("GATEWAY")));
        EXPECT_TRUE(text.contains(QStringLiteral("\r\nbufferinval1 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS "
                                                 "current DESCRIPTION \"%1\" ::= { bufferinval 1 }\r\n")
                                      .arg(name)));
        EXPECT_TRUE(text.contains(QStringLiteral("\r\nbufferoutval1 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write")));
        EXPECT_TRUE(text.contains(QStringLiteral("\r\ntrapval1 NOTIFICATION-TYPE OBJECTS { bufferinval1 }")));
        Expect_Smilint_Quiet(Path("GATEWAY"));
    }

    for (const char* own : {"trapval", "trapval0", "bufferinblk9", "datas", "Data"})
        EXPECT_FALSE(MIB_Reserved_Name(QString::fromLatin1(own))) << own;
    TMIB_Variables twice;
    twice.Read = QStringList{QStringLiteral("level")};
    twice.Read_Int = {true};
    twice.Write = QStringList{QStringLiteral("setpoint"), QStringLiteral("level")};
    twice.Write_Int = {true, true};
    Write_MIB_Module(Path("TWICE"), twice);
    const QString text = QString::fromLatin1(Read_All(Path("TWICE")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nlevel OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nsetpoint OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nbufferoutval2 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS "
                                             "current DESCRIPTION \"level\" ::= { bufferoutval 2 }\r\n")));
    Expect_Smilint_Quiet(Path("TWICE"));
}

TEST_F(SnmpMibWriter, MissingFileOrSectionGivesNoVariablesOfThatDirection)
{
    EXPECT_EQ(Read_MIB_Variables(Path("none.xml")), TMIB_Variables());

    const QStringList fixed = MIB_Module_Lines(TMIB_Variables());
    EXPECT_EQ(fixed.size(), 54);
    EXPECT_EQ(fixed.indexOf(QStringLiteral(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }")) + 1,
              fixed.indexOf(QStringLiteral("bufferout OBJECT IDENTIFIER::= { data 5 }")));
    EXPECT_EQ(fixed.at(fixed.size() - 2), QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }"));

    // A file without its read section still gives its write variables, and the reverse.
    Write_All(Path("w.xml"), "<SNMP_Trap><SNMP_Trap_Write>" + Var_Row("Y", "Int", "w") + "</SNMP_Trap_Write></SNMP_Trap>");
    EXPECT_EQ(Read_MIB_Variables(Path("w.xml")).Write, QStringList{QStringLiteral("w")});
    Write_All(Path("r.xml"), "<SNMP_Trap><SNMP_Trap_Read>" + Var_Row("Y", "Int", "r") + "</SNMP_Trap_Read></SNMP_Trap>");
    EXPECT_EQ(Read_MIB_Variables(Path("r.xml")).Read, QStringList{QStringLiteral("r")});

    // Missing attributes: not enabled; empty description; string type.
    Write_All(Path("a.xml"), "<SNMP_Trap><SNMP_Trap_Read><row Description=\"x\"/><row Enable=\"Y\"/></SNMP_Trap_Read></SNMP_Trap>");
    const TMIB_Variables vars = Read_MIB_Variables(Path("a.xml"));
    EXPECT_EQ(vars.Read, QStringList{QString()});
    EXPECT_EQ(vars.Read_Int, std::vector<bool>{false});

    Write_All(Path("bad.xml"), "<SNMP_Trap><SNMP_Trap_Read>");
    EXPECT_THROW(Read_MIB_Variables(Path("bad.xml")), Exception);
}

TEST_F(SnmpMibWriter, NonAsciiIsWrittenInWindows1252)
{
    TMIB_Variables vars;
    vars.Read << QStringLiteral("caf\u00e9\u20ac\u03a9");
    vars.Read_Int.push_back(false);
    Write_MIB_Module(Path("m"), vars);
    EXPECT_TRUE(Read_All(Path("m")).contains("caf\xe9\x80?"));
}

class SnmpMibStep : public SnmpMibWriter {
protected:
    void SetUp() override
    {
        SnmpMibWriter::SetUp();
        Saved_Project = WS().Dir_Project;
        Saved_Trap = WS().Name_File_SNMP_Trap;
        WS().Dir_Project = Dir.path();
        WS().Name_File_SNMP_Trap = Path("SNMP_Trap.xml");
        ASSERT_TRUE(QFile::copy(Fixture("SNMP_Trap.xml"), Path("SNMP_Trap.xml")));
    }
    void TearDown() override
    {
        WS().Dir_Project = Saved_Project;
        WS().Name_File_SNMP_Trap = Saved_Trap;
    }
    QString Saved_Project, Saved_Trap;
};

TEST_F(SnmpMibStep, SavesThroughTheDialogAndAsksBeforeReplacing)
{
    TDialogResponder responder;
    responder.QueueFile(Path("gateway"));
    Save_MIB_File();
    ASSERT_EQ(responder.Requests.size(), 1u);
    EXPECT_EQ(responder.Requests[0].Kind, TDialogRequest::dkSaveFile);
    EXPECT_EQ(responder.Requests[0].InitialDir, Dir.path());
    EXPECT_EQ(responder.Requests[0].Filter, QStringLiteral("Management Information Base (*.mib)|*.mib"));
    EXPECT_EQ(Read_All(Path("gateway.mib")), Read_All(Fixture("golden_gateway.mib")));
    EXPECT_EQ(WS().SL_MIB_Var_Read, (QStringList{QStringLiteral("d"), QString()}));
    EXPECT_EQ(WS().SL_MIB_Var_Write, QStringList{QStringLiteral("setpoint")});

    // Declining the question leaves the file and the last load as they were.
    Write_All(Path("SNMP_Trap.xml"), Trap_File("", ""));
    Write_All(Path("gateway.mib"), "old");
    responder.QueueFile(Path("gateway.mib"));
    responder.QueueResult(mrNo);
    Save_MIB_File();
    EXPECT_EQ(responder.MessageCount(), 1);
    EXPECT_EQ(Read_All(Path("gateway.mib")), QByteArray("old"));
    EXPECT_EQ(WS().SL_MIB_Var_Read.size(), 2);

    // Yes replaces it with the file as it is now.
    responder.QueueFile(Path("gateway.mib"));
    responder.QueueResult(mrYes);
    Save_MIB_File();
    EXPECT_TRUE(WS().SL_MIB_Var_Read.isEmpty());
    EXPECT_FALSE(Read_All(Path("gateway.mib")).contains("trapval1"));

    // Cancel does nothing.
    const size_t asked = responder.Requests.size();
    responder.QueueCancel();
    Save_MIB_File();
    EXPECT_EQ(responder.Requests.size(), asked + 1);
}

}  // namespace
