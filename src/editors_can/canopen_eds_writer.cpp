#include "editors_can/canopen_eds_writer.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/core/xml.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QSet>

#include <algorithm>

const std::array<const char*, EDS_Max_PDO> RPDO_Var_Prefix = {
    "b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",  //
    "aa", "ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "al",  //
    "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};

const std::array<const char*, EDS_Max_PDO> TPDO_Var_Prefix = {
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  //
    "ca", "cb", "cc", "cd", "ce", "cf", "cg", "ch", "ci", "cl",  //
    "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

namespace {

// Bytes a PDO frame can carry.
constexpr int Max_PDO_Bytes = 8;

QString Hex2(qint64 x) { return IntToHex(static_cast<int32_t>(x), 2); }
QString Hex4(qint64 x) { return IntToHex(static_cast<int32_t>(x), 4); }
QString Hex8(qint64 x) { return IntToHex(static_cast<int32_t>(x), 8); }
QString Dec(qint64 x) { return QString::number(x); }

TXmlNode Section(const TXmlDocument& doc, const QString& name, const QString& path)
{
  const TXmlNode section = doc.Root().ChildByName(name);
  if (!section)
    throw EXmlError(QStringLiteral("The file \"%1\" has no section \"%2\"").arg(path, name));
  return section;
}

// The refusal of a row: the editor's text with the row number.
[[noreturn]] void Refuse(int text, int row)
{
  throw EEDS_Refused(Format(Lang_Str(text), {row}));
}

// Refusal texts of the PDO editor's block (receive, transmit) and of the SDO server
// editor's block (read, then write from +4: index, sub-index, size, size of sub-index 0).
constexpr int Refused_Dimension[2] = {2892, 2893};
constexpr int Refused_SDO[2] = {3068, 3072};
enum { Refused_Index, Refused_Sub, Refused_Size, Refused_Sub_Zero };

void Read_PDO_Section(const TXmlDocument& doc, const QString& name, const QString& path, int refusal,
                      std::array<PDO_Map_Type, EDS_Max_PDO>& table, int& count)
{
  const TXmlNode section = Section(doc, name, path);
  count = std::min(section.ChildCount(), EDS_Max_PDO);
  for (int i = 0; i < count; ++i) {
    const TXmlNode row = section.Child(i);
    PDO_Map_Type& pdo = table[static_cast<size_t>(i)];
    pdo.COB_ID = StrToIntDef(row.Attribute(QStringLiteral("COB-ID")), 0);
    pdo.Dimension = StrToIntDef(row.Attribute(QStringLiteral("Dimension")), Max_PDO_Bytes);
    if (pdo.Dimension < 0 || pdo.Dimension > Max_PDO_Bytes)
      Refuse(refusal, i + 1);
  }
}

// A whole number from 0 to maxValue, else the row is refused with the field's text.
int Read_SDO_Number(const TXmlNode& row, const char* attribute, int maxValue, int text, int rowNumber)
{
  const int value = StrToIntDef(row.Attribute(QString::fromLatin1(attribute)), -1);
  if (value < 0 || value > maxValue)
    Refuse(text, rowNumber);
  return value;
}

void Add_SDO_Sub(std::vector<SDO_Index>& indexes, int index, const SDO_Sub_Type& sub)
{
  const int pos = Find_SDO_Index(indexes, index);
  if (pos < 0) {
    indexes.push_back(SDO_Index{static_cast<uint16_t>(index), {sub}});
    return;
  }
  std::vector<SDO_Sub_Type>& subs = indexes[static_cast<size_t>(pos)].Sub_Indexs;
  // A strict reader refuses two sections of one name: an entry met again adds no section,
  // but the object must stay writable when any of its entries is written.
  for (SDO_Sub_Type& known : subs) {
    if (known.Sub == sub.Sub) {
      known.Readonly = known.Readonly && sub.Readonly;
      return;
    }
  }
  subs.push_back(sub);
}

// One row of the SDO lists as the sheet sees it.
struct TSDO_Row {
  int Index = 0;
  SDO_Sub_Type Sub;
};

std::vector<TSDO_Row> Read_SDO_Section(const TXmlDocument& doc, const QString& name, const QString& path, bool readonly)
{
  const TXmlNode section = Section(doc, name, path);
  const int refusal = Refused_SDO[readonly ? 0 : 1];
  std::vector<TSDO_Row> rows;
  for (int i = 0; i < section.ChildCount(); ++i) {
    const TXmlNode row = section.Child(i);
    TSDO_Row& r = rows.emplace_back();
    r.Index = Read_SDO_Number(row, "Index", 0xFFFF, refusal + Refused_Index, i + 1);
    r.Sub.Sub = static_cast<uint8_t>(Read_SDO_Number(row, "SubIndex", 0xFF, refusal + Refused_Sub, i + 1));
    int size = 0;
    if (!TryStrToInt(row.Attribute(QStringLiteral("NByte")), size))
      Refuse(refusal + Refused_Size, i + 1);
    r.Sub.Quantity = size;
    r.Sub.Readonly = readonly;
  }
  return rows;
}

// Sub-index 0 of an index with other sub-indexes must be one byte, the sheet's UNSIGNED8.
// The row looked at is the first one of the entry, whose size the sheet keeps.
void Refuse_Wide_Sub_Zero(const std::vector<TSDO_Row>& read, const std::vector<TSDO_Row>& write,
                          const std::vector<SDO_Index>& indexes)
{
  QSet<int> seen;
  for (int list = 0; list < 2; ++list) {
    const std::vector<TSDO_Row>& rows = list == 0 ? read : write;
    for (size_t i = 0; i < rows.size(); ++i) {
      const TSDO_Row& r = rows[i];
      if (r.Sub.Sub != 0 || seen.contains(r.Index))
        continue;
      seen.insert(r.Index);
      const SDO_Index& index = indexes[static_cast<size_t>(Find_SDO_Index(indexes, r.Index))];
      const bool record = std::any_of(index.Sub_Indexs.begin(), index.Sub_Indexs.end(),
                                      [](const SDO_Sub_Type& s) { return s.Sub != 0; });
      if (record && r.Sub.Quantity != 1)
        Refuse(Refused_SDO[list] + Refused_Sub_Zero, int(i) + 1);
    }
  }
}

// The sheet's sections, in the shapes every object of the sheet takes.
class TSheet {
public:
  QStringList Lines;

  void Add(const QString& line) { Lines.append(line); }
  void Blank() { Lines.append(QString()); }

  void Header(const QString& section, qint64 subNumber, const QString& name, const QString& objectType)
  {
    Add(QStringLiteral("[") + section + QStringLiteral("]"));
    Add(QStringLiteral("SubNumber=") + Dec(subNumber));
    Add(QStringLiteral("ParameterName=") + name);
    Add(QStringLiteral("ObjectType=") + objectType);
    Blank();
  }

  // A variable; an empty defaultValue writes no DefaultValue line.
  void Var(const QString& section, const QString& name, const QString& dataType, const QString& access,
           const QString& defaultValue, int pdoMapping, bool blankAfter = true)
  {
    Add(QStringLiteral("[") + section + QStringLiteral("]"));
    Add(QStringLiteral("ParameterName=") + name);
    Add(QStringLiteral("ObjectType=0x07"));
    Add(QStringLiteral("DataType=") + dataType);
    Add(QStringLiteral("AccessType=") + access);
    if (!defaultValue.isEmpty())
      Add(QStringLiteral("DefaultValue=") + defaultValue);
    Add(QStringLiteral("PDOMapping=") + Dec(pdoMapping));
    if (blankAfter)
      Blank();
  }
};

QString Sub_Name(qint64 object, qint64 sub) { return Hex4(object) + QStringLiteral("sub") + IntToHex(static_cast<int32_t>(sub), 1); }

void Add_Fixed_Objects(TSheet& s)
{
  const QString U8 = QStringLiteral("0x0005"), U16 = QStringLiteral("0x0006"), U32 = QStringLiteral("0x0007"),
                VS = QStringLiteral("0x0009");
  const QString ro = QStringLiteral("ro"), rw = QStringLiteral("rw"), cst = QStringLiteral("const");
  s.Var(QStringLiteral("1000"), QStringLiteral("Device Type"), U32, cst, QStringLiteral("0x000101A4"), 0);
  s.Var(QStringLiteral("1001"), QStringLiteral("Error Register"), U8, ro, QStringLiteral("0x00"), 0);
  s.Var(QStringLiteral("1005"), QStringLiteral("COB-ID SYNC"), U32, rw, QStringLiteral("0x80000080"), 0);
  s.Var(QStringLiteral("1006"), QStringLiteral("Communication Cycle Period"), U32, rw, QStringLiteral("0x00000000"), 0);
  s.Var(QStringLiteral("1008"), QStringLiteral("Manufacturer Device Name"), VS, cst, QStringLiteral("s1"), 0);
  s.Var(QStringLiteral("1014"), QStringLiteral("COB-ID EMCY"), U32, ro, QStringLiteral("$NODEID+0x80"), 0);
  s.Header(QStringLiteral("1016"), 3, QStringLiteral("Heartbeat Consumer Entries"), QStringLiteral("0x08"));
  s.Var(QStringLiteral("1016sub0"), QStringLiteral("Number of Entries"), U8, ro, QStringLiteral("0x02"), 0);
  s.Var(QStringLiteral("1016sub1"), QStringLiteral("Consumer Heartbeat Time 1"), U32, rw, QStringLiteral("0x00000000"), 0);
  s.Var(QStringLiteral("1016sub2"), QStringLiteral("Consumer Heartbeat Time 2"), U32, rw, QStringLiteral("0x00000000"), 0);
  s.Var(QStringLiteral("1017"), QStringLiteral("Producer Heartbeat Time"), U16, rw, QStringLiteral("0x000003E8"), 0);
  s.Header(QStringLiteral("1018"), 5, QStringLiteral("Identity Object"), QStringLiteral("0x09"));
  s.Var(QStringLiteral("1018sub0"), QStringLiteral("number of entries"), U8, ro, QStringLiteral("0x4"), 0);
  s.Var(QStringLiteral("1018sub1"), QStringLiteral("Vendor Id"), U32, ro, QString(), 0);
  s.Var(QStringLiteral("1018sub2"), QStringLiteral("Product Code"), U32, ro, QString(), 0);
  s.Var(QStringLiteral("1018sub3"), QStringLiteral("Revision number"), U32, ro, QString(), 0);
  s.Var(QStringLiteral("1018sub4"), QStringLiteral("Serial number"), U32, ro, QString(), 0);
  s.Header(QStringLiteral("1029"), 2, QStringLiteral("Error Behaviour"), QStringLiteral("0x08"));
  s.Var(QStringLiteral("1029sub0"), QStringLiteral("Number of Entries"), U8, ro, QStringLiteral("1"), 0);
  s.Var(QStringLiteral("1029sub1"), QStringLiteral("Communication Error"), U8, rw, QStringLiteral("0x0"), 0);
  s.Header(QStringLiteral("1280"), 4, QStringLiteral("Client SDO Parameter 1"), QStringLiteral("0x09"));
  s.Var(QStringLiteral("1280sub0"), QStringLiteral("Number of Entries"), U8, ro, QStringLiteral("0x03"), 0);
  s.Var(QStringLiteral("1280sub1"), QStringLiteral("COB-ID Client -> Server"), U32, rw, QString(), 0);
  s.Var(QStringLiteral("1280sub2"), QStringLiteral("COB-ID Server -> Client"), U32, rw, QString(), 0);
  s.Var(QStringLiteral("1280sub3"), QStringLiteral("Node ID of the SDO Server"), U8, rw, QString(), 0, false);
}

void Add_PDO_Communication(TSheet& s, int object, const QString& name, int32_t cob)
{
  s.Header(Hex4(object), 4, name, QStringLiteral("0x09"));
  s.Var(Sub_Name(object, 0), QStringLiteral("Number of Entries"), QStringLiteral("0x0005"), QStringLiteral("ro"),
        QStringLiteral("0x03"), 0);
  s.Var(Sub_Name(object, 1), QStringLiteral("COB-ID"), QStringLiteral("0x0007"), QStringLiteral("rw"),
        QStringLiteral("0x") + Hex8(cob), 0);
  s.Var(Sub_Name(object, 2), QStringLiteral("Transmission Type"), QStringLiteral("0x0005"), QStringLiteral("rw"),
        QStringLiteral("0xFE"), 0);
  s.Var(Sub_Name(object, 3), QStringLiteral("Inhibit Time"), QStringLiteral("0x0006"), QStringLiteral("rw"),
        QStringLiteral("0x0"), 0);
}

void Add_PDO_Mapping(TSheet& s, int object, const QString& name, int dim, int array)
{
  s.Header(Hex4(object), dim + 1, name, QStringLiteral("0x09"));
  s.Var(Sub_Name(object, 0), QStringLiteral("Number of Entries"), QStringLiteral("0x0005"), QStringLiteral("ro"),
        QStringLiteral("0x") + Hex2(dim), 0);
  for (int j = 1; j <= dim; ++j)
    s.Var(Sub_Name(object, j), QStringLiteral("Mapping Entry ") + Dec(j), QStringLiteral("0x0007"),
          QStringLiteral("ro"), QStringLiteral("0x") + Hex4(array) + Hex2(j) + QStringLiteral("08"), 0);
}

void Add_PDO_Array(TSheet& s, int object, const QString& name, int dim, const QString& sub0Access,
                   const char* prefix, const QString& byteAccess)
{
  s.Header(Hex4(object), dim + 1, name, QStringLiteral("0x08"));
  s.Var(Sub_Name(object, 0), QStringLiteral("Number of Entries"), QStringLiteral("0x0005"), sub0Access,
        QStringLiteral("0x") + Hex2(dim), 0);
  for (int j = 1; j <= dim; ++j)
    s.Var(Sub_Name(object, j), QString::fromLatin1(prefix) + Dec(j), QStringLiteral("0x0005"), byteAccess,
          QStringLiteral("0x00"), 1);
}

void Add_SDO_Objects(TSheet& s, const std::vector<SDO_Index>& indexes)
{
  for (const SDO_Index& idx : indexes) {
    const std::vector<SDO_Sub_Type>& subs = idx.Sub_Indexs;
    uint8_t lowest = 0xFF, highest = 0;
    for (const SDO_Sub_Type& sub : subs) {
      lowest = std::min(lowest, sub.Sub);
      highest = std::max(highest, sub.Sub);
    }
    const qint64 count = static_cast<qint64>(subs.size());
    s.Add(QStringLiteral("[") + Hex4(idx.Index) + QStringLiteral("]"));
    s.Add(QStringLiteral("SubNumber=") + Dec(lowest == 0 ? count : count + 1));
    s.Add(QStringLiteral("ParameterName=App Vars"));
    s.Add(QStringLiteral("ObjectType=0x9"));
    s.Blank();
    if (lowest != 0) {
      s.Add(QStringLiteral("[") + Sub_Name(idx.Index, 0) + QStringLiteral("]"));
      s.Add(QStringLiteral("ParameterName=Largest Sub-Index supported"));
      s.Add(QStringLiteral("ObjectType=0x7"));
      s.Add(QStringLiteral("DataType=0x0005"));
      s.Add(QStringLiteral("AccessType=ro"));
      s.Add(QStringLiteral("DefaultValue=0x") + Hex2(highest));
      s.Add(QStringLiteral("PDOMapping=0"));
      s.Blank();
    }
    for (const SDO_Sub_Type& sub : subs) {
      s.Add(QStringLiteral("[") + Sub_Name(idx.Index, sub.Sub) + QStringLiteral("]"));
      s.Add(QStringLiteral("ParameterName=Application Variable"));
      s.Add(QStringLiteral("ObjectType=0x7"));
      // Limits and default by size: 1 and 2 bytes, anything else 4.
      static const char* const Limits[3][4] = {
          {"0x0005", "0x00", "0xFF", "0x00"},
          {"0x0006", "0x0000", "0xFFFF", "0x0000"},
          {"0x0007", "0x00000000", "0xFFFFFFFF", "0x00000000"},
      };
      const char* const* l = Limits[sub.Quantity == 1 ? 0 : sub.Quantity == 2 ? 1 : 2];
      s.Add(QStringLiteral("DataType=") + QString::fromLatin1(l[0]));
      s.Add(QStringLiteral("LowLimit=") + QString::fromLatin1(l[1]));
      s.Add(QStringLiteral("HighLimit=") + QString::fromLatin1(l[2]));
      s.Add(QStringLiteral("DefaultValue=") + QString::fromLatin1(l[3]));
      s.Add(sub.Readonly ? QStringLiteral("AccessType=ro") : QStringLiteral("AccessType=rw"));
      s.Add(QStringLiteral("PDOMapping=0"));
      s.Blank();
    }
  }
}

QString Two_Digits(int x) { return QStringLiteral("%1").arg(x, 2, 10, QLatin1Char('0')); }

}  // namespace

void Read_PDO_CANopen(const QString& path, TEDS_Data& data)
{
  data.Num_RX_PDO = 0;
  data.Num_TX_PDO = 0;
  if (!FileExists(path))
    return;
  TXmlDocument doc;
  doc.LoadFromFile(path);
  Read_PDO_Section(doc, QStringLiteral("Receive_PDO"), path, Refused_Dimension[0], data.RX_PDO, data.Num_RX_PDO);
  Read_PDO_Section(doc, QStringLiteral("Transmit_PDO"), path, Refused_Dimension[1], data.TX_PDO, data.Num_TX_PDO);
}

void Read_SDO_Server_CANopen(const QString& path, TEDS_Data& data)
{
  if (!FileExists(path))
    return;
  TXmlDocument doc;
  doc.LoadFromFile(path);
  const std::vector<TSDO_Row> read = Read_SDO_Section(doc, QStringLiteral("SDO_Read"), path, true);
  const std::vector<TSDO_Row> write = Read_SDO_Section(doc, QStringLiteral("SDO_Write"), path, false);
  for (const auto* rows : {&read, &write})
    for (const TSDO_Row& r : *rows)
      Add_SDO_Sub(data.SDO_Indexes, r.Index, r.Sub);
  Refuse_Wide_Sub_Zero(read, write, data.SDO_Indexes);
}

int Find_SDO_Index(const std::vector<SDO_Index>& indexes, int Index)
{
  for (size_t i = 0; i < indexes.size(); ++i)
    if (indexes[i].Index == Index)
      return static_cast<int>(i);
  return -1;
}

void Sort_SDO_Sub_Indexs(std::vector<SDO_Index>& indexes)
{
  for (SDO_Index& idx : indexes)
    std::stable_sort(idx.Sub_Indexs.begin(), idx.Sub_Indexs.end(),
                     [](const SDO_Sub_Type& a, const SDO_Sub_Type& b) { return a.Sub < b.Sub; });
}

QString EDS_Date_Text(TDateTime when)
{
  int year = 0, month = 0, day = 0;
  DecodeDate(when, year, month, day);
  return Two_Digits(month) + QLatin1Char('-') + Two_Digits(day) + QLatin1Char('-') + Dec(year);
}

QString EDS_Time_Text(TDateTime when)
{
  int hour = 0, minute = 0, second = 0, msec = 0;
  DecodeTime(when, hour, minute, second, msec);
  // Standard 12-hour time: midnight is 12 AM, noon 12 PM.
  const bool pm = hour >= 12;
  int shown = hour % 12;
  if (shown == 0)
    shown = 12;
  return Two_Digits(shown) + QLatin1Char(':') + Two_Digits(minute) + (pm ? QStringLiteral("PM") : QStringLiteral("AM"));
}

QStringList Build_EDS_Lines(const TEDS_Data& data, TDateTime when)
{
  const QString date = EDS_Date_Text(when);
  const QString time = EDS_Time_Text(when);
  const int numRx = std::clamp(data.Num_RX_PDO, 0, EDS_Max_PDO);
  const int numTx = std::clamp(data.Num_TX_PDO, 0, EDS_Max_PDO);
  TSheet s;

  s.Add(QStringLiteral("[FileInfo]"));
  s.Add(QStringLiteral("FileName=") + EDS_File_Name);
  s.Add(QStringLiteral("FileVersion=1"));
  s.Add(QStringLiteral("FileRevision=0"));
  s.Add(QStringLiteral("EDSVersion=4.0"));
  s.Add(QStringLiteral("Description=") + EDS_Description);
  s.Add(QStringLiteral("CreationTime=") + time);
  s.Add(QStringLiteral("CreationDate=") + date);
  s.Add(QStringLiteral("CreatedBy=Norvel"));
  s.Add(QStringLiteral("ModificationTime=") + time);
  s.Add(QStringLiteral("ModificationDate=") + date);
  s.Add(QStringLiteral("ModifiedBy=Norvel"));
  s.Blank();

  s.Add(QStringLiteral("[DeviceInfo]"));
  s.Add(QStringLiteral("VendorName=Norvel"));
  s.Add(QStringLiteral("VendorNumber=0x00"));
  s.Add(QStringLiteral("ProductName=") + EDS_Description);
  s.Add(QStringLiteral("ProductNumber=") + EDS_Product_Number);
  s.Add(QStringLiteral("RevisionNumber=0x0"));
  s.Add(QStringLiteral("OrderCode=") + EDS_Order_Code);
  for (const char* rate : {"10=1", "20=1", "50=1", "125=1", "250=1", "500=1", "800=0", "1000=1"})
    s.Add(QStringLiteral("BaudRate_") + QString::fromLatin1(rate));
  s.Add(QStringLiteral("DynamicChannelsSupported=0"));
  s.Add(QStringLiteral("GroupMessaging=0"));
  s.Add(QStringLiteral("LSS_Supported=0"));
  s.Add(QStringLiteral("Granularity=0"));
  s.Add(QStringLiteral("SimpleBootUpSlave=1"));
  s.Add(QStringLiteral("SimpleBootUpMaster=0"));
  s.Add(QStringLiteral("NrOfRXPDO=") + Dec(numRx));
  s.Add(QStringLiteral("NrOfTXPDO=") + Dec(numTx));
  s.Blank();

  s.Add(QStringLiteral("[Comments]"));
  s.Add(QStringLiteral("Lines=0"));
  s.Blank();

  s.Add(QStringLiteral("[DummyUsage]"));
  for (int i = 1; i <= 7; ++i)
    s.Add(QStringLiteral("Dummy000") + Dec(i) + QStringLiteral("=0"));
  s.Blank();

  s.Add(QStringLiteral("[MandatoryObjects]"));
  s.Add(QStringLiteral("SupportedObjects=3"));
  s.Add(QStringLiteral("1=0x1000"));
  s.Add(QStringLiteral("2=0x1001"));
  s.Add(QStringLiteral("3=0x1018"));
  s.Blank();

  s.Add(QStringLiteral("[OptionalObjects]"));
  s.Add(QStringLiteral("SupportedObjects=") + Dec(3 * numRx + 3 * numTx + 8));
  const char* fixedOptional[] = {"0x1005", "0x1006", "0x1008", "0x1014", "0x1016", "0x1017", "0x1029", "0x1280"};
  int entry = 0;
  for (const char* object : fixedOptional)
    s.Add(Dec(++entry) + QLatin1Char('=') + QString::fromLatin1(object));
  const auto listObjects = [&](int base, int count) {
    for (int n = 0; n < count; ++n)
      s.Add(Dec(++entry) + QStringLiteral("=0x") + Hex4(base + n));
  };
  listObjects(0x1400, numRx);
  listObjects(0x1600, numRx);
  listObjects(0x1800, numTx);
  listObjects(0x1A00, numTx);
  listObjects(0x7000, numRx);
  listObjects(0x7050, numTx);
  s.Blank();

  s.Add(QStringLiteral("[ManufacturerObjects]"));
  s.Add(QStringLiteral("SupportedObjects=") + Dec(static_cast<qint64>(data.SDO_Indexes.size())));
  for (size_t i = 0; i < data.SDO_Indexes.size(); ++i)
    s.Add(Dec(static_cast<qint64>(i + 1)) + QStringLiteral("=0x") + Hex4(data.SDO_Indexes[i].Index));
  s.Blank();

  Add_Fixed_Objects(s);

  const auto rx = [&](int n) { return data.RX_PDO[static_cast<size_t>(n)]; };
  const auto tx = [&](int n) { return data.TX_PDO[static_cast<size_t>(n)]; };
  // A dimension outside 0..8 never reaches here from the reader; no entries below 1.
  const auto dimOf = [](const PDO_Map_Type& p) { return std::clamp(p.Dimension, 0, Max_PDO_Bytes); };
  for (int n = 0; n < numRx; ++n)
    Add_PDO_Communication(s, 0x1400 + n, QStringLiteral("Receive PDO Communication Parameter ") + Dec(n + 1),
                          rx(n).COB_ID);
  for (int n = 0; n < numRx; ++n)
    Add_PDO_Mapping(s, 0x1600 + n, QStringLiteral("Receive PDO Mapping Parameter"), dimOf(rx(n)), 0x7000 + n);
  for (int n = 0; n < numTx; ++n)
    Add_PDO_Communication(s, 0x1800 + n, QStringLiteral("Transmit PDO Communication Parameter ") + Dec(n + 1),
                          tx(n).COB_ID);
  for (int n = 0; n < numTx; ++n)
    Add_PDO_Mapping(s, 0x1A00 + n, QStringLiteral("Transmit PDO Mapping Parameter ") + Dec(n + 1), dimOf(tx(n)),
                    0x7050 + n);
  for (int n = 0; n < numRx; ++n)
    Add_PDO_Array(s, 0x7000 + n, QStringLiteral("RPDO") + Dec(n + 1), dimOf(rx(n)), QStringLiteral("ro"),
                  RPDO_Var_Prefix[static_cast<size_t>(n)], QStringLiteral("rww"));
  for (int n = 0; n < numTx; ++n)
    Add_PDO_Array(s, 0x7050 + n, QStringLiteral("TPDO") + Dec(n + 1), dimOf(tx(n)), QStringLiteral("rw"),
                  TPDO_Var_Prefix[static_cast<size_t>(n)], QStringLiteral("rwr"));

  Add_SDO_Objects(s, data.SDO_Indexes);
  s.Blank();
  return s.Lines;
}

void Write_EDS_File(const QString& path, const QString& pdoFile, const QString& sdoFile)
{
  TEDS_Data data;
  Read_PDO_CANopen(pdoFile, data);
  Read_SDO_Server_CANopen(sdoFile, data);
  Sort_SDO_Sub_Indexs(data.SDO_Indexes);
  WriteTextLines(path, Build_EDS_Lines(data, Now()), TTextEncoding::Ansi);
}

void Write_EDS_File(const QString& path)
{
  const TWorkingState& ws = WS();
  Write_EDS_File(path, ws.Name_File_PDO_CANopen, ws.Name_File_SDO_Server_CANopen);
}
