#include "editors_it/opcua_browse.h"

#include "common/common_routines.h"
#include "common/lang_table.h"

#include "platform/core/codepages.h"
#include "platform/core/dynlib.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"

#include <cstring>

namespace {

QString& Search_Folder_Override()
{
    static QString Folder;
    return Folder;
}

QString Copy_Text(const char* Text)
{
    return Text ? AnsiToUnicode(QByteArray(Text)) : QString();
}

}  // namespace

QString TOPC_UA_Browsed_Variable::Access_Text() const
{
    if (accessLevel == 1)
        return QStringLiteral("Read");
    if (accessLevel == 2)
        return QStringLiteral("Write");
    return QStringLiteral("Read/Write");
}

QString TOPC_UA_Browse_Result::Failure_Message() const
{
    if (!Failed())
        return QString();
    return Lang_Str(Failure_Text) + u'\n' + Failure_Detail;
}

QString OPC_UA_Search_Library_Path()
{
    const QString& Folder = Search_Folder_Override();
    return PathJoin(Folder.isEmpty() ? ProgramFolder() : Folder, OPC_UA_Search_Library_Name);
}

void Set_OPC_UA_Search_Folder_For_Tests(const QString& Folder)
{
    Search_Folder_Override() = Folder;
}

opcua_server_to_discover OPC_UA_Server_Record(const TOPC_UA_Server& Server, TOPC_UA_Server_Texts& Texts)
{
    Texts.Address = UnicodeToAnsi(Server.ServerAddress);
    Texts.UserName = UnicodeToAnsi(Server.UserName);
    Texts.Password = UnicodeToAnsi(Server.Password);
    Texts.Certificate = UnicodeToAnsi(Server.Certificate);
    Texts.PrivateKey = UnicodeToAnsi(Server.PrivateKey);
    opcua_server_to_discover R{};
    R.server_address = Texts.Address.constData();
    R.user_pass_auth_flag = Get_OPC_UA_Auth(Server.Authorization);
    R.username = Texts.UserName.constData();
    R.password = Texts.Password.constData();
    R.cert = Texts.Certificate.constData();
    R.priv_key = Texts.PrivateKey.constData();
    R.security_type = Get_OPC_UA_Sec_Type(Server.SecurityType);
    R.security_policy = Get_OPC_UA_Sec_Policy(Server.SecurityPolicy);
    return R;
}

TOPC_UA_Browse_Result OPC_UA_Browse(const TOPC_UA_Server& Server)
{
    TOPC_UA_Browse_Result Result;
    const QString Path = OPC_UA_Search_Library_Path();
    TDynLib Lib;
    try {
        Lib.Open(Path);
    } catch (const Exception&) {
        Result.Failure_Text = OPC_UA_Text_Library_Not_Found;
        Result.Failure_Detail = Path;
        return Result;
    }
    // The first missing entry point is the one reported.
    const auto Find = [&](const char* Name) -> void* {
        if (Result.Failed())
            return nullptr;
        try {
            return Lib.Symbol(QString::fromLatin1(Name));
        } catch (const Exception&) {
            Result.Failure_Text = OPC_UA_Text_Function_Not_Found;
            Result.Failure_Detail = QString::fromLatin1(Name);
            return nullptr;
        }
    };
    const auto Begin = reinterpret_cast<opcua_client_begin_fn>(Find("opcua_client_begin"));
    const auto Return_Variable = reinterpret_cast<opcua_return_variable_fn>(Find("opcua_return_variable"));
    if (Result.Failed())
        return Result;

    TOPC_UA_Server_Texts Texts;
    const int32_t Count = Begin(OPC_UA_Server_Record(Server, Texts));
    // The texts behind the records belong to the library: copy them before it goes.
    for (int32_t i = 0; i < Count; ++i) {
        opcua_structure R{};
        Return_Variable(&R, i);
        TOPC_UA_Browsed_Variable F;
        TOPC_UA_Variable& V = F.Variable;
        V.Enable = true;
        V.DispalyName = Copy_Text(R.displayName);
        V.nameSpaceIndex = R.nameSpaceIndex;
        V.identifierType = R.identifierType;
        V.numeric = R.numeric;
        V.stringname = Copy_Text(R.stringname);
        V.guide1 = R.guide1;
        V.guide2 = R.guide2;
        V.guide3 = R.guide3;
        std::memcpy(V.guide4.data(), R.guide4, V.guide4.size());
        V.byteString = Copy_Text(R.byteString);
        V.dataType = R.dataType;
        F.accessLevel = R.accessLevel;
        Result.Variables.push_back(std::move(F));
    }
    return Result;
}

int OPC_UA_Append_Browsed(std::vector<TOPC_UA_Variable>& List, const std::vector<TOPC_UA_Browsed_Variable>& Found,
                          const std::vector<bool>& Marked)
{
    int Left_Out = 0;
    for (size_t i = 0; i < Found.size() && i < Marked.size(); ++i) {
        if (!Marked[i])
            continue;
        if (List.size() >= size_t(OPC_UA_Max_Variables))
            ++Left_Out;
        else
            List.push_back(Found[i].Variable);
    }
    return Left_Out;
}
