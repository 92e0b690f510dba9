#include "platform/calc/OfficeConnection.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <cstdlib>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/calc/CalcError.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;

namespace {

// This process's own UNO runtime, bootstrapped once from the office's installation.
uno::Reference<uno::XComponentContext> LocalContext() {
    static std::once_flag once;
    static uno::Reference<uno::XComponentContext> context;
    std::call_once(once, [] {
        setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" TABORA_LO_PROGRAM_DIR "/fundamentalrc", 0);
        try {
            context = cppu::defaultBootstrap_InitialComponentContext();
        } catch (const uno::Exception&) {
            throw OfficeStartError(u"UNO を初期化できません。");
        }
    });
    if (!context.is()) throw OfficeStartError(u"UNO を初期化できません。");
    return context;
}

}  // namespace

uno::Reference<uno::XComponentContext> ConnectToOffice(const std::string& pipeName,
                                                      const std::function<bool()>& stillStarting,
                                                      std::chrono::milliseconds timeout) {
    auto resolver = bridge::UnoUrlResolver::create(LocalContext());
    rtl::OUString url = "uno:pipe,name=" + FromUtf8(pipeName) + ";urp;StarOffice.ComponentContext";
    auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = std::chrono::milliseconds(10);
    for (;;) {
        try {
            uno::Reference<uno::XComponentContext> remote(resolver->resolve(url), uno::UNO_QUERY_THROW);
            return remote;
        } catch (const connection::NoConnectException&) {
            // not listening yet
        }
        if (!stillStarting()) throw OfficeStartError(u"LibreOffice が起動中に終了しました。");
        if (std::chrono::steady_clock::now() > deadline)
            throw OfficeStartError(u"LibreOffice が応答しません。");
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

std::optional<bool> OfficeHoldsDocument(const std::string& pipeName, std::chrono::milliseconds timeout) {
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> answered = answer->get_future();
    // A call over the pipe waits as long as the office does: a hung office keeps this thread, not
    // the caller.
    std::thread([pipeName, answer] {
        try {
            auto context = ConnectToOffice(pipeName, [] { return false; }, std::chrono::milliseconds(0));
            auto desktop = frame::Desktop::create(context);
            answer->set_value(desktop->getComponents()->createEnumeration()->hasMoreElements());
        } catch (...) {
            answer->set_exception(std::current_exception());
        }
    }).detach();
    if (answered.wait_for(timeout) != std::future_status::ready) return std::nullopt;
    try {
        return answered.get();
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace tabora::calc
