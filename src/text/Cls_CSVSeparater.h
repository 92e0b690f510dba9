#pragma once
// A reader of line-oriented delimited text. The text, handed over or read from a file, is cut
// into records at every CR LF; empty records are dropped. A forward-only cursor hands out one
// record at a time, and its fields are cut on demand at a single separator ("," or a tab). No
// quoting and no trimming: a field is exactly the text between two separators.
//
// Beside the records the reader keeps a plain string, the base data, that callers can set,
// extend with tab-joined items, read back and empty. It is independent of the loaded records.
//
// The reader is silent: failures show only as results.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "text/RecordScanner.h"

namespace tabora {

class Cls_CSVSeparater {
public:
    Cls_CSVSeparater();
    Cls_CSVSeparater(const Cls_CSVSeparater&) = delete;
    Cls_CSVSeparater& operator=(const Cls_CSVSeparater&) = delete;

    // The separator for fields; records loaded already are not cut again.
    void SetSeparateMode_CSV();
    void SetSeparateMode_TSV();

    // Loads the lines of a text file in the legacy code page. False, with the loaded records and
    // the cursor as they were, when the file cannot be opened or fails while it is read.
    bool ReadBaseFile(const std::u16string& strA_FileName);
    // Stores the text as the base data and loads its records.
    void SetBaseData(std::u16string strA_Data);
    // Appends to the base data, after a tab unless it is empty. Nothing is loaded.
    void AddData(std::u16string_view strA_Data);
    // Empties the base data; the loaded records stay.
    void ClearData();
    std::u16string GetData() const;

    // Fields of the first record as counted at load time; 0 after a load without records.
    int32_t GetItemCount() const;
    int32_t GetRecordCount() const;
    bool IsEOF() const;

    // Puts the cursor on the first record; False when there is none.
    bool MoveFirst();
    // Moves the cursor on; False (and at the end) when it has passed the last record.
    bool MoveNext();
    // The record under the cursor; empty past the end.
    std::u16string GetCurrentData() const;
    // Field lng_Index (from 0) of the record under the cursor; empty when there is no such field.
    std::u16string GetItem(int32_t lng_Index) const;

private:
    struct RecordInfo {
        text::RecordScanner strRecords;
        mutable std::optional<int32_t> lngRecordCount;  // counted when first asked for
        int32_t lngCurrent = 0;
        text::TextSpan cursorRecord;                 // record lngCurrent of the loaded text
        text::RecordView strCurrent;                 // may still lie in an earlier text
        bool blnEOF = true;
        int32_t lngSeparatorCount = 0;
    };

    // The text from start up to the next separator, or to the end.
    static std::u16string_view GetToken(std::u16string_view text, char16_t separator, size_t start);

    void ResetRecords();
    void SplitRecords(text::SharedText text);
    void CountItems();

    char16_t chrM_Separator = u',';
    // Shared with the records loaded from it until either changes.
    std::shared_ptr<std::u16string> strM_BaseData;
    RecordInfo typM_Info;
};

}  // namespace tabora
