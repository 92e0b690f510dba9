#include "app/mdl_Resize.h"

#include <algorithm>
#include <cmath>

#include "platform/Runtime.h"

namespace tabora::mdl_Resize {

namespace {
// Whole twips, halves to the even neighbour, as Basic's CLng rounds.
int32_t RoundToEven(float value) { return static_cast<int32_t>(std::nearbyint(value)); }

const ResizeItem* FindByName(const std::vector<ResizeItem>& table, int32_t before, const platform::Control* base) {
    if (base == nullptr) return nullptr;
    const std::u16string name = base->Name();
    for (int32_t i = 1; i < before; ++i)
        if (table[i].Ctl->Name() == name) return &table[i];
    return nullptr;
}

const ResizeItem* FindByIdentity(const std::vector<ResizeItem>& table, int32_t before, const platform::Control* base) {
    for (int32_t i = 1; i < before; ++i)
        if (table[i].Ctl == base) return &table[i];
    return nullptr;
}
}  // namespace

void ResizeControls(platform::Control& frmA_Window, ResizeInfo& typA_Info, std::vector<ResizeItem>& typA_Table,
                    int32_t lngCount) {
    // A yield, and every size set (the window's raises a nested pass), can run other events; the
    // window empties its table when it unloads. The pass goes on only while its table holds the
    // same records for the same window, so the references below stay good.
    const ResizeItem* const records = typA_Table.data();
    const auto tableStands = [&] {
        return typA_Table.data() == records && static_cast<int32_t>(typA_Table.size()) > std::max(lngCount, 1) &&
               typA_Table[1].Ctl == &frmA_Window;
    };
    platform::DoEvents();
    if (!tableStands()) return;

    if (static_cast<float>(typA_Info.MinHeight) > frmA_Window.Height()) {
        frmA_Window.SetHeight(static_cast<float>(typA_Info.MinHeight));
        if (!tableStands()) return;
    }
    if (static_cast<float>(typA_Info.MinWidth) > frmA_Window.Width()) {
        frmA_Window.SetWidth(static_cast<float>(typA_Info.MinWidth));
        if (!tableStands()) return;
    }

    // Measure and remember the change before touching a control, so that a nested pass raised
    // by the sizes set here finds nothing left to apply.
    ResizeItem& window = typA_Table[1];
    window.AddHeight = frmA_Window.Height() - static_cast<float>(typA_Info.LastHeight);
    window.AddWidth = frmA_Window.Width() - static_cast<float>(typA_Info.LastWidth);
    typA_Info.LastHeight = RoundToEven(frmA_Window.Height());
    typA_Info.LastWidth = RoundToEven(frmA_Window.Width());

    for (int32_t i = 2; i <= lngCount; ++i) {
        ResizeItem& item = typA_Table[i];
        float baseHeight = 0, baseWidth = 0;
        if (const ResizeItem* base = FindByName(typA_Table, i, item.SizeBase)) {
            baseHeight = static_cast<float>(RoundToEven(base->AddHeight));
            baseWidth = static_cast<float>(RoundToEven(base->AddWidth));
        }
        item.AddHeight = item.HeightRate * baseHeight;
        item.AddWidth = item.WidthRate * baseWidth;
        item.Ctl->SetHeight(item.Ctl->Height() + item.AddHeight);
        if (!tableStands()) return;
        item.Ctl->SetWidth(item.Ctl->Width() + item.AddWidth);
        if (!tableStands()) return;
    }

    for (int32_t i = 2; i <= lngCount; ++i) {
        ResizeItem& item = typA_Table[i];
        item.AddTop = 0;
        if (item.TopBase != nullptr) {
            if (const ResizeItem* base = FindByIdentity(typA_Table, i, item.TopBase)) {
                item.AddTop = base->AddHeight + base->AddTop;
            }
            item.Ctl->SetTop(item.Ctl->Top() + item.AddTop);
            if (!tableStands()) return;
        }
        item.AddLeft = 0;
        if (item.LeftBase != nullptr) {
            if (const ResizeItem* base = FindByIdentity(typA_Table, i, item.LeftBase)) {
                item.AddLeft = base->AddWidth + base->AddLeft;
            }
            item.Ctl->SetLeft(item.Ctl->Left() + item.AddLeft);
            if (!tableStands()) return;
        }
    }

    platform::DoEvents();
}

}  // namespace tabora::mdl_Resize
