#pragma once
// IOLink_Slave.xml: the IO-Link slave's variables and its input and output process data.
//
// The IO-Link slave editor is the only writer; the editor, the bank compiler and the
// IODD writer read it. Values stay the texts typed into the grid cells, so each reader
// applies its own conversion and its own rule for a row without Enable (Present tells
// which attributes the file held).

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

inline const QString IOLink_Slave_Root_Name = QStringLiteral("VIZediZadud");
inline const QString IOLink_Slave_SW_Version_Comment = QStringLiteral("SW_VERSION = 1.001");
// The editor's grids hold this many rows per section.
inline constexpr int IOLink_Slave_Max_Rows = 512;

inline constexpr int IOLink_Slave_Variable_Attr_Count = 15;
inline constexpr int IOLink_Slave_Process_Attr_Count = 10;

// One row of the Variables section; the initial values are the editor's defaults for
// an attribute the row does not hold.
struct TIOLink_Slave_Variable {
    QString Enable = QStringLiteral("Y");
    QString Index;
    QString Name;
    QString Access;
    QString Length;
    QString Gradient;
    QString Offset;
    QString UnitCode;
    QString DefaultValue;
    QString PositionRead;
    QString StartBitRead;
    QString PositionWrite;
    QString StartBitWrite;
    QString Description;
    QString Mnemonic;

    uint32_t Present = 0;  // bit i: attribute i was in the file

    // The attributes in the file's order (index 0 to 14, the grid's columns 1 to 15).
    QString& Field(int index);
    const QString& Field(int index) const;
    bool Has(int index) const { return index >= 0 && index < 32 && (Present >> index) & 1u; }

    bool operator==(const TIOLink_Slave_Variable&) const = default;
};

// One row of Process_Data_Input or Process_Data_Output.
struct TIOLink_Slave_Process_Row {
    QString Enable = QStringLiteral("Y");
    QString Name;
    QString Length;
    QString Gradient;
    QString Offset;
    QString UnitCode;
    QString Position;
    QString StartBit;
    QString Description;
    QString Mnemonic;

    uint32_t Present = 0;

    // The attributes in the file's order (index 0 to 9, the grid's columns 1 to 10).
    QString& Field(int index);
    const QString& Field(int index) const;
    bool Has(int index) const { return index >= 0 && index < 32 && (Present >> index) & 1u; }

    bool operator==(const TIOLink_Slave_Process_Row&) const = default;
};

// Attribute indexes shared by both row kinds.
inline constexpr int iol_Enable = 0;

struct TIOLink_Slave_Data {
    std::vector<TIOLink_Slave_Variable> Variables;
    std::vector<TIOLink_Slave_Process_Row> Process_Data_Input;
    std::vector<TIOLink_Slave_Process_Row> Process_Data_Output;
    // Rows beyond the maximum the reader was asked for, per section; not in the lists.
    int Variables_Left_Out = 0;
    int Input_Left_Out = 0;
    int Output_Left_Out = 0;

    bool operator==(const TIOLink_Slave_Data&) const = default;
};

const QStringList& IOLink_Slave_Variable_Attributes();
const QStringList& IOLink_Slave_Process_Attributes();

// Reads the file. The root is the first top-level node whatever its name (a leading
// comment is that node and holds nothing); sections are looked up by name, their
// element children are the rows in order (MaxRows < 0: all of them). A missing file
// gives empty sections (FileFound tells it apart); a file that cannot be read or parsed
// raises the XML layer's error naming it.
TIOLink_Slave_Data Read_IOLink_Slave_File(const QString& path, int MaxRows = -1, bool* FileFound = nullptr);

// Writes the whole file: root, version comment after it, Variables then Process_Data
// with its input and output sections, always all of them. A section's rows end before
// the first row whose key (Index for variables, Length for process data) is blank, and
// after 512 rows. Raises on failure; the old file stays.
void Write_IOLink_Slave_File(const QString& path, const TIOLink_Slave_Data& data);
