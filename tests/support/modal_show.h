#pragma once
// Showing a window modally in a test, and the message boxes it showed.

#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"

#include <QStringList>

#include <functional>

// Shows Form modally; Act runs while it is open. The window's modal result is returned.
inline int Show_Modal(TCustomForm* Form, const std::function<void()>& Act = {})
{
    TModalScope scope([&](TCustomForm*) {
        if (Act)
            Act();
        return int(mrNone);
    });
    return Form->ShowModal();
}

// The texts of the message boxes the responder answered, in order.
inline QStringList Message_Texts(const TDialogResponder& Dialogs)
{
    QStringList out;
    for (const TDialogRequest& r : Dialogs.Requests)
        if (r.Kind == TDialogRequest::dkMessage)
            out << r.Text;
    return out;
}
