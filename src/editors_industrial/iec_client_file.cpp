#include "editors_industrial/iec_client_file.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/xml.h"
#include "common/xml_load.h"

#include <climits>

namespace {

const QString List_ICD_Files = QStringLiteral("List_ICD_Files");
const QString List_DA_Selected = QStringLiteral("List_DA_Selected");
const QString List_DataSet_Selected = QStringLiteral("List_DataSet_Selected");
const QString DataSet_List_DAs = QStringLiteral("DataSet_List_DAs");

const char* const DA_Names[TIEC_DA_Row::Num_Fields] = {
    "Index",    "bType",   "fc",        "Reference", "StartByte", "NumByte",    "IPAddress", "Port",     "OnChange",
    "OnCMD",    "OnTimer", "Time",      "Position",  "StartBit",  "ReadWrite",  "Convertion", "MoltFact", "Mnemonic"};
// StartByte and NumByte may be absent: the start-and-length rule fills them for fixed types.
bool DA_Optional(int i) { return i == 4 || i == 5; }

const char* const DataSet_Names[TIEC_DataSet_Row::Num_Fields] = {
    "Index", "Reference", "GooseName", "EnGoose", "IPAddress", "Port", "Time", "Mnemonic"};

struct TMember_Text {
  const char* Name;
  QString TDataSet_DA::*Field;
};
const TMember_Text Member_Texts[] = {
    {"Position", &TDataSet_DA::Position},     {"StartBit", &TDataSet_DA::bitAddress},
    {"Convertion", &TDataSet_DA::conversion}, {"MoltFact", &TDataSet_DA::multFactor},
    {"Mnemonic", &TDataSet_DA::Mnemonic}};

QString Name(const char* N) { return QString::fromLatin1(N); }

// Reads the row's attributes in column order; stops at the first missing one that is not
// optional and gives its name (the fields before it are filled), else the empty text.
template <class Row>
QString Read_Row(const TXmlNode& E, const char* const* Names, bool (*Optional)(int), Row& R)
{
  for (int i = 0; i < Row::Num_Fields; ++i) {
    const QString N = Name(Names[i]);
    if (E.HasAttribute(N))
      R.Field(i) = E.Attribute(N);
    else if (!Optional || !Optional(i))
      return N;
  }
  return QString();
}

[[noreturn]] void Missing_Attribute(const QString& N)
{
  throw EXmlError(QStringLiteral("Attribute \"%1\" not found").arg(N));
}

// The members saved for one data set, bound by position to the data set's members as it
// is decoded now; a saved member that no longer matches there is left out.
void Read_Members(const TXmlNode& Item, TDataSet& DS)
{
  const std::vector<TXmlNode> Saved = Need_Child(Item, DataSet_List_DAs).ChildElements();
  if (!DS.Select_DataSet)
    return;
  const std::vector<TIEC_DA*>& Current = DS.Select_DataSet->List_DA;
  for (size_t m = 0; m < Saved.size() && m < Current.size(); ++m) {
    const TXmlNode& E = Saved[m];
    TIEC_DA* DA = Current[m];
    if (DA->bType() != E.AttributeDef(QStringLiteral("bType"), QString()) ||
        DA->Reference() != E.AttributeDef(QStringLiteral("Reference"), QString()))
      continue;
    TDataSet_DA* Member = DS.List_DAs.Add(std::make_unique<TDataSet_DA>());
    Member->Select_DA = DA;
    for (const TMember_Text& T : Member_Texts)
      Member->*T.Field = E.AttributeDef(Name(T.Name), QString());
  }
}

template <class Row>
bool Has_Rows(const std::vector<Row>& Rows)
{
  return Rows.size() > 1 || (Rows.size() == 1 && !Rows.front().Index.isEmpty());
}

}  // namespace

QString TIEC_Client_Load::Missing_Files_Warning() const
{
  if (Missing_Files.isEmpty())
    return QString();
  return QStringLiteral("These catalog files are missing from the folder %1: %2.\n"
                        "Their devices stay empty and their data sets are loaded without members.")
      .arg(IEC_Catalog_Folder_Name, QLatin1Char('"') + Missing_Files.join(QStringLiteral("\", \"")) + QLatin1Char('"'));
}

TIEC_Client_Load Read_IEC_61850_Client_File(const QString& Path, const QString& Dir_Catalog,
                                            TIEC_Client_Model& Model)
{
  Model.Clear();
  TIEC_Client_Load Load;
  if (!FileExists(Path))
    return Load;
  Load.File_Found = true;
  TXmlDocument Doc;
  if (!Load_Xml_Or_Failure(Path, Doc, Load.Failure))
    return Load;
  QString Where;
  try {
    const TXmlNode Root = Need_Child(Doc.AsNode(), IEC_Client_Root_Name);

    const std::vector<TXmlNode> Files = Need_Child(Root, List_ICD_Files).ChildElements();
    for (size_t i = 0; i < Files.size(); ++i) {
      Where = QStringLiteral("ICD_File %1").arg(i + 1);
      const QString FileName = Files[i].Attribute(QStringLiteral("FileName"));
      const QString Catalog_Path = FileName.isEmpty() ? QString() : PathJoin(Dir_Catalog, FileName);
      if (!FileExists(Catalog_Path))
        Load.Missing_Files << FileName;
      // A missing file gives an empty device that still carries the file's name.
      Model.List_IEC_Dev.Add(std::make_unique<TIEC_Device>(Catalog_Path));
    }
    Where.clear();

    const std::vector<TXmlNode> Items = Need_Child(Root, List_DA_Selected).ChildElements();
    for (size_t i = 0; i < Items.size(); ++i) {
      Where = QStringLiteral("DA_Item %1").arg(i + 1);
      TIEC_DA_Row& R = Model.DA_Rows.emplace_back();
      const QString Missing = Read_Row(Items[i], DA_Names, DA_Optional, R);
      if (!Missing.isEmpty())
        Missing_Attribute(Missing);
    }
    Where.clear();

    const TXmlNode DataSets = Root.ChildByName(List_DataSet_Selected);
    const std::vector<TXmlNode> DS_Items = DataSets ? DataSets.ChildElements() : std::vector<TXmlNode>();
    for (size_t i = 0; i < DS_Items.size(); ++i) {
      Where = QStringLiteral("DataSet_Item %1").arg(i + 1);
      TIEC_DataSet_Row& R = Model.DataSet_Rows.emplace_back();
      // The row's chosen data set comes with the row, so row k + 1 and entry k stay paired
      // even when the load stops inside this item.
      TDataSet* DS = Model.List_DataSet.Add(std::make_unique<TDataSet>());
      const QString Missing = Read_Row(DS_Items[i], DataSet_Names, nullptr, R);
      if (!Missing.isEmpty())
        Missing_Attribute(Missing);
      const int Index = IEC_Decimal(R.Index, INT_MIN);
      if (Index == INT_MIN)
        throw EXmlError(QStringLiteral("Index \"%1\" is not a whole number").arg(R.Index));
      DS->Select_DataSet = Get_Saved_DataSet(Model.List_IEC_Dev, Index, R.Reference);
      // A reference of the earlier form is kept in the current one, so the next save
      // writes what the next load finds directly.
      if (DS->Select_DataSet)
        R.Reference = DS->Select_DataSet->Reference();
      Read_Members(DS_Items[i], *DS);
    }
  } catch (const Exception& E) {
    Load.Failure = Load_Failure_Text(Path, Where, E.Message());
  }
  // Saved spans of the fixed-size types never count: the rule replaces them.
  Set_Start_Num_Byte(Model.DA_Rows);
  return Load;
}

void Write_IEC_61850_Client_File(const QString& Path, const TIEC_Client_Model& Model)
{
  TXmlDocument Doc;
  TXmlNode Root = Doc.AddChild(IEC_Client_Root_Name);
  Doc.AddComment(IEC_Client_SW_Version_Comment);

  TXmlNode Files = Root.AddChild(List_ICD_Files);
  for (const auto& Dev : Model.List_IEC_Dev) {
    TXmlNode E = Files.AddChild(QStringLiteral("ICD_File"));
    E.SetAttribute(QStringLiteral("Name"), Dev->Name());
    E.SetAttribute(QStringLiteral("FileName"), Dev->FileName());
  }

  TXmlNode DAs = Root.AddChild(List_DA_Selected);
  if (Has_Rows(Model.DA_Rows))
    for (const TIEC_DA_Row& R : Model.DA_Rows) {
      TXmlNode E = DAs.AddChild(QStringLiteral("DA_Item"));
      for (int i = 0; i < TIEC_DA_Row::Num_Fields; ++i)
        E.SetAttribute(Name(DA_Names[i]), R.Field(i));
    }

  TXmlNode DataSets = Root.AddChild(List_DataSet_Selected);
  if (Has_Rows(Model.DataSet_Rows))
    for (size_t k = 0; k < Model.DataSet_Rows.size(); ++k) {
      const TIEC_DataSet_Row& R = Model.DataSet_Rows[k];
      TXmlNode E = DataSets.AddChild(QStringLiteral("DataSet_Item"));
      for (int i = 0; i < TIEC_DataSet_Row::Num_Fields; ++i)
        E.SetAttribute(Name(DataSet_Names[i]), R.Field(i));
      TXmlNode Members = E.AddChild(DataSet_List_DAs);
      if (k >= Model.List_DataSet.size())
        continue;
      for (const auto& M : Model.List_DataSet[k]->List_DAs) {
        if (!M->Select_DA)
          continue;
        TXmlNode ME = Members.AddChild(QStringLiteral("DataSet_DA_Item"));
        ME.SetAttribute(QStringLiteral("bType"), M->Select_DA->bType());
        ME.SetAttribute(QStringLiteral("Reference"), M->Select_DA->Reference());
        for (const TMember_Text& T : Member_Texts)
          ME.SetAttribute(Name(T.Name), (*M).*T.Field);
      }
    }

  Doc.SaveToFile(Path);
}
