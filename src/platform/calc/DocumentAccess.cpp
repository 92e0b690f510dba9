#include "platform/calc/DocumentAccess.h"

#include <com/sun/star/awt/SystemDependentXWindow.hpp>
#include <com/sun/star/awt/XSystemDependentWindowPeer.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/SystemDependent.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/util/XProtectable.hpp>
#include <rtl/process.h>

#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;

uno::Reference<sheet::XSpreadsheetView> ViewOf(const DocumentRef& document) {
    uno::Reference<frame::XModel> model(document, uno::UNO_QUERY_THROW);
    return uno::Reference<sheet::XSpreadsheetView>(model->getCurrentController(), uno::UNO_QUERY_THROW);
}

uno::Reference<frame::XFrame> FrameOf(const DocumentRef& document) {
    uno::Reference<frame::XModel> model(document, uno::UNO_QUERY_THROW);
    return uno::Reference<frame::XFrame>(model->getCurrentController()->getFrame(), uno::UNO_SET_THROW);
}

int32_t SheetIndex(const SheetRef& sheet) {
    uno::Reference<sheet::XCellRangeAddressable> addressable(sheet, uno::UNO_QUERY_THROW);
    return addressable->getRangeAddress().Sheet;
}

table::CellRangeAddress AddressOf(const RangeRef& range) {
    uno::Reference<sheet::XCellRangeAddressable> addressable(range, uno::UNO_QUERY_THROW);
    return addressable->getRangeAddress();
}

bool StructureProtected(const DocumentRef& document) {
    return uno::Reference<util::XProtectable>(document, uno::UNO_QUERY_THROW)->isProtected();
}

void RunCommand(OfficeInstance& office, const DocumentRef& document, const char* command,
                const uno::Sequence<beans::PropertyValue>& args) {
    uno::Reference<frame::XDispatchProvider> provider(FrameOf(document), uno::UNO_QUERY_THROW);
    frame::DispatchHelper::create(office.Context())->executeDispatch(provider, Ascii(command), "", 0, args);
}

void LocateWindow(const DocumentRef& document, DocumentQuestion& question) {
    try {
        uno::Reference<awt::XWindow> window = FrameOf(document)->getContainerWindow();
        if (!window.is()) return;
        const awt::Rectangle at = window->getPosSize();
        question.window = ScreenRect{at.X, at.Y, at.Width, at.Height};
        uno::Reference<awt::XSystemDependentWindowPeer> peer(window, uno::UNO_QUERY);
        if (!peer.is()) return;
        uno::Sequence<sal_Int8> process(16);
        rtl_getGlobalProcessId(reinterpret_cast<sal_uInt8*>(process.getArray()));
        awt::SystemDependentXWindow native;
        if (peer->getWindowHandle(process, lang::SystemDependent::SYSTEM_XWINDOW) >>= native)
            question.nativeWindow = static_cast<uint64_t>(native.WindowHandle);
    } catch (const uno::Exception&) {
        // asked all the same, wherever the box comes up
    }
}

beans::PropertyValue Property(const char* name, const uno::Any& value) {
    beans::PropertyValue property;
    property.Name = Ascii(name);
    property.Value = value;
    return property;
}

}  // namespace tabora::calc
