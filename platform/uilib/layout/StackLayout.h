#pragma once

#include <windows.h>

#include <vector>

class CControlUI;

// Places the visible, non-floating children one after another along one
// axis inside client (pixels): children with a fixed size get it, the others
// share what is left equally; padding adds space around each child and
// childPadding between neighbours; min/max sizes bound both. Across the axis
// a child takes its fixed size or the whole client width (height). scroll
// shifts the children back along the axis. Returns the length the children
// need along the axis, so a scrolling container can size its bar.
int StackChildren(const std::vector<CControlUI*>& items, const RECT& client, int childPadding,
                  int scroll, bool vertical);
