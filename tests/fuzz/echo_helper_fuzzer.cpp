// Feeds arbitrary bytes to what the echo helper and the program read from
// each other: as the helper's arguments (split at NUL characters, as the
// system hands them over) and as the helper's answer. An accepted request
// must read back exactly as the program writes it.
#include "platform/echo_helper_protocol.h"

#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::readEchoHelperAnswer(text);
    std::vector<std::string_view> arguments;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\0', at), text.size());
        arguments.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    const auto request = platform::readEchoHelperArguments(arguments);
    if (const auto* accepted = std::get_if<platform::EchoHelperRequest>(&request)) {
        const auto written = platform::echoHelperArguments(*accepted);
        if (arguments.size() != 2 || written[0] != arguments[0] || written[1] != arguments[1])
            std::abort();
    }
    return 0;
}
