#pragma once
// A legacy decoder for tests of the core: every byte is the character of the same code
// (ISO 8859-1), so a test controls each character exactly.

#include "platform/LegacyTextDecoder.h"

namespace tabora::test {

class Latin1Decoder : public platform::LegacyTextDecoder {
public:
    std::unique_ptr<platform::TextDecoding> StartDecoding() override {
        struct Decoding : platform::TextDecoding {
            void Decode(std::span<const std::byte> bytes, std::u16string& out) override {
                for (std::byte b : bytes) out.push_back(static_cast<char16_t>(b));
            }
            void Finish(std::u16string&) override {}
        };
        return std::make_unique<Decoding>();
    }
    std::unique_ptr<platform::TextDecoding> StartFallbackDecoding() override { return nullptr; }
};

}  // namespace tabora::test
