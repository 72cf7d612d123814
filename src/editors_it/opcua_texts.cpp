#include "editors_it/opcua_texts.h"

#include "common/lang_text_runs.h"

std::vector<TLangBlock> OPC_UA_Client_Lang_Blocks()
{
    const QString displayNameHint = QStringLiteral("Insert the Display Name of the Variable");
    const QString nodeTypeHint = QStringLiteral("Select the Type of the Node ID");
    const QString nodeIdHint = QStringLiteral("Insert the Node ID of the Variable");
    const QString varTypeHint = QStringLiteral("Select the Type of the Variable");
    const QString nameSpaceHint = QStringLiteral("Insert the Name Space Index of the Node ID");
    const QString mnemonicHint = QStringLiteral("Insert a description of the Variable");
    QStringList t;
    // 4301 and 4303 are also the shell's shared entries, with the same texts.
    t << QStringLiteral("OPC UA Client Access") << QStringLiteral("OCP UA Client Access")  // 4300
      << QStringLiteral("List of OPC UA Servers");
    t << QStringLiteral("Add") << QStringLiteral("Modify") << QStringLiteral("Delete") << QStringLiteral("Scan");  // 4303
    t << QStringLiteral("Add a new OPC UA Server") << QStringLiteral("Modify the Selected OPC UA Server")  // 4307
      << QStringLiteral("Delete the Selected OPC UA Server")
      << QStringLiteral("Scan the Variables of the Selected OPC UA Server");
    // Server grid headers, 4311, and hints, 4322
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Server Address")
      << QStringLiteral("Authorization") << QStringLiteral("User") << QStringLiteral("Password")
      << QStringLiteral("Certificate") << QStringLiteral("Private Key") << QStringLiteral("Security Type")
      << QStringLiteral("Security Policy") << QStringLiteral("Mnemonic");
    t << QStringLiteral("OPC UA Server Enabled (Y) or Disabled (N)") << QStringLiteral("Address of the OPC UA Server")
      << QStringLiteral("Authorization used with the OPC UA Server")
      << QStringLiteral("User Name used with the OPC UA Server")
      << QStringLiteral("Password used with the OPC UA Server")
      << QStringLiteral("Certificate used with the OPC UA Server")
      << QStringLiteral("Private Key used with the OPC UA Server")
      << QStringLiteral("Security Type of the connection") << QStringLiteral("Security Policy of the connection")
      << QStringLiteral("Description of the OPC UA Server");
    t << QStringLiteral("List of Variables of the Selected OPC UA Server");  // 4332
    t << Lang_Row_Buttons();                                                 // 4333
    t << QStringLiteral("Confirm and save the OPC UA Client Access List")    // 4339
      << QStringLiteral("Exit without save the OPC UA Client Access List") << Lang_Row_Command_Hints();
    // Read grid headers, 4345, and hints, 4355
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Display Name")
      << QStringLiteral("Node Type") << QStringLiteral("Node ID") << QStringLiteral("Var Type")
      << QStringLiteral("Name Space Index") << QStringLiteral("Time (ms)") << QStringLiteral("Position")
      << QStringLiteral("Mnemonic");
    t << QStringLiteral("Enable or Disable the Reading of the Variable") << displayNameHint << nodeTypeHint
      << nodeIdHint << varTypeHint << nameSpaceHint
      << QStringLiteral("Insert the Time in milliseconds between two Readings")
      << QStringLiteral("Insert the position of array where put the Variable read") << mnemonicHint;
    // Write grid headers, 4364, and hints, 4377 (On CMD's hint comes before On Change's)
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Display Name")
      << QStringLiteral("Node Type") << QStringLiteral("Node ID") << QStringLiteral("Var Type")
      << QStringLiteral("Name Space Index") << QStringLiteral("On Change") << QStringLiteral("On CMD")
      << QStringLiteral("On Timer") << QStringLiteral("Time (ms)") << QStringLiteral("Position")
      << QStringLiteral("Mnemonic");
    t << QStringLiteral("Enable or Disable the Writing of the Variable") << displayNameHint << nodeTypeHint
      << nodeIdHint << varTypeHint << nameSpaceHint
      << QStringLiteral("Enable or Disable the possibility to write the Variable on Command")
      << QStringLiteral("Enable or Disable the possibility to write the Variable if the Data changes")
      << QStringLiteral("Enable or Disable the possibility to write the Variable cyclically")
      << QStringLiteral("Insert the Time in milliseconds between two Writings")
      << QStringLiteral("Insert the position of array where take the Variable to write") << mnemonicHint;
    t << QStringLiteral("Do you really want to delete the selected OPC UA Server?")  // 4389
      << QStringLiteral("Error!! Select one Server OPC UA before use the Scan operation")
      << QStringLiteral("Do you want to append the new variables in Read?")
      << QStringLiteral("Do you want to append the new variables in Write?") << Lang_Delete_Row_Question()
      << QStringLiteral("With this operation all the positions for this Server OPC UA will be overwritten. Do you "
                        "want to continue?");
    t << QStringLiteral(" ") << QStringLiteral(" ");  // 4395, 4396: read by no window
    for (const char* side : {"Read", "Write"}) {      // 4397 and 4401
        const QString head = QStringLiteral("Error in Server Number %d in %1 Variable %d!! ").arg(QLatin1String(side));
        t << head + QStringLiteral("Time cannot be empty") << head + QStringLiteral("Time must be major to 0")
          << head + QStringLiteral("Position cannot be empty")
          << head + QStringLiteral("Position must be between 0 and %d");
    }
    for (int i = 4405; i <= 4416; ++i)  // read by no window
        t << QStringLiteral(" ");
    return {{4300, t}};
}

std::vector<TLangBlock> OPC_UA_Add_Server_Lang_Blocks()
{
    return {{4500,
             {
                 QStringLiteral("Add OPC UA Server"),  // 4500
                 QStringLiteral("Add OPC UA Server"),
                 QStringLiteral("Modify OPC UA Server"),
                 QStringLiteral("Modify OPC UA Server"),
                 QStringLiteral("Enable OPC UA Server"),  // 4504
                 QStringLiteral("Enable or Disable the OPC UA Server"),
                 QStringLiteral("Server Address"),
                 QStringLiteral("Insert the URL of the OPC UA Server (Ex. opc.tcp://192.168.1.125:4840)"),
                 QStringLiteral("Authorization"),  // 4508
                 QStringLiteral("Select the Authorization used with the OPC UA Server"),
                 QStringLiteral("User Name"),  // 4510
                 QStringLiteral("Insert the User Name"),
                 QStringLiteral("Password"),
                 QStringLiteral("Insert the Password"),
                 QStringLiteral("Certificate"),  // 4514
                 QStringLiteral("Paste the Certificate"),
                 QStringLiteral("Private Key"),
                 QStringLiteral("Paste the Private Key of the Certificate"),
                 QStringLiteral("Security Type"),  // 4518
                 QStringLiteral("Select the Security Type of the connection"),
                 QStringLiteral("Security Policy"),  // 4520
                 QStringLiteral("Select the Security Policy of the connection"),
                 QStringLiteral("Mnemonic"),
                 QStringLiteral("Insert a description of the OPC UA Server"),
                 QStringLiteral("OK"),  // 4524
                 QStringLiteral("Confirm the OPC UA Server settings"),
                 QStringLiteral("Cancel"),
                 QStringLiteral("Exit without save the OPC UA Server settings"),
                 QStringLiteral("Error!! The Server Address cannot be empty"),  // 4528
                 QStringLiteral("Error!! The Username cannot be empty"),
                 QStringLiteral("Error!! The Password cannot be empty"),
                 QStringLiteral("Error!! The Certificate cannot be empty"),
                 QStringLiteral("Error!! The Private Key cannot be empty"),  // 4532
             }}};
}

std::vector<TLangBlock> OPC_UA_Scan_Lang_Blocks()
{
    // 4617 to 4622 and 4625 are read by no window; they hold the result columns' hints.
    return {{4600,
             {
                 QStringLiteral("Scan Server OPC UA"),  // 4600
                 QStringLiteral("Scan Server OPC UA"),
                 QStringLiteral("OK"),
                 QStringLiteral("Cancel"),
                 QStringLiteral("Select All R"),
                 QStringLiteral("Clear All R"),
                 QStringLiteral("Add the marked Variables to the OPC UA Server"),  // 4606
                 QStringLiteral("Exit without add the Variables"),
                 QStringLiteral("Mark all Variables for Read"),
                 QStringLiteral("Clear the Read mark of all Variables"),
                 QStringLiteral("N"),  // 4610
                 QStringLiteral("Read"),
                 QStringLiteral("Display Name"),
                 QStringLiteral("Node Type"),
                 QStringLiteral("Node Identifier"),
                 QStringLiteral("Data Type"),
                 QStringLiteral("Name Space Index"),
                 QStringLiteral("Mark the Variable for Read"),  // 4617
                 QStringLiteral("Display Name of the Variable"),
                 QStringLiteral("Type of the Node ID"),
                 QStringLiteral("Node ID of the Variable"),
                 QStringLiteral("Data Type of the Variable"),
                 QStringLiteral("Name Space Index of the Node ID"),
                 QStringLiteral("WAITING FOR SCAN..."),  // 4623
                 QStringLiteral("Write"),
                 QStringLiteral("Mark the Variable for Write"),
                 QStringLiteral("Select All W"),  // 4626
                 QStringLiteral("Clear All W"),
                 QStringLiteral("Mark all Variables for Write"),
                 QStringLiteral("Clear the Write mark of all Variables"),
                 QStringLiteral("Error DLL not Found!!"),  // 4630
                 QStringLiteral("Error Functions in DLL not Found!!"),
             }}};
}

std::vector<TLangBlock> OPC_UA_Server_Lang_Blocks()
{
    QStringList t;
    t << QStringLiteral("Definition of OPC UA Server Variables")  // 4700
      << QStringLiteral("Definition of OPC UA Server Variables");
    t << Lang_Row_Buttons();                                        // 4702
    t << QStringLiteral("Confirm and save the OPC UA Server Variables List")  // 4708
      << QStringLiteral("Exit without save the OPC UA Server Variables List") << Lang_Row_Command_Hints();
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Type") << QStringLiteral("Position")  // 4714
      << QStringLiteral("Length") << QStringLiteral("Name") << QStringLiteral("Mnemonic");
    // 4721 to 4726 and 4730: the columns' hints, which the grid does not show
    t << QStringLiteral("Enable or Disable the OPC UA Server Variable")
      << QStringLiteral("Select the Type of OPC UA Server Variable")
      << QStringLiteral("Insert the position of the Variable in the internal data array")
      << QStringLiteral("Insert the Length in byte of OPC UA Server Variable")
      << QStringLiteral("Insert the Name of OPC UA Server Variable")
      << QStringLiteral("Insert a description of OPC UA Server Variable");
    t << QStringLiteral("Error row %d!! Position Must be Between 0 and %d")  // 4727
      << QStringLiteral("Are you sure to delete the Row number %d") << QStringLiteral("R/W")
      << QStringLiteral("Select the access of OPC UA Server Variable (Read Only or Read/Write)");
    return {{4700, t}};
}
