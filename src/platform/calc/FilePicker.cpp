#include "platform/calc/FilePicker.h"

#include <com/sun/star/ui/dialogs/ExecutableDialogResults.hpp>
#include <com/sun/star/ui/dialogs/FilePicker.hpp>
#include <com/sun/star/ui/dialogs/TemplateDescription.hpp>
#include <osl/file.hxx>

#include <vector>

#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;

namespace {

std::u16string Trim(std::u16string text) {
    size_t start = text.find_first_not_of(u' ');
    size_t end = text.find_last_not_of(u' ');
    return start == std::u16string::npos ? std::u16string() : text.substr(start, end - start + 1);
}

// "a (*.x), *.x, b, *.y" gives {"a (*.x)", "*.x"}, {"b", "*.y"}.
std::vector<std::pair<std::u16string, std::u16string>> FilterPairs(const std::u16string& filter) {
    std::vector<std::u16string> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = filter.find(u',', start);
        parts.push_back(Trim(filter.substr(start, comma - start)));
        if (comma == std::u16string::npos) break;
        start = comma + 1;
    }
    std::vector<std::pair<std::u16string, std::u16string>> pairs;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

}  // namespace

std::optional<std::u16string> PickFileToOpen(OfficeInstance& office, const std::u16string& filter,
                                             const std::u16string& title) {
    auto picker = ui::dialogs::FilePicker::createWithMode(office.Context(),
                                                          ui::dialogs::TemplateDescription::FILEOPEN_SIMPLE);
    bool first = true;
    for (const auto& [description, pattern] : FilterPairs(filter)) {
        picker->appendFilter(ToOUString(description), ToOUString(pattern));
        if (first) picker->setCurrentFilter(ToOUString(description));
        first = false;
    }
    if (!title.empty()) picker->setTitle(ToOUString(title));
    picker->setMultiSelectionMode(false);
    if (picker->execute() != ui::dialogs::ExecutableDialogResults::OK) return std::nullopt;
    const uno::Sequence<rtl::OUString> files = picker->getSelectedFiles();
    if (files.getLength() == 0) return std::nullopt;
    rtl::OUString path;
    if (osl::FileBase::getSystemPathFromFileURL(files[0], path) != osl::FileBase::E_None) return std::nullopt;
    return ToU16(path);
}

}  // namespace tabora::calc
