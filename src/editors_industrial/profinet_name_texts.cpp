#include "editors_industrial/profinet_name_texts.h"

std::vector<TLangBlock> Profinet_Name_Lang_Blocks()
{
    return {{4800,
             {
                 QStringLiteral("PROFINET XML File Name"),  // 4800
                 QStringLiteral("Create the PROFINET XML GSD File"),
                 QStringLiteral("Select the PROFINET XML File Name"),
                 QStringLiteral("Fixed Part"),
                 QStringLiteral("User Part"),
                 QStringLiteral("Fixed Part"),
                 QStringLiteral("OK"),
                 QStringLiteral("Cancel"),
                 QStringLiteral("File already exists! Do you want to overwrite the file?"),  // 4808
             }}};
}
