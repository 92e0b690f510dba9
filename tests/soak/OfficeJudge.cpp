#include "soak/OfficeJudge.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XProtectable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <osl/file.hxx>

#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "platform/calc/ProcessAlive.h"

namespace tabora::soak {
using namespace css;
namespace fs = std::filesystem;

namespace {

// How the server records an office: its pid in the instance folder, and a pipe named
// "tabora/<folder>", whose socket the office's runtime makes in the private folder
// /tmp/OSL_PIPE_<uid>_tabora. When the server moves either, this is the place to follow it.
constexpr char kPidFile[] = "office.pid";
std::string PipeNameOf(const fs::path& folder) { return "tabora/" + folder.filename().string(); }
std::string UnoUrlOf(const fs::path& folder) {
    return "uno:pipe,name=" + PipeNameOf(folder) + ";urp;StarOffice.ComponentContext";
}

rtl::OUString ToOU(const std::u16string& text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.data()), static_cast<sal_Int32>(text.size()));
}
rtl::OUString ToOU(const std::string& ascii) { return rtl::OUString::createFromAscii(ascii.c_str()); }
std::u16string FromOU(const rtl::OUString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.getStr()), static_cast<size_t>(text.getLength()));
}

template <class... P>
uno::Sequence<beans::PropertyValue> Properties(P... properties) {
    const beans::PropertyValue all[] = {properties...};
    return uno::Sequence<beans::PropertyValue>(all, sizeof...(P));
}

beans::PropertyValue Property(const char* name, const uno::Any& value) {
    beans::PropertyValue property;
    property.Name = rtl::OUString::createFromAscii(name);
    property.Value = value;
    return property;
}

// The judge's own UNO runtime, apart from the server's.
uno::Reference<uno::XComponentContext> JudgeContext() {
    static const uno::Reference<uno::XComponentContext> context = [] {
        setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" TABORA_LO_PROGRAM_DIR "/fundamentalrc", 0);
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

std::optional<fs::path> PathOfUrl(const rtl::OUString& url) {
    rtl::OUString path;
    if (url.isEmpty() || osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) return std::nullopt;
    return fs::path(rtl::OUStringToOString(path, RTL_TEXTENCODING_UTF8).getStr());
}

std::vector<uno::Reference<sheet::XSpreadsheetDocument>> Documents(const uno::Reference<frame::XDesktop2>& desktop) {
    std::vector<uno::Reference<sheet::XSpreadsheetDocument>> documents;
    auto components = desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        uno::Reference<sheet::XSpreadsheetDocument> document(components->nextElement(), uno::UNO_QUERY);
        if (document.is()) documents.push_back(document);
    }
    return documents;
}

WorkbookView ViewOf(const uno::Reference<sheet::XSpreadsheetDocument>& document) {
    WorkbookView view;
    uno::Reference<container::XIndexAccess> sheets(document->getSheets(), uno::UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < sheets->getCount(); ++i) {
        uno::Reference<container::XNamed> named(sheets->getByIndex(i), uno::UNO_QUERY_THROW);
        uno::Reference<beans::XPropertySet> properties(named, uno::UNO_QUERY_THROW);
        view.sheets.push_back({FromOU(named->getName()), properties->getPropertyValue("IsVisible").get<bool>()});
    }
    uno::Reference<frame::XModel> model(document, uno::UNO_QUERY_THROW);
    uno::Reference<sheet::XSpreadsheetView> controller(model->getCurrentController(), uno::UNO_QUERY);
    if (controller.is()) {
        uno::Reference<container::XNamed> active(controller->getActiveSheet(), uno::UNO_QUERY);
        if (active.is()) view.activeSheet = FromOU(active->getName());
    }
    view.structureProtected = uno::Reference<util::XProtectable>(document, uno::UNO_QUERY_THROW)->isProtected();
    return view;
}

}  // namespace

fs::path PipeSocketOf(const fs::path& folder) {
    return fs::path("/tmp") / ("OSL_PIPE_" + std::to_string(getuid()) + "_" + PipeNameOf(folder));
}

pid_t RecordedOffice(const fs::path& folder) {
    pid_t pid = 0;
    std::ifstream(folder / kPidFile) >> pid;
    return pid > 0 ? pid : 0;
}

pid_t OfficeOfFolder(const fs::path& folder) {
    const pid_t pid = RecordedOffice(folder);
    if (pid == 0) return 0;
    std::ifstream cmdline("/proc/" + std::to_string(pid) + "/cmdline");
    std::stringstream text;
    text << cmdline.rdbuf();
    return text.str().find(folder.filename().string()) != std::string::npos ? pid : 0;
}

std::vector<pid_t> ProcessesNaming(const std::string& text) {
    std::vector<pid_t> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        std::ifstream cmdline(entry.path() / "cmdline");
        std::stringstream line;
        line << cmdline.rdbuf();
        if (pid != getpid() && line.str().find(text) != std::string::npos && calc::ProcessAlive(pid)) found.push_back(pid);
    }
    return found;
}

struct OfficeJudge::Bridges {
    std::map<fs::path, uno::Reference<frame::XDesktop2>> desktops;

    uno::Reference<frame::XDesktop2> DesktopOf(const fs::path& folder) {
        auto& desktop = desktops[folder];
        if (!desktop.is()) {
            auto resolver = bridge::UnoUrlResolver::create(JudgeContext());
            uno::Reference<uno::XComponentContext> remote(resolver->resolve(ToOU(UnoUrlOf(folder))),
                                                          uno::UNO_QUERY_THROW);
            desktop = frame::Desktop::create(remote);
        }
        return desktop;
    }
    // One call over a desktop; a broken bridge is made again once.
    template <class F>
    auto With(const fs::path& folder, F&& call) {
        try {
            return call(DesktopOf(folder));
        } catch (const uno::RuntimeException&) {
            desktops.erase(folder);
            return call(DesktopOf(folder));
        }
    }
};

OfficeJudge::OfficeJudge(fs::path instanceRoot) : root_(std::move(instanceRoot)), bridges_(std::make_unique<Bridges>()) {
    JudgeContext();
}

OfficeJudge::~OfficeJudge() = default;

std::vector<OfficeSeen> OfficeJudge::Offices() {
    std::vector<OfficeSeen> offices;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root_, ec)) {
        const pid_t pid = OfficeOfFolder(entry.path());
        if (pid == 0 || !calc::ProcessAlive(pid)) {
            bridges_->desktops.erase(entry.path());
            continue;
        }
        OfficeSeen seen{pid, entry.path(), false, 0};
        try {
            seen.documents = bridges_->With(entry.path(), [](const auto& desktop) {
                return static_cast<int>(Documents(desktop).size());
            });
            seen.answers = true;
        } catch (const uno::Exception&) {
            // starting, ending or hung: counted as an office that holds nothing we can see
        }
        offices.push_back(seen);
    }
    return offices;
}

namespace {
uno::Reference<table::XCell> CellOf(const uno::Reference<sheet::XSpreadsheetDocument>& document, const CellRef& cell) {
    uno::Reference<sheet::XSpreadsheet> sheet(document->getSheets()->getByName(ToOU(cell.sheet)), uno::UNO_QUERY_THROW);
    return sheet->getCellByPosition(cell.column - 1, cell.row - 1);
}

// use(document, office) on the document loaded from the file, in the office of this pid (the
// first that holds it with 0).
template <class Bridges, class F>
auto OnDocument(const std::vector<OfficeSeen>& offices, Bridges& bridges, const fs::path& file, pid_t pid, F&& use)
    -> std::optional<decltype(use(uno::Reference<sheet::XSpreadsheetDocument>(), pid))> {
    for (const OfficeSeen& office : offices) {
        if (!office.answers || (pid != 0 && office.pid != pid)) continue;
        try {
            auto result = bridges.With(office.folder, [&](const auto& desktop)
                                                          -> std::optional<decltype(use(uno::Reference<sheet::XSpreadsheetDocument>(), pid))> {
                for (const auto& document : Documents(desktop)) {
                    uno::Reference<frame::XModel> model(document, uno::UNO_QUERY_THROW);
                    if (PathOfUrl(model->getURL()) == file) return use(document, office.pid);
                }
                return std::nullopt;
            });
            if (result) return result;
        } catch (const uno::Exception&) {
            // gone between the listing and the question
        }
    }
    return std::nullopt;
}
}  // namespace

std::optional<WorkbookView> OfficeJudge::Workbook(const fs::path& file) {
    return OnDocument(Offices(), *bridges_, file, 0, [](const uno::Reference<sheet::XSpreadsheetDocument>& document, pid_t office) {
        WorkbookView view = ViewOf(document);
        view.office = office;
        return view;
    });
}

bool OfficeJudge::EditCell(const fs::path& file, const CellRef& cell, const std::u16string& text) {
    return OnDocument(Offices(), *bridges_, file, 0, [&](const uno::Reference<sheet::XSpreadsheetDocument>& document, pid_t) {
               CellOf(document, cell)->setFormula(ToOU(text));
               return true;
           }).has_value();
}

std::optional<std::vector<std::u16string>> OfficeJudge::CellTexts(const fs::path& file, const std::vector<CellRef>& cells,
                                                                  pid_t office) {
    return OnDocument(Offices(), *bridges_, file, office, [&](const uno::Reference<sheet::XSpreadsheetDocument>& document, pid_t) {
        std::vector<std::u16string> texts;
        for (const CellRef& cell : cells) texts.push_back(FromOU(CellOf(document, cell)->getFormula()));
        return texts;
    });
}

std::optional<fs::path> OfficeJudge::FolderOf(pid_t office) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root_, ec))
        if (OfficeOfFolder(entry.path()) == office) return entry.path();
    return std::nullopt;
}

void OfficeJudge::MakeWorkbook(pid_t office, const fs::path& file, const std::vector<SheetState>& sheets,
                               bool protectStructure) {
    const auto folder = FolderOf(office);
    if (!folder) throw std::runtime_error("no instance folder for the office that makes the workbooks");
    try {
        bridges_->With(*folder, [&](const auto& desktop) {
            uno::Reference<frame::XComponentLoader> loader(desktop, uno::UNO_QUERY_THROW);
            const auto hidden = Properties(Property("Hidden", uno::Any(true)));
            uno::Reference<sheet::XSpreadsheetDocument> document(
                loader->loadComponentFromURL("private:factory/scalc", "_blank", 0, hidden), uno::UNO_QUERY_THROW);
            auto spreadsheets = document->getSheets();
            uno::Reference<container::XIndexAccess> indexed(spreadsheets, uno::UNO_QUERY_THROW);
            // The new document's own sheets go after ours are in, whatever they are named.
            const sal_Int32 initial = indexed->getCount();
            for (sal_Int32 i = 0; i < initial; ++i)
                uno::Reference<container::XNamed>(indexed->getByIndex(i), uno::UNO_QUERY_THROW)
                    ->setName("~soak" + rtl::OUString::number(i));
            for (size_t i = 0; i < sheets.size(); ++i)
                spreadsheets->insertNewByName(ToOU(sheets[i].name), static_cast<sal_Int16>(initial + i));
            for (sal_Int32 i = 0; i < initial; ++i) spreadsheets->removeByName("~soak" + rtl::OUString::number(i));
            for (size_t i = 0; i < sheets.size(); ++i) {
                if (sheets[i].visible) continue;
                uno::Reference<beans::XPropertySet>(indexed->getByIndex(static_cast<sal_Int32>(i)), uno::UNO_QUERY_THROW)
                    ->setPropertyValue("IsVisible", uno::Any(false));
            }
            if (protectStructure) uno::Reference<util::XProtectable>(document, uno::UNO_QUERY_THROW)->protect("");
            rtl::OUString url;
            osl::FileBase::getFileURLFromSystemPath(rtl::OStringToOUString(file.string().c_str(), RTL_TEXTENCODING_UTF8), url);
            uno::Reference<frame::XStorable>(document, uno::UNO_QUERY_THROW)
                ->storeToURL(url, Properties(Property("FilterName", uno::Any(rtl::OUString("MS Excel 97"))),
                                             Property("Overwrite", uno::Any(true))));
            uno::Reference<util::XCloseable>(document, uno::UNO_QUERY_THROW)->close(true);
            return 0;
        });
    } catch (const uno::Exception& e) {
        throw std::runtime_error("making " + file.string() + ": " +
                                 rtl::OUStringToOString(e.Message, RTL_TEXTENCODING_UTF8).getStr());
    }
}

}  // namespace tabora::soak
