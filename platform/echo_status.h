#pragma once

#include <cstdint>

// Statuses of an echo request, numbered as the IP status codes of the
// classic echo API; any but Success means that no echo reply came.
namespace EchoStatus {
constexpr std::int32_t Success = 0;
constexpr std::int32_t DestinationNetUnreachable = 11002;
constexpr std::int32_t DestinationHostUnreachable = 11003;
constexpr std::int32_t DestinationProtocolUnreachable = 11004;
constexpr std::int32_t DestinationPortUnreachable = 11005;
constexpr std::int32_t TimedOut = 11010;
constexpr std::int32_t TtlExpiredTransit = 11013;
constexpr std::int32_t GeneralFailure = 11050;
} // namespace EchoStatus
