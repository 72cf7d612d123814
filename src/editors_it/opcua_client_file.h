#pragma once
// OPC_UA_Client.xml: the OPC UA servers the device connects to as a client, each with
// the variables it reads from the server and the ones it writes to it.
//
// The OPC UA client editor loads the file when it is shown and writes it on OK; the
// server browse creates variables from what it found. Connection settings and the
// variables' Time and Position stay the texts the user typed; the node identifier and
// the data type are held as the numbers the device works with and shown as text.

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

inline const QString OPC_UA_Client_Root_Name = QStringLiteral("OPC_UA_Client");
// A variable grid of the editor holds this many variables; longer lists are not loaded.
inline constexpr int OPC_UA_Max_Variables = 1024;

class TOPC_UA_Variable {
public:
    bool Enable = false;
    QString DispalyName;
    QString ReadWrite;  // kept, never filled by the editors
    QString OnChange;   // "Y" or "N"; a browsed variable starts empty
    QString OnCMD;
    QString OnTimer;
    QString Time;       // period in milliseconds, as typed
    QString Position;   // byte offset in the device's data area, as typed
    QString Mnemonic;

    uint16_t nameSpaceIndex = 0;
    uint16_t identifierType = 0;  // 0 numeric, 3 string, 4 GUID, 5 byte string
    uint32_t numeric = 0;
    QString stringname;
    uint32_t guide1 = 0;
    uint16_t guide2 = 0;
    uint16_t guide3 = 0;
    std::array<uint8_t, 8> guide4{};
    QString byteString;
    int32_t dataType = 0;  // 0 "Boolean" to 14 "ByteString"

    // "Numeric", "String", "Guid", "ByteString" (other codes: empty); set
    // case-insensitively, an unknown text gives Numeric.
    QString NodeType() const;
    void SetNodeType(const QString& Text);

    // The identifier as text by the current node type. Setting it reads the text by the
    // current node type, so the node type is set first. A GUID reads as upper-case
    // 8-4-4-4-12; see the source for how a GUID text is taken apart.
    QString NodeID() const;
    void SetNodeID(const QString& Text);

    // The data type's name; codes outside 1 to 14 read "Boolean". Set by the name,
    // case-insensitively; an unknown name gives 0.
    QString VarType() const;
    void SetVarType(const QString& Text);

    bool operator==(const TOPC_UA_Variable&) const = default;
};

class TOPC_UA_Server {
public:
    bool Enable = false;
    QString ServerAddress;
    QString Authorization;   // "Anonymous", "Username and Password" or "Certificate"
    QString UserName;
    QString Password;        // as typed, stored in plain text
    QString Certificate;     // multi-line text
    QString PrivateKey;      // multi-line text
    QString SecurityType;    // "None", "Sign" or "Sign and Encrypt"
    QString SecurityPolicy;
    QString Mnemonic;

    // The read and the write variables in display order; the server owns them.
    std::vector<TOPC_UA_Variable> Var_List_R;
    std::vector<TOPC_UA_Variable> Var_List_W;

    bool operator==(const TOPC_UA_Server&) const = default;
};

// A variable list of the file that held more than OPC_UA_Max_Variables.
struct TOPC_UA_Left_Out {
    int Server = 0;      // 1-based, in file order
    bool Write = false;  // false: the read list
    int Count = 0;       // variables not loaded

    bool operator==(const TOPC_UA_Left_Out&) const = default;
};

struct TOPC_UA_Client_Load {
    std::vector<TOPC_UA_Server> Servers;
    bool File_Found = false;
    // Why the load stopped early, naming the file and the place; empty when the whole
    // file was read. The servers completed before that point are in Servers.
    QString Failure;
    // Lists cut at OPC_UA_Max_Variables, in file order.
    std::vector<TOPC_UA_Left_Out> Left_Out;

    // Saving now would drop part of the file: the editor asks before replacing it.
    bool Partial() const { return !Failure.isEmpty() || !Left_Out.empty(); }
    int Left_Out_Count() const;
};

// Reads the file. No file: no servers, File_Found false. Never raises: a file that
// cannot be read or parsed, a missing element or a missing required attribute ends the
// load there and is reported in Failure (the server being read is dropped). The root
// "OPC_UA_Client" is looked up by name among the document's nodes.
TOPC_UA_Client_Load Read_OPC_UA_Client_File(const QString& Path);

// Writes the whole file: the root, the server list, per server its variables, every
// element even when empty. No version comment. Raises on failure; the old file stays.
void Write_OPC_UA_Client_File(const QString& Path, const std::vector<TOPC_UA_Server>& Servers);
