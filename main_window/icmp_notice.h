#pragma once

#include <QString>

class QWidget;

// Tells the user that no echo request can be sent and how to allow it, so
// that a missing permission never looks like a badly aimed antenna.
void tellIcmpUnavailable(QWidget* parent, const QString& reason);
