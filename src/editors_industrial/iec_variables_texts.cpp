#include "editors_industrial/iec_variables_texts.h"

#include "common/lang_text_runs.h"

std::vector<TLangBlock> IEC_Variables_Lang_Blocks()
{
    QStringList t;
    t << QStringLiteral("Set Variables Access for IEC61850") << QStringLiteral("Set Variables Access for IEC61850");
    t << Lang_Row_Buttons();                                                              // 3502
    t << QStringLiteral("Confirm and save the IEC61850 Variables List")                   // 3508
      << QStringLiteral("Exit without save the IEC61850 Variables List") << Lang_Row_Command_Hints();
    // Headers, 3514
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Name") << QStringLiteral("Type")
      << QStringLiteral("Length") << QStringLiteral("Read Only") << QStringLiteral("Position")
      << QStringLiteral("Mnemonic");
    // Hints, 3522
    t << QStringLiteral("Enable or Disable the IEC61850 Variable") << QStringLiteral("Insert the Name of IEC61850 Variable")
      << QStringLiteral("Select the Type of IEC61850 Variable")
      << QStringLiteral("Insert the Length in byte of IEC61850 Variable (from 1 to 4)")
      << QStringLiteral("Enable or Disable the Read Only access of IEC61850 Variable")
      << QStringLiteral("Insert the Position in the internal data array")
      << QStringLiteral("Insert a description of IEC61850 Variable");
    t << QStringLiteral("Error row ") << QStringLiteral("!! Position must be between 0 and ")  // 3529
      << Lang_Delete_Row_Question();
    t << QStringLiteral("Start Bit") << QStringLiteral("Conversion") << QStringLiteral("Molt. Factor");  // 3532
    t << QStringLiteral("Select the Start Bit in the byte of the internal data array")                  // 3535
      << QStringLiteral("Select the Conversion of IEC61850 Variable")
      << QStringLiteral("Insert the Multiplication Factor of IEC61850 Variable, or None");
    t << QStringLiteral("!! Start Bit must be Selected ") << QStringLiteral("!! Conversion must be Selected ")  // 3538
      << QStringLiteral("!! Molt. Factor must be a valid Float") << QStringLiteral("!! Length must be between 1 and 4");
    t << QStringLiteral("Swap") << QStringLiteral("Swap Word");  // 3542
    t << QStringLiteral("Enable or Disable the swap of the bytes") << QStringLiteral("Enable or Disable the swap of the words");
    return {{3500, t}};
}
