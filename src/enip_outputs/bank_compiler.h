#pragma once
// The configuration image of the converter: bin/bank1.bin (general
// parameters), bin/bank2.bin (EtherNet/IP scanner table) and bin/bank3.bin
// (IO-Link device description), compiled from the project's files.
// All multi-byte values are little-endian.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

constexpr uint32_t Bank1_Address = 0x07000;
constexpr uint32_t Bank2_Address = 0x80000;
constexpr uint32_t Bank3_Address = 0x90000;
constexpr int Bank1_Size = 2048;

constexpr int Max_EtherNetIP_Conn = 10;
constexpr int Key_Area_Size = 101;           // encoded electronic key string
constexpr int Data_Segment_Area_Size = 1001; // encoded data-segment string
constexpr int Max_Key_Values = Key_Area_Size - 4;
// The size byte counts 16-bit words, so a data segment holds at most 255 of them.
constexpr int Max_Data_Segment_Values = 510;
static_assert(Max_Data_Segment_Values + 4 <= Data_Segment_Area_Size);
constexpr int Max_IOLink_Par = 512;
constexpr int Bank2_Table_Size = 40 * Max_EtherNetIP_Conn + 2;  // entries + empty string
constexpr int Bank3_Header_Size = 28;
constexpr int Bank3_Par_Size = 20;

struct TEtherNetIP_Master_Conn {
    uint8_t IP[4] = {0, 0, 0, 0};
    uint16_t Start_Input = 0, Num_Input = 0, Offset_Input = 0;
    uint16_t Start_Output = 0, Num_Output = 0, Offset_Output = 0;
    uint16_t Instance_T_O = 0, Connection_Point_T_O = 0;
    uint16_t Instance_O_T = 0, Connection_Point_O_T = 0;
    uint32_t Time_Poll = 0;
    uint32_t Flags = 0;
    uint32_t Key_Add = 0, Data_Segment_Add = 0;
    uint16_t Key_Len = 0, Data_Segment_Len = 0;
    uint8_t Key[Key_Area_Size] = {};
    uint8_t Data_Segment[Data_Segment_Area_Size] = {};
};

struct TIO_Link_Slave_Par {
    uint16_t index = 0;
    uint8_t subindex = 0;
    uint8_t access = 0;
    uint8_t bit_address_write = 0;
    uint8_t bit_address_read = 0;
    uint16_t spare = 0;
    uint16_t position_read = 0;
    uint16_t position_write = 0;
    uint32_t bit_length = 0;
    uint32_t default_value = 0;
};

struct TIO_Link_Slave_Dev {
    uint8_t com = 0;
    uint8_t min_cycle_time = 0;
    uint16_t spare = 0;
    uint32_t n_par = 0;
    uint32_t n_events = 0;
    uint32_t add_parameters = 0;
    std::vector<TIO_Link_Slave_Par> parameter;
    uint32_t add_event = 0;
    uint32_t pd_in_bit_length = 0;
    uint32_t pd_out_bit_length = 0;
};

// The three project files the compiler reads; a missing file keeps defaults.
struct TBankSources {
    QString ParGen;
    QString EtherNetIP_Master_Rules;
    QString IOLink_Slave;
};

// Compilation steps, in the order Compile_Banks runs them.
void Init_Bank1();
void Set_Bank_Version();
void Clear_IOLink_Slave_Data();
void Clear_EtherNetIP_Master_Data();
void Compile_ParGen(const QString& path);
void Compile_EtherNetIP_Master(const QString& path, uint32_t base);
void Compile_IOLink_Slave(const QString& path, uint32_t base);
int Make_Bank1(int pos, std::vector<uint8_t>& buffer);
int Make_Bank2(int pos, std::vector<uint8_t>& buffer);
int Make_Bank3(int pos, std::vector<uint8_t>& buffer);

// Encodes a comma-separated byte list as a CIP path string into dest (at most
// maxValues value bytes); returns its size n + 4. Values beyond maxValues are
// dropped and counted in *dropped.
int Encode_Path_String(const QString& text, uint8_t segment, uint8_t* dest, int maxValues, int* dropped);
// The same into scanner entry index's key or data-segment area.
int Encode_Electronic_Key(const QString& text, int index);
int Encode_Data_Segment(const QString& text, int index);
int Get_IOLink_Access_Code(const QString& text);
// The warning for enabled IO-Link variables beyond the Max_IOLink_Par the device takes.
QString IOLink_Variables_Left_Out(int count);

// Builds the three banks in memory. Throws EXmlError naming the file when
// a project file is not well-formed XML. Capacity limits met on the way are kept in
// Bank_Warnings().
void Compile_Banks(const TBankSources& sources);
// The same for the open project (working state paths).
void Compile_Banks();

// Writes the three banks into <projectDir>/bin; on failure returns false and
// names the file in *error (the files written before stay).
bool Write_Bank_Files(const QString& projectDir, QString* error);

// Main window step 6. Build_Banks reports a malformed project file or any
// capped input in a message and returns false on the former; Save_Banks
// reports a bank file that cannot be written, naming it, and returns false.
bool Build_Banks();
bool Save_Banks();

// Compiled state, for the writers and tests.
const std::vector<uint8_t>& Bank_Data(int bank);  // bank 1, 2 or 3
const TIO_Link_Slave_Dev& IOLink_Slave_Dev();
const TEtherNetIP_Master_Conn& EtherNetIP_Master_Conn(int index);
int EtherNetIP_Master_Count();
const QStringList& Bank_Warnings();
