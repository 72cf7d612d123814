#include "editors_modbus_bacnet/bacnet_ede_writer.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/core/xml.h"
#include "common/par_gen_file.h"
#include "common/working_state.h"

namespace {

struct TEDE_Type {
  const char* Text;
  int Number;
};

// Data Type texts (upper case) and the object type numbers they stand for.
constexpr std::array<TEDE_Type, EDE_Object_Type_Count> EDE_Types = {{
    {"ANALOG INPUT", 0},
    {"ANALOG OUT", 1},
    {"ANALOG VALUE", 2},
    {"BINARY INPUT", 3},
    {"BINARY OUT", 4},
    {"BINARY VALUE", 5},
    {"MULTI STATE INPUT", 13},
    {"MULTI STATE OUTPUT", 14},
    {"MULTI STATE VALUE", 19},
    {"LIFE SAFETY POINT", 21},
    {"LIFE SAFETY ZONE", 22},
    {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},
    {"CHARACTERSTRING VALUE", 40},
    {"DATETIME VALUE", 44},
    {"INTEGER VALUE", 45},
    {"LARGE ANALOG VALUE", 46},
    {"POSITIVE INTEGER VALUE", 48},
}};

QString Two_Digits(int x) { return QStringLiteral("%1").arg(x, 2, 10, QLatin1Char('0')); }

// A field as the list can carry it: no separator, no line break.
QString Field(const QString& text)
{
  QString f = text;
  for (QChar& c : f) {
    if (c == QLatin1Char(';'))
      c = QLatin1Char('_');
    else if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control ||
             c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
      c = QLatin1Char(' ');
  }
  return f;
}

void Load_Section(TEDE_Run& run, const TXmlNode& root, const QString& name, const QString& path)
{
  const TXmlNode section = root.IsElement() ? root.ChildByName(name) : TXmlNode();
  if (!section)
    throw EXmlError(QStringLiteral("The file \"%1\" has no section \"%2\"").arg(path, name));
  const int nameLength = run.EDE_Long_Names ? 32 : 16;
  for (const TXmlNode& row : section.ChildElements(QStringLiteral("row"))) {
    const QString dataType = row.Attribute(QStringLiteral("Data_Type"));
    const QString engUnit = row.Attribute(QStringLiteral("Eng_Unit"));
    const QString mnemonic = row.Attribute(QStringLiteral("Mnemonic"));
    const int type = Get_EDE_Object_Type(Trim(dataType).toUpper());
    TBACnet_EDE_Obj obj;
    obj.DevObjInstance = run.EDE_Dev_Instance;
    obj.ObjectName = mnemonic.left(nameLength);
    obj.ObjectType = QString::number(type);
    obj.ObjectInstance = QString::number(Get_EDE_Instance(run, type));
    obj.Keyname = run.EDE_Dev_Instance + QLatin1Char('_') + mnemonic + QLatin1Char('_') + obj.ObjectInstance;
    obj.Description = obj.ObjectName;
    obj.UnitCode = engUnit;
    run.EDE_Obj_List.push_back(std::move(obj));
  }
}

}  // namespace

void Clear_EDE_Counters(TEDE_Run& run) { run.EDE_Instance_Count.fill(0); }

void Load_EDE_Settings(TEDE_Run& run, const QString& parGenFile)
{
  run.EDE_Dev_Instance.clear();
  run.EDE_Long_Names = false;
  if (!FileExists(parGenFile))
    return;
  const int type = StrToIntDef(Read_ParGen_Key(parGenFile, QStringLiteral("BACnet_Type"), QStringLiteral("0")), 0);
  // The serial (MS/TP) server has its own device instance.
  const QString instanceKey = type == 1 ? QStringLiteral("BACnet_Ser_DEV_IDE") : QStringLiteral("BACnet_DEV_IDE");
  run.EDE_Dev_Instance = Read_ParGen_Key(parGenFile, instanceKey, QString());
  run.EDE_Long_Names = Read_ParGen_Key(parGenFile, QStringLiteral("BACnet_Desc_Chars_Limit"), QString()) == QLatin1String("1");
}

void Load_EDE_Objects(TEDE_Run& run, const QString& slaveFile)
{
  if (!FileExists(slaveFile))
    return;
  TXmlDocument doc;
  doc.LoadFromFile(slaveFile);
  const TXmlNode root = doc.Root();
  Load_Section(run, root, QStringLiteral("BACnet_in_Read"), slaveFile);
  Load_Section(run, root, QStringLiteral("BACnet_in_Write"), slaveFile);
}

int Get_EDE_Object_Type(const QString& typeText)
{
  for (const TEDE_Type& t : EDE_Types)
    if (typeText == QLatin1String(t.Text))
      return t.Number;
  return 0;
}

int Get_EDE_Instance(TEDE_Run& run, int type)
{
  for (size_t i = 0; i < EDE_Types.size(); ++i)
    if (EDE_Types[i].Number == type)
      return run.EDE_Instance_Count[i]++;
  return 0;
}

QString Get_EDE_Project_Part() { return QString(); }

QString Get_EDE_Time_Stamp(TDateTime when)
{
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
  DecodeDate(when, year, month, day);
  DecodeTime(when, hour, minute, second, msec);
  return Two_Digits(hour) + QLatin1Char(':') + Two_Digits(minute) + QLatin1Char(':') + Two_Digits(second) +
         QLatin1Char(' ') + Two_Digits(day) + QLatin1Char('/') + Two_Digits(month) + QLatin1Char('/') + Two_Digits(year);
}

QStringList EDE_Lines(const TEDE_Run& run, const QString& projectName, TDateTime when)
{
  QStringList lines;
  lines << QStringLiteral("PROJECT_NAME; Norvel-") + Field(Get_EDE_Project_Part()) + QLatin1Char('-') + Field(projectName) +
               QStringLiteral(";;;;;;")
        << QStringLiteral("VERSION_OF_REFERENCEFILE;1.0;;;;;;")
        << QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;") + Get_EDE_Time_Stamp(when) + QStringLiteral(";;;;;;")
        << QStringLiteral("AUTHOR_OF_LAST_CHANGE;Norvel;;;;;;") << QStringLiteral("VERSION_OF_LAYOUT;2;;;;;;")
        << QStringLiteral("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;")
        << QStringLiteral("# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;");
  for (const TBACnet_EDE_Obj& o : run.EDE_Obj_List) {
    QString line;
    for (const QString* f : {&o.Keyname, &o.DevObjInstance, &o.ObjectName, &o.ObjectType, &o.ObjectInstance,
                             &o.Description, &o.UnitCode})
      line += Field(*f) + QLatin1Char(';');
    lines << line;
  }
  return lines;
}

void Save_EDE_Lines(const TEDE_Run& run, const QString& path, const QString& projectName)
{
  WriteTextLines(path, EDE_Lines(run, projectName, Now()), TTextEncoding::Ansi);
}

void Make_EDE_File(const QString& path, const QString& parGenFile, const QString& slaveFile,
                   const QString& projectName)
{
  TEDE_Run run;
  Clear_EDE_Counters(run);
  Load_EDE_Settings(run, parGenFile);
  Load_EDE_Objects(run, slaveFile);
  Save_EDE_Lines(run, path, projectName);
}

void Write_EDE_File(const QString& path)
{
  const TWorkingState& ws = WS();
  Make_EDE_File(path, ws.Name_File_ParGen, ws.Name_File_BACnet_Slave, ws.Project_Name);
}
