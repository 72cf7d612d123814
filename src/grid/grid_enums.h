#pragma once
// Enumerations shared across the grid suite. The order of the values is part of
// the stored form data and of the editor dispatch: never reorder them.

enum TEditorType : int {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit,
    edDateEditUpDown, edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric,
    edFloat, edCapital, edMixedCase, edPassword, edUnitEditBtn, edLowerCase, edUpperCase,
    edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn, edFloatEditBtn,
    edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars, edTrackbarDropDown,
    edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edKvGridDropDown,
    edPositiveFloat, edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};

// Borders are kept as a set: each member is its own bit, bit n for the n-th border, so a
// stored set reads back with the same numbers.
enum TCellBorder : int { cbTop = 1 << 0, cbLeft = 1 << 1, cbRight = 1 << 2, cbBottom = 1 << 3 };

enum TCellGradientDirection : int { GradientVertical, GradientHorizontal };

enum TSortStyle : int {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
    ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML,
    ssImages, ssCheckBox, ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

enum TVAlignment : int { vtaTop, vtaCenter, vtaBottom };

enum TArrowDirection : int { arrUp, arrDown, arrLeft, arrRight };

enum TKvGridButtonStyle : int { tasButton, tasCheck };

enum TSearchDirection : int { sdTopBottom, sdLeftRight };

enum THomeEndAction : int { heFirstLastColumn, heFirstLastRow, heFirstLastCell };

enum TClipboardPasteAction : int { paReplace, paInsert };

enum TAdvanceDirection : int { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };

enum TInsertPosition : int { pInsertBefore, pInsertAfter };

enum TCursorAdvance : int { caDefault, caSnake, caLoop };

enum TGridFixedCellEdit : int { fceNone, fceDblClick, fceLeftClick, fceRightClick };

enum TGridFixedCellEditor : int { fceEdit, fceComboEdit, fceComboList };

enum TWheelAction : int { waMoveSelection, waScroll };

// Style of a progress-bar cell.
enum TProgressStyle : int { psXP, psClassic };

// Cell shapes drawn by DrawShape.
enum TCellShape : int {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown,
    csDiamond, csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar,
    csArrowUp, csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};
