#pragma once

// The width of the signed-in nickname's box in layout units: the measured
// width of the text in pixels (negative when it could not be measured) plus
// room for the login-kind icon and the arrow, at the window's DPI.
int NicknameBoxWidth(int textWidthPixels, int dpi);
