#pragma once
// The office and the document behind the server's objects, for benchmarks that measure bare UNO
// calls beside the tool's.

#include <memory>

#include "excel/Automation.h"
#include "platform/calc/OfficeInstance.h"

namespace tabora::calc {

// Nothing when the object is not one of this server's.
std::shared_ptr<OfficeInstance> OfficeOf(const ObjectRef& object);
DocumentRef DocumentOf(const ObjectRef& workbook);

}  // namespace tabora::calc
