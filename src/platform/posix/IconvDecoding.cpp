#include "platform/posix/IconvDecoding.h"

#include <bit>
#include <cerrno>

#include "platform/RuntimeError.h"

namespace tabora::platform::posix {

namespace {
constexpr char16_t kReplacement = 0xFFFD;
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);
}  // namespace

IconvDecoding::IconvDecoding(const std::string& codeset) : cd_(iconv_open(kUtf16, codeset.c_str())) {
    if (cd_ == kNoConversion) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
}

IconvDecoding::~IconvDecoding() { iconv_close(cd_); }

void IconvDecoding::Decode(std::span<const std::byte> bytes, std::u16string& out) {
    pending_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    char* in = pending_.data();
    size_t inLeft = pending_.size();
    Convert(&in, &inLeft, out);
    pending_.erase(0, pending_.size() - inLeft);
}

void IconvDecoding::Finish(std::u16string& out) {
    if (!pending_.empty()) {
        out.push_back(kReplacement);
        NoteReplaced();
    }
    pending_.clear();
    Convert(nullptr, nullptr, out);  // the closing sequence of a stateful code set, and a reset
}

// Converts until the input is used up or ends in an unfinished sequence (left in *in).
void IconvDecoding::Convert(char** in, size_t* inLeft, std::u16string& out) {
    size_t used = out.size();
    out.resize(used + (inLeft != nullptr ? *inLeft : 0) + 8);
    for (;;) {
        char* o = reinterpret_cast<char*>(out.data() + used);
        size_t oLeft = (out.size() - used) * sizeof(char16_t);
        const size_t result = iconv(cd_, in, inLeft, &o, &oLeft);
        const int error = errno;
        used = out.size() - oLeft / sizeof(char16_t);
        if (result != static_cast<size_t>(-1)) break;
        if (error == E2BIG) {
            out.resize(out.size() * 2 + 8);
        } else if (error == EILSEQ && inLeft != nullptr && *inLeft > 0) {
            if (used == out.size()) out.resize(out.size() * 2 + 8);
            out[used++] = kReplacement;
            NoteReplaced();
            ++*in;
            --*inLeft;
        } else {
            break;  // EINVAL: the input ends inside a sequence
        }
    }
    out.resize(used);
}

}  // namespace tabora::platform::posix
