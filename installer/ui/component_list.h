#pragma once
// The component list view of the wizard's component and remove pages: one item per
// component, state image 2 for a selected one and 1 for one left out.
#include <windows.h>
#include <vector>

void FillComponentList(HWND list);
bool ItemSelected(HWND list, int item);
std::vector<bool> ListSelection(HWND list);
bool AnySelected(HWND list);
// Toggles the item at a point of the list's client area; false when no item is there.
bool ToggleItemAt(HWND list, POINT point);
// The components' enabled flags follow the list.
void CommitSelection(HWND list);
