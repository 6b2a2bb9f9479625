#pragma once

#include <QString>

// What the user is told when no echo request can be sent: why, in Spanish,
// from the error the system gave, and the ways to allow it, the last of
// them for the echo helper at `helper`. None gives the program with the
// windows a privilege.
QString icmpUnavailableText(int openError, const QString& helper);
