#include "soak/CopyVerdict.h"

#include <QString>

#include <algorithm>
#include <set>

namespace tabora::soak {
namespace {

// Workbooks compare sheet names without regard to letter case; the lines the soak types differ
// from existing names in ASCII letters only, so folding those is enough to judge them.
std::u16string Folded(std::u16string name) {
    for (char16_t& c : name)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return name;
}

bool NoWorkbookAccepts(const std::u16string& name) {
    return name.empty() || name.size() > 31 || name.find_first_of(u"[]:*?/\\") != std::u16string::npos;
}

bool OnlySpaces(const std::u16string& name) { return name.find_first_not_of(u' ') == std::u16string::npos; }

std::string Listed(const std::vector<SheetState>& sheets, size_t from = 0) {
    std::string text;
    for (size_t i = from; i < sheets.size(); ++i)
        text += (i > from ? ", " : "") + ("\"" + Utf8(sheets[i].name) + "\"") + (sheets[i].visible ? "" : " (hidden)");
    return "[" + text + "]";
}

}  // namespace

std::string Utf8(const std::u16string& text) { return QString::fromStdU16String(text).toStdString(); }

std::vector<std::u16string> NamesAskedFor(const std::vector<std::u16string>& lines) {
    std::vector<std::u16string> names;
    for (const std::u16string& line : lines)
        if (!line.empty()) names.push_back(line.substr(0, line.find(u',')));
    return names;
}

std::optional<std::string> JudgeCopy(const std::vector<SheetState>& before, const std::u16string& base,
                                     const std::vector<std::u16string>& asked, const std::vector<SheetState>& after,
                                     bool structureProtected) {
    if (structureProtected) {
        if (after == before) return std::nullopt;
        return "a workbook whose structure is protected changed: before " + Listed(before) + ", after " + Listed(after);
    }
    const bool prefixKept =
        after.size() >= before.size() && std::equal(before.begin(), before.end(), after.begin());
    if (!prefixKept)
        return "the user's sheets changed: before " + Listed(before) + ", after " + Listed(after);
    const std::vector<SheetState> added(after.begin() + static_cast<std::ptrdiff_t>(before.size()), after.end());

    // A name a sheet has exactly is skipped; one a sheet has in another letter case is refused
    // by the workbook, whose names are unique regardless of case.
    std::set<std::u16string> taken, takenFolded;
    for (const SheetState& sheet : before) {
        taken.insert(sheet.name);
        takenFolded.insert(Folded(sheet.name));
    }
    const bool baseExact = std::any_of(before.begin(), before.end(), [&](const auto& s) { return s.name == base; });
    if (!takenFolded.contains(Folded(base))) {
        if (added.empty()) return std::nullopt;
        return "sheets added although no sheet \"" + Utf8(base) + "\" exists: " + Listed(added);
    }
    if (!baseExact && added.empty()) return std::nullopt;

    size_t next = 0;
    for (const std::u16string& name : asked) {
        if (taken.contains(name)) continue;  // skipped, the run goes on
        const bool refused = NoWorkbookAccepts(name) || takenFolded.contains(Folded(name));
        const bool made = next < added.size() && added[next].name == name;
        if (made && refused) return "a sheet was made under a refused name \"" + Utf8(name) + "\"";
        if (made) {
            taken.insert(name);
            takenFolded.insert(Folded(name));
            ++next;
            continue;
        }
        if (!refused && !OnlySpaces(name))
            return "\"" + Utf8(name) + "\" was asked for and is missing; added " + Listed(added);
        break;  // a refused name ends the run
    }
    if (next < added.size()) return "sheets nobody asked for: " + Listed(added, next);
    return std::nullopt;
}

}  // namespace tabora::soak
