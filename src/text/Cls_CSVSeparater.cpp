#include "text/Cls_CSVSeparater.h"

#include <exception>
#include <limits>

#include "text/CharSearch.h"
#include "text/TextFileReading.h"

namespace tabora {

namespace {
constexpr char16_t kComma = u',';
constexpr char16_t kTab = u'\t';
constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();
constexpr size_t npos = std::u16string_view::npos;

size_t Find(std::u16string_view text, char16_t separator, size_t start) {
    return start < text.size() ? text::FindUnit(text, separator, start) : npos;
}
}  // namespace

Cls_CSVSeparater::Cls_CSVSeparater() : strM_BaseData(std::make_shared<std::u16string>()) {
    ResetRecords();
    SetSeparateMode_CSV();
}

void Cls_CSVSeparater::SetSeparateMode_CSV() { chrM_Separator = kComma; }
void Cls_CSVSeparater::SetSeparateMode_TSV() { chrM_Separator = kTab; }

bool Cls_CSVSeparater::ReadBaseFile(const std::u16string& strA_FileName) {
    std::optional<std::u16string> text;
    try {
        text = text::ReadTextFile(strA_FileName);
    } catch (const std::exception&) {
        return false;  // a failed read leaves the records as they were
    }
    if (!text) return false;
    SplitRecords(std::make_shared<const std::u16string>(std::move(*text)));
    CountItems();
    return true;
}

void Cls_CSVSeparater::SetBaseData(std::u16string strA_Data) {
    strM_BaseData = std::make_shared<std::u16string>(std::move(strA_Data));
    SplitRecords(strM_BaseData);
    CountItems();
}

void Cls_CSVSeparater::AddData(std::u16string_view strA_Data) {
    // The loaded records may share the base data; they keep their own text.
    if (strM_BaseData.use_count() > 1) strM_BaseData = std::make_shared<std::u16string>(*strM_BaseData);
    if (!strM_BaseData->empty()) strM_BaseData->push_back(kTab);
    strM_BaseData->append(strA_Data);
}

void Cls_CSVSeparater::ClearData() { strM_BaseData = std::make_shared<std::u16string>(); }

std::u16string Cls_CSVSeparater::GetData() const { return *strM_BaseData; }

int32_t Cls_CSVSeparater::GetItemCount() const { return typM_Info.lngSeparatorCount + 1; }

int32_t Cls_CSVSeparater::GetRecordCount() const {
    const RecordInfo& info = typM_Info;
    if (!info.lngRecordCount) info.lngRecordCount = info.strRecords.Count(kMaxCount);
    return *info.lngRecordCount;
}

bool Cls_CSVSeparater::IsEOF() const { return typM_Info.blnEOF; }

bool Cls_CSVSeparater::MoveFirst() {
    RecordInfo& info = typM_Info;
    const text::TextSpan first = info.strRecords.First();
    if (!first) return false;
    info.lngCurrent = 0;
    info.cursorRecord = first;
    info.strCurrent.Assign(info.strRecords.Text(), first);
    info.blnEOF = false;
    return true;
}

bool Cls_CSVSeparater::MoveNext() {
    RecordInfo& info = typM_Info;
    if (!info.strRecords.First()) return false;
    if (info.lngCurrent < kMaxCount) ++info.lngCurrent;
    info.cursorRecord = info.cursorRecord && info.lngCurrent < kMaxCount ? info.strRecords.NextAfter(info.cursorRecord)
                                                                           : text::TextSpan{};
    if (info.cursorRecord) {
        info.strCurrent.Assign(info.strRecords.Text(), info.cursorRecord);
        return true;
    }
    info.strCurrent = {};
    info.blnEOF = true;
    return false;
}

std::u16string Cls_CSVSeparater::GetCurrentData() const { return std::u16string(typM_Info.strCurrent.View()); }

std::u16string Cls_CSVSeparater::GetItem(int32_t lng_Index) const {
    const std::u16string_view record = typM_Info.strCurrent.View();
    if (record.empty() || lng_Index < 0) return {};
    size_t start = 0;
    for (int32_t piece = 0; piece < lng_Index; ++piece) {
        const size_t at = Find(record, chrM_Separator, start);
        if (at == npos) return {};
        start = at + 1;
    }
    return std::u16string(GetToken(record, chrM_Separator, start));
}

std::u16string_view Cls_CSVSeparater::GetToken(std::u16string_view text, char16_t separator, size_t start) {
    if (start >= text.size()) return {};
    const size_t at = Find(text, separator, start);
    return text.substr(start, at == npos ? npos : at - start);
}

void Cls_CSVSeparater::ResetRecords() {
    RecordInfo& info = typM_Info;
    info.strRecords = {};
    info.lngRecordCount = 0;
    info.lngCurrent = 0;
    info.cursorRecord = {};
    info.blnEOF = true;
    info.lngSeparatorCount = 0;
}

// The records are found as the cursor moves; loading finds the first one.
void Cls_CSVSeparater::SplitRecords(text::SharedText text) {
    ResetRecords();
    RecordInfo& info = typM_Info;
    info.strRecords = text::RecordScanner(std::move(text));
    info.cursorRecord = info.strRecords.First();
    info.lngRecordCount.reset();
}

void Cls_CSVSeparater::CountItems() {
    RecordInfo& info = typM_Info;
    const text::TextSpan first = info.strRecords.First();
    if (!first) {
        info.lngSeparatorCount = -1;
        return;
    }
    const std::u16string_view record = info.strRecords.View(first);
    int32_t count = 0;
    for (size_t at = Find(record, chrM_Separator, 0); at != npos && count < kMaxCount - 1;
         at = Find(record, chrM_Separator, at + 1))
        ++count;
    info.lngSeparatorCount = count;
}

}  // namespace tabora
