#include "editors_industrial/ethercat_texts.h"

#include "common/lang_text_runs.h"

std::vector<TLangBlock> EtherCAT_Lang_Blocks()
{
    QStringList t;
    t << QStringLiteral("EtherCAT Slave Set Access") << QStringLiteral("EtherCAT Slave Set Access");  // 3300
    t << Lang_Row_Buttons();                                                                            // 3302
    t << QStringLiteral("Confirm and save the EtherCAT Slave Variables List")                           // 3308
      << QStringLiteral("Exit without save the EtherCAT Slave Variables List") << Lang_Row_Command_Hints();
    const QString lengthHint = QStringLiteral("Insert the Dimension in byte of EtherCAT Slave String Variable");
    // Slave To Master headers, 3314; 3318 is read by no window
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Type") << QStringLiteral("Length")
      << QStringLiteral(" ") << QStringLiteral("Name") << QStringLiteral("Init Value") << QStringLiteral("Position")
      << QStringLiteral("Start Bit") << QStringLiteral("Mnemonic");
    // Slave To Master hints, 3324; 3327 is read by no window
    t << QStringLiteral("Enable or Disable the EtherCAT Slave Variable")
      << QStringLiteral("Select the Type of EtherCAT Slave Variable") << lengthHint << QStringLiteral(" ")
      << QStringLiteral("Insert the Name of EtherCAT Slave Variable")
      << QStringLiteral("Insert the Initial Value of EtherCAT Slave Variable")
      << QStringLiteral("Position in byte of EtherCAT Slave Variable, computed automatically")
      << QStringLiteral("Start Bit of EtherCAT Slave Variable, computed automatically")
      << QStringLiteral("Insert a description of EtherCAT Slave Variable");
    t << QStringLiteral("Are you sure to delete the Row number %d");                    // 3333
    t << QStringLiteral("Slave To Master") << QStringLiteral("Master To Slave");         // 3334
    // Master To Slave headers, 3336
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Type") << QStringLiteral("Length")
      << QStringLiteral("Name") << QStringLiteral("Position") << QStringLiteral("Start Bit")
      << QStringLiteral("Mnemonic");
    // Master To Slave hints, 3344
    t << QStringLiteral("Enable or Disable the EtherCAT Slave Variable")
      << QStringLiteral("Select the Type of EtherCAT Slave Variable") << lengthHint
      << QStringLiteral("Insert the Name of EtherCAT Slave Variable")
      << QStringLiteral("Position in byte of EtherCAT Slave Variable, computed automatically")
      << QStringLiteral("Start Bit of EtherCAT Slave Variable, computed automatically")
      << QStringLiteral("Insert a description of EtherCAT Slave Variable");
    return {{3300, t}};
}
