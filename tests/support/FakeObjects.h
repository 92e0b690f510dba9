#pragma once
// The objects of Excel's object model that the double hands out. Each points into the model
// (instance, workbook, sheet, cell area) and carries out the calls it gets on that data.

#include <memory>
#include <utility>

#include "support/FakeProxy.h"

namespace tabora::test {

class FakeApplicationObject : public FakeProxy {
public:
    FakeApplicationObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance)
        : FakeProxy(std::move(core), std::move(instance), u"Application") {}

protected:
    Variant Dispatch(const Invocation& call) override;
};

class FakeWorkbooksObject : public FakeProxy {
public:
    FakeWorkbooksObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance)
        : FakeProxy(std::move(core), std::move(instance), u"Workbooks") {}

protected:
    Variant Dispatch(const Invocation& call) override;
    std::vector<Variant> Items() override;

private:
    Variant Open(const Invocation& call);
    Variant Add(const Invocation& call);
};

// A workbook, usable while it stays open in its instance.
class FakeWorkbookObject : public FakeProxy {
public:
    FakeWorkbookObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance,
                       std::weak_ptr<FakeWorkbook> workbook)
        : FakeProxy(std::move(core), std::move(instance), u"Workbook"), workbook_(std::move(workbook)) {}
    std::shared_ptr<FakeWorkbook> Workbook() const;
    std::string Describe() const override;

protected:
    Variant Dispatch(const Invocation& call) override;
    void CheckExists() const override { Workbook(); }

private:
    Variant SaveAs(const Invocation& call);
    Variant Close(const Invocation& call);
    Variant Protect(const Invocation& call);
    std::weak_ptr<FakeWorkbook> workbook_;
};

// A sheet and its workbook, both still there: the sheet in the workbook, the workbook open.
struct SheetLink {
    std::weak_ptr<FakeWorkbook> workbook;
    std::weak_ptr<FakeSheet> sheet;

    // Raises the automation error of a deleted object when either is gone.
    std::pair<std::shared_ptr<FakeWorkbook>, std::shared_ptr<FakeSheet>> Lock(const FakeInstance& instance) const;
};

// Sheets (worksheets and charts) or Worksheets of a workbook.
class FakeSheetsObject : public FakeProxy {
public:
    FakeSheetsObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance,
                     std::weak_ptr<FakeWorkbook> workbook, bool worksheetsOnly)
        : FakeProxy(std::move(core), std::move(instance), worksheetsOnly ? u"Worksheets" : u"Sheets"),
          workbook_(std::move(workbook)),
          worksheetsOnly_(worksheetsOnly) {}

protected:
    Variant Dispatch(const Invocation& call) override;
    std::vector<Variant> Items() override;
    void CheckExists() const override { Members(); }

private:
    std::vector<std::shared_ptr<FakeSheet>> Members() const;
    std::weak_ptr<FakeWorkbook> workbook_;
    bool worksheetsOnly_;
};

// A worksheet or a chart sheet.
class FakeSheetObject : public FakeProxy {
public:
    FakeSheetObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, SheetLink link);
    const SheetLink& Link() const { return link_; }
    std::string Describe() const override;

protected:
    Variant Dispatch(const Invocation& call) override;
    void CheckExists() const override { link_.Lock(*instance_); }

private:
    Variant Delete();
    Variant Copy(const Invocation& call);
    Variant Visible(const Invocation& call);
    Variant Protect(const Invocation& call);
    // Excel's refusal of a change to the sheets of a workbook whose structure is protected.
    void RefuseIfStructureProtected(const FakeWorkbook& workbook, std::u16string_view member,
                                    bool property = false) const;
    Variant Cells(const Invocation& call);
    Variant Range(const Invocation& call);
    Variant Lines(const Invocation& call, bool columns);
    Variant RangeOf(const CellArea& area) const;
    SheetLink link_;
};

// An object standing for a rectangle of cells of one worksheet: a range, its borders, its fill.
class FakeAreaProxy : public FakeProxy {
public:
    FakeAreaProxy(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, std::u16string kind,
                  SheetLink link, CellArea area)
        : FakeProxy(std::move(core), std::move(instance), std::move(kind)), link_(std::move(link)), area_(area) {}
    const SheetLink& Link() const { return link_; }
    const CellArea& Area() const { return area_; }

protected:
    void CheckExists() const override { link_.Lock(*instance_); }
    std::shared_ptr<FakeSheet> Sheet() const { return link_.Lock(*instance_).second; }

    SheetLink link_;
    CellArea area_;
};

class FakeRangeObject : public FakeAreaProxy {
public:
    FakeRangeObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, SheetLink link,
                    CellArea area)
        : FakeAreaProxy(std::move(core), std::move(instance), u"Range", std::move(link), area) {}
    std::string Describe() const override;

protected:
    Variant Dispatch(const Invocation& call) override;

private:
    Variant Run(const Invocation& call, FakeSheet& sheet);
    Variant Value(const Invocation& call, FakeSheet& sheet);
    Variant Select(const Invocation& call);
    Variant Copy(const Invocation& call, FakeSheet& sheet);
    Variant PasteSpecial(const Invocation& call, FakeSheet& sheet);
    Variant Merge(const Invocation& call, FakeSheet& sheet);
    Variant Insert(const Invocation& call, FakeSheet& sheet);
    Variant Delete(const Invocation& call, FakeSheet& sheet);
    Variant Borders(const Invocation& call);
};

// Borders of a range: the collection (index 0) or one border of it.
class FakeBorderObject : public FakeAreaProxy {
public:
    FakeBorderObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, SheetLink link,
                     CellArea area, int32_t index)
        : FakeAreaProxy(std::move(core), std::move(instance), index == 0 ? u"Borders" : u"Border", std::move(link),
                        area),
          index_(index) {}

protected:
    Variant Dispatch(const Invocation& call) override;

private:
    int32_t index_;
};

class FakeInteriorObject : public FakeAreaProxy {
public:
    FakeInteriorObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, SheetLink link,
                       CellArea area)
        : FakeAreaProxy(std::move(core), std::move(instance), u"Interior", std::move(link), area) {}

protected:
    Variant Dispatch(const Invocation& call) override;
};

// Nothing: the answer for an object that is not there (no active workbook, for one).
inline Variant Nothing() { return Variant(ObjectRef()); }

}  // namespace tabora::test
