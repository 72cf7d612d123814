#pragma once
// The hint window of grid cells: shows a hint as mini-HTML (or a wide-text
// hint as one line), borderless with a shadow where the platform has one,
// top-most and shown without taking the activation.
#include "platform/ui/forms.h"

class TImageList;
class TPictureContainer;

class THTMLHintWindow : public THintWindow {
public:
    explicit THTMLHintWindow(TComponent* AOwner = nullptr);
    QString ClassName() const override { return QStringLiteral("THTMLHintWindow"); }
    TRect CalcHintRect(int MaxWidth, const QString& AHint, void* AData) override;
    void ActivateHint(const TRect& Rect, const QString& AHint, void* AData = nullptr) override;
    // AData may be a grid, whose images and picture container the hint then uses.
    void ActivateHintData(const TRect& Rect, const QString& AHint, void* AData);
    // The hint as shown (the text of the window).
    QString Hint() const { return FHint; }
    TImageList* Images = nullptr;
    TPictureContainer* Container = nullptr;
    int TextHeight = 0;
    int TextWidth = 0;
    QString WideCaption;
    // Screen area the window keeps 2 pixels inside of (the screen's by default; tests set it).
    TRect ScreenArea;

protected:
    void Paint() override;

private:
    QString FHint;
};
