// Step 5 of the main window: folder question, overwrite question, document
// and package, and the messages when something is refused or missing.

#include "enip_outputs/iodd_writer.h"
#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"

bool Save_IODD_File()
{
    const TWorkingState& ws = WS();
    QString folder;
    if (!SelectDirectory(QString(), ws.Dir_Project, folder))
        return false;

    // The date is taken once, so the document and the package carry the same one.
    int year = 0, month = 0, day = 0;
    DecodeDate(Now(), year, month, day);
    const QDate date(year, month, day);
    const QString base = IODD_Base_Name(date);
    const QString package = PathJoin(folder, base + QStringLiteral(".zip"));
    if (FileExists(package) && MessageDlg(Lang_Str(1505), mtConfirmation, mbYesNo) != mrYes)
        return false;

    const TIODD_Data data = Load_IODD_Data(ws.Name_File_ParGen, ws.Name_File_IOLink_Slave);
    const QString refused = Check_IODD_Data(data);
    if (!refused.isEmpty()) {
        MessageDlg(refused, mtError, mbOK);
        return false;
    }
    if (!data.Warnings.isEmpty())
        MessageDlg(data.Warnings.join(QLatin1Char('\n')), mtWarning, mbOK);
    const QString document = PathJoin(ws.Dir_IODD, base + QStringLiteral(".xml"));
    Write_IODD_Xml(document, data, date);

    QString failed;
    const bool hadPackage = FileExists(package);
    if (!Zip_IODD_Files(package, document, ws.Dir_IODD, &failed)) {
        if (failed == package)
            MessageDlg(hadPackage ? QStringLiteral("The IODD package %1 cannot be written; the previous package is "
                                                   "kept.")
                                        .arg(package)
                                  : QStringLiteral("The IODD package %1 cannot be written.").arg(package),
                       mtError, mbOK);
        else
            MessageDlg(QStringLiteral("The IODD package %1 is incomplete: %2 could not be added.").arg(package, failed),
                       mtError, mbOK);
        return false;
    }
    return true;
}
