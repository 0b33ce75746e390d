#include "installer/ui/component_list.h"
#include <commctrl.h>
#include "installer/core/handles.h"
#include "installer/core/process_facts.h"
#include "installer/tree/application.h"
#include "resources/dialog_ids.h"

namespace {

const int kStateOff = 1;
const int kStateOn = 2;

HIMAGELIST StateImages() {
    HIMAGELIST images = ImageList_Create(11, 11, 0, 3, 0);
    if (!images) return nullptr;
    for (int id : {IDB_STATE_OFF, IDB_STATE_ON, IDB_STATE_SPARE}) {
        GdiObject bitmap(LoadBitmapA(ProgramInstance(), MAKEINTRESOURCEA(id)));
        ImageList_Add(images, static_cast<HBITMAP>(bitmap.get()), nullptr);
    }
    return images;
}

int StateOf(HWND list, int item) {
    return static_cast<int>((ListView_GetItemState(list, item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
}

void SetState(HWND list, int item, int state) {
    ListView_SetItemState(list, item, INDEXTOSTATEIMAGEMASK(state), LVIS_STATEIMAGEMASK);
}

}  // namespace

void FillComponentList(HWND list) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    // The list view destroys its state images with itself.
    ListView_SetImageList(list, StateImages(), LVSIL_STATE);
    RECT client;
    GetClientRect(list, &client);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - 2;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    Application& app = TheApplication();
    int count = app.Count(KindComponent);
    for (int i = 0; i < count; ++i) {
        StrBuf name = app.ComponentName(i);
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_STATE;
        item.iItem = i;
        item.pszText = const_cast<char*>(name.c_str());
        item.state = INDEXTOSTATEIMAGEMASK(app.ComponentEnabled(i) ? kStateOn : kStateOff);
        item.stateMask = LVIS_STATEIMAGEMASK;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

bool ItemSelected(HWND list, int item) { return StateOf(list, item) != kStateOff; }

std::vector<bool> ListSelection(HWND list) {
    int count = ListView_GetItemCount(list);
    std::vector<bool> selected(count > 0 ? count : 0);
    for (int i = 0; i < count; ++i) selected[i] = ItemSelected(list, i);
    return selected;
}

bool AnySelected(HWND list) {
    for (bool selected : ListSelection(list))
        if (selected) return true;
    return false;
}

bool ToggleItemAt(HWND list, POINT point) {
    LVHITTESTINFO hit{};
    hit.pt = point;
    int item = ListView_HitTest(list, &hit);
    if (item < 0) return false;
    SetState(list, item, ItemSelected(list, item) ? kStateOff : kStateOn);
    return true;
}

void CommitSelection(HWND list) {
    std::vector<bool> selected = ListSelection(list);
    for (size_t i = 0; i < selected.size(); ++i) TheApplication().SetComponentEnabled(static_cast<int>(i), selected[i]);
}
