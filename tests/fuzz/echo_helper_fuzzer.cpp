// Feeds arbitrary bytes to what the echo helper and the program read from
// each other: as a request line, and as the helper's answer. An accepted
// request must read back exactly as the program writes it.
#include "platform/echo_helper_protocol.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::readEchoHelperAnswer(text);
    const auto request = platform::readEchoRequestLine(text);
    if (const auto* accepted = std::get_if<platform::EchoHelperRequest>(&request)) {
        const std::string written = platform::echoRequestLine(*accepted);
        if (written.size() != text.size() + 1 || !written.starts_with(text) || !written.ends_with('\n'))
            std::abort();
    }
    return 0;
}
