#include "text/Cls_CSVSeparater.h"

#include <limits>
#include <new>
#include <stdexcept>

#include "text/CharSearch.h"
#include "text/TextFileReading.h"

namespace tabora {

namespace {
constexpr std::u16string_view kComma = u",";
constexpr std::u16string_view kTab = u"\t";
constexpr std::u16string_view kCrLf = u"\r\n";
constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();
constexpr size_t npos = std::u16string_view::npos;

size_t Find(std::u16string_view text, std::u16string_view separator, size_t start) {
    if (separator.empty() || start >= text.size()) return npos;
    if (separator == kCrLf) {
        for (size_t at = text::FindUnit(text, u'\r', start); at != npos; at = text::FindUnit(text, u'\r', at + 1))
            if (at + 1 < text.size() && text[at + 1] == u'\n') return at;
        return npos;
    }
    if (separator.size() == 1) return text::FindUnit(text, separator[0], start);
    return text.find(separator, start);
}
}  // namespace

Cls_CSVSeparater::Cls_CSVSeparater() : strM_BaseData(std::make_shared<std::u16string>()) {
    ResetRecords();
    SetSeparateMode_CSV();
}

void Cls_CSVSeparater::SetSeparateMode_CSV() { strM_Separator = std::u16string(kComma); }
void Cls_CSVSeparater::SetSeparateMode_TSV() { strM_Separator = std::u16string(kTab); }

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
    if (!strM_BaseData->empty()) strM_BaseData->append(kTab);
    strM_BaseData->append(strA_Data);
}

void Cls_CSVSeparater::ClearData() { strM_BaseData = std::make_shared<std::u16string>(); }

std::u16string Cls_CSVSeparater::GetData() const { return *strM_BaseData; }

int32_t Cls_CSVSeparater::GetItemCount() const { return typM_Info.lngSeparatorCount + 1; }
int32_t Cls_CSVSeparater::GetRecordCount() const { return typM_Info.lngRecordCount; }
bool Cls_CSVSeparater::IsEOF() const { return typM_Info.blnEOF; }

bool Cls_CSVSeparater::MoveFirst() {
    RecordInfo& info = typM_Info;
    if (info.lngRecordCount <= 0) return false;
    info.lngCurrent = 0;
    info.strCurrent = text::RecordView(info.strRecords.Text(), info.strRecords.SpanAt(0));
    info.blnEOF = false;
    return true;
}

bool Cls_CSVSeparater::MoveNext() {
    RecordInfo& info = typM_Info;
    if (info.lngRecordCount <= 0) return false;
    if (info.lngCurrent < kMaxCount) ++info.lngCurrent;
    if (info.lngCurrent < info.lngRecordCount) {
        info.strCurrent =
            text::RecordView(info.strRecords.Text(), info.strRecords.SpanAt(static_cast<size_t>(info.lngCurrent)));
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
        const size_t at = Find(record, strM_Separator, start);
        if (at == npos) return {};
        start = at + strM_Separator.size();
    }
    return std::u16string(GetToken(record, strM_Separator, start).text);
}

Cls_CSVSeparater::Token Cls_CSVSeparater::GetToken(std::u16string_view text, std::u16string_view separator,
                                                   size_t start) {
    if (start >= text.size()) return {{}, npos};
    const size_t at = Find(text, separator, start);
    return {text.substr(start, at == npos ? npos : at - start), at};
}

void Cls_CSVSeparater::ResetRecords() {
    RecordInfo& info = typM_Info;
    info.strRecords = {};
    info.lngRecordCount = 0;
    info.lngCurrent = 0;
    info.blnEOF = true;
    info.lngSeparatorCount = 0;
}

void Cls_CSVSeparater::SplitRecords(text::SharedText text) {
    ResetRecords();
    RecordInfo& info = typM_Info;
    info.strRecords = text::RecordList(text);
    const std::u16string_view all(*text);
    size_t start = 0;
    for (;;) {
        const Token token = GetToken(all, kCrLf, start);
        if (!token.text.empty()) {
            if (info.lngRecordCount == kMaxCount) return;
            try {
                info.strRecords.Append({start, token.text.size()});
            } catch (const std::bad_alloc&) {
                return;  // out of memory: the records stored so far remain
            } catch (const std::length_error&) {
                return;
            }
            ++info.lngRecordCount;
        }
        if (token.separatorAt == npos) return;
        start = token.separatorAt + kCrLf.size();
    }
}

void Cls_CSVSeparater::CountItems() {
    RecordInfo& info = typM_Info;
    if (info.lngRecordCount <= 0) {
        info.lngSeparatorCount = -1;
        return;
    }
    const std::u16string_view first = info.strRecords[0];
    int32_t count = 0;
    for (size_t at = Find(first, strM_Separator, 0); at != npos && count < kMaxCount - 1;
         at = Find(first, strM_Separator, at + strM_Separator.size()))
        ++count;
    info.lngSeparatorCount = count;
}

}  // namespace tabora
