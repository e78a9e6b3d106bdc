#pragma once

#include <cstdint>

// The picture size limits the settings dialog offers in comboMaxSize, in the
// order of its items: 1024, 2048 and 4096 pixels.

// The item showing maxImageSize, or -1 when the size is none of them (a value
// edited by hand into the settings file is kept, but nothing is selected).
int ImageSizeItem(int32_t maxImageSize);

// The size of an item, or 0 when there is no such item.
int32_t ImageSizeOfItem(int item);
