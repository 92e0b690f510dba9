// The sheet list window: the list follows the listed workbook's sheets as the user adds, renames,
// moves and deletes them in the application, while the window itself is idle.
#include <algorithm>

#include "app/ErrorTrap.h"
#include "platform/ScopeExit.h"
#include "windows/Frm_Test.h"

namespace tabora::windows {

Frm_Test::Operation::Operation(Frm_Test& window) : window_(window) {
    ++window_.operationsRunning_;
    ++window_.operationsStarted_;
}

Frm_Test::Operation::~Operation() {
    if (--window_.operationsRunning_ == 0 && window_.updateWanted_) window_.UpdateSheetList();
}

void Frm_Test::FollowSheetsOf(const std::shared_ptr<Cls_ExcelCreate>& book) {
    StopFollowing();
    listedBook_ = book;
    listedBookName_.reset();
    updateWanted_ = true;  // to learn the workbook's name as soon as the operation is over
    sheetWatch_ = book->WatchSheets([this] { sheetsChanged_.Raise(); });
}

void Frm_Test::StopFollowing() {
    // Moved out first: letting go of the watch is a call into the server.
    const std::unique_ptr<SheetWatch> stopped = std::move(sheetWatch_);
    listedBook_.reset();
}

void Frm_Test::UpdateSheetList() {
    if (operationsRunning_ > 0 || updating_) {
        updateWanted_ = true;
        return;
    }
    updating_ = true;
    const ScopeExit done([this] { updating_ = false; });
    // Nothing here is told to the user: a server that no longer answers leaves the list as it
    // is, and the next switch reports it as usual.
    IgnoreErrorsOf([this] {
        do {
            updateWanted_ = false;
            const std::shared_ptr<Cls_ExcelCreate> book = listedBook_.lock();
            if (!form_->IsLoaded() || book == nullptr || book != clsM_ExcelBook) return;
            const uint64_t started = operationsStarted_;
            std::u16string bookName;
            std::vector<std::u16string> names;
            if (!book->GetSheetNames(bookName, names)) return;
            // The window's own operations ran while the server answered: what it said may be
            // out of date already.
            if (operationsStarted_ != started) {
                updateWanted_ = true;
                continue;
            }
            if (!listedBookName_) listedBookName_ = bookName;
            // Another workbook in front in the same instance: the list stays the listed one's.
            if (*listedBookName_ != bookName) return;
            ShowSheetNames(names);
        } while (updateWanted_);
    });
}

void Frm_Test::ShowSheetNames(const std::vector<std::u16string>& names) {
    const int32_t count = Lst_Item.ListCount();
    if (count == static_cast<int32_t>(names.size())) {
        int32_t same = 0;
        while (same < count && Lst_Item.List(same) == names[static_cast<size_t>(same)]) ++same;
        if (same == count) return;
    }
    const auto indexOf = [&names](const std::u16string& name) {
        const auto found = std::find(names.begin(), names.end(), name);
        return found == names.end() ? -1 : static_cast<int32_t>(found - names.begin());
    };
    const bool wasSelected = Lst_Item.ListIndex() >= 0;
    const std::u16string selected = Lst_Item.Text();
    const int32_t top = Lst_Item.TopIndex();
    const std::u16string topName = Lst_Item.List(top);
    // Shown all along: hiding it would put "Now Loading" up for a moment at every change.
    Lst_Item.Clear();
    for (const std::u16string& name : names) Lst_Item.AddItem(name);
    if (wasSelected) Lst_Item.SetListIndexQuietly(indexOf(selected));
    const int32_t topNow = indexOf(topName);
    Lst_Item.SetTopIndex(topNow >= 0 ? topNow : top);
}

}  // namespace tabora::windows
