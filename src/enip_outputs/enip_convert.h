#pragma once
// The number conversions the project-file readers of this folder share, over
// the runtime's integer-or-default conversion.

#include "platform/core/sysutils.h"

#include <QString>
#include <cstdint>

namespace enip {

inline int32_t Str_To_Int_Def(const QString& text, int32_t def)
{
    return StrToIntDef(text, def);
}

inline int64_t Str_To_Int64_Def(const QString& text, int64_t def)
{
    return StrToInt64Def(text, def);
}

}  // namespace enip
