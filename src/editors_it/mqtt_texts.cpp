#include "editors_it/mqtt_texts.h"

#include "common/lang_text_runs.h"

std::vector<TLangBlock> MQTT_Topic_Lang_Blocks()
{
    const QString swapHint = QStringLiteral("Enable or Disable the swap of the bytes");
    const QString swapWordHint = QStringLiteral("Enable or Disable the swap of the words");
    const QString retainedHint = QStringLiteral("Enable or Disable the Retained flag of MQTT Message");
    const QString qosHint = QStringLiteral("Select the QoS of MQTT Message (0, 1 or 2)");
    const QString mnemonicHint = QStringLiteral("Insert a description of MQTT Topic");
    const QString dataTypeHint = QStringLiteral("Select the Data Type of MQTT Message");
    const QString dimensionHint = QStringLiteral("Insert the Dimension in byte of the Data");
    const QString templateHint = QStringLiteral("Insert the Template of MQTT Message (double click to edit)");
    const QString inputTemplateHint = QStringLiteral("Insert the Input Template of MQTT Message");
    const QString ipHint = QStringLiteral("Insert the IP Address of the Device (Ex. 192.168.2.167)");
    QStringList t;
    t << QStringLiteral("Set MQTT Topics") << QStringLiteral("Set MQTT Topics");  // 3900
    t << Lang_Row_Buttons();                                                      // 3902
    t << QStringLiteral("Confirm and save the MQTT Topics List")                   // 3908
      << QStringLiteral("Exit without save the MQTT Topics List") << Lang_Row_Command_Hints();
    t << QStringLiteral("N") << QStringLiteral("Topic") << QStringLiteral("Retained") << QStringLiteral("QoS")  // 3914
      << QStringLiteral("Mnemonic");
    t << QStringLiteral("Insert the Topic of MQTT Message to Publish") << retainedHint << qosHint << mnemonicHint;
    t << Lang_Delete_Row_Question();  // 3923
    t << QStringLiteral("N") << QStringLiteral("Topic") << QStringLiteral("Retained") << QStringLiteral("QoS")  // 3924
      << QStringLiteral("Mnemonic");
    t << QStringLiteral("Insert the Topic of MQTT Message to Subscribe") << retainedHint << qosHint << mnemonicHint;
    t << QStringLiteral("MQTT Publish") << QStringLiteral("MQTT Subscribe");  // 3933
    t << QStringLiteral("Template") << templateHint;                           // 3935
    t << QStringLiteral("Data Type") << QStringLiteral("Dimension") << QStringLiteral("Position");  // 3937
    t << dataTypeHint << dimensionHint << QStringLiteral("Insert the position of array where take the Data to Publish");
    t << QStringLiteral("Data Type") << QStringLiteral("Dimension") << QStringLiteral("Position")  // 3943
      << QStringLiteral("Template");
    t << dataTypeHint << dimensionHint << QStringLiteral("Insert the position of array where put the Data Received")
      << templateHint;
    t << QStringLiteral("Error row ");  // 3951
    for (const char* side : {"MQTT Publish", "MQTT Subscribe"}) {
        const QString head = QStringLiteral("!! [%1] ").arg(QLatin1String(side));
        t << head + QStringLiteral("Data Type must be selected")
          << head + QStringLiteral("Dimension must be equal to 1 or 2 or 4 or 8")
          << head + QStringLiteral("Dimension must be equal to 4 or 8")
          << head + QStringLiteral("Dimension must be major of 0")
          << head + QStringLiteral("Position must be beetween 0 and ");
    }
    t << QStringLiteral("IP Address") << QStringLiteral("Input Template") << ipHint << inputTemplateHint;  // 3962
    // Subscribe columns, 3966; the grid writes its Type header and Input Template hint
    // itself, 3968 and 3973 hold the same texts.
    t << QStringLiteral("IP Address") << QStringLiteral("Port") << QStringLiteral("Type")
      << QStringLiteral("Input Template");
    t << ipHint << QStringLiteral("Insert the Port of the Device (from 0 to 65535)")
      << QStringLiteral("Select the Type of Connection (TCP or UDP)") << inputTemplateHint;
    t << QStringLiteral("!! [MQTT Publish] IP Address must be a Valid IP Address (Ex. 192.168.2.167)")  // 3974
      << QStringLiteral("!! [MQTT Subscribe] IP Address must be a Valid IP Address (Ex. 192.168.2.167)")
      << QStringLiteral("!! [MQTT Subscribe] Port must be between 0 and 65535")
      << QStringLiteral("!! [MQTT Publish] Input Template not Correct, Check the Keywords")
      << QStringLiteral("!! [MQTT Publish] Template not Correct, Check the Keywords")
      << QStringLiteral("!! [MQTT Subscribe] Input Template not Correct, Check the Keywords")
      << QStringLiteral("!! [MQTT Subscribe] Template not Correct, Check the Keywords");
    t << QStringLiteral("OnChange")  // 3981
      << QStringLiteral("Enable or Disable the possibility to publish the MQTT Message if the Data changes");
    t << QStringLiteral("OnCMD") << QStringLiteral("OnTimer") << QStringLiteral("Time(ms)");  // 3983
    t << QStringLiteral("Enable or Disable the possibility to publish the MQTT Message on Command")
      << QStringLiteral("Enable or Disable the possibility to publish the MQTT Message cyclically")
      << QStringLiteral("Insert the Time in milliseconds between two publications");
    t << QStringLiteral("!! [MQTT Publish] Time(ms) must be between 1 and 1000000000");  // 3989
    t << QStringLiteral("Channel") << QStringLiteral("Select the Channel of the Data");    // 3990
    t << QStringLiteral(" ");                                                              // 3992, read by no window
    t << QStringLiteral("Swap") << QStringLiteral("Swap Word");                            // 3993
    t << swapHint << swapWordHint << swapHint << swapWordHint;                             // 3995
    return {{3900, t}};
}

std::vector<TLangBlock> Topic_Template_Lang_Blocks()
{
    return {{4000,
             {
                 QStringLiteral("Set Topic"),  // 4000
                 QStringLiteral("Set Template"),
                 QStringLiteral("Set Topic"),
                 QStringLiteral("Set Template"),
                 QStringLiteral("List of keywords"),
                 QStringLiteral("Keyword"),
                 QStringLiteral("Description of Keyword"),
                 QStringLiteral("OK"),
                 QStringLiteral("Cancel"),  // 4008
             }}};
}
