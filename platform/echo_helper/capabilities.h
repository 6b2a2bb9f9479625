#pragma once

// The echo helper's capability: CAP_NET_RAW in its permitted set only,
// raised for the one call that needs it.
namespace capabilities {

// A raw ICMP socket, opened with CAP_NET_RAW raised into the effective set
// from the permitted set; -1 with errno set when the system refuses it.
int openRawSocketWithNetRaw();

// Empties every capability set, the permitted one too, so that nothing can
// be raised again. False if anything is left.
bool dropAll();

} // namespace capabilities
