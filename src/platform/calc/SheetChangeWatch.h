#pragma once
// The office's word that a workbook's sheets may have changed. Calc tells every change to a
// document, its sheets' among them, to the document's modify listeners; those calls come on the
// bridge's threads, while the office waits, and are handed to the user-interface thread, a burst
// of them as one call.

#include <functional>
#include <memory>
#include <vector>

#include "excel/AutomationServer.h"
#include "platform/calc/OfficeInstance.h"

namespace tabora::calc {

// Runs a call on the user-interface thread; called from any thread.
using PostToUserInterface = std::function<void(std::function<void()>)>;

// Calls changed, through post, after any change to one of documents, until the watch goes.
// Throws what the office throws when it cannot be watched.
std::unique_ptr<SheetWatch> WatchDocuments(const std::vector<DocumentRef>& documents, PostToUserInterface post,
                                           std::function<void()> changed);

}  // namespace tabora::calc
