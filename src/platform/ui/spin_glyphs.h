#pragma once
// The arrow glyphs of spin buttons, registered as the resource images
// "KsgSpinUp" and "KsgSpinDown": 9 x 6, olive key colour, a black triangle of
// rows 1, 3, 5 and 7 pixels wide centred on the fifth column.
void RegisterSpinGlyphs();
