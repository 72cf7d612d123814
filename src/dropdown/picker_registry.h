#pragma once
// The drop-down pickers the grid's cell objects create by class name.
#include <QtCore/QString>

#include <functional>
#include <map>

class TComponent;

// Adds "TColorPickerDropDown" and "TImagePickerDropDown" to a class registry.
void RegisterPickerClasses(std::map<QString, std::function<TComponent*(TComponent*)>>& Registry);
