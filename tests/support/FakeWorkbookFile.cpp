#include "support/FakeWorkbookFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/FakeCellInput.h"
#include "support/FakeStrings.h"

namespace tabora::test {

namespace {
constexpr char kHeader[] = "TaboraFakeWorkbook 1";

std::string Escaped(std::u16string_view text) {
    std::string out;
    for (char c : ToUtf8(text)) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out.push_back(c);
        }
    }
    return out;
}

std::u16string Unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        out.push_back(next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next);
    }
    return FromUtf8(out);
}

std::string Number(double value) { return ToUtf8(NumberText(value)); }

void WriteCell(std::ostream& out, CellAddress address, const FakeCell& cell) {
    const std::string at = std::to_string(address.row) + "\t" + std::to_string(address.col) + "\t";
    const Variant& value = cell.value;
    if (!cell.formula.empty()) {
        out << "cell\t" << at << "F\t" << Escaped(cell.formula) << "\n";
    } else if (value.Type() == VariantType::String) {
        out << "cell\t" << at << "S\t" << Escaped(value.AsString()) << "\n";
    } else if (value.Type() == VariantType::Double) {
        out << "cell\t" << at << "N\t" << Number(value.AsDouble()) << "\n";
    } else if (value.Type() == VariantType::Boolean) {
        out << "cell\t" << at << "B\t" << (value.AsBoolean() ? "TRUE" : "FALSE") << "\n";
    } else if (value.Type() == VariantType::Date) {
        out << "cell\t" << at << "D\t" << Number(value.AsDate().serial) << "\n";
    } else if (value.Type() == VariantType::Error) {
        out << "cell\t" << at << "E\t" << value.AsCellError().code << "\n";
    }
    for (const auto& [index, border] : cell.format.borders) {
        out << "border\t" << at << index << "\t" << border.lineStyle << "\t" << border.weight << "\n";
    }
    if (cell.format.colorIndex != excel::xl::kNone || cell.format.pattern != excel::xl::kNone) {
        out << "interior\t" << at << cell.format.colorIndex << "\t" << cell.format.pattern << "\n";
    }
}

void WriteSheets(std::ostream& out, const std::vector<std::shared_ptr<FakeSheet>>& sheets, int32_t activeSheet) {
    out << kHeader << "\n" << "active\t" << activeSheet << "\n";
    for (const auto& sheet : sheets) {
        out << "sheet\t" << (sheet->isChart ? "chart" : "worksheet") << "\t" << Escaped(sheet->name) << "\n";
        if (!sheet->IsVisible()) out << "visible\t" << sheet->visibility << "\n";
        for (const auto& [address, cell] : sheet->cells) WriteCell(out, address, cell);
        for (const CellArea& m : sheet->merged) {
            out << "merge\t" << m.top << "\t" << m.left << "\t" << m.bottom << "\t" << m.right << "\n";
        }
    }
}

bool WriteText(const std::u16string& path, const std::string& text) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << text;
    return static_cast<bool>(file.flush());
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

template <class T>
bool Parse(std::string_view text, T& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

// One line into the sheet being read; false for a line this format does not have.
bool ReadLine(const std::vector<std::string_view>& f, LoadedWorkbook& loaded) {
    const std::string_view kind = f[0];
    if (kind == "active") return f.size() == 2 && Parse(f[1], loaded.activeSheet);
    if (kind == "sheet") {
        if (f.size() != 3 || (f[1] != "worksheet" && f[1] != "chart")) return false;
        auto sheet = std::make_shared<FakeSheet>();
        sheet->name = Unescaped(f[2]);
        sheet->isChart = f[1] == "chart";
        loaded.sheets.push_back(std::move(sheet));
        return true;
    }
    if (kind == "visible") {
        return !loaded.sheets.empty() && f.size() == 2 && Parse(f[1], loaded.sheets.back()->visibility);
    }
    if (loaded.sheets.empty() || f.size() < 5) return false;
    FakeSheet& sheet = *loaded.sheets.back();
    int32_t n[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 4 && i + 1 < f.size(); ++i) {
        if ((kind != "cell" || i < 2) && !Parse(f[i + 1], n[i])) return false;
    }
    if (kind == "merge") {
        sheet.merged.push_back({n[0], n[1], n[2], n[3]});
        return f.size() == 5;
    }
    if (n[0] < 1 || n[0] > kMaxRows || n[1] < 1 || n[1] > kMaxColumns) return false;
    FakeCell& cell = sheet.MutableCell(n[0], n[1]);
    if (kind == "border" && f.size() == 6) {
        int32_t weight = 0;
        cell.format.borders[n[2]] = {n[3], Parse(f[5], weight) ? weight : excel::xl::kThin};
        return true;
    }
    if (kind == "interior") {
        cell.format.colorIndex = n[2];
        cell.format.pattern = n[3];
        return f.size() == 5;
    }
    if (kind != "cell" || f.size() != 5) return false;
    const std::string_view type = f[3];
    double number = 0;
    int32_t code = 0;
    if (type == "S") {
        cell.value = Unescaped(f[4]);
    } else if (type == "F") {
        cell.formula = Unescaped(f[4]);
        cell.value = cell.formula;
    } else if (type == "B") {
        cell.value = f[4] == "TRUE";
    } else if (type == "N" && Parse(f[4], number)) {
        cell.value = number;
    } else if (type == "D" && Parse(f[4], number)) {
        cell.value = DateValue{number};
    } else if (type == "E" && Parse(f[4], code)) {
        cell.value = CellErrorValue{code};
    } else {
        return false;
    }
    return true;
}
}  // namespace

void WriteWorkbookFile(const std::u16string& path, const std::vector<FixtureSheet>& sheets,
                       const std::vector<int32_t>& visibility) {
    std::vector<std::shared_ptr<FakeSheet>> made;
    for (const FixtureSheet& fixture : sheets) {
        auto sheet = std::make_shared<FakeSheet>();
        sheet->name = fixture.name;
        sheet->isChart = fixture.isChart;
        if (made.size() < visibility.size()) sheet->visibility = visibility[made.size()];
        for (const FixtureCell& cell : fixture.cells) StoreValue(sheet->MutableCell(cell.row, cell.col), cell.value);
        made.push_back(std::move(sheet));
    }
    // The first visible sheet is in front.
    const auto shown = std::find_if(made.begin(), made.end(), [](const auto& sheet) { return sheet->IsVisible(); });
    std::ostringstream text;
    WriteSheets(text, made, shown == made.end() ? 1 : static_cast<int32_t>(shown - made.begin()) + 1);
    if (!WriteText(path, text.str())) throw std::runtime_error("cannot write fixture workbook " + ToUtf8(path));
}

bool SaveWorkbookFile(const std::u16string& path, const FakeWorkbook& workbook) {
    std::ostringstream text;
    WriteSheets(text, workbook.sheets, std::max(1, workbook.PositionOf(workbook.activeSheet.get())));
    return WriteText(path, text.str());
}

namespace {
std::string ContentOf(const FakeWorkbook& workbook) {
    std::ostringstream text;
    WriteSheets(text, workbook.sheets, 0);
    return text.str();
}
}  // namespace

void MarkSaved(FakeWorkbook& workbook) {
    workbook.savedContent = ContentOf(workbook);
    workbook.markedUnsaved = false;
}

bool HasUnsavedChanges(const FakeWorkbook& workbook) {
    return workbook.markedUnsaved || ContentOf(workbook) != workbook.savedContent;
}

LoadedWorkbook LoadWorkbookFile(const std::u16string& path) {
    LoadedWorkbook loaded;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(std::filesystem::path(path), error)) {
        loaded.problem = LoadedWorkbook::Problem::Missing;
        return loaded;
    }
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::string line;
    bool valid = file && std::getline(file, line) && line == kHeader;
    while (valid && std::getline(file, line)) {
        if (!line.empty()) valid = ReadLine(Fields(line), loaded);
    }
    const auto count = static_cast<int32_t>(loaded.sheets.size());
    if (!valid || count == 0 || loaded.activeSheet < 1 || loaded.activeSheet > count) {
        loaded = {};
        loaded.problem = LoadedWorkbook::Problem::NotAWorkbook;
    }
    return loaded;
}

std::vector<std::u16string> WorksheetNamesInFile(const std::u16string& path) {
    std::vector<std::u16string> names;
    for (const auto& sheet : LoadWorkbookFile(path).sheets) {
        if (!sheet->isChart) names.push_back(sheet->name);
    }
    return names;
}

}  // namespace tabora::test
