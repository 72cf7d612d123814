#include "common/start_program.h"

#include "platform/core/process.h"
#include "platform/ui/dialogs.h"

namespace {
constexpr int Program_Wait_Ms = 150000;
}

bool Start_Program(const QString& NomeSW, const QString& Parameter, uint8_t tipo)
{
    const TLaunchResult r = LaunchAndWait(NomeSW, SplitParameters(Parameter), tipo, Program_Wait_Ms);
    if (r.Status == TLaunchStatus::CouldNotStart) {
        QString text = QStringLiteral("The program \"%1\" could not be started.").arg(NomeSW);
        if (!r.Error.isEmpty())
            text += QLatin1Char('\n') + r.Error;
        MessageDlg(text, mtError, mbOK);
        return false;
    }
    return true;
}
