#include "editors_industrial/esi_writer.h"

#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/core/xml.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/maker_identity.h"
#include "common/par_gen_file.h"
#include "common/working_state.h"
#include "common/xml_text.h"

namespace {

const QString Group_Name = QStringLiteral("Norvel Slaves");

QString Hex(quint64 value, int digits)
{
  return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString Image()
{
  return QString::fromLatin1(maker::EtherCAT_Image_16x14);
}

// One element per line, two blanks per nesting level.
class TLines {
public:
  QStringList L;
  void Add(int level, const QString& text) { L.append(QString(2 * level, QLatin1Char(' ')) + text); }
  void Open(int level, const QString& tag, const QString& attrs = QString())
  {
    Add(level, QLatin1Char('<') + tag + attrs + QLatin1Char('>'));
  }
  void Close(int level, const QString& tag) { Add(level, QStringLiteral("</") + tag + QLatin1Char('>')); }
  void Text(int level, const QString& tag, const QString& text, const QString& attrs = QString())
  {
    Add(level, QLatin1Char('<') + tag + attrs + QLatin1Char('>') + text + QStringLiteral("</") + tag +
                   QLatin1Char('>'));
  }
};

QString A(const char* name, const QString& value)
{
  return QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value + QLatin1Char('"');
}

void Write_Pdos(TLines& out, const std::vector<TEtherCAT_Rule>& list, const QString& tag, const QString& sm,
                int pdoBase, int entryBase, const QString& prefix)
{
  const int pdoLevel = 4;
  const QString tab(1, QLatin1Char('\t'));
  int k = 0;
  int gap = 8;
  const int n = static_cast<int>(list.size());
  for (int i = 0; i < n; ++i) {
    const TEtherCAT_Rule& r = list[static_cast<size_t>(i)];
    if (i % 16 == 0) {
      out.Open(pdoLevel, tag, A("Mandatory", QStringLiteral("true")) + A("Fixed", QStringLiteral("true")) + A("Sm", sm));
      out.Text(pdoLevel + 1, QStringLiteral("Index"), QStringLiteral("#x") + Hex(static_cast<quint64>(pdoBase + k), 4));
      out.Text(pdoLevel + 1, QStringLiteral("Name"), prefix + Three_Digit_Text(k));
      out.L.append(QString());
      ++k;
    }
    out.Open(pdoLevel + 1, QStringLiteral("Entry"));
    out.Text(pdoLevel + 2, QStringLiteral("Index"), QStringLiteral("#x") + Hex(static_cast<quint64>(entryBase + i), 4));
    out.Text(pdoLevel + 2, QStringLiteral("SubIndex"), QStringLiteral("0"));
    out.Text(pdoLevel + 2, QStringLiteral("BitLen"), QString::number(r.Length));
    out.Text(pdoLevel + 2, QStringLiteral("Name"), Xml_Escape(r.Name));
    out.Text(pdoLevel + 2, QStringLiteral("DataType"), Xml_Escape(r.DataType));
    out.Close(pdoLevel + 1, QStringLiteral("Entry"));
    out.L.append(QString());
    if (r.DataType == QLatin1String("BIT")) {
      --gap;
      if (gap == 0) {
        gap = 8;  // the byte is full
      } else if (i == n - 1 || list[static_cast<size_t>(i + 1)].DataType != QLatin1String("BIT")) {
        // A run of bits that ends inside a byte is completed by a padding entry.
        const QString t5 = tab.repeated(5), t6 = tab.repeated(6);
        out.L.append(t5 + QStringLiteral("<Entry>"));
        out.L.append(t6 + QStringLiteral("<Index>#x0</Index>"));
        out.L.append(t6 + QStringLiteral("<SubIndex>0</SubIndex>"));
        out.L.append(t6 + QStringLiteral("<BitLen>") + QString::number(gap) + QStringLiteral("</BitLen>"));
        out.L.append(t5 + QStringLiteral("</Entry>"));
        out.L.append(QString());
        gap = 8;
      }
    } else {
      gap = 8;
    }
    if (i % 16 == 15)
      out.Close(pdoLevel, tag);
  }
  if (n > 0 && n % 16 != 0)
    out.Close(pdoLevel, tag);
}

TXmlNode Need_Child(const TXmlNode& parent, const QString& name, const QString& path)
{
  const TXmlNode node = parent.ChildByName(name);
  if (!node)
    throw EXmlError(QStringLiteral("\"%1\": element %2 not found").arg(path, name));
  return node;
}

}  // namespace

QString Three_Digit_Text(int N)
{
  if (N <= 9)
    return QStringLiteral("00") + QString::number(N);
  if (N <= 99)
    return QStringLiteral("0") + QString::number(N);
  return QString::number(N);
}

QString Get_ESI_Data_Type(const QString& TypeText, qint64& Length)
{
  const QString t = TypeText.toUpper().trimmed();
  struct TFixed {
    const char* Type;
    const char* DataType;
    int Bits;
  };
  static const TFixed fixed[] = {
      {"BOOL", "BIT", 1},     {"INT8", "SINT", 8},    {"INT16", "INT", 16},   {"INT32", "DINT", 32},
      {"UINT8", "USINT", 8},  {"UINT16", "UINT", 16}, {"UINT32", "UDINT", 32}, {"FLOAT32", "REAL", 32},
  };
  for (const TFixed& f : fixed) {
    if (t == QLatin1String(f.Type)) {
      Length = f.Bits;
      return QString::fromLatin1(f.DataType);
    }
  }
  if (t == QLatin1String("STRING")) {
    const QString dataType = QStringLiteral("STRING(%1)").arg(Length);
    Length = 8 * Length;
    return dataType;
  }
  Length = 1;
  return QStringLiteral("BIT");
}

TESI_Data Load_ESI_Data(const QString& parGenPath, const QString& etherCatPath)
{
  TESI_Data d;
  d.Name = Read_ParGen_Key(parGenPath, QStringLiteral("EtherCAT_Slave_Name"), d.Name);
  d.Revision = static_cast<quint32>(
      StrToIntDef(Read_ParGen_Key(parGenPath, QStringLiteral("EtherCAT_Slave_Revision_Number"), QString()), 0));
  d.Node_Address = static_cast<quint16>(
      StrToIntDef(Read_ParGen_Key(parGenPath, QStringLiteral("EtherCAT_Slave_Node_Address"), QString()), 1) & 0xFFFF);

  if (!FileExists(etherCatPath))
    return d;
  TXmlDocument doc;
  doc.LoadFromFile(etherCatPath);
  const TXmlNode root = doc.Root();
  if (!root)
    throw EXmlError(QStringLiteral("\"%1\" holds no element").arg(etherCatPath));
  const TXmlNode vars = Need_Child(root, QStringLiteral("EtherCAT_Slave_Variables"), etherCatPath);
  const TXmlNode sections[] = {Need_Child(vars, QStringLiteral("EtherCAT_Slave_To_Master"), etherCatPath),
                               Need_Child(vars, QStringLiteral("EtherCAT_Master_To_Slave"), etherCatPath)};
  for (int s = 0; s < 2; ++s) {
    bool inGroup = false;
    int bits = 0;
    for (const TXmlNode& row : sections[s].ChildElements()) {
      if (row.AttributeDef(QStringLiteral("Enable"), QString()) != QLatin1String("Y"))
        continue;
      const qint64 bytes = StrToIntDef(row.AttributeDef(QStringLiteral("Length"), QString()), 0);
      qint64 length = bytes;
      const QString name = row.AttributeDef(QStringLiteral("Name"), QString());
      const QString dataType = Get_ESI_Data_Type(row.AttributeDef(QStringLiteral("Type"), QString()), length);
      (s == 0 ? d.Slave_To_Master : d.Master_To_Slave).push_back({dataType, length, name});
      if (s != 0)
        continue;
      if (dataType != QLatin1String("BIT")) {
        d.Input_Byte_Count += bytes;
        inGroup = false;
      } else if (!inGroup) {
        inGroup = true;
        bits = 1;
        d.Input_Byte_Count += 1;
      } else if (++bits > 8) {
        bits = 1;
        d.Input_Byte_Count += 1;
      }
    }
  }
  return d;
}

QStringList ESI_Lines(const TESI_Data& data)
{
  TLines o;
  const QString name = Xml_Escape(data.Name);
  o.L.append(QStringLiteral("<?xml version=\"1.0\"?>"));
  o.Open(0, QStringLiteral("EtherCATInfo"),
         A("xmlns:xsi", QStringLiteral("http://www.w3.org/2001/XMLSchema-instance")) +
             A("xsi:noNamespaceSchemaLocation", QStringLiteral("EtherCATInfo.xsd")) + A("Version", QStringLiteral("1.6")));
  o.Open(1, QStringLiteral("Vendor"));
  o.Text(2, QStringLiteral("Id"), QStringLiteral("#x") + Hex(maker::EtherCAT_Vendor_Id, 8));
  o.Text(2, QStringLiteral("Name"), QString::fromLatin1(maker::Vendor_Name));
  o.Text(2, QStringLiteral("ImageData16x14"), Image());
  o.Close(1, QStringLiteral("Vendor"));
  o.Open(1, QStringLiteral("Descriptions"));
  o.Open(2, QStringLiteral("Groups"));
  o.Open(3, QStringLiteral("Group"), A("SortOrder", QStringLiteral("0")));
  o.Text(4, QStringLiteral("Type"), Group_Name);
  o.Text(4, QStringLiteral("Name"), Group_Name, A("LcId", QStringLiteral("1031")));
  o.Text(4, QStringLiteral("Name"), Group_Name, A("LcId", QStringLiteral("1033")));
  o.Text(4, QStringLiteral("ImageData16x14"), Image());
  o.Close(3, QStringLiteral("Group"));
  o.Close(2, QStringLiteral("Groups"));
  o.Open(2, QStringLiteral("Devices"));
  o.Open(3, QStringLiteral("Device"), A("Physics", QStringLiteral("YY")));
  o.Text(4, QStringLiteral("Type"), name,
         A("ProductCode", QStringLiteral("#x") + Hex(maker::EtherCAT_Product_Code, 8)) +
             A("RevisionNo", QStringLiteral("#x") + Hex(data.Revision, 2)));
  o.Text(4, QStringLiteral("Name"), name, A("LcId", QStringLiteral("1033")));
  o.Text(4, QStringLiteral("Name"), name, A("LcId", QStringLiteral("1031")));
  o.Open(4, QStringLiteral("Info"));
  o.Open(5, QStringLiteral("StateMachine"));
  o.Open(6, QStringLiteral("Timeout"));
  o.Text(7, QStringLiteral("PreopTimeout"), QStringLiteral("2000"));
  o.Text(7, QStringLiteral("SafeopOpTimeout"), QStringLiteral("9000"));
  o.Text(7, QStringLiteral("BackToInitTimeout"), QStringLiteral("5000"));
  o.Text(7, QStringLiteral("BackToSafeopTimeout"), QStringLiteral("200"));
  o.Close(6, QStringLiteral("Timeout"));
  o.Close(5, QStringLiteral("StateMachine"));
  o.Open(5, QStringLiteral("Mailbox"));
  o.Open(6, QStringLiteral("Timeout"));
  o.Text(7, QStringLiteral("RequestTimeout"), QStringLiteral("100"));
  o.Text(7, QStringLiteral("ResponseTimeout"), QStringLiteral("2000"));
  o.Close(6, QStringLiteral("Timeout"));
  o.Close(5, QStringLiteral("Mailbox"));
  o.Text(5, QStringLiteral("IdentificationReg134"), QStringLiteral("true"));
  o.Close(4, QStringLiteral("Info"));
  o.Text(4, QStringLiteral("GroupType"), Group_Name);
  o.Text(4, QStringLiteral("Fmmu"), QStringLiteral("Outputs"));
  o.Text(4, QStringLiteral("Fmmu"), QStringLiteral("Inputs"));
  const QString mailboxSm = A("MinSize", QStringLiteral("0")) + A("MaxSize", QStringLiteral("0")) +
                            A("DefaultSize", QStringLiteral("0")) + A("StartAddress", QStringLiteral("#x1FFF"));
  o.Text(4, QStringLiteral("Sm"), QStringLiteral("MBoxOut"),
         mailboxSm + A("ControlByte", QStringLiteral("#x26")) + A("Enable", QStringLiteral("0")));
  o.Text(4, QStringLiteral("Sm"), QStringLiteral("MBoxIn"),
         mailboxSm + A("ControlByte", QStringLiteral("#x22")) + A("Enable", QStringLiteral("0")));
  // The outputs follow the inputs' area at 4096, sized three times the input bytes, in
  // steps of four bytes.
  // A negative count (lengths typed below zero) places nothing before the inputs' area.
  const quint64 outputs =
      4096 + 4 * ((3 * static_cast<quint64>(std::max<qint64>(data.Input_Byte_Count, 0)) + 3) / 4);
  o.Text(4, QStringLiteral("Sm"), QStringLiteral("Outputs"),
         A("StartAddress", QStringLiteral("#x") + Hex(outputs, 4)) + A("ControlByte", QStringLiteral("#x64")) +
             A("DefaultSize", QStringLiteral("1")) + A("Enable", QStringLiteral("1")));
  o.Text(4, QStringLiteral("Sm"), QStringLiteral("Inputs"),
         A("StartAddress", QStringLiteral("#x1000")) + A("ControlByte", QStringLiteral("#x20")) +
             A("DefaultSize", QStringLiteral("1")) + A("Enable", QStringLiteral("1")));
  Write_Pdos(o, data.Master_To_Slave, QStringLiteral("RxPdo"), QStringLiteral("2"), 0x1600, 0x7000,
             QStringLiteral("Outputs_"));
  Write_Pdos(o, data.Slave_To_Master, QStringLiteral("TxPdo"), QStringLiteral("3"), 0x1A00, 0x6000,
             QStringLiteral("Inputs_"));
  o.Open(4, QStringLiteral("Mailbox"), A("DataLinkLayer", QStringLiteral("true")));
  o.Add(5, QStringLiteral("<EoE />"));
  o.Add(5, QStringLiteral("<CoE") + A("SdoInfo", QStringLiteral("true")) + A("SegmentedSdo", QStringLiteral("true")) +
               A("CompleteAccess", QStringLiteral("true")) + QStringLiteral(" />"));
  o.Add(5, QStringLiteral("<FoE />"));
  o.Close(4, QStringLiteral("Mailbox"));
  o.Open(4, QStringLiteral("Dc"));
  const QString modes[2][3] = {{QStringLiteral("Synchron"), QStringLiteral("SM-Synchron"), QStringLiteral("#x0")},
                               {QStringLiteral("DC"), QStringLiteral("DC-Synchron"), QStringLiteral("#x300")}};
  for (const auto& m : modes) {
    o.Open(5, QStringLiteral("OpMode"));
    o.Text(6, QStringLiteral("Name"), m[0]);
    o.Text(6, QStringLiteral("Desc"), m[1]);
    o.Text(6, QStringLiteral("AssignActivate"), m[2]);
    o.Text(6, QStringLiteral("CycleTimeSync0"), QStringLiteral("0"), A("Factor", QStringLiteral("1")));
    o.Text(6, QStringLiteral("ShiftTimeSync0"), QStringLiteral("0"));
    o.Text(6, QStringLiteral("CycleTimeSync1"), QStringLiteral("0"), A("Factor", QStringLiteral("1")));
    o.Close(5, QStringLiteral("OpMode"));
  }
  o.Close(4, QStringLiteral("Dc"));
  o.Open(4, QStringLiteral("Eeprom"));
  o.Text(5, QStringLiteral("ByteSize"), QStringLiteral("2048"));
  // The station alias, low byte first.
  const QString alias = Hex(data.Node_Address & 0xFF, 2) + Hex(data.Node_Address >> 8, 2);
  o.Text(5, QStringLiteral("ConfigData"), QStringLiteral("800F00CC8813ff00") + alias + QStringLiteral("00800000"));
  o.Close(4, QStringLiteral("Eeprom"));
  o.Text(4, QStringLiteral("ImageData16x14"), Image());
  o.Close(3, QStringLiteral("Device"));
  o.Close(2, QStringLiteral("Devices"));
  o.Close(1, QStringLiteral("Descriptions"));
  o.Close(0, QStringLiteral("EtherCATInfo"));
  return o.L;
}

void Write_ESI_Xml(const QString& path, const TESI_Data& data)
{
  WriteTextLines(path, ESI_Lines(data), TTextEncoding::UTF8);
}

void Write_ESI_File(const QString& path)
{
  const TWorkingState& ws = WS();
  Write_ESI_Xml(path, Load_ESI_Data(ws.Name_File_ParGen, ws.Name_File_EtherCAT_Slave));
}

void Save_ESI_File()
{
  // One dialog for the run, so it keeps what the user last chose.
  static TSaveDialog* SaveESI = [] {
    auto* d = new TSaveDialog();
    d->Filter = QStringLiteral("EtherCAT ESI File (*.xml)|*.xml");
    d->DefaultExt = QStringLiteral("xml");
    return d;
  }();
  SaveESI->InitialDir = WS().Dir_Project;
  if (!SaveESI->Execute())
    return;
  const QString path = SaveESI->FileName;
  if (FileExists(path) && MessageDlg(Lang_Str(1505), mtConfirmation, mbYesNo) != mrYes)
    return;
  Write_ESI_File(path);
}
