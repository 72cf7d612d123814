#pragma once
// The I/O connections an EtherNet/IP adapter offers in its EDS file ([Connection
// Manager]) and its identity ([Device]), as the EDS connection picker lists them and
// the scanner rules editor copies them into a rule. Only the reduced form of the EDS
// text format described by the decoding below is understood.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// One decoded connection. Instances and connection points keep the low 8 bits.
struct TConnData {
    int32_t ConnIndex = 0;  // 1-based number in the list
    QString ConnName;
    QString HelpStr;
    uint8_t DimHeaderTO = 0;
    uint8_t DimHeaderOT = 4;
    uint8_t NumClass = 4;
    uint8_t InstanceTO = 30;
    uint8_t ConnPointTO = 0;
    uint8_t InstanceOT = 30;
    uint8_t ConnPointOT = 0;
    QString TargetConfSize;
    QString TargetConfFormat;

    bool operator==(const TConnData&) const = default;
};

inline constexpr int EDS_Path_Size = 1001;

class TEDS_Connections {
public:
    QString EDS_FileName;
    std::vector<TConnData> List_Conn;
    std::array<uint8_t, EDS_Path_Size> Path{};
    uint16_t VendCode = 0;
    uint16_t ProdType = 0;
    uint16_t ProdCode = 0;
    uint8_t MajRev = 0;
    uint8_t MinRev = 0;

    // Starts afresh and reads EDS_FileName; a missing file gives no connection. False
    // when the file exists but cannot be read (Error receives the reader's message); the
    // list is then empty.
    bool Read_EDS_File(QString* Error = nullptr);
    // The same for lines already read.
    void Read_EDS_Lines(const QStringList& Lines);

    // Decodes one connection entry and appends it when it is complete; returns "".
    QString DecodeConnStr(const QString& ConnStr);

    // The value of a [Device] line for a key that ends in " =": the character after the
    // key is skipped, the rest up to the first ";" converted; 0 without ";" or number.
    static int GetDeviceValue(const QString& str, const QString& DevObj);
    // Items of an entry: commas and semicolons outside double quotes end an item (empty
    // items count); quotes stay in the items; a non-empty last item is added.
    static QStringList Split_EDS_Entry(const QString& Text);

    // Read the segment starting at index1 of Path and leave index1 on its last byte.
    void Get_Instance(int& index1, uint32_t& app_InstanceOT, uint32_t& app_InstanceTO, bool BoolInsOT,
                      bool BoolInsTO) const;
    void Get_ConnectionPoint(int& index1, uint32_t& ConnPoint) const;

private:
    int FPath_Len = 0;
    uint8_t Path_Byte(int index) const;
    uint32_t Segment_Value(int& index) const;
    // First byte after From of one of the kinds, -1 when none or when it is the last byte.
    int Scan(int From, bool Instances, bool ConnPoints) const;
    bool Decode_Path(TConnData& Conn);
};
