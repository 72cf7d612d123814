#pragma once
// Direction of the popup background's two-colour fill: the colour changes from
// left to right (horizontal) or from top to bottom (vertical).
enum TDropDownGradient : int { ddgHorizontal, ddgVertical };
