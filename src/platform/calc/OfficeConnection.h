#pragma once
// The UNO connection to one office over its named pipe.

#include <com/sun/star/uno/XComponentContext.hpp>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace tabora::calc {

// The office's component context, reached over the pipe; retried while the office starts.
// stillStarting says whether it is worth waiting (false once the process has gone).
// Throws RuntimeError when the office does not answer in time.
css::uno::Reference<css::uno::XComponentContext> ConnectToOffice(const std::string& pipeName,
                                                                const std::function<bool()>& stillStarting,
                                                                std::chrono::milliseconds timeout);

// Whether the office listening on the pipe has a document open, asked over the pipe; none when
// it does not answer within the time given (gone, starting, or hung).
std::optional<bool> OfficeHoldsDocument(const std::string& pipeName, std::chrono::milliseconds timeout);

}  // namespace tabora::calc
