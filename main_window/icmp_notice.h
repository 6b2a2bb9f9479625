#pragma once

#include <QString>

class QWidget;

// Tells the user, once per measurement, that no echo request can be sent and
// how to allow it, so that a missing permission never looks like a badly
// aimed antenna.
class IcmpNotice {
public:
    void tellOnce(QWidget* parent, const QString& reason);

private:
    bool m_told = false;
};
