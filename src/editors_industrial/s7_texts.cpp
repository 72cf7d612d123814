#include "editors_industrial/s7_texts.h"

#include "common/lang_text_runs.h"

namespace {

// The two grids' texts come in read/write pairs of runs; Side names the grid in messages.
struct TSide {
    bool Read;
    QString Tag;  // "!! [S7comm Read] " or "!! [S7comm Write] "
    QString Rule;  // "S7comm Read Rule" or "S7comm Write Rule"
};

const TSide Sides[2] = {
    {true, QStringLiteral("!! [S7comm Read] "), QStringLiteral("S7comm Read Rule")},
    {false, QStringLiteral("!! [S7comm Write] "), QStringLiteral("S7comm Write Rule")},
};

QStringList Common_Hints(const TSide& s)  // Enable to PLC Type
{
    return {QStringLiteral("Enable or Disable the %1").arg(s.Rule),
            QStringLiteral("Insert the IP Address of the PLC (Ex. 192.168.1.125)"),
            QStringLiteral("Insert the TCP Port of the PLC (from 0 to 65535)"), QStringLiteral("Select the Type of the PLC")};
}

QStringList Data_Hints(const TSide& s)  // Data Type and Data Identifier
{
    return {s.Read ? QStringLiteral("Select the Data Type to read from the PLC")
                   : QStringLiteral("Select the Data Type to write in the PLC"),
            QStringLiteral("Select the Data Identifier of the PLC")};
}

}  // namespace

std::vector<TLangBlock> S7_Lang_Blocks()
{
    QStringList t;
    t << QStringLiteral("S7comm Access") << QStringLiteral("S7comm Access");  // 4900
    t << Lang_Row_Buttons();                                                  // 4902
    t << QStringLiteral("Confirm and save the S7comm Access List")            // 4908
      << QStringLiteral("Exit without save the S7comm Access List") << Lang_Row_Command_Hints();
    t << QStringLiteral("S7comm Read") << QStringLiteral("S7comm Write");     // 4914
    // Read headers, 4916
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("PLC Address") << QStringLiteral("PLC Port")
      << QStringLiteral("PLC Type") << QStringLiteral("Data Type") << QStringLiteral("Data Identifier")
      << QStringLiteral("Poll Time") << QStringLiteral("Position") << QStringLiteral("Start Bit")
      << QStringLiteral("Swap") << QStringLiteral("Swap Word") << QStringLiteral("Mnemonic");
    // Write headers, 4929
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("PLC Address") << QStringLiteral("PLC Port")
      << QStringLiteral("PLC Type") << QStringLiteral("Data Type") << QStringLiteral("Data Identifier")
      << QStringLiteral("Poll Time") << QStringLiteral("On Change") << QStringLiteral("On CMD")
      << QStringLiteral("Position") << QStringLiteral("Start Bit") << QStringLiteral("Swap")
      << QStringLiteral("Swap Word") << QStringLiteral("Mnemonic");
    // Read hints, 4944, and write hints, 4956
    for (const TSide& s : Sides) {
        t << Common_Hints(s) << Data_Hints(s);
        t << (s.Read ? QStringLiteral("Insert the Time in milliseconds between two S7comm Read Requests")
                     : QStringLiteral("Insert the Time in milliseconds between two S7comm Write Requests"));
        if (!s.Read)
            t << QStringLiteral("Enable or Disable the possibility to send the S7comm Write Request if the Data changes")
              << QStringLiteral("Enable or Disable the possibility to send the S7comm Write Request on Command");
        t << (s.Read ? QStringLiteral("Select the position of array where put the Data read from the PLC")
                     : QStringLiteral("Select the position of array where take the Data to write in the PLC"))
          << QStringLiteral("Select the Start Bit in the byte of the array")
          << QStringLiteral("Enable or Disable the swap of the bytes")
          << QStringLiteral("Enable or Disable the swap of the words")
          << QStringLiteral("Insert a description of the %1").arg(s.Rule);
    }
    t << QStringLiteral("Error row ");  // 4970
    // Read messages, 4971, and write messages, 4979
    for (const TSide& s : Sides)
        t << s.Tag + QStringLiteral("PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)")
          << s.Tag + QStringLiteral("PLC Port must be between 0 and 65535")
          << s.Tag + QStringLiteral("PLC Type cannot be empty") << s.Tag + QStringLiteral("Data Type cannot be empty")
          << s.Tag + QStringLiteral("Data Identifier cannot be empty")
          << s.Tag + (s.Read ? QStringLiteral("Poll Time must be between 1 and 100000000")
                             : QStringLiteral("Poll Time must be between 0 and 100000000"))
          << s.Tag + QStringLiteral("Position must be between 0 and ")
          << s.Tag + QStringLiteral("Start Bit cannot be empty");
    for (const TSide& s : Sides)  // 4987
        t << s.Tag + QStringLiteral("Device support 10 connection");
    for (int grid = 0; grid < 2; ++grid)  // headers 4989 and 4993
        t << QStringLiteral("DB Number") << QStringLiteral("PLC Area") << QStringLiteral("PLC Add")
          << QStringLiteral("PLC Bit");
    for (int grid = 0; grid < 2; ++grid)  // hints 4997 and 5001
        t << QStringLiteral("Insert the DB Number (from 0 to 65535)") << QStringLiteral("Select the Area of the PLC")
          << QStringLiteral("Insert the Address in the Area of the PLC (from 0 to 65535)")
          << QStringLiteral("Select the Bit in the Address of the PLC");
    for (const TSide& s : Sides)  // messages 5005 and 5009
        t << s.Tag + QStringLiteral("DB Number must be between 0 and 65535")
          << s.Tag + QStringLiteral("PLC Area cannot be empty")
          << s.Tag + QStringLiteral("PLC Address must be between 0 and 65535")
          << s.Tag + QStringLiteral("PLC Bit cannot be empty");
    for (int grid = 0; grid < 2; ++grid)  // headers 5013 and 5015
        t << QStringLiteral("Rack") << QStringLiteral("Slot");
    for (int grid = 0; grid < 2; ++grid)  // hints 5017 and 5019
        t << QStringLiteral("Insert the Rack of the PLC (from 0 to 3)")
          << QStringLiteral("Insert the Slot of the PLC (from 0 to 31)");
    for (const TSide& s : Sides)  // messages 5021 and 5023
        t << s.Tag + QStringLiteral("Rack must be between 0 and 3") << s.Tag + QStringLiteral("Slot must be between 0 and 31");
    // The window's own range ends at 5024; the first free entry after it carries the question.
    t << Lang_Delete_Row_Question();  // 5025
    return {{4900, t}};
}
