#pragma once

// The echo helper's one capability: CAP_NET_RAW, kept in its permitted set
// only, and raised into the effective set for the one call that needs it.
namespace capabilities {

// Empties every capability set but for CAP_NET_RAW in the permitted set,
// where it is. False if anything else is left.
bool keepOnlyNetRawPermitted();

// A raw ICMP socket, opened with CAP_NET_RAW raised into the effective set
// for that call alone; -1 with errno set when the system refuses it.
int openRawSocketWithNetRaw();

// True while no capability is effective, and none but CAP_NET_RAW permitted.
bool holdOnlyNetRawPermitted();

} // namespace capabilities
