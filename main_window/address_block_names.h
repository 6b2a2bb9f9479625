#pragma once

#include "main_window/form1.h"

#include <QString>
#include <array>

// What tells the two pages' address blocks apart: their controls' names and
// which members of the Text1 array they hold, in screen order.
struct Form1::AddressBlockNames {
    QString block, localFrame, bandFrame, senderFrame, receiverFrame, combo, image;
    int localBox;
    std::array<int, 4> senderBoxes;
    std::array<int, 4> receiverBoxes;
};
