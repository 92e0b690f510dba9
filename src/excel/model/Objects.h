#pragma once
// The objects of Excel's object model that the wrapper and its tests reach: Application,
// Workbooks, Workbook, Sheets and Worksheets, a sheet, Range, Borders and Interior. Each carries
// Excel's rules for its members and asks the store for the rest.

#include <memory>
#include <string>
#include <vector>

#include "excel/model/Application.h"
#include "excel/model/Object.h"

namespace tabora::excel::model {

class ApplicationObject : public Object {
public:
    using Object::Object;
    std::u16string TypeName() const override { return u"Application"; }

protected:
    Variant Dispatch(const Invocation& call) override;

private:
    friend struct ApplicationMembers;
    Variant Workbooks(const Arguments& args);
    Variant ActiveWorkbook(const Arguments& args);
    Variant ActiveSheet(const Arguments& args);
    Variant Sheets(const Arguments& args);
    Variant Worksheets(const Arguments& args);
    Variant Selection(const Arguments& args);
    Variant DisplayAlerts(const Arguments& args);
    void SetDisplayAlerts(const Arguments& args);
    Variant Visible(const Arguments& args);
    void SetVisible(const Arguments& args);
    Variant SheetsInNewWorkbook(const Arguments& args);
    void SetSheetsInNewWorkbook(const Arguments& args);
    Variant CutCopyMode(const Arguments& args);
    void SetCutCopyMode(const Arguments& args);
    Variant Name(const Arguments& args);
    Variant Quit(const Arguments& args);
    Variant GetOpenFilename(const Arguments& args);
    Variant SheetsOfActive(const Arguments& args, bool worksheetsOnly);
};

class WorkbooksObject : public Object {
public:
    using Object::Object;
    std::u16string TypeName() const override { return u"Workbooks"; }

protected:
    Variant Dispatch(const Invocation& call) override;
    std::vector<Variant> Items() override;

private:
    friend struct WorkbooksMembers;
    Variant Count(const Arguments& args);
    Variant Item(const Arguments& args);
    Variant Open(const Arguments& args);
    Variant Add(const Arguments& args);
    Variant Close(const Arguments& args);
};

class WorkbookObject : public Object {
public:
    WorkbookObject(std::shared_ptr<Application> app, WorkbookRef workbook)
        : Object(std::move(app)), workbook_(std::move(workbook)) {}
    std::u16string TypeName() const override { return u"Workbook"; }
    std::u16string Describe() const override;
    const WorkbookRef& Store() const { return workbook_; }

protected:
    Variant Dispatch(const Invocation& call) override;
    void CheckExists() const override;

private:
    friend struct WorkbookMembers;
    Variant Name(const Arguments& args);
    Variant FullName(const Arguments& args);
    Variant Sheets(const Arguments& args);
    Variant Worksheets(const Arguments& args);
    Variant ActiveSheet(const Arguments& args);
    Variant Activate(const Arguments& args);
    Variant Saved(const Arguments& args);
    void SetSaved(const Arguments& args);
    Variant Save(const Arguments& args);
    Variant SaveAs(const Arguments& args);
    Variant Close(const Arguments& args);
    Variant Protect(const Arguments& args);
    Variant ProtectStructure(const Arguments& args);
    Variant SheetsOf(const Arguments& args, bool worksheetsOnly);
    void SaveTo(const std::u16string& path, std::optional<int32_t> format);

    WorkbookRef workbook_;
};

// Sheets (worksheets and charts) or Worksheets of a workbook.
class SheetsObject : public Object {
public:
    SheetsObject(std::shared_ptr<Application> app, WorkbookRef workbook, bool worksheetsOnly)
        : Object(std::move(app)), workbook_(std::move(workbook)), worksheetsOnly_(worksheetsOnly) {}
    std::u16string TypeName() const override { return worksheetsOnly_ ? u"Worksheets" : u"Sheets"; }
    // The item of key, as Item gives it.
    Variant Item(const Variant& key);

protected:
    Variant Dispatch(const Invocation& call) override;
    std::vector<Variant> Items() override;
    void CheckExists() const override;

private:
    friend struct SheetsMembers;
    Variant Count(const Arguments& args);
    Variant ItemOf(const Arguments& args);
    std::vector<SheetRef> Members() const;

    WorkbookRef workbook_;
    bool worksheetsOnly_;
};

// A worksheet or a chart sheet.
class SheetObject : public Object {
public:
    SheetObject(std::shared_ptr<Application> app, WorkbookRef workbook, SheetRef sheet);
    std::u16string TypeName() const override { return chart_ ? u"Chart" : u"Worksheet"; }
    std::u16string Describe() const override;
    const WorkbookRef& Workbook() const { return workbook_; }
    const SheetRef& Sheet() const { return sheet_; }

protected:
    Variant Dispatch(const Invocation& call) override;
    void CheckExists() const override;

private:
    friend struct SheetMembers;
    Variant Name(const Arguments& args);
    void SetName(const Arguments& args);
    Variant Index(const Arguments& args);
    Variant Visible(const Arguments& args);
    void SetVisible(const Arguments& args);
    Variant Activate(const Arguments& args);
    Variant Select(const Arguments& args);
    Variant Delete(const Arguments& args);
    Variant Copy(const Arguments& args);
    Variant Protect(const Arguments& args);
    Variant ProtectContents(const Arguments& args);
    Variant Parent(const Arguments& args);
    Variant Cells(const Arguments& args);
    Variant Range(const Arguments& args);
    Variant Columns(const Arguments& args);
    Variant Rows(const Arguments& args);
    Variant Lines(const Arguments& args, bool columns);
    void BringToFront(std::u16string_view member);
    void RefuseOnProtectedStructure(std::u16string_view member);
    WorkbookGrid Grid() const;

    WorkbookRef workbook_;
    SheetRef sheet_;
    bool chart_;
};

// A rectangle of cells of one worksheet, and the objects that stand for its borders and fill.
class AreaObject : public Object {
public:
    AreaObject(std::shared_ptr<Application> app, WorkbookRef workbook, SheetRef sheet, CellArea area)
        : Object(std::move(app)), workbook_(std::move(workbook)), sheet_(std::move(sheet)), area_(area) {}
    const WorkbookRef& Workbook() const { return workbook_; }
    const SheetRef& Sheet() const { return sheet_; }
    const CellArea& Area() const { return area_; }

protected:
    void CheckExists() const override;

    WorkbookRef workbook_;
    SheetRef sheet_;
    CellArea area_;
};

class RangeObject : public AreaObject {
public:
    using AreaObject::AreaObject;
    std::u16string TypeName() const override { return u"Range"; }
    std::u16string Describe() const override;

protected:
    Variant Dispatch(const Invocation& call) override;

private:
    friend struct RangeMembers;
    Variant Value(const Arguments& args);
    void SetValue(const Arguments& args);
    Variant Row(const Arguments& args);
    Variant Column(const Arguments& args);
    Variant Count(const Arguments& args);
    Variant Address(const Arguments& args);
    Variant Select(const Arguments& args);
    Variant Copy(const Arguments& args);
    Variant PasteSpecial(const Arguments& args);
    Variant Merge(const Arguments& args);
    Variant Insert(const Arguments& args);
    Variant Delete(const Arguments& args);
    Variant Borders(const Arguments& args);
    Variant Interior(const Arguments& args);
    bool InFront() const;
    [[noreturn]] void Fail(std::u16string_view member) const;
};

// Borders of a range: the collection (index 0) or one border of it.
class BorderObject : public AreaObject {
public:
    BorderObject(std::shared_ptr<Application> app, WorkbookRef workbook, SheetRef sheet, CellArea area, int32_t index)
        : AreaObject(std::move(app), std::move(workbook), std::move(sheet), area), index_(index) {}
    std::u16string TypeName() const override { return index_ == 0 ? u"Borders" : u"Border"; }

protected:
    Variant Dispatch(const Invocation& call) override;

private:
    friend struct BorderMembers;
    Variant Item(const Arguments& args);
    Variant LineStyle(const Arguments& args);
    void SetLineStyle(const Arguments& args);
    Variant Weight(const Arguments& args);
    void SetWeight(const Arguments& args);
    Variant Read(bool weight);

    int32_t index_;
};

class InteriorObject : public AreaObject {
public:
    using AreaObject::AreaObject;
    std::u16string TypeName() const override { return u"Interior"; }

protected:
    Variant Dispatch(const Invocation& call) override;

private:
    friend struct InteriorMembers;
    Variant ColorIndex(const Arguments& args);
    void SetColorIndex(const Arguments& args);
    Variant Pattern(const Arguments& args);
    void SetPattern(const Arguments& args);
    Variant Read(InteriorPart part);
    void Write(InteriorPart part, const Arguments& args);
};

}  // namespace tabora::excel::model
