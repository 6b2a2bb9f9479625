#pragma once

#include <QString>

class QWidget;

// False, after telling the user, when the receiving station's address is
// still the designed "0.0.0.0"; any other text goes on to the probe.
bool receiverAddressGiven(QWidget* parent, const QString& address);
