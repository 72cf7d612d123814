#pragma once
// OPC_UA_Server.xml: the variables the device offers when it acts as an OPC UA server,
// one row per variable with its type, place and length in the device's data area.
//
// The server variables editor is the file's only reader and writer. Values stay the
// texts of the grid cells; only Enable is a check box ("Y" or "N" in the file).

#include <QString>

#include <optional>
#include <vector>

inline const QString OPC_UA_Server_Root_Name = QStringLiteral("OPC_UA_Server");
inline const QString OPC_UA_Server_SW_Version_Comment = QStringLiteral("SW_VERSION = 1.000");
// The editor's grid holds this many variables; further file rows are not loaded.
inline constexpr int OPC_UA_Server_Max_Rows = 250;
// Positions from 0 up to, not including, this bound pass the check.
inline constexpr int OPC_UA_Server_Position_Limit = 2000;

struct TOPC_UA_Server_Var_Row {
    bool Enable = true;  // a row without the attribute loads enabled
    QString Type;
    QString Position;
    QString Length;
    QString Name;
    QString ReadWrite;
    QString Mnemonic;

    bool operator==(const TOPC_UA_Server_Var_Row&) const = default;
};

struct TOPC_UA_Server_Vars_Load {
    std::vector<TOPC_UA_Server_Var_Row> Rows;  // file row i is grid row i + 1
    bool File_Found = false;
    // Why the load stopped, naming the file and the place; empty when it was read whole.
    QString Failure;
    int Left_Out = 0;  // rows past OPC_UA_Server_Max_Rows, not loaded

    // Saving now would drop part of the file: the editor asks before replacing it.
    bool Partial() const { return !Failure.isEmpty() || Left_Out > 0; }
};

// The length a type gives its variable: fixed sizes are read-only, the text types
// propose 10 and stay editable. The type is compared exactly; any other text, the empty
// one included, gives nothing (the length and its state stay as they are).
struct TOPC_UA_Server_Var_Length {
    QString Length;
    bool Read_Only = true;
};
std::optional<TOPC_UA_Server_Var_Length> OPC_UA_Server_Type_Length(const QString& Type);

// What choosing a type does to a row: the type's length when it has one, then "Read/Write"
// for an empty access. Returns the Length cell's new read-only state, or nothing when
// the type leaves the length and its state as they were.
std::optional<bool> OPC_UA_Server_Var_Set_Length(TOPC_UA_Server_Var_Row& Row, const QString& Type);

// The type names offered in the Type column, and the access names of the R/W column.
const QStringList& OPC_UA_Server_Var_Types();
const QStringList& OPC_UA_Server_RW_Types();

// The row number (1-based) of the first row that fails the check, or 0: an enabled
// row with a non-blank Type needs a whole Position from 0 below the limit. Rows with a
// blank Type are skipped, not an end.
int OPC_UA_Server_First_Bad_Row(const std::vector<TOPC_UA_Server_Var_Row>& Rows);

// Reads the file. No file: no rows, File_Found false. Never raises: a file that cannot
// be read or parsed, or a root without "OPC_UA_Server_Variables", ends the load and is
// reported in Failure. The root is the document's first node whatever its name; the
// section's element children are the rows, every attribute with its own default.
TOPC_UA_Server_Vars_Load Read_OPC_UA_Server_File(const QString& Path);

// Writes the whole file: root, version comment after it, the section with one "row" per
// row whose trimmed Type is not empty, in order (a row after a blank Type is kept), the
// cell texts unchanged. Raises on failure; the old file stays.
void Write_OPC_UA_Server_File(const QString& Path, const std::vector<TOPC_UA_Server_Var_Row>& Rows);
