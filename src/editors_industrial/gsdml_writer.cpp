#include "editors_industrial/gsdml_writer.h"

#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/maker_identity.h"
#include "common/par_gen_file.h"
#include "common/working_state.h"
#include "common/xml_text.h"

#include <initializer_list>
#include <utility>

namespace {

const QString Device_Profile_NS = QStringLiteral("http://www.profibus.com/GSDML/2003/11/DeviceProfile");

using TAttrs = std::initializer_list<std::pair<const char*, QString>>;

// One tag per line, one tab per nesting level.
class TLines {
public:
  QStringList L;
  int Depth = 0;
  void Line(const QString& text) { L.append(QString(Depth, QLatin1Char('\t')) + text); }
  static QString Tag(const char* name, TAttrs attrs)
  {
    QString s = QLatin1Char('<') + QLatin1String(name);
    for (const auto& [k, v] : attrs)
      s += QLatin1Char(' ') + QLatin1String(k) + QStringLiteral("=\"") + v + QLatin1Char('"');
    return s;
  }
  void Open(const char* name, TAttrs attrs = {})
  {
    Line(Tag(name, attrs) + QLatin1Char('>'));
    ++Depth;
  }
  void Close(const char* name)
  {
    --Depth;
    Line(QStringLiteral("</") + QLatin1String(name) + QLatin1Char('>'));
  }
  void Empty(const char* name, TAttrs attrs) { Line(Tag(name, attrs) + QStringLiteral("/>")); }
  void Text(const char* name, const QString& text)
  {
    Line(QLatin1Char('<') + QLatin1String(name) + QLatin1Char('>') + text + QStringLiteral("</") +
         QLatin1String(name) + QLatin1Char('>'));
  }
};

QString S(const char* text)
{
  return QString::fromLatin1(text);
}

// The external texts in the document's order; the last three write Value first.
struct TText {
  const char* Id;
  const char* Value;
};
constexpr TText External_Texts[] = {
    {"IDT_INFO_Device", "Norvel Gateways"},
    {"IDT_NAME_DAP1", "EthercatDevice"},
    {"IDT_INFO_DAP1", "Profinet Ethercat Adapter"},
    {"IDT_SUBSLOT_1", "Subslot 1"},
    {"IDT_SUBSLOT_Interface", "Interface"},
    {"IDT_SUBSLOT_Port1", "Port 1"},
    {"IDT_SUBSLOT_Port2", "Port 2"},
    {"IDT_RECORD_NAME_Head", "Parameters of head module"},
    {"IDT_REF_Power", "Percent power"},
    {"IDT_NAME_VS1", "Submodule V1"},
    {"IDT_INFO_VS1", "Description of submodule V1"},
    {"IDT_NAME_IS", "I"},
    {"IDT_NAME_PS1", "P1"},
    {"IDT_NAME_PS2", "P2"},
    {"IDT_NAME_M1", "Module"},
    {"IDT_INFO_M1", "device Ethercat"},
    {"IDT_NAME_FAP", "FAP for Ethercat"},
    {"IDT_INFO_FAP", "Description of FAP for Ethercat"},
    {"IDT_RECORD_NAME_SlotCluster", "Parameters of the FAP"},
    {"IDT_REF_SlotClusterBegin", "Beginning of slot cluster"},
    {"IDT_NAME_M_PB1", "Ethercat Device "},
    {"IDT_INFO_M_PB1", "Description of Ethercat"},
    {"IDT_NAME_S_PB1", "Module of a Ethercat"},
    {"IDT_INFO_S_PB1", "Description of module of a Ethercat"},
    {"IDT_PB_Input", "Digital input EthercatCLIENT"},
    {"IDT_PB_InputBit0", "Digital input bit Ethercat"},
    {"IDT_NAME_S1", "Submodule 1"},
    {"IDT_INFO_S1", "Description of submodule 1"},
    {"IDT_Input_1", "Input byte"},
    {"IDT_Output_1", "Output word"},
    {"IDT_CATEGORY_DI", "Digital Input"},
    {"IDT_INFO_DI", "Description of digital input"},
    {"IDT_CATEGORY_DO", "Digital output"},
    {"IDT_INFO_DO", "Description of digital output"},
    {"IDT_NAME_M1_IDT_REF_channel", "Canale x"},
    {"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"},
    {"IDT_NAME_M1_Base_Parameters", "Base Parameters"},
    {"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"},
    {"IDT_ASSIGN_do_values_will_hold", "Keep last value"},
    {"IDT_ASSIGN_do_continue_counting", "Continue operation"},
};
constexpr int Value_First_Count = 3;

QString Hex4(unsigned value)
{
  return QStringLiteral("0x") + QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

bool Is_Bad_File_Name_Char(QChar c)
{
  return QStringView(u"\\/:*?\"<>|").contains(c) || c.category() == QChar::Other_Control;
}

}  // namespace

QString GSDML_Fix2(const QDate& date)
{
  return QStringLiteral("-%1%2%3.xml")
      .arg(date.year())
      .arg(date.month(), 2, 10, QLatin1Char('0'))
      .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString Compose_GSDML_File_Name(const QString& userPart, const QString& fix1, const QString& fix2)
{
  QString u;
  for (const QChar c : userPart)
    if (!Is_Bad_File_Name_Char(c))
      u += c;
  if (u.trimmed().isEmpty())
    return fix1 + fix2;
  if (u.startsWith(QLatin1Char('_')))
    return fix1 + u + fix2;
  return fix1 + QLatin1Char('_') + u + fix2;
}

TPROFINET_Params Read_PROFINET_Params(const QString& parGenPath)
{
  TPROFINET_Params p;
  p.NB_IN = StrToIntDef(Read_ParGen_Key(parGenPath, QStringLiteral("PROFINET_NB_IN"), QString()), 1438);
  p.NB_OUT = StrToIntDef(Read_ParGen_Key(parGenPath, QStringLiteral("PROFINET_NB_OUT"), QString()), 1438);
  p.Name_Sta = Read_ParGen_Key(parGenPath, QStringLiteral("PROFINET_NAME_STA"), QString());
  if (p.Name_Sta.trimmed().isEmpty())
    p.Name_Sta = QStringLiteral("SERIAL");
  return p;
}

QStringList GSDML_Lines(const TPROFINET_Params& params)
{
  TLines o;
  const QString station = Xml_Escape(params.Name_Sta);
  o.Line(S("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
  o.Line(S("<!-- A fieldbus integration example. -->"));
  o.Open("ISO15745Profile", {{"xmlns", Device_Profile_NS},
                             {"xmlns:xsi", S("http://www.w3.org/2001/XMLSchema-instance")},
                             {"xsi:schemaLocation", Device_Profile_NS + S(" ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd")}});
  o.Open("ProfileHeader");
  o.Text("ProfileIdentification", S("PROFINET Device Profile"));
  o.Text("ProfileRevision", S("1.00"));
  o.Text("ProfileName", S("Device Profile for PROFINET Devices"));
  o.Text("ProfileSource", S("PROFIBUS Nutzerorganisation e. V. (PNO)"));
  o.Text("ProfileClassID", S("Device"));
  o.Open("ISO15745Reference");
  o.Text("ISO15745Part", S("4"));
  o.Text("ISO15745Edition", S("1"));
  o.Text("ProfileTechnology", S("GSDML"));
  o.Close("ISO15745Reference");
  o.Close("ProfileHeader");

  o.Open("ProfileBody");
  o.Open("DeviceIdentity", {{"VendorID", Hex4(maker::PROFINET_Vendor_ID)}, {"DeviceID", Hex4(maker::PROFINET_Device_ID)}});
  o.Empty("InfoText", {{"TextId", S("IDT_INFO_Device")}});
  o.Empty("VendorName", {{"Value", S(maker::Vendor_Name)}});
  o.Close("DeviceIdentity");
  o.Open("DeviceFunction");
  o.Empty("Family", {{"MainFamily", S("Gateway")}, {"ProductFamily", S("MB3P120")}});
  o.Close("DeviceFunction");

  o.Open("ApplicationProcess");
  o.Open("DeviceAccessPointList");
  o.Open("DeviceAccessPointItem", {{"PNIO_Version", S("V2.3")},
                                   {"RequiredSchemaVersion", S("V2.25")},
                                   {"ID", S("IDD_1")},
                                   {"PhysicalSlots", S("0..4")},
                                   {"ModuleIdentNumber", S("0x00000001")},
                                   {"MinDeviceInterval", S("64")},
                                   {"ImplementationType", station},
                                   {"DNS_CompatibleName", station},
                                   {"FixedInSlots", S("0")},
                                   {"ObjectUUID_LocalIndex", S("1")},
                                   {"MultipleWriteSupported", S("true")},
                                   {"MaxSupportedRecordSize", S("8192")},
                                   {"ParameterizationSpeedupSupported", S("true")},
                                   {"PowerOnToCommReady", S("350")},
                                   {"DeviceAccessSupported", S("true")},
                                   {"SharedDeviceSupported", S("true")},
                                   {"CheckDeviceID_Allowed", S("false")},
                                   {"NameOfStationNotTransferable", S("true")}});
  o.Open("ModuleInfo");
  o.Empty("Name", {{"TextId", S("IDT_NAME_DAP1")}});
  o.Empty("InfoText", {{"TextId", S("IDT_INFO_DAP1")}});
  o.Empty("VendorName", {{"Value", S(maker::Vendor_Name)}});
  o.Empty("OrderNumber", {{"Value", S("MB3P120")}});
  o.Close("ModuleInfo");
  o.Open("SubslotList");
  o.Empty("SubslotItem", {{"SubslotNumber", S("0")}, {"TextId", S("IDT_SUBSLOT_1")}});
  o.Empty("SubslotItem", {{"SubslotNumber", S("32768")}, {"TextId", S("IDT_SUBSLOT_Interface")}});
  o.Empty("SubslotItem", {{"SubslotNumber", S("32769")}, {"TextId", S("IDT_SUBSLOT_Port1")}});
  o.Empty("SubslotItem", {{"SubslotNumber", S("32770")}, {"TextId", S("IDT_SUBSLOT_Port2")}});
  o.Close("SubslotList");
  o.Empty("IOConfigData", {{"MaxInputLength", S("1440")}, {"MaxOutputLength", S("1440")}, {"MaxDataLength", S("2880")}});
  o.Open("UseableModules");
  o.Empty("ModuleItemRef", {{"ModuleItemTarget", S("IDM_1")}, {"FixedInSlots", S("1")}});
  o.Close("UseableModules");
  o.Open("VirtualSubmoduleList");
  o.Open("VirtualSubmoduleItem", {{"ID", S("IDS_V1")}, {"SubmoduleIdentNumber", S("0x00000000")}});
  o.Empty("IOData", {{"IOPS_Length", S("1")}, {"IOCS_Length", S("1")}});
  o.Open("ModuleInfo");
  o.Empty("Name", {{"TextId", S("IDT_NAME_VS1")}});
  o.Empty("InfoText", {{"TextId", S("IDT_INFO_VS1")}});
  o.Close("ModuleInfo");
  o.Close("VirtualSubmoduleItem");
  o.Close("VirtualSubmoduleList");
  o.Open("SystemDefinedSubmoduleList");
  o.Open("InterfaceSubmoduleItem", {{"ID", S("IDS_I")},
                                    {"SubmoduleIdentNumber", S("0x00000001")},
                                    {"SubslotNumber", S("32768")},
                                    {"TextId", S("IDT_NAME_IS")},
                                    {"SupportedRT_Classes", S("RT_CLASS_1")},
                                    {"SupportedProtocols", S("SNMP;LLDP")},
                                    {"SupportedMibs", S("MIB2")}});
  o.Open("ApplicationRelations");
  o.Empty("TimingProperties", {{"SendClock", S("32")}, {"ReductionRatio", S("1 2 4 8 16 32 64 128 256 512")}});
  o.Close("ApplicationRelations");
  o.Close("InterfaceSubmoduleItem");
  for (int port = 1; port <= 2; ++port)
    o.Empty("PortSubmoduleItem", {{"ID", QStringLiteral("IDS_P%1").arg(port)},
                                  {"SubmoduleIdentNumber", S("0x00000002")},
                                  {"SubslotNumber", QString::number(32768 + port)},
                                  {"TextId", QStringLiteral("IDT_NAME_PS%1").arg(port)},
                                  {"MaxPortRxDelay", S("350")},
                                  {"MaxPortTxDelay", S("160")}});
  o.Close("SystemDefinedSubmoduleList");
  o.Line(S("<!-- This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). -->"));
  o.Line(S("<!-- FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/-->"));
  o.Close("DeviceAccessPointItem");
  o.Close("DeviceAccessPointList");

  o.Open("ModuleList");
  o.Line(S("<!-- The \"normal\" module carrying the FAP. -->"));
  o.Open("ModuleItem", {{"ID", S("IDM_1")}, {"ModuleIdentNumber", S("0x00000001")}});
  o.Open("ModuleInfo");
  o.Empty("Name", {{"TextId", S("IDT_NAME_M1")}});
  o.Empty("InfoText", {{"TextId", S("IDT_INFO_M1")}});
  o.Empty("OrderNumber", {{"Value", S("12345-0040-M")}});
  o.Close("ModuleInfo");
  o.Open("VirtualSubmoduleList");
  o.Open("VirtualSubmoduleItem", {{"ID", S("IDM_1")}, {"SubmoduleIdentNumber", S("0x00000001")}});
  o.Open("IOData", {{"IOPS_Length", S("1")}, {"IOCS_Length", S("1")}});
  // The input item carries the output-side size and the output item the input-side one.
  o.Line(S("<Input>") +
         TLines::Tag("DataItem", {{"DataType", S("OctetString")},
                                  {"Length", QString::number(params.NB_OUT)},
                                  {"TextId", S("IDT_Input_1")}}) +
         S("/></Input>"));
  o.Line(S("<Output>") +
         TLines::Tag("DataItem", {{"DataType", S("OctetString")},
                                  {"Length", QString::number(params.NB_IN)},
                                  {"TextId", S("IDT_Output_1")}}) +
         S("/></Output>"));
  o.Close("IOData");
  o.Open("RecordDataList");
  o.Open("ParameterRecordDataItem", {{"Index", S("128")}, {"Length", S("2")}});
  o.Empty("Name", {{"TextId", S("IDT_NAME_M1_IDT_REF_channel")}});
  o.Empty("Const", {{"ByteOffset", S("0")}, {"Data", S("0x00,0x00")}});
  o.Empty("Ref", {{"TextId", S("IDT_REF_reaction_to_cpu_stop")},
                  {"ID", S("IDT_REF_reaction_to_cpu_stop")},
                  {"Visible", S("true")},
                  {"DataType", S("BitArea")},
                  {"ByteOffset", S("0")},
                  {"BitOffset", S("0")},
                  {"BitLength", S("2")},
                  {"DefaultValue", S("2")},
                  {"AllowedValues", S("0..2")},
                  {"ValueItemTarget", S("IDV_reaction_to_cpu_stop")}});
  o.Open("MenuList");
  o.Open("MenuItem", {{"ID", S("IDT_NAME_M1_IDT_REF_channel")}});
  o.Empty("Name", {{"TextId", S("IDT_NAME_M1_IDT_REF_channel")}});
  o.Empty("MenuRef", {{"MenuTarget", S("IDT_NAME_M1_Base_Parameters")}});
  o.Close("MenuItem");
  o.Open("MenuItem", {{"ID", S("IDT_NAME_M1_Base_Parameters")}});
  o.Empty("Name", {{"TextId", S("IDT_NAME_M1_Base_Parameters")}});
  o.Empty("ParameterRef", {{"ParameterTarget", S("IDT_REF_reaction_to_cpu_stop")}});
  o.Close("MenuItem");
  o.Close("MenuList");
  o.Close("ParameterRecordDataItem");
  o.Close("RecordDataList");
  o.Open("ModuleInfo");
  o.Empty("Name", {{"TextId", S("IDT_NAME_M1")}});
  o.Empty("InfoText", {{"TextId", S("IDT_INFO_M1")}});
  o.Close("ModuleInfo");
  o.Close("VirtualSubmoduleItem");
  o.Close("VirtualSubmoduleList");
  o.Close("ModuleItem");
  o.Close("ModuleList");

  o.Open("ValueList");
  o.Open("ValueItem", {{"ID", S("IDV_reaction_to_cpu_stop")}});
  o.Open("Assignments");
  o.Empty("Assign", {{"TextId", S("IDT_ASSIGN_do_set_substitude_values")}, {"Content", S("0")}});
  o.Empty("Assign", {{"TextId", S("IDT_ASSIGN_do_values_will_hold")}, {"Content", S("1")}});
  o.Empty("Assign", {{"TextId", S("IDT_ASSIGN_do_continue_counting")}, {"Content", S("2")}});
  o.Close("Assignments");
  o.Close("ValueItem");
  o.Close("ValueList");

  o.Open("CategoryList");
  o.Open("CategoryItem", {{"ID", S("IDC_DI")}, {"TextId", S("IDT_CATEGORY_DI")}});
  o.Empty("InfoText", {{"TextId", S("IDT_INFO_DI")}});
  o.Close("CategoryItem");
  o.Open("CategoryItem", {{"ID", S("IDC_DO")}, {"TextId", S("IDT_CATEGORY_DO")}});
  o.Empty("InfoText", {{"TextId", S("IDT_INFO_DO")}});
  o.Close("CategoryItem");
  o.Close("CategoryList");

  o.Open("ExternalTextList");
  o.Open("PrimaryLanguage");
  const int count = static_cast<int>(std::size(External_Texts));
  for (int i = 0; i < count; ++i) {
    const TText& t = External_Texts[i];
    if (i < count - Value_First_Count)
      o.Empty("Text", {{"TextId", S(t.Id)}, {"Value", S(t.Value)}});
    else
      o.Empty("Text", {{"Value", S(t.Value)}, {"TextId", S(t.Id)}});
  }
  o.Close("PrimaryLanguage");
  o.Close("ExternalTextList");
  o.Close("ApplicationProcess");
  o.Close("ProfileBody");
  o.Close("ISO15745Profile");
  return o.L;
}

void Write_GSDML_File(const QString& path, const QString& parGenPath)
{
  WriteTextLines(path, GSDML_Lines(Read_PROFINET_Params(parGenPath)), TTextEncoding::UTF8BOM);
}

void Write_GSDML_File(const QString& path)
{
  Write_GSDML_File(path, WS().Name_File_ParGen);
}

void Save_GSDML_File(const QString& name)
{
  // Only the name itself: a path in it must not move the file out of the chosen folder.
  const QString fileName = name.mid(std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
  if (fileName.isEmpty())
    return;
  TSaveDialog dialog;
  dialog.InitialDir = WS().Dir_Project;
  dialog.Filter = QStringLiteral("PROFINET XML (*.xml)|") + fileName;
  dialog.FileName = fileName;
  if (!dialog.Execute())
    return;
  QString folder = ExtractFileDir(dialog.FileName);
  if (folder.isEmpty())
    folder = WS().Dir_Project;
  const QString path = PathJoin(folder, fileName);
  if (FileExists(path) && MessageDlg(Lang_Str(4808), mtConfirmation, mbYesNo) != mrYes)
    return;
  Write_GSDML_File(path);
}
