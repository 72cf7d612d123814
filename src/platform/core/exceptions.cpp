#include "platform/core/exceptions.h"

Exception::Exception(const QString& Msg) : FMessage(Msg), FUtf8(Msg.toUtf8()) {}

Exception::~Exception() = default;

void Exception::SetMessage(const QString& Msg)
{
    FMessage = Msg;
    FUtf8 = Msg.toUtf8();
}
