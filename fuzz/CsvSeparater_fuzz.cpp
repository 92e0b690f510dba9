// SetBaseData and the cursor against a plain model of the records: the text cut at every CR LF,
// empty pieces dropped, fields cut at every separator.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/Cls_CSVSeparater.h"

namespace {

using tabora::Cls_CSVSeparater;

std::vector<std::u16string> Split(const std::u16string& text, const std::u16string& separator) {
    std::vector<std::u16string> pieces;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::u16string::npos; start = at + separator.size())
        pieces.push_back(text.substr(start, at - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

// Bytes as characters: the low ones as they are, so that CR, LF, "," and tab are common; a few
// high ones as characters beyond Latin-1.
std::u16string Text(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i < size; ++i) text.push_back(data[i] >= 0xF0 ? static_cast<char16_t>(0x3000 + data[i]) : data[i]);
    return text;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t control = data[0];
    const std::u16string text = Text(data + 1, size - 1);
    const bool tab = (control & 1) != 0;
    const std::u16string separator = tab ? u"\t" : u",";

    std::vector<std::u16string> records;
    for (auto& piece : Split(text, u"\r\n"))
        if (!piece.empty()) records.push_back(piece);

    Cls_CSVSeparater reader;
    if (tab) reader.SetSeparateMode_TSV();
    reader.SetBaseData(text);
    Check(reader.GetData() == text);
    Check(reader.GetItemCount() ==
          (records.empty() ? 0 : static_cast<int32_t>(Split(records[0], separator).size())));
    if ((control & 2) != 0) Check(reader.GetRecordCount() == static_cast<int32_t>(records.size()));

    size_t index = 0;
    for (bool more = reader.MoveFirst(); more; more = reader.MoveNext(), ++index) {
        Check(index < records.size());
        Check(reader.GetCurrentData() == records[index]);
        const auto fields = Split(records[index], separator);
        for (int32_t field = -1; field <= static_cast<int32_t>(fields.size()); ++field) {
            const bool inside = field >= 0 && field < static_cast<int32_t>(fields.size());
            Check(reader.GetItem(field) == (inside ? fields[static_cast<size_t>(field)] : u""));
        }
    }
    Check(index == records.size());
    Check(reader.IsEOF() && reader.GetCurrentData().empty() && !reader.MoveNext());
    Check(reader.GetRecordCount() == static_cast<int32_t>(records.size()));
    return 0;
}
