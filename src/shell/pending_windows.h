#pragma once
// Windows whose editors are still to be written: each exists as an empty window of its
// final class name with a text routine that does nothing, so the creation order and
// the language change already hold. Each is replaced by its real window in time.

#include "platform/ui/forms.h"

#define KV_PENDING_WINDOW(Name)                                                    \
    class T##Name : public TForm {                                                 \
    public:                                                                        \
        explicit T##Name(TComponent* AOwner = nullptr) : TForm(AOwner) {}          \
        QString ClassName() const override { return QStringLiteral("T" #Name); }   \
        void Set_Lang() {}                                                         \
    };                                                                             \
    extern T##Name* Name;

