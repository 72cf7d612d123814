#include "enip_outputs/bank_compiler.h"

#include "enip_outputs/enip_convert.h"
#include "enip_outputs/enip_master_rules_file.h"
#include "common/common_routines.h"
#include "common/iolink_slave_file.h"
#include "common/par_gen_file.h"

#include "platform/core/files.h"

#include <QFile>

#include <array>
#include <cstring>

namespace {

std::array<uint8_t, Bank1_Size> Bank1_Rec;
TIO_Link_Slave_Dev IOLink_Dev;
std::array<TEtherNetIP_Master_Conn, Max_EtherNetIP_Conn> EtherNetIP_Conn;
int EtherNetIP_Count = 0;
std::vector<uint8_t> Bank_Buffer[3];
QStringList Warnings;

void Put16(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void Put32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

void Put_IP(int offset, const uint8_t ip[4])
{
    std::memcpy(&Bank1_Rec[size_t(offset)], ip, 4);
}

void Append16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void Append32(std::vector<uint8_t>& b, uint32_t v)
{
    Append16(b, v & 0xFFFF);
    Append16(b, v >> 16);
}

// Bank 1 offsets of the fields this build fills.
constexpr int Off_IP = 40, Off_Mask = 44, Off_Gateway = 48;
constexpr int Off_Input_Total = 116, Off_Output_Total = 120;
constexpr int Off_Flags = 1256, Off_Device_Name = 1300, Off_DNS2 = 1340, Off_DNS1 = 1420;
constexpr int Off_Conn_Count = 1552, Off_Bank2 = 1556, Off_Bank3 = 1632;
constexpr int Off_Version = 1644, Off_Checksum = 2044;
constexpr int Device_Name_Max = 31;

}  // namespace

void Init_Bank1()
{
    Bank1_Rec.fill(0);
    uint8_t* b = Bank1_Rec.data();
    Put32(b + 0, 250000);
    Put32(b + 4, 250000);
    Put32(b + 12, 9600);
    const uint8_t ip[4] = {192, 168, 2, 205};
    const uint8_t mask[4] = {255, 255, 255, 0};
    const uint8_t gw[4] = {255, 255, 255, 255};
    Put_IP(Off_IP, ip);
    Put_IP(Off_Mask, mask);
    Put_IP(Off_Gateway, gw);
    Put16(b + 52, 10000);
    Put16(b + 54, 10001);
    Put16(b + 56, 10001);
    std::memset(b + 436, 8, 8);
}

void Set_Bank_Version()
{
    std::memset(&Bank1_Rec[Off_Version], 0, 8);
    const char* v = "1.001";
    std::memcpy(&Bank1_Rec[Off_Version], v, std::strlen(v));
}

void Clear_IOLink_Slave_Data()
{
    IOLink_Dev = TIO_Link_Slave_Dev{};
}

void Clear_EtherNetIP_Master_Data()
{
    for (auto& c : EtherNetIP_Conn)
        c = TEtherNetIP_Master_Conn{};
    EtherNetIP_Count = 0;
}

void Compile_ParGen(const QString& path)
{
    if (!QFile::exists(path))
        return;
    const TParGen_Data p = Read_ParGen_File(path);

    Set_Bank_Version();
    IOLink_Dev.com = uint8_t(Get_IOLink_Slave_Com(p.IOLink_Slave_Baudrate));

    const QString& name = p.Eth_Conn_Device_Name;
    for (int i = 0; i < qMin<int>(int(name.size()), Device_Name_Max); ++i)
        Bank1_Rec[size_t(Off_Device_Name + i)] = uint8_t(name[i].unicode() & 0xFF);

    Put16(&Bank1_Rec[Off_Flags], ParGen_Flag(p.Eth_Conn_DHCP_Cable) ? 1 : 0);

    // Each number falls back to the key's default when it is no integer.
    const TParGen_Data def;
    auto put = [&](int offset, const QString* v[4], const QString* d[4]) {
        for (int i = 0; i < 4; ++i)
            Bank1_Rec[size_t(offset + i)] = uint8_t(enip::Str_To_Int_Def(*v[i], enip::Str_To_Int_Def(*d[i], 0)));
    };
    if (ParGen_Flag(p.Eth_Conn_Enable_DNS)) {
        const QString* v1[4] = {&p.Eth_Conn_Primary_DNS1, &p.Eth_Conn_Primary_DNS2, &p.Eth_Conn_Primary_DNS3,
                                &p.Eth_Conn_Primary_DNS4};
        const QString* d1[4] = {&def.Eth_Conn_Primary_DNS1, &def.Eth_Conn_Primary_DNS2, &def.Eth_Conn_Primary_DNS3,
                                &def.Eth_Conn_Primary_DNS4};
        const QString* v2[4] = {&p.Eth_Conn_Secondary_DNS1, &p.Eth_Conn_Secondary_DNS2,
                                &p.Eth_Conn_Secondary_DNS3, &p.Eth_Conn_Secondary_DNS4};
        const QString* d2[4] = {&def.Eth_Conn_Secondary_DNS1, &def.Eth_Conn_Secondary_DNS2,
                                &def.Eth_Conn_Secondary_DNS3, &def.Eth_Conn_Secondary_DNS4};
        put(Off_DNS1, v1, d1);
        put(Off_DNS2, v2, d2);
    }
    const QString* ip[4] = {&p.EtherNetIP_Master_IP1, &p.EtherNetIP_Master_IP2, &p.EtherNetIP_Master_IP3,
                            &p.EtherNetIP_Master_IP4};
    const QString* dip[4] = {&def.EtherNetIP_Master_IP1, &def.EtherNetIP_Master_IP2, &def.EtherNetIP_Master_IP3,
                             &def.EtherNetIP_Master_IP4};
    const QString* sm[4] = {&p.EtherNetIP_Master_SM1, &p.EtherNetIP_Master_SM2, &p.EtherNetIP_Master_SM3,
                            &p.EtherNetIP_Master_SM4};
    const QString* dsm[4] = {&def.EtherNetIP_Master_SM1, &def.EtherNetIP_Master_SM2, &def.EtherNetIP_Master_SM3,
                             &def.EtherNetIP_Master_SM4};
    const QString* gw[4] = {&p.EtherNetIP_Master_GAT1, &p.EtherNetIP_Master_GAT2, &p.EtherNetIP_Master_GAT3,
                            &p.EtherNetIP_Master_GAT4};
    const QString* dgw[4] = {&def.EtherNetIP_Master_GAT1, &def.EtherNetIP_Master_GAT2,
                             &def.EtherNetIP_Master_GAT3, &def.EtherNetIP_Master_GAT4};
    put(Off_IP, ip, dip);
    put(Off_Mask, sm, dsm);
    if (ParGen_Flag(p.EtherNetIP_Master_EN_GAT))
        put(Off_Gateway, gw, dgw);
    else
        std::memset(&Bank1_Rec[Off_Gateway], 255, 4);
}

int Encode_Path_String(const QString& text, uint8_t segment, uint8_t* dest, int maxValues, int* dropped)
{
    int n = 0;
    int over = 0;
    for (const QString& piece : text.split(QLatin1Char(','))) {
        const int v = enip::Str_To_Int_Def(piece.trimmed(), -1);
        if (v < 0 || v > 255)
            continue;
        if (n >= maxValues) {
            ++over;
            continue;
        }
        dest[4 + n] = uint8_t(v);
        ++n;
    }
    Put16(dest, uint32_t(n + 2));
    dest[2] = segment;
    dest[3] = uint8_t((n + 1) / 2);
    if (dropped)
        *dropped = over;
    return n + 4;
}

int Encode_Electronic_Key(const QString& text, int index)
{
    TEtherNetIP_Master_Conn& c = EtherNetIP_Conn[size_t(qBound(0, index, Max_EtherNetIP_Conn - 1))];
    return Encode_Path_String(text, 0x34, c.Key, Max_Key_Values, nullptr);
}

int Encode_Data_Segment(const QString& text, int index)
{
    TEtherNetIP_Master_Conn& c = EtherNetIP_Conn[size_t(qBound(0, index, Max_EtherNetIP_Conn - 1))];
    return Encode_Path_String(text, 0x80, c.Data_Segment, Max_Data_Segment_Values, nullptr);
}

void Compile_EtherNetIP_Master(const QString& path, uint32_t base)
{
    EtherNetIP_Count = 0;
    uint32_t input_total = 0;
    uint32_t output_total = 0;
    uint32_t next_add = base + Bank2_Table_Size;
    const uint32_t empty_add = base + Bank2_Table_Size - 2;

    if (QFile::exists(path)) {
        // Every row counts, not only the editor's ten: the table takes the first ten
        // enabled ones and reports the rest.
        const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(path);
        int skipped = 0;
        for (const TEtherNetIP_Master_Row& r : rules.Rows) {
            // A row without Enable reads "N" and is skipped.
            if (r.Enable.trimmed().toUpper() != QLatin1String("Y"))
                continue;
            if (EtherNetIP_Count >= Max_EtherNetIP_Conn) {
                ++skipped;
                continue;
            }
            TEtherNetIP_Master_Conn& c = EtherNetIP_Conn[size_t(EtherNetIP_Count)];
            if (r.Has(ema_IP_Address))
                Get_IP_Bytes(r.IP_Address, c.IP[0], c.IP[1], c.IP[2], c.IP[3]);
            else
                std::memset(c.IP, 255, 4);

            // A missing numeric attribute reads "", which is no number and takes the
            // compiler's default.
            using enip::Str_To_Int_Def;
            c.Start_Input = uint16_t(Str_To_Int_Def(r.Start_Input, 0));
            c.Num_Input = uint16_t(Str_To_Int_Def(r.Num_Input, 0));
            c.Offset_Input = uint16_t(input_total);
            input_total += c.Num_Input;
            c.Start_Output = uint16_t(Str_To_Int_Def(r.Start_Output, 0));
            c.Num_Output = uint16_t(Str_To_Int_Def(r.Num_Output, 0));
            c.Offset_Output = uint16_t(output_total);
            output_total += c.Num_Output;
            c.Time_Poll = uint32_t(enip::Str_To_Int64_Def(r.Time_Poll, 1000));
            c.Instance_T_O = uint16_t(Str_To_Int_Def(r.Instance_T_O, 1));
            c.Connection_Point_T_O = uint16_t(Str_To_Int_Def(r.Connection_Point_T_O, 100));
            c.Instance_O_T = uint16_t(Str_To_Int_Def(r.Instance_O_T, 1));
            c.Connection_Point_O_T = uint16_t(Str_To_Int_Def(r.Connection_Point_O_T, 101));

            uint32_t flags = 0;
            const QString& hto = r.Dim_Header_T_O;
            flags |= hto.toUpper() == QLatin1String("DEFAULT") ? 0u : uint32_t(Str_To_Int_Def(hto, 0)) & 7u;
            const QString& hot = r.Dim_Header_O_T;
            flags |= (hot.toUpper() == QLatin1String("DEFAULT") ? 4u : uint32_t(Str_To_Int_Def(hot, 4)) & 7u) * 8u;

            const int index = EtherNetIP_Count + 1;
            auto path_string = [&](const QString& enable, const QString& text, uint8_t segment, uint8_t* area,
                                   int max_values, uint32_t& add, uint16_t& len, const char* what) {
                if (enable.trimmed().toUpper() == QLatin1String("Y") && !text.isEmpty()) {
                    int dropped = 0;
                    const int size = Encode_Path_String(text, segment, area, max_values, &dropped);
                    if (dropped > 0)
                        Warnings << QStringLiteral("EtherNet/IP rule %1: the %2 holds more than %3 bytes; "
                                                   "%4 bytes were left out.")
                                        .arg(index)
                                        .arg(QLatin1String(what))
                                        .arg(max_values)
                                        .arg(dropped);
                    add = next_add;
                    len = uint16_t(size);
                    next_add += uint32_t(size);
                } else {
                    add = empty_add;
                }
            };
            path_string(r.EnableElectronicKey, r.ElectronicKey, 0x34, c.Key, Max_Key_Values, c.Key_Add, c.Key_Len,
                        "electronic key");
            path_string(r.EnableDataSegment, r.DataSegment, 0x80, c.Data_Segment, Max_Data_Segment_Values,
                        c.Data_Segment_Add, c.Data_Segment_Len, "data segment");

            if (r.ResetData.toUpper() == QLatin1String("Y"))
                flags |= 0x100;
            c.Flags = flags;
            ++EtherNetIP_Count;
        }
        if (skipped > 0)
            Warnings << QStringLiteral("The EtherNet/IP scanner takes %1 connections; %2 further enabled rules "
                                       "were left out.")
                            .arg(Max_EtherNetIP_Conn)
                            .arg(skipped);
    }
    Put32(&Bank1_Rec[Off_Conn_Count], uint32_t(EtherNetIP_Count));
    Put32(&Bank1_Rec[Off_Input_Total], input_total);
    Put32(&Bank1_Rec[Off_Output_Total], output_total);
}

int Get_IOLink_Access_Code(const QString& text)
{
    if (text == QLatin1String("Read Only"))
        return 2;
    if (text == QLatin1String("Write Only"))
        return 1;
    if (text == QLatin1String("Read Write"))
        return 3;
    return 2;
}

QString IOLink_Variables_Left_Out(int count)
{
    return QStringLiteral("The IO-Link device takes %1 variables; %2 further enabled variables were left out.")
        .arg(Max_IOLink_Par)
        .arg(count);
}

void Compile_IOLink_Slave(const QString& path, uint32_t base)
{
    IOLink_Dev.add_parameters = base + Bank3_Header_Size;
    if (!QFile::exists(path))
        return;
    const TIOLink_Slave_Data file = Read_IOLink_Slave_File(path);
    IOLink_Dev.pd_in_bit_length = 0;
    IOLink_Dev.pd_out_bit_length = 0;

    // The device takes a row only with an Enable attribute that reads "Y".
    auto enabled = [](const auto& row) { return row.Has(iol_Enable) && row.Enable.toUpper() == QLatin1String("Y"); };

    auto sum = [&](const std::vector<TIOLink_Slave_Process_Row>& rows, uint32_t& total) {
        for (const TIOLink_Slave_Process_Row& r : rows)
            if (enabled(r))
                total += uint32_t(enip::Str_To_Int_Def(r.Length, 0));
    };
    sum(file.Process_Data_Input, IOLink_Dev.pd_in_bit_length);
    sum(file.Process_Data_Output, IOLink_Dev.pd_out_bit_length);
    const QString rate = IOLink_Dev.com == 2 ? QStringLiteral("COM2")
                         : IOLink_Dev.com == 3 ? QStringLiteral("COM3")
                                               : QStringLiteral("COM1");
    int micros = 0;
    IOLink_Dev.min_cycle_time = Calc_IOLink_Min_Cycle_Time(rate, int(IOLink_Dev.pd_in_bit_length),
                                                           int(IOLink_Dev.pd_out_bit_length), micros);

    int skipped = 0;
    for (const TIOLink_Slave_Variable& v : file.Variables) {
        if (!enabled(v))
            continue;
        if (IOLink_Dev.parameter.size() >= size_t(Max_IOLink_Par)) {
            ++skipped;
            continue;
        }
        // Missing integers read "", which is no number: 0; a missing Access reads "",
        // which gives the read-only code.
        using enip::Str_To_Int_Def;
        TIO_Link_Slave_Par p;
        p.index = uint16_t(Str_To_Int_Def(v.Index, 0));
        p.access = uint8_t(Get_IOLink_Access_Code(v.Access));
        p.bit_length = uint32_t(Str_To_Int_Def(v.Length, 0));
        p.default_value = uint32_t(Str_To_Int_Def(v.DefaultValue, 0));
        p.position_read = uint16_t(Str_To_Int_Def(v.PositionRead, 0));
        p.bit_address_read = uint8_t(Str_To_Int_Def(v.StartBitRead, 0));
        p.position_write = uint16_t(Str_To_Int_Def(v.PositionWrite, 0));
        p.bit_address_write = uint8_t(Str_To_Int_Def(v.StartBitWrite, 0));
        IOLink_Dev.parameter.push_back(p);
    }
    if (skipped > 0)
        Warnings << IOLink_Variables_Left_Out(skipped);
    IOLink_Dev.n_par = uint32_t(IOLink_Dev.parameter.size());
}

int Make_Bank1(int pos, std::vector<uint8_t>& buffer)
{
    uint32_t sum = 0;
    for (int i = 0; i < Off_Checksum; ++i)
        sum += Bank1_Rec[size_t(i)];
    Put32(&Bank1_Rec[Off_Checksum], sum);
    buffer.resize(size_t(pos));
    buffer.insert(buffer.end(), Bank1_Rec.begin(), Bank1_Rec.end());
    return pos + Bank1_Size;
}

int Make_Bank2(int pos, std::vector<uint8_t>& buffer)
{
    buffer.resize(size_t(pos));
    for (int i = 0; i < Max_EtherNetIP_Conn; ++i) {
        const TEtherNetIP_Master_Conn& c = EtherNetIP_Conn[size_t(i)];
        buffer.insert(buffer.end(), c.IP, c.IP + 4);
        Append16(buffer, c.Start_Input);
        Append16(buffer, c.Num_Input);
        Append16(buffer, c.Offset_Input);
        Append16(buffer, c.Start_Output);
        Append16(buffer, c.Num_Output);
        Append16(buffer, c.Offset_Output);
        Append16(buffer, c.Instance_T_O);
        Append16(buffer, c.Connection_Point_T_O);
        Append16(buffer, c.Instance_O_T);
        Append16(buffer, c.Connection_Point_O_T);
        Append32(buffer, c.Time_Poll);
        Append32(buffer, c.Flags);
        Append32(buffer, c.Key_Add);
        Append32(buffer, c.Data_Segment_Add);
    }
    Append16(buffer, 0);
    for (int i = 0; i < EtherNetIP_Count; ++i) {
        const TEtherNetIP_Master_Conn& c = EtherNetIP_Conn[size_t(i)];
        buffer.insert(buffer.end(), c.Key, c.Key + c.Key_Len);
        buffer.insert(buffer.end(), c.Data_Segment, c.Data_Segment + c.Data_Segment_Len);
    }
    return int(buffer.size());
}

int Make_Bank3(int pos, std::vector<uint8_t>& buffer)
{
    buffer.resize(size_t(pos));
    const TIO_Link_Slave_Dev& d = IOLink_Dev;
    buffer.push_back(d.com);
    buffer.push_back(d.min_cycle_time);
    Append16(buffer, d.spare);
    Append32(buffer, d.n_par);
    Append32(buffer, d.n_events);
    Append32(buffer, d.add_parameters);
    Append32(buffer, d.add_event);
    Append32(buffer, d.pd_in_bit_length);
    Append32(buffer, d.pd_out_bit_length);
    for (const TIO_Link_Slave_Par& p : d.parameter) {
        Append16(buffer, p.index);
        buffer.push_back(p.subindex);
        buffer.push_back(p.access);
        buffer.push_back(p.bit_address_write);
        buffer.push_back(p.bit_address_read);
        Append16(buffer, p.spare);
        Append16(buffer, p.position_read);
        Append16(buffer, p.position_write);
        Append32(buffer, p.bit_length);
        Append32(buffer, p.default_value);
    }
    return int(buffer.size());
}

void Compile_Banks(const TBankSources& sources)
{
    Warnings.clear();
    for (auto& b : Bank_Buffer)
        b.clear();
    Init_Bank1();
    Clear_IOLink_Slave_Data();
    Clear_EtherNetIP_Master_Data();
    Compile_ParGen(sources.ParGen);
    Put32(&Bank1_Rec[Off_Bank2], Bank2_Address);
    Put32(&Bank1_Rec[Off_Bank3], Bank3_Address);
    Compile_EtherNetIP_Master(sources.EtherNetIP_Master_Rules, Bank2_Address);
    Compile_IOLink_Slave(sources.IOLink_Slave, Bank3_Address);
    Make_Bank1(0, Bank_Buffer[0]);
    Make_Bank2(0, Bank_Buffer[1]);
    Make_Bank3(0, Bank_Buffer[2]);
}

bool Write_Bank_Files(const QString& projectDir, QString* error)
{
    // The bin folder comes with the project; a project without it cannot take
    // new banks, and stale ones must not pass for new.
    for (int i = 0; i < 3; ++i) {
        const QString name = PathJoin({projectDir, QStringLiteral("bin"), QStringLiteral("bank%1.bin").arg(i + 1)});
        try {
            const auto& b = Bank_Buffer[i];
            WriteFileAtomic(name, QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())));
        } catch (const Exception&) {
            if (error)
                *error = name;
            return false;
        }
    }
    return true;
}

const std::vector<uint8_t>& Bank_Data(int bank)
{
    return Bank_Buffer[qBound(1, bank, 3) - 1];
}

const TIO_Link_Slave_Dev& IOLink_Slave_Dev()
{
    return IOLink_Dev;
}

const TEtherNetIP_Master_Conn& EtherNetIP_Master_Conn(int index)
{
    return EtherNetIP_Conn[size_t(qBound(0, index, Max_EtherNetIP_Conn - 1))];
}

int EtherNetIP_Master_Count()
{
    return EtherNetIP_Count;
}

const QStringList& Bank_Warnings()
{
    return Warnings;
}
