#pragma once

#include <QString>

// What the user is told when no ICMP echo socket opens: why, in Spanish, from
// the error the system gave, and the two ways to allow it for `program`.
QString icmpUnavailableText(int openError, const QString& program);
