#include "main_window/form1.h"

#include "main_window/address_block_names.h"
#include "main_window/clickable_image.h"
#include "main_window/controls.h"
#include "main_window/logo.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

using namespace controls;

// Four octet boxes, left to right, created in that order so that Tab visits
// them so.
void Form1::addOctetRow(QWidget* row, const std::array<int, 4>& boxes, const QString& rowName)
{
    const int lefts[] = {120, 720, 1320, 1920};
    for (int i = 0; i < 4; ++i) {
        const int index = boxes[i];
        Text1[index] = octetBox(row, QStringLiteral("Text1(%1)").arg(index), lefts[i]);
        Text1[index]->setAccessibleName(QStringLiteral("%1, octeto %2").arg(rowName).arg(i + 1));
    }
}

// Both pages open with the same block: local address, antenna band, and the
// transmitting and receiving stations' octet boxes, left to right.
Form1::AddressBlock Form1::buildAddressBlock(QWidget* page, const AddressBlockNames& names)
{
    QGroupBox* block = frame(page, names.block, twips(120, 120, 9015, 1695));

    QGroupBox* local = frame(block, names.localFrame, twips(120, 120, 2775, 735), QStringLiteral("IP Local"));
    Text1[names.localBox] = textBox(local, QStringLiteral("Text1(%1)").arg(names.localBox), twips(120, 240, 2535, 375),
                                    QStringLiteral("192"), Centred | ReadOnly | Fixedsys);
    Text1[names.localBox]->setAccessibleName(QStringLiteral("IP Local"));

    QGroupBox* band = frame(block, names.bandFrame, twips(120, 840, 2775, 735));
    band->setEnabled(false);
    auto* combo = new QComboBox(band);
    combo->setObjectName(names.combo);
    combo->setGeometry(twips(120, 240, 2535, 345));
    combo->setFont(fixedsys());
    combo->setEditable(true);
    combo->setEditText(QStringLiteral("Antena 2.4 o 5Ghz"));
    combo->setAccessibleName(QStringLiteral("Antena 2.4 o 5Ghz"));

    QGroupBox* sender = frame(block, names.senderFrame, twips(3000, 120, 2535, 735), QStringLiteral("IP Emisor"));
    QGroupBox* receiver = frame(block, names.receiverFrame, twips(3000, 840, 2535, 735), QStringLiteral("IP Receptor"));
    addOctetRow(sender, names.senderBoxes, QStringLiteral("IP Emisor"));
    addOctetRow(receiver, names.receiverBoxes, QStringLiteral("IP Receptor"));

    auto* image = new ClickableImage(block, names.image, twips(5640, 480, 3240, 780), logoPicture());
    image->setAccessibleName(QStringLiteral("Orienzo, sitio web"));
    return {combo, image};
}
