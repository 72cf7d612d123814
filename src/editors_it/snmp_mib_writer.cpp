#include "editors_it/snmp_mib_writer.h"

#include "platform/core/files.h"
#include "platform/core/xml.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QRegularExpression>
#include <QSet>

namespace {

// The integer flags of the last load, one per entry of the working state's lists.
std::vector<bool> MIB_Var_Type_Int_Read;
std::vector<bool> MIB_Var_Type_Int_Write;

void Read_Section(const TXmlNode& root, const QString& name, QStringList& descriptions, std::vector<bool>& isInt)
{
  const TXmlNode section = root.ChildByName(name);
  if (!section)
    return;
  for (const TXmlNode& row : section.ChildElements()) {
    if (row.AttributeDef(QStringLiteral("Enable"), QString()).toUpper() != QLatin1String("Y"))
      continue;
    descriptions.append(row.AttributeDef(QStringLiteral("Description"), QString()));
    isInt.push_back(row.AttributeDef(QStringLiteral("Type"), QString()).toUpper() == QLatin1String("INT"));
  }
}

QString Syntax(bool isInt) { return isInt ? QStringLiteral("INTEGER") : QStringLiteral("OCTET STRING"); }

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// The object names of one direction's variables: the description, or the parent's name
// and the variable's number when the description is empty, reserved or taken by an
// earlier variable. Taken gathers the names given; a numbered name is never a taken one,
// since no description may be of that form.
QStringList Object_Names(const QStringList& descriptions, const QString& parent, QSet<QString>& taken)
{
  QStringList names;
  for (qsizetype k = 0; k < descriptions.size(); ++k) {
    const QString& d = descriptions.at(k);
    const bool own = !d.isEmpty() && !MIB_Reserved_Name(d) && !taken.contains(d);
    names << (own ? d : parent + QString::number(k + 1));
    taken.insert(names.back());
  }
  return names;
}

// The name a module line defines: its first word when the second opens a definition.
QString Defined_Name(const QString& line)
{
  const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  static const QStringList openers = {QStringLiteral("OBJECT"), QStringLiteral("OBJECT-TYPE"),
                                      QStringLiteral("MODULE-IDENTITY"), QStringLiteral("NOTIFICATION-TYPE")};
  return words.size() >= 2 && openers.contains(words.at(1)) ? words.at(0) : QString();
}

void Add_Variables(QStringList& lines, const QStringList& descriptions, const QStringList& names,
                   const std::vector<bool>& isInt, const QString& parent, const QString& access)
{
  for (qsizetype k = 0; k < descriptions.size(); ++k) {
    const qsizetype i = k + 1;
    const QString& d = descriptions.at(k);
    lines << names.at(k) + QStringLiteral(" OBJECT-TYPE SYNTAX ") +
                 Syntax(static_cast<size_t>(k) < isInt.size() && isInt[static_cast<size_t>(k)]) +
                 QStringLiteral(" MAX-ACCESS ") + access + QStringLiteral(" STATUS current DESCRIPTION ") + Quoted(d) +
                 QStringLiteral(" ::= { ") + parent + QLatin1Char(' ') + QString::number(i) + QStringLiteral(" }");
  }
}

void Add_Blocks(QStringList& lines, const QString& parent, const QString& access)
{
  for (int k = 1; k <= 8; ++k)
    lines << parent + QStringLiteral("blk") + QString::number(k) +
                 QStringLiteral(" OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS ") + access +
                 QStringLiteral(" STATUS current DESCRIPTION ") + Quoted(QStringLiteral("data block n.") + QString::number(k)) +
                 QStringLiteral(" ::= { ") + parent + QLatin1Char(' ') + QString::number(k) + QStringLiteral(" }");
}

}  // namespace

bool MIB_Reserved_Name(const QString& Name)
{
  // The fixed part of the module is the module of no variable; it names no variable, so
  // building it needs no reserved names. "enterprises" is imported.
  static const QSet<QString> fixed = [] {
    QSet<QString> names{QStringLiteral("enterprises")};
    for (const QString& line : MIB_Module_Lines(TMIB_Variables()))
      if (const QString name = Defined_Name(line); !name.isEmpty())
        names.insert(name);
    return names;
  }();
  static const QRegularExpression numbered(QStringLiteral("^(bufferinval|bufferoutval|trapval)[1-9][0-9]*$"));
  return fixed.contains(Name) || numbered.match(Name).hasMatch();
}

TMIB_Variables Read_MIB_Variables(const QString& trapFile)
{
  TMIB_Variables vars;
  if (!FileExists(trapFile))
    return vars;
  TXmlDocument doc;
  doc.LoadFromFile(trapFile);
  const TXmlNode root = doc.Root();
  if (!root.IsElement())
    return vars;
  Read_Section(root, QStringLiteral("SNMP_Trap_Read"), vars.Read, vars.Read_Int);
  Read_Section(root, QStringLiteral("SNMP_Trap_Write"), vars.Write, vars.Write_Int);
  return vars;
}

QStringList MIB_Module_Lines(const TMIB_Variables& vars)
{
  const QString b4 = QStringLiteral("    ");
  const QString b9 = QStringLiteral("         ");
  QSet<QString> taken;
  const QStringList readNames = Object_Names(vars.Read, QStringLiteral("bufferinval"), taken);
  const QStringList writeNames = Object_Names(vars.Write, QStringLiteral("bufferoutval"), taken);
  QStringList lines;
  lines << QStringLiteral("GATEWAY DEFINITIONS ::= BEGIN") << QStringLiteral("IMPORTS")
        // SMIv2 imports: the notification macro and enterprises come from SNMPv2-SMI.
        << QStringLiteral("       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE,enterprises")
        << b9 + QStringLiteral("FROM SNMPv2-SMI") << b9 + QStringLiteral("DisplayString, TimeStamp")
        << b9 + QStringLiteral("FROM SNMPv2-TC;") << QString() << QStringLiteral("identity MODULE-IDENTITY")
        << b4 + QStringLiteral("LAST-UPDATED \"201701310000Z\"") << b4 + QStringLiteral("ORGANIZATION ") + Quoted(MIB_Organization)
        << b4 + QStringLiteral("CONTACT-INFO") << QStringLiteral("\t \"") + MIB_Contact_Lines.at(0)
        << b4 + MIB_Contact_Lines.at(1) << b4 + MIB_Contact_Lines.at(2)
        << b4 + QStringLiteral("email:") + b4 + MIB_Contact_Email + QLatin1Char('"') << b4 + QStringLiteral("DESCRIPTION")
        << QStringLiteral("\t\"MIB objects for agent module \"") << b4 + QStringLiteral("REVISION     \"201701310000Z\"")
        << b4 + QStringLiteral("DESCRIPTION") << QStringLiteral("\t\"Corrected notification \"")
        << b4 + QStringLiteral("REVISION     \"200202060000Z\"") << b4 + QStringLiteral("DESCRIPTION")
        << QStringLiteral("\t\"First draft\"") << b4 + QStringLiteral("::= { norvel 2 }")
        << QStringLiteral("norvel          OBJECT IDENTIFIER ::= { enterprises ") + MIB_Enterprise_Number + QStringLiteral(" }")
        << QStringLiteral("gateway OBJECT IDENTIFIER::= { norvel 1 }")
        << QStringLiteral("application OBJECT IDENTIFIER::= { gateway 1 }")
        << QStringLiteral("data OBJECT IDENTIFIER::= { application 1 }")
        << QStringLiteral("hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  "
                          "DESCRIPTION \"\" ::= { data 1}")
        << QStringLiteral("countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  "
                          "DESCRIPTION \"\" ::= { data 2}")
        << QStringLiteral("countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  "
                          "DESCRIPTION \"\" ::= { data 3}")
        << QStringLiteral("bufferin OBJECT IDENTIFIER::= { data 4 }");
  Add_Blocks(lines, QStringLiteral("bufferin"), QStringLiteral("read-only"));
  lines << QStringLiteral(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }");
  Add_Variables(lines, vars.Read, readNames, vars.Read_Int, QStringLiteral("bufferinval"), QStringLiteral("read-only"));
  lines << QStringLiteral("bufferout OBJECT IDENTIFIER::= { data 5 }");
  Add_Blocks(lines, QStringLiteral("bufferout"), QStringLiteral("read-write"));
  lines << QStringLiteral(" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }");
  Add_Variables(lines, vars.Write, writeNames, vars.Write_Int, QStringLiteral("bufferoutval"),
                QStringLiteral("read-write"));
  lines << QStringLiteral("traps OBJECT IDENTIFIER::= { application 2 }")
        << QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
  // A notification names the object it reports; the object carries the type.
  for (qsizetype k = 0; k < vars.Read.size(); ++k) {
    const qsizetype i = k + 1;
    const QString& d = vars.Read.at(k);
    lines << QStringLiteral("trapval") + QString::number(i) + QStringLiteral(" NOTIFICATION-TYPE OBJECTS { ") +
                 readNames.at(k) + QStringLiteral(" } STATUS current DESCRIPTION ") +
                 Quoted(d) + QStringLiteral(" ::= { trapsval ") + QString::number(i) + QStringLiteral(" }");
  }
  lines << QStringLiteral("END");
  return lines;
}

void Write_MIB_Module(const QString& fileName, const TMIB_Variables& vars)
{
  WriteTextLines(fileName, MIB_Module_Lines(vars), TTextEncoding::Ansi);
}

void Load_MIB_Variables()
{
  TWorkingState& ws = WS();
  ws.SL_MIB_Var_Read.clear();
  ws.SL_MIB_Var_Write.clear();
  MIB_Var_Type_Int_Read.clear();
  MIB_Var_Type_Int_Write.clear();
  TMIB_Variables vars = Read_MIB_Variables(ws.Name_File_SNMP_Trap);
  ws.SL_MIB_Var_Read = vars.Read;
  ws.SL_MIB_Var_Write = vars.Write;
  MIB_Var_Type_Int_Read = std::move(vars.Read_Int);
  MIB_Var_Type_Int_Write = std::move(vars.Write_Int);
}

TMIB_Variables Loaded_MIB_Variables()
{
  const TWorkingState& ws = WS();
  return TMIB_Variables{ws.SL_MIB_Var_Read, ws.SL_MIB_Var_Write, MIB_Var_Type_Int_Read, MIB_Var_Type_Int_Write};
}

void Write_MIB_Module(const QString& fileName) { Write_MIB_Module(fileName, Loaded_MIB_Variables()); }

void Save_MIB_File()
{
  TSaveDialog dialog;
  dialog.Filter = MIB_Dialog_Filter;
  dialog.DefaultExt = MIB_Dialog_Default_Ext;
  dialog.InitialDir = WS().Dir_Project;
  if (!dialog.Execute())
    return;
  if (FileExists(dialog.FileName) && MessageDlg(Lang_Str(1505), mtConfirmation, mbYesNo) == mrNo)
    return;
  Load_MIB_Variables();
  Write_MIB_Module(dialog.FileName);
}
