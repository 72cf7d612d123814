#pragma once
// Browsing an OPC UA server through the outside library libOPC_UA_Search.so (records
// and entry points in common/opcua_records.h). The browse runs on the caller's
// thread and returns what the library found, every text copied while the library was
// loaded, or why the library could not be used. Turning found variables into variables
// of a server's lists is separate, since the user picks which ones.

#include "editors_it/opcua_client_file.h"
#include "common/opcua_records.h"

#include <QString>

#include <cstdint>
#include <vector>

inline const QString OPC_UA_Search_Library_Name = QStringLiteral("libOPC_UA_Search.so");

// Texts of the failures (second line: the path looked for, or the missing function).
inline constexpr int OPC_UA_Text_Library_Not_Found = 4630;
inline constexpr int OPC_UA_Text_Function_Not_Found = 4631;

// One record of the library: the variable it becomes in a server's list (enabled, the
// display name, identifier and data type copied, every other text empty), and how the
// server lets it be used.
struct TOPC_UA_Browsed_Variable {
    TOPC_UA_Variable Variable;
    uint8_t accessLevel = 0;

    // Access level 0 counts as both.
    bool Readable() const { return accessLevel == 0 || (accessLevel & 1u); }
    bool Writable() const { return accessLevel == 0 || (accessLevel & 2u); }
    // "Read" for level 1, "Write" for 2, "Read/Write" for any other.
    QString Access_Text() const;

    bool operator==(const TOPC_UA_Browsed_Variable&) const = default;
};

struct TOPC_UA_Browse_Result {
    std::vector<TOPC_UA_Browsed_Variable> Variables;  // a count of 0 or less: none
    int Failure_Text = 0;     // 0, OPC_UA_Text_Library_Not_Found or ..._Function_Not_Found
    QString Failure_Detail;   // the library path looked for, or the missing function's name

    bool Failed() const { return Failure_Text != 0; }
    // The failure's text from the text table, the detail on its second line.
    QString Failure_Message() const;
};

// The folder the library is looked for in: the program folder, unless a test has
// pointed it elsewhere (an empty folder restores the program folder).
QString OPC_UA_Search_Library_Path();
void Set_OPC_UA_Search_Folder_For_Tests(const QString& Folder);

// The server's settings as the library's record takes them: codes by the routines of
// the common services, texts in Windows-1252. Texts keeps the 8-bit copies the record
// points into; the record is valid as long as Texts lives unchanged.
struct TOPC_UA_Server_Texts {
    QByteArray Address, UserName, Password, Certificate, PrivateKey;
};
opcua_server_to_discover OPC_UA_Server_Record(const TOPC_UA_Server& Server, TOPC_UA_Server_Texts& Texts);

// Loads the library, browses the server and unloads the library.
TOPC_UA_Browse_Result OPC_UA_Browse(const TOPC_UA_Server& Server);

// Appends the found variables whose mark is set (Marked[i] for Found[i]) to List, as
// long as the list has fewer than OPC_UA_Max_Variables; returns how many marked ones
// did not fit.
int OPC_UA_Append_Browsed(std::vector<TOPC_UA_Variable>& List, const std::vector<TOPC_UA_Browsed_Variable>& Found,
                          const std::vector<bool>& Marked);
