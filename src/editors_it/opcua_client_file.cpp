#include "editors_it/opcua_client_file.h"

#include "common/common_routines.h"
#include "common/xml_load.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/core/xml.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

const char* const Var_Type_Names[] = {"Boolean", "Int8", "UInt8", "Int16", "UInt16", "Int32", "UInt32", "Int64",
                                      "UInt64", "Float", "Double", "String", "DateTime", "Guid", "ByteString"};

// A hexadecimal group of a GUID text; a group that does not convert gives 0.
uint32_t Hex_Group(const QString& Text)
{
    int V = 0;
    if (!TryStrToInt(QStringLiteral("$") + Text, V))
        return 0;
    return static_cast<uint32_t>(V);
}

// Takes the next dash-separated group off the front of R.
QString Take_Group(QString& R)
{
    const int Dash = R.indexOf(u'-');
    if (Dash < 0)
        return std::exchange(R, QString());
    const QString G = R.left(Dash);
    R = R.mid(Dash + 1);
    return G;
}

// Takes two digits off the front of R, then Skip characters in all; a remainder shorter
// than three characters is taken whole.
QString Take_Byte(QString& R, int Skip)
{
    if (R.size() < 3)
        return std::exchange(R, QString());
    const QString G = R.left(2);
    R = R.mid(Skip);
    return G;
}

QString Flag_Text(bool Set)
{
    return Set ? QStringLiteral("1") : QStringLiteral("0");
}

bool Flag(const TXmlNode& Node, const QString& Name)
{
    return Node.HasAttribute(Name) && Node.Attribute(Name) == QLatin1String("1");
}

QString YN(const TXmlNode& Node, const QString& Name)
{
    return Flag(Node, Name) ? QStringLiteral("Y") : QStringLiteral("N");
}

TOPC_UA_Variable Read_Variable(const TXmlNode& Node)
{
    TOPC_UA_Variable V;
    V.Enable = Flag(Node, QStringLiteral("Enable"));
    V.DispalyName = Node.Attribute(QStringLiteral("DisplayName"));
    V.SetNodeType(Node.Attribute(QStringLiteral("NodeType")));
    V.SetNodeID(Node.Attribute(QStringLiteral("NodeID")));
    V.SetVarType(Node.Attribute(QStringLiteral("VarType")));
    // Read as a number; a value past 16 bits keeps its low 16 bits.
    V.nameSpaceIndex = static_cast<uint16_t>(StrToInt(Node.Attribute(QStringLiteral("NameSpaceIndex"))));
    V.OnChange = YN(Node, QStringLiteral("OnChange"));
    V.OnCMD = YN(Node, QStringLiteral("OnCMD"));
    V.OnTimer = YN(Node, QStringLiteral("OnTimer"));
    V.Time = Node.Attribute(QStringLiteral("Time"));
    V.Position = Node.Attribute(QStringLiteral("Position"));
    V.Mnemonic = Node.Attribute(QStringLiteral("Mnemonic"));
    return V;
}

void Write_Variable(TXmlNode Node, const TOPC_UA_Variable& V)
{
    const auto Yes = [](const QString& S) { return Flag_Text(S == QLatin1String("Y")); };
    Node.SetAttribute(QStringLiteral("Enable"), Flag_Text(V.Enable));
    Node.SetAttribute(QStringLiteral("DisplayName"), V.DispalyName);
    Node.SetAttribute(QStringLiteral("NodeType"), V.NodeType());
    Node.SetAttribute(QStringLiteral("NodeID"), V.NodeID());
    Node.SetAttribute(QStringLiteral("VarType"), V.VarType());
    Node.SetAttribute(QStringLiteral("NameSpaceIndex"), QString::number(V.nameSpaceIndex));
    Node.SetAttribute(QStringLiteral("OnChange"), Yes(V.OnChange));
    Node.SetAttribute(QStringLiteral("OnCMD"), Yes(V.OnCMD));
    Node.SetAttribute(QStringLiteral("OnTimer"), Yes(V.OnTimer));
    Node.SetAttribute(QStringLiteral("Time"), V.Time);
    Node.SetAttribute(QStringLiteral("Position"), V.Position);
    Node.SetAttribute(QStringLiteral("Mnemonic"), V.Mnemonic);
}

// The server's text attributes in file order.
struct TServerText {
    const char* Name;
    QString TOPC_UA_Server::*Field;
};

const TServerText Server_Texts[] = {
    {"ServerAddress", &TOPC_UA_Server::ServerAddress}, {"Authorization", &TOPC_UA_Server::Authorization},
    {"UserName", &TOPC_UA_Server::UserName},           {"Password", &TOPC_UA_Server::Password},
    {"Certificate", &TOPC_UA_Server::Certificate},     {"PrivateKey", &TOPC_UA_Server::PrivateKey},
    {"SecurityType", &TOPC_UA_Server::SecurityType},   {"SecurityPolicy", &TOPC_UA_Server::SecurityPolicy},
    {"Mnemonic", &TOPC_UA_Server::Mnemonic},
};

}  // namespace

// ---- TOPC_UA_Variable ---------------------------------------------------------------------

QString TOPC_UA_Variable::NodeType() const
{
    return Get_OPC_UA_Node_Type_Str(identifierType);
}

void TOPC_UA_Variable::SetNodeType(const QString& Text)
{
    identifierType = static_cast<uint16_t>(Get_OPC_UA_Node_Type(Text));
}

QString TOPC_UA_Variable::NodeID() const
{
    switch (identifierType) {
    case 3:
        return stringname;
    case 5:
        return byteString;
    default: {
        // Numbers and GUIDs share their text form with the browse records.
        opcua_structure R{};
        R.identifierType = identifierType;
        R.numeric = numeric;
        R.guide1 = guide1;
        R.guide2 = guide2;
        R.guide3 = guide3;
        std::memcpy(R.guide4, guide4.data(), sizeof R.guide4);
        return Get_OPC_UA_Node_ID_Str(R);
    }
    }
}

void TOPC_UA_Variable::SetNodeID(const QString& Text)
{
    switch (identifierType) {
    case 0: {
        qint64 N = 0;
        numeric = TryStrToInt64(Text, N) && N >= 0 && N <= 0xFFFFFFFFll ? static_cast<uint32_t>(N) : 0;
        break;
    }
    case 3:
        stringname = Text;
        break;
    case 5:
        byteString = Text;
        break;
    case 4: {
        // Groups 1 to 3 end at a dash. Group 4 is read as two bytes of two digits each,
        // the second step skipping one character more (the dash before group 5); group
        // 5 as six bytes. A short rest is taken whole by the step that meets it.
        QString R = Trim(Text);
        guide1 = Hex_Group(Take_Group(R));
        guide2 = static_cast<uint16_t>(Hex_Group(Take_Group(R)));
        guide3 = static_cast<uint16_t>(Hex_Group(Take_Group(R)));
        guide4[0] = static_cast<uint8_t>(Hex_Group(Take_Byte(R, 2)));
        guide4[1] = static_cast<uint8_t>(Hex_Group(Take_Byte(R, 3)));
        for (int i = 2; i < 8; ++i)
            guide4[i] = static_cast<uint8_t>(Hex_Group(Take_Byte(R, 2)));
        break;
    }
    default:
        break;
    }
}

QString TOPC_UA_Variable::VarType() const
{
    if (dataType < 1 || dataType >= int(std::size(Var_Type_Names)))
        return QString::fromLatin1(Var_Type_Names[0]);
    return QString::fromLatin1(Var_Type_Names[dataType]);
}

void TOPC_UA_Variable::SetVarType(const QString& Text)
{
    const QString U = UpperCase(Text);
    dataType = 0;
    for (int i = 0; i < int(std::size(Var_Type_Names)); ++i)
        if (U == UpperCase(QString::fromLatin1(Var_Type_Names[i])))
            dataType = i;
}

// ---- The file -----------------------------------------------------------------------------

int TOPC_UA_Client_Load::Left_Out_Count() const
{
    int N = 0;
    for (const TOPC_UA_Left_Out& L : Left_Out)
        N += L.Count;
    return N;
}

TOPC_UA_Client_Load Read_OPC_UA_Client_File(const QString& Path)
{
    TOPC_UA_Client_Load Load;
    if (!FileExists(Path))
        return Load;
    Load.File_Found = true;
    TXmlDocument Doc;
    if (!Load_Xml_Or_Failure(Path, Doc, Load.Failure))
        return Load;
    QString Where;  // the place being read, for the failure report
    try {
        const TXmlNode Root = Need_Child(Doc.AsNode(), OPC_UA_Client_Root_Name);
        const TXmlNode List = Need_Child(Root, QStringLiteral("OPC_UA_Server_List"));
        const std::vector<TXmlNode> Elements = List.ChildElements();
        for (size_t s = 0; s < Elements.size(); ++s) {
            const int Number = int(s) + 1;
            const TXmlNode& E = Elements[s];
            Where = QStringLiteral("server %1").arg(Number);
            TOPC_UA_Server Server;
            Server.Enable = Flag(E, QStringLiteral("Enable"));
            for (const TServerText& T : Server_Texts)
                Server.*T.Field = E.Attribute(QString::fromLatin1(T.Name));
            const TXmlNode Vars = Need_Child(E, QStringLiteral("OPC_UA_Variables"));
            for (const bool Write : {false, true}) {
                const TXmlNode Section =
                    Need_Child(Vars, Write ? QStringLiteral("OPC_UA_Write_Var") : QStringLiteral("OPC_UA_Read_Var"));
                std::vector<TOPC_UA_Variable>& Target = Write ? Server.Var_List_W : Server.Var_List_R;
                const std::vector<TXmlNode> Rows = Section.ChildElements();
                const size_t Shown = std::min(Rows.size(), size_t(OPC_UA_Max_Variables));
                for (size_t v = 0; v < Shown; ++v) {
                    Where = QStringLiteral("server %1, %2 variable %3")
                                .arg(Number)
                                .arg(Write ? QStringLiteral("write") : QStringLiteral("read"))
                                .arg(v + 1);
                    Target.push_back(Read_Variable(Rows[v]));
                }
                if (Rows.size() > Shown)
                    Load.Left_Out.push_back({Number, Write, int(Rows.size() - Shown)});
                Where = QStringLiteral("server %1").arg(Number);
            }
            Load.Servers.push_back(std::move(Server));
        }
    } catch (const Exception& E) {
        Load.Failure = Load_Failure_Text(Path, Where, E.Message());
    }
    return Load;
}

void Write_OPC_UA_Client_File(const QString& Path, const std::vector<TOPC_UA_Server>& Servers)
{
    TXmlDocument Doc;
    TXmlNode List = Doc.AddChild(OPC_UA_Client_Root_Name).AddChild(QStringLiteral("OPC_UA_Server_List"));
    for (const TOPC_UA_Server& S : Servers) {
        TXmlNode E = List.AddChild(QStringLiteral("OPC_UA_Server"));
        E.SetAttribute(QStringLiteral("Enable"), Flag_Text(S.Enable));
        for (const TServerText& T : Server_Texts)
            E.SetAttribute(QString::fromLatin1(T.Name), S.*T.Field);
        TXmlNode Vars = E.AddChild(QStringLiteral("OPC_UA_Variables"));
        TXmlNode Read = Vars.AddChild(QStringLiteral("OPC_UA_Read_Var"));
        for (const TOPC_UA_Variable& V : S.Var_List_R)
            Write_Variable(Read.AddChild(QStringLiteral("Variable")), V);
        TXmlNode Write = Vars.AddChild(QStringLiteral("OPC_UA_Write_Var"));
        for (const TOPC_UA_Variable& V : S.Var_List_W)
            Write_Variable(Write.AddChild(QStringLiteral("Variable")), V);
    }
    Doc.SaveToFile(Path);
}
