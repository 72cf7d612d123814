// The DeviceNet offset map's model and files.

#include "editors_can/dnet_offset_map.h"

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "common/lang_table.h"
#include "common/xml_load.h"

#include <QFileInfo>

namespace {

const QString None_Text = QStringLiteral("None");

// Where a row's attribute sits: "row 3, attribute "ID"", after the row's section.
QString Where(const QString& Section, int Row, const QString& Attribute)
{
  return Section + QStringLiteral("row %1, attribute \"%2\"").arg(Row).arg(Attribute);
}

QString Need_Attribute(const QString& Path, const TXmlNode& Node, const QString& Section, int Row,
                       const QString& Name)
{
  try {
    return Node.Attribute(Name);
  } catch (const Exception& E) {
    throw EXmlError(Load_Failure_Text(Path, Where(Section, Row, Name), E.Message()));
  }
}

// A number of the slave list: an integer from 0 to High, else the load stops. The
// fields are 8 and 16 bits wide; a larger number must not wrap into a small one.
int Need_Number(const QString& Path, int Row, const QString& Name, const QString& Text, int High)
{
  int v = 0;
  if (!TryStrToInt(Text, v) || v < 0 || v > High)
    throw EXmlError(Load_Failure_Text(Path, Where(QString(), Row, Name),
                                      QStringLiteral("\"%1\" is not a number from 0 to %2").arg(Text).arg(High)));
  return v;
}

void Load_Or_Stop(const QString& Path, TXmlDocument& Doc, TDN_Load_State& State)
{
  try {
    Doc.LoadFromFile(Path);
  } catch (...) {
    State.Stopped = true;
    throw;
  }
}

// Rows i of Section set entries i of Positions and Mnemonics, up to their size.
void Read_Bytes(const QString& Path, const TXmlNode& Node, const QString& Section, int Slave, QStringList& Positions,
                QStringList& Mnemonics)
{
  const QString where = QStringLiteral("Nodo_DNET %1, %2").arg(Slave + 1).arg(Section);
  TXmlNode section;
  try {
    section = Node.ChildByName(Section);  // raises on a node that is no element
  } catch (const Exception& E) {
    throw EXmlError(Load_Failure_Text(Path, where, E.Message()));
  }
  if (section.IsNull())
    throw EXmlError(Load_Failure_Text(Path, where, QStringLiteral("Element \"%1\" not found").arg(Section)));
  // Walked by sibling: a slave may have 65,535 bytes.
  int i = 0;
  for (TXmlNode row = section.FirstChild(); row && i < Positions.size(); row = row.NextSibling(), ++i) {
    Positions[i] = Need_Attribute(Path, row, where + QStringLiteral(", "), i + 1, QStringLiteral("Offset"));
    Mnemonics[i] = Need_Attribute(Path, row, where + QStringLiteral(", "), i + 1, QStringLiteral("Mnemonic"));
  }
}

void Add_Bytes(TXmlNode Node, const QString& Section, const QStringList& Positions, const QStringList& Mnemonics)
{
  TXmlNode section = Node.AddChild(Section);
  for (int i = 0; i < Positions.size(); ++i) {
    TXmlNode row = section.AddChild(QStringLiteral("row"));
    row.SetAttribute(QStringLiteral("Offset"), Positions.at(i));
    row.SetAttribute(QStringLiteral("Mnemonic"), i < Mnemonics.size() ? Mnemonics.at(i) : QString());
  }
}

QStringList Repeated(const QString& Text, int Count)
{
  QStringList out;
  out.reserve(Count);
  for (int i = 0; i < Count; ++i)
    out << Text;
  return out;
}

}  // namespace

TSlave_DN::TSlave_DN(uint8_t AID, uint16_t AByteIN, uint16_t AByteOUT)
    : ID(AID),
      ByteIN(AByteIN),
      ByteOUT(AByteOUT),
      SL_ByteIN(Repeated(None_Text, AByteIN)),
      SL_ByteIN_M(Repeated(QString(), AByteIN)),
      SL_ByteOUT(Repeated(None_Text, AByteOUT)),
      SL_ByteOUT_M(Repeated(QString(), AByteOUT))
{
}

void Read_DN_Slave_List(const QString& Path, std::vector<TSlave_DN>& Slaves, std::vector<TDN_Slave_Row>& Rows,
                        TDN_Load_State& State)
{
  if (!QFileInfo(Path).isFile())
    return;
  TXmlDocument doc;
  Load_Or_Stop(Path, doc, State);
  const TXmlNode root = doc.Root();
  const int count = root.IsNull() ? 0 : root.ChildCount();
  const int read = std::min(count, DN_Max_Slaves);
  State.Slaves_Left_Out = count - read;
  try {
    TXmlNode node = read > 0 ? root.FirstChild() : TXmlNode();
    for (int i = 0; i < read; ++i, node = node.NextSibling()) {
      TDN_Slave_Row row;
      row.ID = Need_Attribute(Path, node, QString(), i + 1, QStringLiteral("ID"));
      row.NB_IN = Need_Attribute(Path, node, QString(), i + 1, QStringLiteral("NB_IN"));
      row.NB_OUT = Need_Attribute(Path, node, QString(), i + 1, QStringLiteral("NB_OUT"));
      row.Mnemonic = Need_Attribute(Path, node, QString(), i + 1, QStringLiteral("Mnemonic"));
      const int id = Need_Number(Path, i + 1, QStringLiteral("ID"), row.ID, 255);
      const int in = Need_Number(Path, i + 1, QStringLiteral("NB_IN"), row.NB_IN, 65535);
      const int out = Need_Number(Path, i + 1, QStringLiteral("NB_OUT"), row.NB_OUT, 65535);
      Slaves.emplace_back(uint8_t(id), uint16_t(in), uint16_t(out));
      Rows.push_back(row);
    }
  } catch (...) {
    State.Stopped = true;
    throw;
  }
}

void Read_DN_Offset_Map(const QString& Path, std::vector<TSlave_DN>& Slaves, TDN_Load_State& State)
{
  if (!QFileInfo(Path).isFile())
    return;
  TXmlDocument doc;
  Load_Or_Stop(Path, doc, State);
  const TXmlNode root = doc.Root();
  if (root.IsNull())
    return;
  try {
    size_t k = 0;
    for (TXmlNode node = root.FirstChild(); node && k < Slaves.size(); node = node.NextSibling(), ++k) {
      TSlave_DN& s = Slaves[k];
      Read_Bytes(Path, node, QStringLiteral("ByteIN"), int(k), s.SL_ByteIN, s.SL_ByteIN_M);
      Read_Bytes(Path, node, QStringLiteral("ByteOUT"), int(k), s.SL_ByteOUT, s.SL_ByteOUT_M);
    }
  } catch (...) {
    State.Stopped = true;
    throw;
  }
}

void Reset_DN_Offset_Check(TDN_Offset_Check& Check)
{
  Check.fill(TDN_Offset_Owner{});
}

bool Check_DN_Output_Offsets(const std::vector<TSlave_DN>& Slaves, TDN_Offset_Check& Check, QString& Message)
{
  Reset_DN_Offset_Check(Check);
  for (const TSlave_DN& s : Slaves) {
    for (int i = 0; i < s.SL_ByteOUT.size(); ++i) {
      const int p = StrToIntDef(s.SL_ByteOUT.at(i), -1);
      // "None" and a number outside the array (only a hand-edited file holds one) take
      // no position.
      if (p < 0 || p >= DN_Exchange_Positions)
        continue;
      TDN_Offset_Owner& owner = Check[size_t(p)];
      if (owner.ID >= 0) {
        Message = Lang_Str(3221) + QStringLiteral("\n\r( ") + Lang_Str(3222) + QString::number(owner.ID) +
                  Lang_Str(3223) + QString::number(owner.Byte) + Lang_Str(3224) + QString::number(s.ID) +
                  Lang_Str(3225) + QString::number(i) + QStringLiteral(")");
        return false;
      }
      owner = {int32_t(s.ID), int32_t(i)};
    }
  }
  return true;
}

void Build_DN_Offset_Document(const std::vector<TSlave_DN>& Slaves, TXmlDocument& Doc)
{
  Doc.Clear();
  TXmlNode root = Doc.AddChild(QStringLiteral("Define_Offset"));
  Doc.AddComment(QStringLiteral("SW_VERSION = 1.000"));
  for (const TSlave_DN& s : Slaves) {
    TXmlNode node = root.AddChild(QStringLiteral("Nodo_DNET"));
    Add_Bytes(node, QStringLiteral("ByteIN"), s.SL_ByteIN, s.SL_ByteIN_M);
    Add_Bytes(node, QStringLiteral("ByteOUT"), s.SL_ByteOUT, s.SL_ByteOUT_M);
  }
}

void Write_DN_Offset_Map(const QString& Path, const std::vector<TSlave_DN>& Slaves)
{
  TXmlDocument doc;
  Build_DN_Offset_Document(Slaves, doc);
  doc.SaveToFile(Path);
}
