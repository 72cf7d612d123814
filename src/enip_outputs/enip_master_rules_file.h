#pragma once
// EtherNetIP_Master_Rules.xml: the EtherNet/IP scanner's connection rules.
//
// The scanner rules editor is the only writer; the editor and the bank compiler read it.
// Values stay the cell texts they were typed as, so each reader applies its own
// conversion; a row may carry the target configuration decoded from the adapter's EDS
// file so that its data segment can be edited again without the EDS file.

#include "enip_outputs/target_config.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

inline const QString EtherNetIP_Master_Root_Name = QStringLiteral("EtherNetIP_Master_Access");
inline const QString EtherNetIP_Master_SW_Version_Comment = QStringLiteral("SW_VERSION = 1.001");

inline constexpr int EtherNetIP_Master_Attr_Count = 19;
// The editor's rule rows and configuration slots.
inline constexpr int EtherNetIP_Master_Max_Rows = 10;

// One rule, one field per attribute of a row element; the initial values are the
// defaults a reader uses for an attribute the row does not hold.
struct TEtherNetIP_Master_Row {
    QString Enable = QStringLiteral("N");
    QString IP_Address;
    QString Start_Input;
    QString Num_Input;
    QString Start_Output;
    QString Num_Output;
    QString Time_Poll;
    QString Instance_T_O;
    QString Connection_Point_T_O;
    QString Instance_O_T;
    QString Connection_Point_O_T;
    QString Dim_Header_T_O = QStringLiteral("Default");
    QString Dim_Header_O_T = QStringLiteral("Default");
    QString EnableElectronicKey = QStringLiteral("N");
    QString ElectronicKey;
    QString EnableDataSegment = QStringLiteral("N");
    QString DataSegment;
    QString ResetData = QStringLiteral("N");
    QString Mnemonic;

    // Bit i set: attribute i was in the file (the bank compiler has defaults of its own
    // for a missing attribute).
    uint32_t Present = 0;

    // The configuration stored with the rule (the element "TargetCong").
    std::optional<TTargetConfig> TargetCong;

    // The attributes in the file's order (index 0 to 18, the grid's columns 1 to 19).
    QString& Field(int index);
    const QString& Field(int index) const;
    bool Has(int index) const { return index >= 0 && index < 32 && (Present >> index) & 1u; }

    bool operator==(const TEtherNetIP_Master_Row&) const = default;
};

// Attribute indexes used by code that looks at single attributes.
enum TEtherNetIP_Master_Attr {
    ema_Enable = 0,
    ema_IP_Address = 1,
    ema_Mnemonic = 18,
};

// The 19 attribute names in the order the writer puts them.
const QStringList& EtherNetIP_Master_Attributes();

struct TEtherNetIP_Master_Rules {
    std::vector<TEtherNetIP_Master_Row> Rows;
    // Row elements beyond the maximum the caller asked for; they are not in Rows.
    int Rows_Left_Out = 0;
};

// The electronic key text the EDS import writes: eight items "0x" plus upper-case hex
// digits, separated by a comma and a blank: vendor code, product type and product code
// least significant byte first, the major revision with 0x80 added (the compatibility
// bit; a major revision of 128 or more gives a three-digit item, which the editor's
// check refuses), the minor revision.
QString Electronic_Key_Text(uint16_t VendCode, uint16_t ProdType, uint16_t ProdCode, uint8_t MajRev,
                            uint8_t MinRev);

// Reads the file: one rule per element under the root, in order; a missing attribute
// gives its default. The root is the first top-level node whatever its name (a leading
// comment is that node and holds no rules). MaxRows < 0 reads every row. A missing file
// gives no rows (FileFound tells it apart); a file that cannot be read or parsed raises
// the XML layer's error naming it. Reals of a configuration are read with "." or ","
// as their decimal separator, whichever locale wrote them.
TEtherNetIP_Master_Rules Read_EtherNetIP_Master_Rules(const QString& path, int MaxRows = -1,
                                                      bool* FileFound = nullptr);

// Writes the whole file: the root, the version comment after it, then the rows in
// order up to ten, stopping before the first row whose address is blank; a row's
// configuration follows it as "TargetCong". Reals use the user's decimal separator.
// Raises on failure; the old file stays.
void Write_EtherNetIP_Master_Rules(const QString& path, const std::vector<TEtherNetIP_Master_Row>& Rows);
