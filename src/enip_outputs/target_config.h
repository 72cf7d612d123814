#pragma once
// The configuration data an EtherNet/IP adapter expects when the scanner opens a
// connection: the members of the configuration assembly named by the connection's EDS
// entry, with their parameter descriptions and current values. Decoded by the EDS
// import, stored with the scanner rules, edited member by member, and turned into the
// rule's data segment text. Objects own their members by value, so a copy is deep.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>
#include <vector>

// One enumerated value of a parameter.
struct TTC_EnumObj {
    int32_t Value = 0;
    QString Description;

    bool operator==(const TTC_EnumObj&) const = default;
};

// One assembly member; a member without parameter is a filler of BitSize bits.
struct TTC_ParamObj {
    QString BitSize;     // as written in the assembly entry
    QString ParamName;   // the member's parameter reference as written; empty for a filler
    bool Empty = false;  // a filler (not stored in the rules file)
    QString Name;
    int32_t DataSizeByte = 0;
    int32_t DataType = 0;  // CIP type code: 202 four-byte real, 203 eight-byte real, else integer
    int64_t Min = 0;
    int64_t Max = 0;
    int64_t Default = 0;
    int64_t Value = 0;
    double MinReal = 0;
    double MaxReal = 0;
    double DefaultReal = 0;
    double ValueReal = 0;
    bool Enum = false;
    std::vector<TTC_EnumObj> ListEnum;
    QStringList EnumString;  // the descriptions, for the editor's drop-down list

    // The description of the first entry whose value equals Value; "" when none does.
    QString GetEnumString() const;
    // The value of the first entry whose description equals Val_Enum exactly, else Default.
    int64_t SetValueFromEnum(const QString& Val_Enum) const;

    bool operator==(const TTC_ParamObj&) const = default;
};

inline constexpr int TC_Real_Single = 202;
inline constexpr int TC_Real_Double = 203;
// Sizes beyond this would make data segment texts of gigabytes.
inline constexpr int TC_Max_Bytes = 65535;

// How a decoding ended. Decoding stops at the first member it cannot read; the
// members decoded so far stay.
struct TTC_Decode_Result {
    enum TKind {
        Ok,
        Unreadable_File,  // Detail: the reader's message
        Short_Entry,      // Detail: the member reference whose entry has too few fields
        Too_Large,        // Detail: the reference (or the configuration size) above 65,535 bytes
    };
    TKind Kind = Ok;
    QString Detail;

    bool Failed() const { return Kind != Ok; }
};

class TTargetConfig {
public:
    QString FileName;    // the EDS file
    QString Size;        // the connection's configuration size in bytes, as in the entry
    QString Format;      // the configuration assembly's key (AssemN)
    QString AO_Name;     // the assembly's name field
    QString AO_SizeBit;  // the assembly's size field
    std::vector<TTC_ParamObj> ListParamObject;

    // Reads FileName and decodes the assembly named by Format. A missing file or a
    // missing assembly gives no members.
    TTC_Decode_Result DecodeTargetConf();

    // The text of the assembly entry named by Format in the lines of an EDS file; ""
    // when there is none.
    QString Find_Assembly_Object(const QStringList& sl) const;
    // The parameter and enumeration entries of Param ("" when not found).
    void find_Param_Enum_Object(const QString& Param, const QStringList& sl, QString& ParamText,
                                QString& EnumText) const;
    // Sets AO_Name and AO_SizeBit and appends the assembly's members, decoded from
    // their parameter entries in sl (found in one walk over [Params], see
    // Find_Param_Enum_Objects).
    TTC_Decode_Result DecodeAssemblyObj(const QString& AssemObj, const QStringList& sl);

    // The data segment text of the current values: "0xHH" items joined by commas,
    // least significant byte first, zero-filled up to Size.
    QString GetConfigStrData() const;

    bool operator==(const TTargetConfig&) const = default;
};

// The parameter and enumeration entries of every parameter of Params in the lines of an
// EDS file, found in one walk over [Params] however many there are: entry i holds what
// find_Param_Enum_Object gives for Params[i].
std::vector<std::pair<QString, QString>> Find_Param_Enum_Objects(const QStringList& Params, const QStringList& sl);
