#pragma once
// The file-open dialog on QFileDialog, for automation servers that have none of their own.

#include <QString>

#include "platform/ProcessServices.h"

namespace tabora::platform::qt {

class QtFileDialog : public FileDialog {
public:
    std::optional<std::u16string> OpenFileName(const std::u16string& filter,
                                               const std::u16string& title) override;
};

// A spreadsheet's filter ("description, pattern[, description, pattern...]", patterns separated
// by ";") as Qt's name filters ("description (patterns);;..."). Patterns match either case, as
// they do on Windows.
QString QtNameFilters(const std::u16string& filter);

}  // namespace tabora::platform::qt
