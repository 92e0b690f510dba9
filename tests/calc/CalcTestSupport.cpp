#include "calc/CalcTestSupport.h"

#include <codecvt>
#include <locale>

#include "platform/calc/CalcServer.h"

namespace tabora {

void PrintTo(const Variant& value, std::ostream* out) {
    *out << TypeName(value.Type());
    switch (value.Type()) {
        case VariantType::Boolean: *out << " " << (value.AsBoolean() ? "True" : "False"); break;
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double: *out << " " << value.ToNumber(); break;
        case VariantType::Date: *out << " " << value.AsDate().serial; break;
        case VariantType::String: *out << " \"" << calc::test::Utf8(value.AsString()) << "\""; break;
        case VariantType::Error: *out << " " << value.AsCellError().code; break;
        default: break;
    }
}

}  // namespace tabora

namespace tabora::calc::test {
namespace fs = std::filesystem;

std::u16string U16(const std::string& utf8) {
    std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t> convert;
    return convert.from_bytes(utf8);
}

std::string Utf8(const std::u16string& text) {
    std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t> convert;
    return convert.to_bytes(text);
}

std::unique_ptr<AutomationServer>& OfficeSuite::Server() {
    static std::unique_ptr<AutomationServer> server;
    return server;
}

ObjectRef& OfficeSuite::Application() {
    static ObjectRef application;
    return application;
}

void OfficeSuite::SetUpTestSuite() {
    Server() = MakeCalcServer();
    Application() = Server()->CreateApplication();
    Application()->Put(u"DisplayAlerts", false);
}

void OfficeSuite::TearDownTestSuite() {
    Application().reset();
    Server().reset();
}

void OfficeSuite::SetUp() { ASSERT_TRUE(Application()); }

void OfficeSuite::TearDown() {
    if (!Application()) return;
    try {
        Application()->GetObject(u"Workbooks")->Call(u"Close");
    } catch (const RuntimeError&) {
        // a test that ended its office leaves nothing to close; the next suite starts another
    }
}

ObjectRef OfficeSuite::NewWorkbook(const std::vector<std::u16string>& sheetNames) {
    return tabora::test::AddWorkbook(Application(), sheetNames);
}

}  // namespace tabora::calc::test
