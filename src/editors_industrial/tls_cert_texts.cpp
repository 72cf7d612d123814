#include "editors_industrial/tls_cert_texts.h"

std::vector<TLangBlock> TLS_Cert_Lang_Blocks()
{
    return {{3600,
             {
                 QStringLiteral("Definition the list of Known Certificates"),  // 3600
                 QStringLiteral("Definition the list of Known Certificates"),
                 QStringLiteral("OK"),
                 QStringLiteral("Cancel"),
                 QStringLiteral("Delete Row"),
                 QStringLiteral("Insert Row"),
                 QStringLiteral("Copy Row"),
                 QStringLiteral("Paste Row"),
                 QStringLiteral("Confirm and save the TLS Certificates List"),  // 3608
                 QStringLiteral("Exit without save the TLS Certificates List"),
                 QStringLiteral("Delete the selected Row in the table"),
                 QStringLiteral("Insert a Row in the Table"),
                 QStringLiteral("Copy all Fields of the Selected Row"),
                 QStringLiteral("Paste the Copied Fields in the Selected Row"),
                 QStringLiteral("N"),  // 3614
                 QStringLiteral("Enable"),
                 QStringLiteral("Certificate"),
                 QStringLiteral("Mnemonic"),
                 QStringLiteral("Enable/Disable the Row with TLS Certificate"),  // 3618
                 QStringLiteral("Insert the TLS Certificate"),
                 QStringLiteral("Insert a Description of TLS Certificate"),
                 QStringLiteral("Are you sure to delete the Row number "),  // 3621
             }}};
}
