// Step 6 of the main window, the parts that talk to the user.

#include "enip_outputs/bank_compiler.h"
#include "platform/core/exceptions.h"
#include "platform/ui/dialogs.h"
#include "common/working_state.h"

bool Build_Banks()
{
    const TWorkingState& ws = WS();
    try {
        Compile_Banks({ws.Name_File_ParGen, ws.Name_File_EtherNetIP_Master_Rules, ws.Name_File_IOLink_Slave});
    } catch (const Exception& e) {
        MessageDlg(e.Message(), mtError, mbOK);
        return false;
    }
    if (!Bank_Warnings().isEmpty())
        MessageDlg(Bank_Warnings().join(QLatin1Char('\n')), mtWarning, mbOK);
    return true;
}

void Compile_Banks()
{
    const TWorkingState& ws = WS();
    Compile_Banks({ws.Name_File_ParGen, ws.Name_File_EtherNetIP_Master_Rules, ws.Name_File_IOLink_Slave});
}

bool Save_Banks()
{
    QString failed;
    if (Write_Bank_Files(WS().Dir_Project, &failed))
        return true;
    MessageDlg(QStringLiteral("The bank file %1 cannot be written. The device is not updated.").arg(failed), mtError,
               mbOK);
    return false;
}
