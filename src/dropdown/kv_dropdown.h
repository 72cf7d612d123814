#pragma once
// The drop-down edit: a masked edit with a drop-down button at its right edge
// and a borderless topmost popup form that holds a content control chosen by
// the descendant. This file declares the popup form, the two button classes
// and the edit itself; every drop-down editor of the suite derives from
// TKvCustomDropDown.
//
// Construction: a base constructor reaches only its own CreateDropDownForm,
// SetSelectionColorStyle and SetComponentStyle. A descendant that overrides
// them calls, at the end of its own constructor, the overrides' steps the base
// constructor would have run (ConstructOverrides below does this in order), so
// the constructed state equals what a virtual call from the base would give.
//
// Platform notes: the popup is an ordinary frameless top-level window owned by
// (transient for) the editor's form, not a grabbing popup, so the 250 ms rule
// and the owner-chain rule on deactivation decide when it closes. The drop
// shadow class bit is stored but draws nothing on Linux, and the active-caption
// message sent to the owner form shows nothing (the window manager draws
// captions). The frame is painted over the edit's outer pixels.
#include "dropdown/selector_enums.h"
#include "grid/dropdown_appearance.h"
#include "grid/style_interfaces.h"
#include "grid_input/ksg_combo_label.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtCore/QPointer>

class TKvCustomDropDown;
class TKvButtonAppearance;
class TKvHeader;
class TKvFooter;

// ---------------------------------------------------------------- popup form
class TDropDownForm : public TForm {
    Q_OBJECT
public:
    explicit TDropDownForm(TComponent* AOwner = nullptr);
    // The form without a designed layout (the editors create it so).
    static TDropDownForm* CreateNew(TComponent* AOwner, int Dummy = 0);

    quint32 DeActivateTime() const { return FDeActivate; }
    bool Shadow() const { return FShadow; }
    void SetShadow(bool v) { FShadow = v; }
    TKvCustomDropDown* KvDropDown() const { return FKvDropDown; }
    void SetKvDropDown(TKvCustomDropDown* v) { FKvDropDown = v; }
    TKvHeader* Header() const { return FHeader; }
    TKvFooter* Footer() const { return FFooter; }
    TScrollBox* ScrollBox() const { return FScrollBox; }
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool v) { FSizeable = v; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool v) { FCancelOnDeActivate = v; }
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool v) { FBlockActivate = v; }
    TNotifyEvent OnSizing;

    // Builds or refreshes the header and footer panels from the editor.
    void InitializeAndUpdate();
    virtual void UpdateSize() {}
    // The top-level window of the owner's window chain; null without an owner.
    TWinControl* GetParentWnd() const;
    void DrawBackground(TCanvas* ACanvas);

    void WndProc(TMessage& Message) override;
    // Aligned children stay inside the editor's popup border.
    void AlignControls(TControl* AControl, TRect& Rect) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

    quint32 FDeActivate = 0;
    bool FShadow = true;
    TKvFooter* FFooter = nullptr;
    TKvHeader* FHeader = nullptr;
    TKvCustomDropDown* FKvDropDown = nullptr;
    TScrollBox* FScrollBox = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
};

// ---------------------------------------------------------------- buttons
enum TButtonStyle { bsButton, bsDropDown };

class TDropDownEditButton;

class TKvDropDownSpeedButton : public TSpeedButton {
    Q_OBJECT
public:
    explicit TKvDropDownSpeedButton(TComponent* AOwner = nullptr);
    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle v) { FButtonStyle = v; Invalidate(); }
    bool Etched() const { return FEtched; }
    void SetEtched(bool v) { if (v != FEtched) { FEtched = v; Invalidate(); } }
    bool Focused() const { return FFocused; }
    void SetFocused(bool v) { if (v != FFocused) { FFocused = v; Invalidate(); } }
    // From now on the button is never drawn pressed.
    void SetUp() { FUp = true; }
    bool Hot() const { return FHot; }
    bool IsThemed() const;
    // Down or exclusive, unless SetUp was called.
    bool Pressed() const;
    void WndProc(TMessage& Message) override;
protected:
    void Paint() override;
    void PaintDropDown();
    void PaintButton();
    void PaintClassic();
    TDropDownEditButton* Container() const;
    TKvCustomDropDown* Editor() const;
    bool FEtched = false;
    bool FFocused = false;
    bool FUp = false;
    bool FIsWinXP = false;
    TButtonStyle FButtonStyle = bsDropDown;
};

class TDropDownEditButton : public TWinControl {
    Q_OBJECT
public:
    explicit TDropDownEditButton(TComponent* AOwner = nullptr);
    TKvDropDownSpeedButton* InnerButton() const { return FButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v) { FFocusControl = v; }
    int BWidth() const { return FBWidth; }
    void SetBWidth(int v) { FBWidth = v; }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* v);
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int v) { FButton->SetNumGlyphs(v); }
    QString ButtonCaption() const { return FButton->Text(); }
    void SetButtonCaption(const QString& v) { FButton->SetText(v); }

    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor v) { FButtonColorDown = v; FButton->Invalidate(); }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor v) { FButtonBorderColor = v; FButton->Invalidate(); }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor v) { FButtonTextColor = v; FButton->Invalidate(); }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor v) { FButtonTextColorHot = v; FButton->Invalidate(); }
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor v) { FButtonColor = v; FButton->Invalidate(); }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor v) { FButtonColorHot = v; FButton->Invalidate(); }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor v) { FButtonTextColorDown = v; FButton->Invalidate(); }

    TNotifyEvent OnClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;
protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ForceWidth();
    TKvDropDownSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    int FBWidth = 16;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
};

// ---------------------------------------------------------------- the edit
enum TDropPosition { dpAuto, dpDown, dpUp };
enum TKvEditType : int {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
    etAlphaNumeric, etValidChars
};
using TDropDownEditType = TKvEditType;

using TDropDown = std::function<void(TObject* Sender, bool& AcceptDrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TClipboardEvent = std::function<void(TObject* Sender, const QString& Value, bool& Allow)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, int ButtonIndex)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, QString& Text)>;

class TKvCustomDropDown : public TMaskEdit, public IQRVStyle, public IQRVTones {
    Q_OBJECT
public:
    explicit TKvCustomDropDown(TComponent* AOwner = nullptr);
    ~TKvCustomDropDown() override;

    // ---- popup
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownForm* DropDownForm() const { return FDropDownForm; }
    TDropDownEditButton* Button() const { return FButton; }
    TControl* Control() const { return FControl; }
    // Sets the popup's content control (the descendant's).
    void SetControl(TControl* Value);
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int Value);
    int UserDropDownWidth() const { return FUserDropDownWidth; }
    int UserDropDownHeight() const { return FUserDropDownHeight; }
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition v) { FDropPosition = v; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool v) { FDropDownShadow = v; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool v) { FForceShadow = v; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int v) { FDropDownBorderWidth = v; }
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor v) { FDropDownColor = v; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor v) { FDropDownColorTo = v; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor v) { FDropDownBorderColor = v; }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection v) { FDropDownGradient = v; }
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool v) { FDropDownSizeable = v; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool v) { FDropDownEnabled = v; }

    // ---- button
    int DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(int Value);
    QString DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const QString& Value);
    TBitmap* DropDownButtonGlyph() const { return FButton ? FButton->Glyph() : nullptr; }
    void SetDropDownButtonGlyph(const TBitmap* Value) { if (FButton) FButton->SetGlyph(Value); }
    QString GetDropDownButtonCaption() const { return FButton ? FButton->ButtonCaption() : QString(); }
    void SetDropDownButtonCaption(const QString& v) { if (FButton) FButton->SetButtonCaption(v); }
    bool Etched() const { return FEtched; }
    void SetEtched(bool v) { FEtched = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { FFlat = v; UpdateButtonBounds(); }
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader; }
    void SetDropDownHeader(const THeaderAppearance* Value) { if (Value) FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter; }
    void SetDropDownFooter(const TFooterAppearance* Value) { if (Value) FDropDownFooter->Assign(Value); }
    TKvButtonAppearance* ButtonAppearance() const { return FButtonAppearance; }
    void SetButtonAppearance(const TKvButtonAppearance* Value);

    // ---- edit
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value) { FImages = Value; }
    // The window text without the prefix (when it starts with it) and without
    // as many last characters as the suffix has.
    QString GetText() const override;
    // Puts Value into the edit window unchanged.
    void SetTextDirect(const QString& Value);
    QString OldText() const { return FOldText; }
    QString Prefix() const { return FPrefix; }
    void SetPrefix(const QString& v) { FPrefix = v; }
    QString Suffix() const { return FSuffix; }
    void SetSuffix(const QString& v) { FSuffix = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool DefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool v) { FDefaultHandling = v; }
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool v) { FCanUndo = v; }
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool v) { FFocusDraw = v; }
    int LengthLimit() const { return FLengthLimit; }
    int Precision() const { return FPrecision; }
    bool Signed() const { return FSigned; }
    QString ValidChars() const { return FValidChars; }
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    TKvEditType EditType() const { return FEditType; }
    // ---- typed entry (kv_dropdown_entry.cpp)
    void SetEditType(TKvEditType Value);
    void SetPrecision(int Value);
    void SetLengthLimit(int v) { FLengthLimit = v; }
    void SetSigned(bool v) { FSigned = v; }
    void SetValidChars(const QString& v) { FValidChars = v; }
    void SetAutoThousandSeparator(bool v) { FAutoThousandSeparator = v; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool v) { FAllowNumericNullValue = v; }
    void SetFloatValue(double X);
    void SetIntValue(int X);
    double GetFloatValue() const;
    // S without thousand separators in the locale's format; 0 when it does not convert.
    static double EStrToFloat(const QString& S);
    // Rewrites a money value with thousand separators, keeping the caret's distance to the end.
    void AutoSeparators();
    // Selects the value only (never prefix or suffix).
    void SelectAll();
    void SelectAfterDecimal();
    void SelectBeforeDecimal();
    void SetModified(bool Value);
    bool GetModified() const { return FIsModified; }
    bool IsWinXP() const { return FIsWinXP; }
    bool IsThemed() const { return FIsThemed; }
    QString Version() const;
    void SetVersion(const QString&) {}

    // ---- styles
    TQRVStyle GetComponentStyle() const { return FRUZStyle; }
    void SetComponentStyle(TQRVStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor v) { FSelectionColor = v; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor v) { FSelectionColorTo = v; }
    // The values a form stores as "SelectionColorStyle" and "RUZStyle".
    int StoredSelectionColorStyle() const { return int(FSelectionColorStyle); }
    void SetStoredSelectionColorStyle(int v) { FSelectionColorStyle = TSelectionColorStyle(v); }
    int StoredRUZStyle() const { return int(FRUZStyle); }
    void SetStoredRUZStyle(int v) { FRUZStyle = TQRVStyle(v); }

    // ---- frame and label
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v);
    bool IsHot() const;
    bool IsHotOrEnabled() const;
    void RedrawBorders();
    TLabel* Label() const { return FLabel; }
    QString LabelCaption() const;
    void SetLabelCaption(const QString& Value);
    TFont* LabelFont() { return &FLabelFont; }
    void SetLabelFont(const TFont& Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v) { FLabelAlwaysEnabled = v; }
    void UpdateLabel();

    void Assign(const TPersistent* Source) override;
    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WndProc(TMessage& Message) override;

    // ---- events
    TDropDown OnDropDown;
    TDropUp OnDropUp;
    TNotifyEvent OnBeforeDropDown, OnBeforeDropUp;
    TClipboardEvent OnClipboardCopy, OnClipboardPaste, OnClipboardCut;
    TDropDownButtonItemClick OnDropDownFooterButtonClick, OnDropDownHeaderButtonClick;
    TDrawBackGroundEvent OnDrawHeader, OnDrawFooter;
    TGetTextEvent OnGetFooterText, OnGetHeaderText;
    TNotifyEvent OnLabelClick, OnLabelDblClick;

    // The operations a descendant's constructor runs after the base (see the file comment).
    void ConstructOverrides();

    // ---- the new virtual operations, in their fixed order
    virtual void DoLabelClick();
    virtual void DoLabelDblClick();
    virtual quint32 GetVersionNr() const { return 0x01020104; }
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdjustDropDownHeight(int& Height) { (void)Height; }
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void PlaceDropDownControl();
    virtual void UpdateDropDownSize();
    virtual void DoHideDropDown(bool Cancelled);
    virtual void AfterDropUp();
    virtual void DropDownFormDestroy() {}
    virtual void DropDownFormWheelDown(TShiftState Shift, TPoint MousePos);
    virtual void DropDownFormWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void DropDownFormKeyPress(QChar& Key);
    virtual void DropDownFormKeyDown(WORD& Key, TShiftState Shift);
    virtual void DropDownFormKeyUp(WORD& Key, TShiftState Shift);
    virtual void ControlKeyDown(WORD& Key, TShiftState Shift) { DropDownFormKeyDown(Key, Shift); }
    virtual void ControlKeyUp(WORD& Key, TShiftState Shift) { DropDownFormKeyUp(Key, Shift); }
    virtual void ControlKeyPress(QChar& Key) { DropDownFormKeyPress(Key); }
    virtual void DropDownFormSizing() {}
    virtual void HandleMouseWheelDown() {}
    virtual void HandleMouseWheelUp() {}
    virtual void PaintFocusedText();
    virtual void SetEditRect();
    virtual void UpdateButtonBounds();
    // Writes Prefix + Value + Suffix and remembers Value for a cancelled hide.
    virtual void SetText(const QString& Value);
    virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
    virtual void DrawSelection(TCanvas* ACanvas, const TRect& R, int Part, TColor Background);
    virtual void DrawGradient(TCanvas* ACanvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                              TGradientDirection Direction);

    // What a left release on the button and a press on a non-editable edit call.
    void ButtonPressed();
    TRect EditRect() const { return FEditRect; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoEnter() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void PaintOver(TCanvas* Canvas) override;
    void DrawBorders(TCanvas* Canvas);
    void CreateLabel();
    void UpdateButtonFocus();
    // Height of the popup's header and footer when they show, else 0.
    int HeaderPanelHeight() const { return FDropDownHeader->Visible() ? FDropDownHeader->Height() : 0; }
    int FooterPanelHeight() const { return FDropDownFooter->Visible() ? FDropDownFooter->Height() : 0; }
    // A header or footer change re-initialises an open popup.
    void PanelAppearanceChanged();
    void HandleWmKeyDown(TMessage& m);
    void HandleWmChar(TMessage& m);
    void HandleWantSpecialKey(TMessage& m);
    // Typed entry: the character filter after Return and Escape, the editing
    // keys, the mouse rules and the clipboard (kv_dropdown_entry.cpp).
    void FilterTypedChar(TMessage& m);
    // True when the key was swallowed.
    bool EditingKeyDown(TMessage& m);
    void AfterEditingKey(WORD Key);
    void HandleEntryMouseDown(TMessage& m);
    void HandleEntryMouseUp(TMessage& m);
    void HandleCut(TMessage& m);
    void HandleCopy(TMessage& m);
    void HandlePaste(TMessage& m);
    void HandleSetFocus(TMessage& m);
    void HandleKillFocus(TMessage& m);
    // Inserts a passed character at once (typed or sent), so rules can act after it.
    void PassChar(TMessage& m);
    QString WindowText() const { return TMaskEdit::GetText(); }
    // Window text := Prefix + Value + Suffix, caret at Caret with no selection.
    void PutValue(const QString& Value, int Caret);
    void SetMouseInControl(bool v);
    // The message being handled (tells a system key from a forwarded one).
    UINT FKeyMsg = 0;

    TLabel* FLabel = nullptr;
    bool FParentFnt = false;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    bool FFlat = false;
    TImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    int FDropDownBorderWidth = 1;
    QString FButtonHint;
    TColor FDropDownColorTo = clNone;
    TColor FDropDownColor = 0xFFFFFF;
    TColor FDropDownBorderColor = 0x000000;
    int FButtonWidth = 17;
    bool FMouseInControl = false;
    bool FEtched = false;
    TWinControl* FFocusControl = nullptr;
    THeaderAppearance* FDropDownHeader = nullptr;
    TKvButtonAppearance* FButtonAppearance = nullptr;
    TFooterAppearance* FDropDownFooter = nullptr;
    QPointer<TControl> FControl;
    TGradientDirection FDropDownGradient = gdHorizontal;
    bool FDropDownSizeable = true;
    TColor FSelectionColor = clNone, FSelectionColorTo = clNone;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    TKvEditType FEditType = etString;
    int FLengthLimit = 0;
    int FPrecision = 0;
    QString FPrefix, FSuffix;
    bool FSigned = false;
    bool FReturnIsTab = false;
    bool FAllowNumericNullValue = false;
    bool FExcelStyleDecimalSeparator = false;
    QString FValidChars;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FBlockChange = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FBlockCopy = false;
    bool FButtonDown = false;
    TRect FEditRect;
    bool FDropDownEnabled = false;
    bool FDroppedDown = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TQRVStyle FRUZStyle = tsOffice2007Luna;
    int FLabelMargin = 0;
    TLabelPosition FLabelPosition = lpLeftTop;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    TFont FLabelFont;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    QPointer<TDropDownForm> FDropDownForm;
    TDropDownEditButton* FButton = nullptr;
    QString FOldText;
};
