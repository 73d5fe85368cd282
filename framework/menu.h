// Menu tables for CSystem::BuildMenu.
#pragma once

#include "platform/win32.h"

// One record of a menu table. A record whose sub-table has records becomes
// a popup item opening that sub-menu (its id and flags are then unused);
// any other record becomes a command item reported through OnCommand.
struct MenuItem {
    const char* text;
    UINT id;
    const MenuItem* sub;
    int subCount;
    UINT flags;  // AppendMenuA flags of a command item: MF_STRING, MF_SEPARATOR, MF_GRAYED...
};
