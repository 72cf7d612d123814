// The independent check: steps 3 and 4 typed into the real program as a user types them,
// with an EDS file the project has never seen (tests/fixtures/e2e/flow_meter.eds), then
// step 6. The project files and the three banks that result are compared with what this
// file computes itself from the file and bank formats, without the program's readers,
// writers or bank compiler.

#include "program_session.h"

#include "../main_road/main_road.h"

#include "enip_outputs/boot_window.h"
#include "enip_outputs/enip_data_seg_window.h"
#include "enip_outputs/enip_master_window.h"
#include "grid/column_grid.h"
#include "grid/grid_editor_controls.h"
#include "params_iolink/iolink_slave_window.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/main_window.h"

#include <QFile>

#include <pugixml.hpp>

#include <bit>
#include <cstdint>
#include <vector>

namespace {

// ---------------------------------------------------------------- what the user types

struct TProcess_Item {
    const char* Name;
    int Length;
};
const TProcess_Item Inputs[] = {{"Level", 16}, {"Alarm bits", 7}};
const TProcess_Item Outputs[] = {{"Command", 9}};

// Every column of a variable row (1 to 15) as typed; Access is typed as letters into
// its list, which opens on "Read Only".
struct TVariable {
    bool Enabled;
    const char* Cells[14];  // columns 2 to 15
    const char* Access_Keys;
};
const TVariable Variables[] = {
    {true, {"200", "Setpoint", "Write Only", "16", "1", "0", "1000", "-1", "3", "0", "2", "4", "Tank setpoint", "SP"}, "W"},
    {false, {"201", "Unused", "", "", "", "", "", "", "", "", "", "", "", ""}, nullptr},
    {true, {"300", "Mode", "Read Write", "8", "2.5", "-10", "1001", "42", "10", "7", "5", "1", "", "MODE"}, "R"},
};

// The flow meter's configuration as the data-segment editor leaves it.
constexpr int64_t Zero_Offset = -1234;
constexpr int Volume_Unit = 1;  // "Gallons"
constexpr double Full_Scale = 99.5;

// ---------------------------------------------------------------- byte helpers

void Put(QByteArray& b, int Offset, uint64_t Value, int Size)
{
    for (int i = 0; i < Size; ++i)
        b[Offset + i] = char((Value >> (8 * i)) & 0xFF);
}

QByteArray Le(uint64_t Value, int Size)
{
    QByteArray b(Size, '\0');
    Put(b, 0, Value, Size);
    return b;
}

QString Hex_List(const QByteArray& Bytes, const QString& Separator)
{
    QStringList items;
    for (const char c : Bytes)
        items << QStringLiteral("0x") + QString::number(uint8_t(c), 16).rightJustified(2, QLatin1Char('0')).toUpper();
    return items.join(Separator);
}

// The electronic key of the EDS identity: vendor, device type and product code as
// little-endian words, the major revision with the compatibility bit, the minor one.
QByteArray Electronic_Key()
{
    const int vendor = 0x0505, type = 43, product = 1001, major = 2, minor = 17;
    return Le(vendor, 2) + Le(type, 2) + Le(product, 2) + QByteArray(1, char(major | 0x80)) + QByteArray(1, char(minor));
}

// The configuration assembly: DINT, UINT, a 16-bit pad and an LREAL, 16 bytes in all.
QByteArray Configuration()
{
    return Le(uint64_t(Zero_Offset), 4) + Le(Volume_Unit, 2) + QByteArray(2, '\0') +
           Le(std::bit_cast<uint64_t>(Full_Scale), 8);
}

// ---------------------------------------------------------------- the rules and bank 2

struct TRule {
    QStringList Attributes;  // the 19 attributes of its row element, in order
    QByteArray Ip;
    int Start_In, Num_In, Start_Out, Num_Out;
    uint32_t Poll;
    int Inst_TO, Cp_TO, Inst_OT, Cp_OT;
    uint32_t Flags;
    QByteArray Key, Segment;  // values of the path strings; empty when absent
};

std::vector<TRule> Rules()
{
    const QString key = Hex_List(Electronic_Key(), QStringLiteral(", "));
    const QString segment = Hex_List(Configuration(), QStringLiteral(","));
    TRule imported{{"Y", "10.1.2.3", "2", "8", "0", "4", "20", "200", "113", "200", "112", "1", "Default", "Y", key, "Y",
                    segment, "", "Meter"},
                   QByteArray("\x0A\x01\x02\x03", 4), 2, 8, 0, 4, 20, 200, 113, 200, 112,
                   // header codes: T>O 1, O>T "Default" = 4 in bits 3 to 5
                   1 | (4 << 3), Electronic_Key(), Configuration()};
    TRule typed{{"Y", "10.1.2.4", "0", "6", "0", "2", "500", "101", "102", "103", "104", "3", "Default", "", "", "Y",
                 "1, 2,0x10", "Y", "Second"},
                QByteArray("\x0A\x01\x02\x04", 4), 0, 6, 0, 2, 500, 101, 102, 103, 104, 3 | (4 << 3) | 0x100,
                QByteArray(), QByteArray("\x01\x02\x10", 3)};
    return {imported, typed};
}

// An encoded path string: length n + 2, the segment byte, the size in words, the values.
QByteArray Path_String(uint8_t Segment, const QByteArray& Values)
{
    const int n = int(Values.size());
    return Le(n + 2, 2) + QByteArray(1, char(Segment)) + QByteArray(1, char((n + 1) / 2)) + Values;
}

QByteArray Bank2(const std::vector<TRule>& R)
{
    constexpr uint32_t Base = 0x80000;
    QByteArray entries(400, '\0');
    QByteArray strings;
    int in_total = 0, out_total = 0;
    for (size_t i = 0; i < R.size(); ++i) {
        const TRule& r = R[i];
        const int e = int(i) * 40;
        entries.replace(e, 4, r.Ip);
        const int words[] = {r.Start_In, r.Num_In, in_total, r.Start_Out, r.Num_Out, out_total,
                             r.Inst_TO,  r.Cp_TO,  r.Inst_OT, r.Cp_OT};
        for (int k = 0; k < 10; ++k)
            Put(entries, e + 4 + 2 * k, uint16_t(words[k]), 2);
        in_total += r.Num_In;
        out_total += r.Num_Out;
        Put(entries, e + 24, r.Poll, 4);
        Put(entries, e + 28, r.Flags, 4);
        for (const auto& [field, segment, values] :
             {std::tuple{32, uint8_t(0x34), r.Key}, std::tuple{36, uint8_t(0x80), r.Segment}}) {
            if (values.isEmpty()) {
                Put(entries, e + field, Base + 400, 4);
                continue;
            }
            Put(entries, e + field, Base + 402 + uint32_t(strings.size()), 4);
            strings += Path_String(segment, values);
        }
    }
    return entries + QByteArray(2, '\0') + strings;
}

// ---------------------------------------------------------------- bank 1 (no ParGen.xml)

QByteArray Bank1(const std::vector<TRule>& R)
{
    QByteArray b(2048, '\0');
    Put(b, 0, 250000, 4);
    Put(b, 4, 250000, 4);
    Put(b, 12, 9600, 4);
    b.replace(40, 12, QByteArray("\xC0\xA8\x02\xCD\xFF\xFF\xFF\x00\xFF\xFF\xFF\xFF", 12));
    Put(b, 52, 10000, 2);
    Put(b, 54, 10001, 2);
    Put(b, 56, 10001, 2);
    int in_total = 0, out_total = 0;
    for (const TRule& r : R) {
        in_total += r.Num_In;
        out_total += r.Num_Out;
    }
    Put(b, 116, uint32_t(in_total), 4);
    Put(b, 120, uint32_t(out_total), 4);
    b.replace(436, 8, QByteArray(8, '\x08'));
    Put(b, 1552, uint32_t(R.size()), 4);
    Put(b, 1556, 0x80000, 4);
    Put(b, 1632, 0x90000, 4);
    uint32_t sum = 0;
    for (int i = 0; i < 2044; ++i)
        sum += uint8_t(b[i]);
    Put(b, 2044, sum, 4);
    return b;
}

// ---------------------------------------------------------------- bank 3 (COM1, no ParGen.xml)

int Bits(const TProcess_Item* Items, size_t Count)
{
    int total = 0;
    for (size_t i = 0; i < Count; ++i)
        total += Items[i].Length;
    return total;
}

// IO-Link MinCycleTime of a frame at COM1 (208,330 ns a bit) for the process data.
uint8_t Min_Cycle_Time(int In_Bits, int Out_Bits)
{
    const int64_t t = 208330LL * (12 * ((In_Bits + 7) / 8) + 14 * ((Out_Bits + 7) / 8) + 61);
    auto up = [](int64_t a, int64_t b) { return (a + b - 1) / b; };
    if (t <= 400000)
        return 0x04;
    if (t <= 6300000)
        return uint8_t(up(t, 100000));
    if (t <= 6400000)
        return 0x40;
    if (t <= 31600000)
        return uint8_t(0x40 + up(t - 6400000, 400000));
    if (t <= 32000000)
        return 0x80;
    if (t <= 132800000)
        return uint8_t(0x80 + up(t - 32000000, 1600000));
    return 0xBF;
}

QByteArray Bank3()
{
    const int in_bits = Bits(Inputs, std::size(Inputs)), out_bits = Bits(Outputs, std::size(Outputs));
    QByteArray b(28, '\0');
    b[1] = char(Min_Cycle_Time(in_bits, out_bits));
    int n = 0;
    QByteArray records;
    for (const TVariable& v : Variables) {
        if (!v.Enabled)
            continue;
        ++n;
        auto num = [&](int col) { return QString::fromLatin1(v.Cells[col - 2]).toLongLong(); };
        const QString access = QString::fromLatin1(v.Cells[2]);
        const int code = access == QLatin1String("Write Only") ? 1 : access == QLatin1String("Read Write") ? 3 : 2;
        QByteArray r(20, '\0');
        Put(r, 0, uint16_t(num(2)), 2);
        r[3] = char(code);
        r[4] = char(num(13));
        r[5] = char(num(11));
        Put(r, 8, uint16_t(num(10)), 2);
        Put(r, 10, uint16_t(num(12)), 2);
        Put(r, 12, uint32_t(num(5)), 4);
        Put(r, 16, uint32_t(int32_t(num(9))), 4);
        records += r;
    }
    Put(b, 4, uint32_t(n), 4);
    Put(b, 12, 0x90000 + 28, 4);
    Put(b, 20, uint32_t(in_bits), 4);
    Put(b, 24, uint32_t(out_bits), 4);
    return b + records;
}

// ---------------------------------------------------------------- the project files

// The attributes of each element under a path of element names below the root, in
// document order; also checks the version comment that follows the root.
std::vector<QStringList> Rows_Of(const QString& File, const QString& Root, std::initializer_list<const char*> Path)
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file(File.toLocal8Bit().constData(), pugi::parse_default | pugi::parse_comments)) << File.toStdString();
    pugi::xml_node root = doc.first_child();
    EXPECT_EQ(QString::fromUtf8(root.name()), Root);
    EXPECT_STREQ(root.next_sibling().value(), "SW_VERSION = 1.001");
    pugi::xml_node node = root;
    for (const char* p : Path)
        node = node.child(p);
    std::vector<QStringList> rows;
    for (pugi::xml_node row : node.children()) {
        QStringList a;
        for (pugi::xml_attribute at : row.attributes())
            a << QString::fromUtf8(at.name()) + QLatin1Char('=') + QString::fromUtf8(at.value());
        rows.push_back(a);
    }
    return rows;
}

QStringList Named(const QStringList& Names, const QStringList& Values)
{
    QStringList out;
    for (qsizetype i = 0; i < Names.size(); ++i)
        out << Names[i] + QLatin1Char('=') + Values.value(i);
    return out;
}

QByteArray Read(const QString& File)
{
    QFile f(File);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << File.toStdString();
    return f.readAll();
}

// ---------------------------------------------------------------- typing

void Type_Step3(TE2eUser& U)
{
    TFVIZediZadud* w = FVIZediZadud;
    Open_Step3(U, w->TS_PD_Input);
    for (int r = 0; r < int(std::size(Inputs)); ++r) {
        Type_Into(U, w->KCG_ProcessData_In, 2, r + 1, QString::fromLatin1(Inputs[r].Name));
        Type_Into(U, w->KCG_ProcessData_In, 3, r + 1, QString::number(Inputs[r].Length));
    }
    U.Click_Tab(w->TS_PD_Output);
    for (int r = 0; r < int(std::size(Outputs)); ++r) {
        Type_Into(U, w->KCG_ProcessData_Out, 2, r + 1, QString::fromLatin1(Outputs[r].Name));
        Type_Into(U, w->KCG_ProcessData_Out, 3, r + 1, QString::number(Outputs[r].Length));
    }
    U.Click_Tab(w->TS_Variables);
    TKvStringGrid* g = w->KCG_Variable;
    for (int r = 0; r < int(std::size(Variables)); ++r) {
        const TVariable& v = Variables[r];
        for (int c = 2; c <= 15; ++c) {
            const QString text = QString::fromLatin1(v.Cells[c - 2]);
            if (c == 4 && v.Access_Keys) {
                U.Click_Cell(g, c, r + 1);
                U.Type(QString::fromLatin1(v.Access_Keys));
                U.Keys(QStringLiteral("Return"));
            } else if (c != 4 && !text.isEmpty()) {
                Type_Into(U, g, c, r + 1, text);
            }
        }
        if (!v.Enabled)
            U.Click_Cell(g, 1, r + 1);
    }
    Wait_Cell(U, g, 15, 3, QStringLiteral("MODE"));
    U.Snapshot(w, QStringLiteral("step3"));
    U.Click(w->Btn_OK);
    U.Wait_Hidden(w);
}

void Type_Step4(TE2eUser& U)
{
    TFEtherNetIP_Master_Access* w = FEtherNetIP_Master_Access;
    TKvStringGrid* g = w->KCG;
    Open_Step4(U);
    Import_Eds(U, QStringLiteral(KV_FIXTURES_DIR "/e2e/flow_meter.eds"));
    const std::vector<TRule> rules = Rules();
    // Rule 1 keeps what the import wrote; rule 2 is typed whole.
    const int imported_cols[] = {8, 9, 10, 11, 12, 13, 15, 17};
    for (int r = 1; r <= 2; ++r) {
        const QStringList& a = rules[size_t(r - 1)].Attributes;
        for (int c = 2; c <= 19; ++c) {
            const QString text = a[c - 1];
            if (r == 1 && std::find(std::begin(imported_cols), std::end(imported_cols), c) != std::end(imported_cols))
                continue;
            if (c == 14 || c == 16 || c == 18) {
                if (text == QLatin1String("Y"))
                    U.Click_Cell(g, c, r);
            } else if (c == 13) {
                Pick_In_Cell(U, g, c, r, text);
            } else if (!text.isEmpty()) {
                Type_Into(U, g, c, r, text);
            }
        }
    }
    Open_Data_Segment(U, 1);
    TKvStringGrid* d = FEtherNetIP_Data_Seg->KSG_DataSeg;
    Type_Into(U, d, 4, 1, QString::number(Zero_Offset));
    Pick_In_Cell(U, d, 4, 2, QStringLiteral("Gallons"));
    Type_Into(U, d, 4, 4, QStringLiteral("99.5"));
    Wait_Cell(U, d, 4, 4, QStringLiteral("99.5"));
    U.Click(FEtherNetIP_Data_Seg->Btn_OK);
    U.Wait_Hidden(FEtherNetIP_Data_Seg);
    Wait_Cell(U, g, 19, 2, QStringLiteral("Second"));
    U.Snapshot(w, QStringLiteral("step4"));
    U.Click(w->Btn_OK);
    U.Wait_Hidden(w);
}

}  // namespace

using IndependentCheck = TProgramSession;

TEST_F(IndependentCheck, TypedStepsGiveTheComputedFilesAndBanks)
{
    Open_Project(QStringLiteral("Meter"));
    Run([](TE2eUser& u) {
        Type_Step3(u);
        Type_Step4(u);
        u.Click(FKalvoraFirmWare->Btn_CreateBin);
        u.Wait_Shown(FBoot);
        u.Click(FBoot->Btn_Cancel);
        u.Wait_Hidden(FBoot);
    });
    const TWorkingState& ws = WS();

    // IOLink_Slave.xml: the rows as typed, the positions packed bit by bit.
    const QStringList pd_names = {"Enable", "Name", "Length", "Gradient", "Offset", "UnitCode",
                                  "Position", "StartBit", "Description", "Mnemonic"};
    auto process_rows = [&](const TProcess_Item* Items, size_t Count) {
        std::vector<QStringList> rows;
        int bit = 0;
        for (size_t i = 0; i < Count; ++i) {
            rows.push_back(Named(pd_names, {"Y", Items[i].Name, QString::number(Items[i].Length), "1", "0", "1000",
                                            QString::number(bit / 8), QString::number(bit % 8), "", ""}));
            bit += Items[i].Length;
        }
        return rows;
    };
    EXPECT_EQ(Rows_Of(ws.Name_File_IOLink_Slave, "VIZediZadud", {"Process_Data", "Process_Data_Input"}),
              process_rows(Inputs, std::size(Inputs)));
    EXPECT_EQ(Rows_Of(ws.Name_File_IOLink_Slave, "VIZediZadud", {"Process_Data", "Process_Data_Output"}),
              process_rows(Outputs, std::size(Outputs)));
    const QStringList var_names = {"Enable",       "Index",        "Name",          "Access",       "Length",
                                   "Gradient",     "Offset",       "UnitCode",      "DefaultValue", "PositionRead",
                                   "StartBitRead", "PositionWrite", "StartBitWrite", "Description",  "Mnemonic"};
    std::vector<QStringList> vars;
    for (const TVariable& v : Variables) {
        QStringList values{v.Enabled ? "Y" : "N"};
        for (const char* c : v.Cells)
            values << QString::fromLatin1(c);
        vars.push_back(Named(var_names, values));
    }
    EXPECT_EQ(Rows_Of(ws.Name_File_IOLink_Slave, "VIZediZadud", {"Variables"}), vars);

    // EtherNetIP_Master_Rules.xml: the two rules, the first with its configuration.
    const QStringList rule_names = {"Enable",           "IP_Address",        "Start_Input",          "Num_Input",
                                    "Start_Output",     "Num_Output",        "Time_Poll",            "Instance_T_O",
                                    "Connection_Point_T_O", "Instance_O_T",  "Connection_Point_O_T", "Dim_Header_T_O",
                                    "Dim_Header_O_T",   "EnableElectronicKey", "ElectronicKey",      "EnableDataSegment",
                                    "DataSegment",      "ResetData",         "Mnemonic"};
    const std::vector<TRule> rules = Rules();
    std::vector<QStringList> expected_rules;
    for (const TRule& r : rules)
        expected_rules.push_back(Named(rule_names, r.Attributes));
    EXPECT_EQ(Rows_Of(ws.Name_File_EtherNetIP_Master_Rules, "EtherNetIP_Master_Access", {}), expected_rules);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(ws.Name_File_EtherNetIP_Master_Rules.toLocal8Bit().constData()));
    const pugi::xml_node conf = doc.first_child().first_child().child("TargetCong");
    EXPECT_STREQ(conf.attribute("Format").value(), "Assem199");
    EXPECT_STREQ(conf.attribute("Size").value(), "16");
    EXPECT_STREQ(conf.attribute("AO_Name").value(), "Meter Setup");
    std::vector<QStringList> members;
    for (pugi::xml_node m : conf.child("ParamObjects").children())
        members.push_back({QString::fromUtf8(m.attribute("ParamName").value()), QString::fromUtf8(m.attribute("Name").value()),
                           QString::fromUtf8(m.attribute("Value").value()), QString::fromUtf8(m.attribute("Enum").value()),
                           QString::number(QString::fromUtf8(m.attribute("ValueReal").value()).replace(',', '.').toDouble())});
    EXPECT_EQ(members, (std::vector<QStringList>{{"Param1", "Zero Offset", "-1234", "0", "0"},
                                                 {"Param2", "Volume Unit", "1", "1", "0"},
                                                 {"", "", "0", "0", "0"},
                                                 {"Param3", "Full Scale", "0", "0", "99.5"}}));
    EXPECT_FALSE(doc.first_child().first_child().next_sibling().child("TargetCong"));

    // The banks, byte for byte.
    const QString bin = ws.Dir_Project + QStringLiteral("/bin/");
    EXPECT_EQ(Read(bin + "bank1.bin").toHex(' '), Bank1(rules).toHex(' '));
    EXPECT_EQ(Read(bin + "bank2.bin").toHex(' '), Bank2(rules).toHex(' '));
    EXPECT_EQ(Read(bin + "bank3.bin").toHex(' '), Bank3().toHex(' '));
}
