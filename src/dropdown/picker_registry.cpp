#include "dropdown/picker_registry.h"

#include "dropdown/color_picker.h"
#include "dropdown/image_picker.h"

void RegisterPickerClasses(std::map<QString, std::function<TComponent*(TComponent*)>>& Registry)
{
    Registry[QStringLiteral("TColorPickerDropDown")] = [](TComponent* o) -> TComponent* {
        return new TKvColorPickerDropDown(o);
    };
    Registry[QStringLiteral("TImagePickerDropDown")] = [](TComponent* o) -> TComponent* {
        return new TKvImagePickerDropDown(o);
    };
}
