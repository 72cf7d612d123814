// The SNMP manager rule editor.

#include "editors_it/snmp_manager_window.h"

#include "grid/column_grid.h"
#include "platform/ui/dialogs.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/working_state.h"

TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;

namespace {

constexpr TColor Color_Enable = 0xB0D8FF;
constexpr TColor Color_Agent = 0xFEFAE0;
constexpr TColor Color_Request = 0xA8FFFF;
constexpr TColor Color_Trigger = 0xA8FFA8;
constexpr TColor Color_Data = 0xF4D6FC;
constexpr TColor Color_Cancel = 0xFFD5D5;
constexpr TColor Color_V3 = 0xFFDE91;

enum Col : int {
  Enable = 1, IP = 2, Version = 3, Community = 4, OID = 5, On_Timer = 10, Time = 11, Position = 12,
  Num_Bytes = 13, Conversion = 14, User = 16, Auth_Pass = 17, Priv_Pass = 18, Security = 19, Auth_Mode = 20,
  Priv_Mode = 21,
};

constexpr int Position_Items = 1440;

QStringList List(std::initializer_list<const char*> Items)
{
  QStringList out;
  for (const char* s : Items)
    out << QString::fromLatin1(s);
  return out;
}

bool Enabled(TKvStringGrid* G, int Row)
{
  return G->Cells(Enable, Row).trimmed() == QLatin1String("Y");
}

// The characters one enabled rule takes: its OID, and the community name (versions 1
// and 2) or the user and the passwords its security level uses (version 3).
qint64 Row_Chars(TKvStringGrid* G, int Row)
{
  auto counted = [G, Row](int col) -> qint64 {
    const QString s = G->Cells(col, Row);
    return s.isEmpty() ? 0 : s.size() + 1;
  };
  qint64 n = G->Cells(OID, Row).size() + 1;
  if (Rule_Int(G->Cells(Version, Row)) != 3)
    return n + counted(Community);
  n += counted(User);
  const int level = Get_SNMPv3_Sec_Level(G->Cells(Security, Row));
  if (level > 0 && (level & 1))
    n += counted(Auth_Pass);
  if (level > 0 && (level & 2))
    n += counted(Priv_Pass);
  return n;
}

TRuleFailure Check_Row(TKvStringGrid* G, int Row)
{
  uint8_t b1, b2, b3, b4;
  if (Get_IP_Bytes(G->Cells(IP, Row), b1, b2, b3, b4))
    return {5138, {}};
  // An empty OID is taken as one that starts with a point.
  static const int OID_Texts[7] = {-1, 5139, 5140, 5141, 5142, 5143, 5144};
  const int oid = Check_OID(G->Cells(OID, Row));
  if (oid >= 1 && oid <= 6)
    return {OID_Texts[oid], {}};
  if (G->Cells(On_Timer, Row).trimmed() == QLatin1String("Y")) {
    const int t = Rule_Int(G->Cells(Time, Row));
    if (t < 1 || t > 100000000)
      return {5145, {}};
  }
  const int bytes = Rule_Int(G->Cells(Num_Bytes, Row));
  if (bytes < 0 || bytes > 1024)
    return {5146, {}};
  if (G->Cells(Conversion, Row).trimmed().isEmpty())
    return {5156, {}};
  if (Rule_Int(G->Cells(Version, Row)) == 3) {
    const int level = Get_SNMPv3_Sec_Level(G->Cells(Security, Row));
    if (level == -1)
      return {5183, {}};
    if ((level & 1) && G->Cells(Auth_Mode, Row).trimmed().isEmpty())
      return {5184, {}};
    if ((level & 2) && G->Cells(Priv_Mode, Row).trimmed().isEmpty())
      return {5185, {}};
  }
  return {};
}

TRuleFile Make_File(TFSNMPManagerAccess* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("SNMP_Agent_Access");
  f.Version = QStringLiteral("1.000");
  TRuleGrid g;
  g.Rows = 512;
  g.Key_Col = IP;
  g.Enable_Col = Enable;
  g.Error_Prefix = 5137;
  auto text = [](int header, const char* attr, int width, TColor color, TEditorType kind = edNormal,
                 QStringList items = {}) {
    return Rule_Defaulted(Rule_Column(header, attr, width, color, kind, std::move(items)), "");
  };
  g.Columns = {
      Rule_Row_Number(5108),
      Rule_Defaulted(Rule_Column(5109, "Enable", 50, Color_Enable, edDataCheckBox), "Y"),
      text(5110, "IP_Address", 90, Color_Agent),
      text(5111, "Version", 60, Color_Agent, edComboList, List({"1", "2", "3"})),
      text(5112, "Community_String", 106, Color_Agent, edComboEdit, List({"public", "private"})),
      text(5113, "OID", 100, Color_Agent),
      text(5114, "Type", 65, Color_Request, edComboList, List({"String", "Int"})),
      text(5115, "Mode", 65, Color_Request, edComboList, List({"Get", "Set", "Trap"})),
      Rule_Defaulted(Rule_Column(5116, "On_Change", 75, Color_Trigger, edDataCheckBox), "N"),
      Rule_Defaulted(Rule_Column(5117, "On_Command", 50, Color_Trigger, edDataCheckBox), "N"),
      Rule_Defaulted(Rule_Column(5118, "On_Timer", 65, Color_Trigger, edDataCheckBox), "N"),
      text(5119, "Time", 65, Color_Trigger),
      text(5120, "Position", 75, Color_Data, edComboList),
      text(5121, "Number_Bytes", 75, Color_Data),
      Rule_Defaulted(Rule_Column(5154, "ConvertFrom", 95, Color_Enable, edComboList,
                                 List({"None", "Float", "Float * 10", "Float * 100"})),
                     "None"),
      Rule_Defaulted(Rule_Column(5160, "Cancel", 50, Color_Cancel, edDataCheckBox), "N"),
      text(5162, "User", 70, Color_V3),
      text(5163, "Auth_Pass", 70, Color_V3),
      text(5164, "Priv_Pass", 70, Color_V3),
      text(5165, "Security_Level", 100, Color_V3, edComboList, List({"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"})),
      text(5166, "Auth_Mode", 75, Color_V3, edComboList, List({"MD5", "SHA"})),
      text(5167, "Priv_Mode", 75, Color_V3, edComboList, List({"DES", "AES"})),
      text(5122, "Mnemonic", 80, clWhite),
  };
  g.Check_Row = &Check_Row;
  f.Grids = {g};
  f.Final_Check = [self]() {
    TKvStringGrid* G = self->Grids[0];
    const int end = Rule_Table_End(self->Desc().Grids[0], G);
    for (int i = 1; i < end; ++i) {
      if (!Enabled(G, i))
        continue;
      for (int j = i + 1; j < end; ++j) {
        if (!Enabled(G, j))
          continue;
        if (G->Cells(IP, i).trimmed() == G->Cells(IP, j).trimmed() &&
            G->Cells(Version, i).trimmed() == G->Cells(Version, j).trimmed() &&
            G->Cells(OID, i).trimmed() == G->Cells(OID, j).trimmed()) {
          MessageDlg(Lang_Str(5186) + QString::number(i) + Lang_Str(5187) + QString::number(j) + Lang_Str(5188), mtError,
                     mbOK);
          return false;
        }
      }
    }
    if (self->Text_Chars() > TFSNMPManagerAccess::Max_Text_Chars) {
      MessageDlg(Lang_Str(5189), mtError, mbOK);
      return false;
    }
    return true;
  };
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 5100;
  t.Buttons = {5102, 5103, 5104, 5105, 5106, 5107};
  t.Button_Hints = {5148, 5149, 5150, 5151, 5152, 5153};
  t.Column_Hints = {{5123, 5124, 5125, 5126, 5127, 5128, 5129, 5130, 5131, 5132, 5133, 5134, 5135, 5155, 5161, 5168,
                     5169, 5170, 5171, 5172, 5173, 5136}};
  t.Delete_Question = 5147;
  return t;
}

}  // namespace

TFSNMPManagerAccess::TFSNMPManagerAccess(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 1230, 337, AOwner)
{
  SetName(QStringLiteral("FSNMPManagerAccess"));
  KCG_SNMP = static_cast<TKvColumnGrid*>(Grids[0]);
  KCG_SNMP->SetName(QStringLiteral("KCG_SNMP"));
}

QString TFSNMPManagerAccess::Project_File() const
{
  return WS().Name_File_SNMP_Manager;
}

void TFSNMPManagerAccess::Before_Load()
{
  QStringList positions;
  for (int i = 0; i < Position_Items; ++i)
    positions << QString::number(i);
  Set_Column_Items(KCG_SNMP, Col::Position, positions);
}

qint64 TFSNMPManagerAccess::Text_Chars() const
{
  TKvStringGrid* G = Grids[0];
  const int end = Rule_Table_End(Desc().Grids[0], G);
  qint64 total = 1;
  for (int r = 1; r < end; ++r)
    if (::Enabled(G, r))
      total += Row_Chars(G, r);
  return total;
}
