#include "editors_it/opcua_server_file.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/core/xml.h"

#include <QStringList>

namespace {

const QString Section_Name = QStringLiteral("OPC_UA_Server_Variables");

struct TRowText {
    const char* Name;
    QString TOPC_UA_Server_Var_Row::*Field;
};

const TRowText Row_Texts[] = {
    {"Type", &TOPC_UA_Server_Var_Row::Type},         {"Position", &TOPC_UA_Server_Var_Row::Position},
    {"Length", &TOPC_UA_Server_Var_Row::Length},     {"Name", &TOPC_UA_Server_Var_Row::Name},
    {"ReadWrite", &TOPC_UA_Server_Var_Row::ReadWrite}, {"Mnemonic", &TOPC_UA_Server_Var_Row::Mnemonic},
};

}  // namespace

const QStringList& OPC_UA_Server_Var_Types()
{
    static const QStringList Types = {
        QStringLiteral("Boolean"), QStringLiteral("Signed Byte"), QStringLiteral("Byte"),   QStringLiteral("Int16"),
        QStringLiteral("UInt16"),  QStringLiteral("Int32"),       QStringLiteral("UInt32"), QStringLiteral("Int64"),
        QStringLiteral("UInt64"),  QStringLiteral("Float"),       QStringLiteral("Double"), QStringLiteral("String"),
        QStringLiteral("ByteString")};
    return Types;
}

const QStringList& OPC_UA_Server_RW_Types()
{
    static const QStringList Types = {QStringLiteral("Read Only"), QStringLiteral("Read/Write")};
    return Types;
}

std::optional<TOPC_UA_Server_Var_Length> OPC_UA_Server_Type_Length(const QString& Type)
{
    // Sizes in the order of the type list; 0 marks the text types.
    static const int Sizes[] = {1, 1, 1, 2, 2, 4, 4, 8, 8, 4, 8, 0, 0};
    const int i = OPC_UA_Server_Var_Types().indexOf(Type);
    if (i < 0)
        return std::nullopt;
    if (Sizes[i] == 0)
        return TOPC_UA_Server_Var_Length{QStringLiteral("10"), false};
    return TOPC_UA_Server_Var_Length{QString::number(Sizes[i]), true};
}

std::optional<bool> OPC_UA_Server_Var_Set_Length(TOPC_UA_Server_Var_Row& Row, const QString& Type)
{
    const std::optional<TOPC_UA_Server_Var_Length> L = OPC_UA_Server_Type_Length(Type);
    if (L)
        Row.Length = L->Length;
    if (Row.ReadWrite.isEmpty())
        Row.ReadWrite = OPC_UA_Server_RW_Types().at(1);
    return L ? std::optional<bool>(L->Read_Only) : std::nullopt;
}

int OPC_UA_Server_First_Bad_Row(const std::vector<TOPC_UA_Server_Var_Row>& Rows)
{
    for (size_t i = 0; i < Rows.size(); ++i) {
        const TOPC_UA_Server_Var_Row& R = Rows[i];
        if (Trim(R.Type).isEmpty() || !R.Enable)
            continue;
        const int Position = StrToIntDef(R.Position, -1);
        if (Position < 0 || Position >= OPC_UA_Server_Position_Limit)
            return int(i) + 1;
    }
    return 0;
}

TOPC_UA_Server_Vars_Load Read_OPC_UA_Server_File(const QString& Path)
{
    TOPC_UA_Server_Vars_Load Load;
    if (!FileExists(Path))
        return Load;
    Load.File_Found = true;
    try {
        TXmlDocument Doc;
        Doc.LoadFromFile(Path);
        const TXmlNode Root = Doc.Root();
        const TXmlNode Section = Root.IsNull() ? TXmlNode() : Root.ChildByName(Section_Name);
        if (Section.IsNull()) {
            Load.Failure = QStringLiteral("\"%1\": element \"%2\" not found").arg(Path, Section_Name);
            return Load;
        }
        const std::vector<TXmlNode> Elements = Section.ChildElements();
        for (size_t i = 0; i < Elements.size(); ++i) {
            if (i == size_t(OPC_UA_Server_Max_Rows)) {
                Load.Left_Out = int(Elements.size() - i);
                break;
            }
            const TXmlNode& E = Elements[i];
            TOPC_UA_Server_Var_Row R;
            R.Enable = E.AttributeDef(QStringLiteral("Enable"), QStringLiteral("Y")) != QLatin1String("N");
            for (const TRowText& T : Row_Texts)
                R.*T.Field = E.AttributeDef(QString::fromLatin1(T.Name), QString());
            Load.Rows.push_back(std::move(R));
        }
    } catch (const Exception& E) {
        Load.Failure = E.Message();  // the XML layer's message names the file and the line
    }
    return Load;
}

void Write_OPC_UA_Server_File(const QString& Path, const std::vector<TOPC_UA_Server_Var_Row>& Rows)
{
    TXmlDocument Doc;
    TXmlNode Root = Doc.AddChild(OPC_UA_Server_Root_Name);
    Doc.AddComment(OPC_UA_Server_SW_Version_Comment);
    TXmlNode Section = Root.AddChild(Section_Name);
    for (const TOPC_UA_Server_Var_Row& R : Rows) {
        if (Trim(R.Type).isEmpty())
            continue;
        TXmlNode E = Section.AddChild(QStringLiteral("row"));
        E.SetAttribute(QStringLiteral("Enable"), R.Enable ? QStringLiteral("Y") : QStringLiteral("N"));
        for (const TRowText& T : Row_Texts)
            E.SetAttribute(QString::fromLatin1(T.Name), R.*T.Field);
    }
    Doc.SaveToFile(Path);
}
