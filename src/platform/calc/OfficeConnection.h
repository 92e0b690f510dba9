#pragma once
// The UNO connection to one office over its named pipe.

#include <com/sun/star/uno/XComponentContext.hpp>

#include <chrono>
#include <functional>
#include <string>

namespace tabora::calc {

// The office's component context, reached over the pipe; retried while the office starts.
// stillStarting says whether it is worth waiting (false once the process has gone).
// Throws RuntimeError when the office does not answer in time.
css::uno::Reference<css::uno::XComponentContext> ConnectToOffice(const std::string& pipeName,
                                                                const std::function<bool()>& stillStarting,
                                                                std::chrono::milliseconds timeout);

}  // namespace tabora::calc
