#pragma once

// Everything a window of the program needs from the UI library.

#include "platform/uilib/UIExport.h"
#include "platform/uilib/controls/ScrollBarUI.h"
#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/ContainerUI.h"
#include "platform/uilib/core/ControlFactory.h"
#include "platform/uilib/core/ControlUI.h"
#include "platform/uilib/core/DPI.h"
#include "platform/uilib/core/DialogBuilder.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/core/UIEvents.h"
#include "platform/uilib/core/UIInterfaces.h"
#include "platform/uilib/layout/AnimationTabLayoutUI.h"
#include "platform/uilib/layout/HorizontalLayoutUI.h"
#include "platform/uilib/layout/TabLayoutUI.h"
#include "platform/uilib/layout/VerticalLayoutUI.h"
#include "platform/uilib/render/RenderEngine.h"
