#include "support/FakeWorkbookModel.h"

#include <algorithm>

#include "excel/SaveChangesQuestion.h"
#include "excel/WorkbookGrid.h"
#include "excel/model/Messages.h"
#include "platform/Runtime.h"
#include "support/FakeCellEditing.h"
#include "support/FakeCellInput.h"
#include "support/FakeStrings.h"
#include "support/FakeWorkbookFile.h"

namespace tabora::test {

const FakeCell& FakeSheet::Cell(int32_t row, int32_t col) const {
    static const FakeCell blank;
    const auto found = cells.find({row, col});
    return found == cells.end() ? blank : found->second;
}

void FakeSheet::Tidy() {
    std::erase_if(cells, [](const auto& entry) { return entry.second == FakeCell{}; });
}

excel::WorkbookGrid FakeSheet::Grid() const {
    return workbook == nullptr ? excel::kLargeGrid : excel::model::Application::GridOf(*workbook);
}

bool FakeSheet::Exists() { return workbook != nullptr && !workbook->closed; }

bool FakeSheet::SetName(const std::u16string& newName) {
    name = newName;
    Touch();
    return true;
}

void FakeSheet::SetVisibility(int32_t value) {
    visibility = value;
    Touch();
}

bool FakeSheet::SetValue(const CellArea& area, const Variant& value) {
    FakeCell written;
    if (!StoreValue(written, value)) return false;
    for (int32_t row = area.top; row <= std::min(area.bottom, Grid().rows); ++row) {
        for (int32_t col = area.left; col <= std::min(area.right, Grid().columns); ++col) {
            FakeCell& cell = MutableCell(row, col);
            cell.value = written.value;
            cell.formula = written.formula;
        }
    }
    Touch();
    return true;
}

bool FakeSheet::Paste(SheetStore& source, const CellArea& area, CellAddress at, const PasteOptions& options) {
    const bool pasted = PasteCells(*this, at, CopyCells(dynamic_cast<FakeSheet&>(source), area), options);
    Touch();
    return pasted;
}

bool FakeSheet::Insert(const CellArea& area, bool shiftDown) {
    const bool inserted = InsertCells(*this, area, shiftDown);
    Touch();
    return inserted;
}

bool FakeSheet::Delete(const CellArea& area, bool shiftUp) {
    const bool deleted = DeleteCells(*this, area, shiftUp);
    Touch();
    return deleted;
}

void FakeSheet::Merge(const CellArea& area) {
    MergeCells(*this, area);
    Touch();
}

std::optional<BorderFormat> FakeSheet::Border(const CellArea& area, int32_t index) { return GetBorder(*this, area, index); }

void FakeSheet::SetBorder(const CellArea& area, int32_t index, std::optional<int32_t> lineStyle,
                          std::optional<int32_t> weight) {
    using namespace excel::xl;
    const std::vector<int32_t> indexes =
        index == 0 ? std::vector<int32_t>{kEdgeLeft, kEdgeTop, kEdgeBottom, kEdgeRight, kInsideVertical, kInsideHorizontal}
                   : std::vector<int32_t>{index};
    for (int32_t one : indexes) test::SetBorder(*this, area, one, lineStyle, weight);
    Touch();
}

std::optional<int32_t> FakeSheet::Interior(const CellArea& area, InteriorPart part) {
    std::optional<int32_t> shared;
    for (int32_t row = area.top; row <= std::min(area.bottom, Grid().rows); ++row) {
        for (int32_t col = area.left; col <= std::min(area.right, Grid().columns); ++col) {
            const CellFormat& format = Cell(row, col).format;
            const int32_t value = part == InteriorPart::ColorIndex ? format.colorIndex : format.pattern;
            if (shared && *shared != value) return std::nullopt;
            shared = value;
        }
    }
    return shared.value_or(excel::xl::kNone);
}

void FakeSheet::SetInterior(const CellArea& area, InteriorPart part, int32_t value) {
    const bool color = part == InteriorPart::ColorIndex;
    test::SetInterior(*this, area, color ? std::optional(value) : std::nullopt, color ? std::nullopt : std::optional(value));
    Touch();
}

void PrintTo(const FakeCell& cell, std::ostream* out) {
    *out << "{" << TypeName(cell.value.Type());
    if (cell.value.Type() == VariantType::String) *out << " \"" << ToUtf8(cell.value.AsString()) << "\"";
    if (cell.value.Type() == VariantType::Double) *out << " " << cell.value.AsDouble();
    if (!cell.formula.empty()) *out << " formula " << ToUtf8(cell.formula);
    for (const auto& [index, border] : cell.format.borders) {
        *out << " border" << index << "=" << border.lineStyle << "/" << border.weight;
    }
    if (cell.format.colorIndex != excel::xl::kNone || cell.format.pattern != excel::xl::kNone) {
        *out << " interior " << cell.format.colorIndex << "/" << cell.format.pattern;
    }
    *out << "}";
}

std::shared_ptr<FakeSheet> FakeWorkbook::FindSheet(std::u16string_view sheetName) const {
    for (const auto& sheet : sheets) {
        if (EqualsIgnoringCase(sheet->name, sheetName)) return sheet;
    }
    return nullptr;
}

int32_t FakeWorkbook::PositionOf(const FakeSheet* sheet) const {
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].get() == sheet) return static_cast<int32_t>(i + 1);
    }
    return 0;
}

std::vector<std::u16string> FakeWorkbook::SheetNames() const {
    std::vector<std::u16string> names;
    for (const auto& sheet : sheets) names.push_back(sheet->name);
    return names;
}

std::vector<std::u16string> FakeWorkbook::WorksheetNames() const {
    std::vector<std::u16string> names;
    for (const auto& sheet : sheets)
        if (!sheet->isChart) names.push_back(sheet->name);
    return names;
}

void FakeWorkbook::Hold(std::vector<std::shared_ptr<FakeSheet>> taken) {
    sheets = std::move(taken);
    for (const auto& sheet : sheets) sheet->workbook = this;
}

void FakeWorkbook::Activate(excel::model::SheetStore& sheet) {
    for (const auto& held : sheets)
        if (held.get() == &sheet) activeSheet = held;
}

excel::model::SheetRef FakeWorkbook::CopySheet(excel::model::SheetStore& source, int32_t position,
                                               const std::u16string& copyName) {
    auto copy = std::make_shared<FakeSheet>(dynamic_cast<FakeSheet&>(source));
    copy->name = copyName;
    copy->workbook = this;
    sheets.insert(sheets.begin() + std::clamp<int32_t>(position, 0, static_cast<int32_t>(sheets.size())), copy);
    return copy;
}

void FakeWorkbook::DeleteSheet(excel::model::SheetStore& sheet) {
    std::erase_if(sheets, [&](const auto& held) { return held.get() == &sheet; });
    if (activeSheet.get() == &sheet) activeSheet = nullptr;
    dynamic_cast<FakeSheet&>(sheet).workbook = nullptr;
}

bool FakeWorkbook::Modified() { return HasUnsavedChanges(*this); }

void FakeWorkbook::SetModified(bool value) {
    if (value)
        markedUnsaved = true;
    else
        MarkSaved(*this);
}

void FakeWorkbook::SaveAs(const std::u16string& path, int32_t format) {
    if (!SaveWorkbookFile(path, *this)) {
        throw RuntimeError(vb_error::kApplicationDefined, excel::messages::CannotSaveTo(path), u"Microsoft Excel");
    }
    fullName = path;
    const size_t slash = path.find_last_of(u"\\/");
    name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    fileFormat = format;
    MarkSaved(*this);
}

void FakeWorkbook::Save() {
    if (!SaveWorkbookFile(fullName, *this)) {
        throw RuntimeError(vb_error::kApplicationDefined, excel::messages::MethodFailedText(u"Workbook", u"Save"), u"Microsoft Excel");
    }
    MarkSaved(*this);
}

namespace {
std::shared_ptr<excel::model::Application> Live(const FakeInstance& instance) {
    return instance.ended ? nullptr : instance.model.lock();
}
}  // namespace

bool FakeInstance::Visible() const {
    const auto app = Live(*this);
    return app && app->Visible();
}

bool FakeInstance::DisplayAlerts() const {
    const auto app = Live(*this);
    return !app || app->DisplayAlerts();
}

int32_t FakeInstance::SheetsInNewWorkbook() const {
    const auto app = Live(*this);
    return app ? app->SheetsInNewWorkbook() : 3;
}

std::vector<std::shared_ptr<FakeWorkbook>> FakeInstance::Workbooks() const {
    std::vector<std::shared_ptr<FakeWorkbook>> workbooks;
    if (const auto app = Live(*this))
        for (const auto& workbook : app->Workbooks()) workbooks.push_back(std::dynamic_pointer_cast<FakeWorkbook>(workbook));
    return workbooks;
}

std::shared_ptr<FakeWorkbook> FakeInstance::ActiveWorkbook() const {
    const auto app = Live(*this);
    return app ? std::dynamic_pointer_cast<FakeWorkbook>(app->ActiveWorkbook()) : nullptr;
}

bool FakeInstance::CopyMode() const {
    const auto app = Live(*this);
    return app && app->Copied().has_value();
}

FakeWorkbook* FakeInstance::FindWorkbook(std::u16string_view workbookName) const {
    for (const auto& workbook : Workbooks())
        if (EqualsIgnoringCase(workbook->name, workbookName)) return workbook.get();
    return nullptr;
}

FakeSheet* FakeInstance::ActiveSheet() const {
    const auto workbook = ActiveWorkbook();
    return workbook ? workbook->activeSheet.get() : nullptr;
}

FakeInstance::Opened FakeInstance::Open(const std::u16string& path) {
    LoadedWorkbook loaded = LoadWorkbookFile(path);
    if (loaded.problem == LoadedWorkbook::Problem::Missing) return {nullptr, OpenProblem::NotFound};
    if (loaded.problem == LoadedWorkbook::Problem::NotAWorkbook) return {nullptr, OpenProblem::NotAWorkbook};
    auto workbook = std::make_shared<FakeWorkbook>();
    const size_t slash = path.find_last_of(u"\\/");
    workbook->name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    workbook->fullName = path;
    const size_t active = static_cast<size_t>(loaded.activeSheet - 1);
    workbook->Hold(std::move(loaded.sheets));
    workbook->activeSheet = workbook->sheets[active];
    workbook->fileFormat = excel::FileFormatFor(path).value_or(excel::xl::kOpenXmlWorkbook);
    MarkSaved(*workbook);
    return {workbook, OpenProblem::None};
}

excel::model::WorkbookRef FakeInstance::Add(const std::vector<std::u16string>& sheetNames) {
    auto workbook = std::make_shared<FakeWorkbook>();
    workbook->name = u"Book" + FromUtf8(std::to_string(++addedWorkbooks));
    std::vector<std::shared_ptr<FakeSheet>> sheets;
    for (const std::u16string& sheetName : sheetNames) {
        sheets.push_back(std::make_shared<FakeSheet>());
        sheets.back()->name = sheetName;
    }
    workbook->Hold(std::move(sheets));
    workbook->activeSheet = workbook->sheets.front();
    MarkSaved(*workbook);  // unchanged as far as the user can tell, as Excel's new workbook is
    return workbook;
}

void FakeInstance::SetVisible(bool visible, const std::vector<excel::model::WorkbookRef>&) {
    // Shown to the user, the instance is the user's: it stays when released.
    if (visible) userControl = true;
}

excel::model::SaveAnswer FakeInstance::AskToSaveChanges(excel::model::WorkbookStore& workbook) {
    switch (platform::MessageBox().Show(excel::kSaveChangesStyle, excel::SaveChangesQuestion(workbook.Name()),
                                        excel::kSaveChangesTitle)) {
        case platform::button::kYes: return excel::model::SaveAnswer::Save;
        case platform::button::kNo: return excel::model::SaveAnswer::DontSave;
        default: return excel::model::SaveAnswer::Cancel;
    }
}

std::optional<std::u16string> FakeInstance::GetOpenFilename(const std::u16string&, const std::u16string&) {
    if (openFilenameAnswers == nullptr || openFilenameAnswers->empty()) return std::nullopt;  // the user cancelled
    const Variant answer = std::move(openFilenameAnswers->front());
    openFilenameAnswers->pop_front();
    return answer.Type() == VariantType::String ? std::optional(answer.AsString()) : std::nullopt;
}

void FakeInstance::Quit() {
    quitCalled = true;
    ended = true;
}

void FakeInstance::RethrowAsAutomationError() {
    try {
        throw;
    } catch (const RuntimeError&) {
        throw;
    } catch (const std::bad_cast&) {
        throw vb_error::Raise(vb_error::kTypeMismatch);
    } catch (...) {
        throw vb_error::Raise(vb_error::kApplicationDefined);
    }
}

}  // namespace tabora::test
