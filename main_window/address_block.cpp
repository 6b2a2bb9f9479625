#include "main_window/form1.h"

#include "main_window/address_block_names.h"
#include "main_window/clickable_image.h"
#include "main_window/controls.h"
#include "main_window/logo.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

using namespace controls;

// Four octet boxes, left to right, created in that order so that Tab visits
// them so.
void Form1::addOctetRow(QWidget* row, const std::array<int, 4>& boxes, const QString& rowName)
{
    const int lefts[] = {120, 720, 1320, 1920};
    for (int i = 0; i < 4; ++i) {
        const int index = boxes[i];
        Text1[index] = octetBox(row, u"Text1(%1)"_s.arg(index), lefts[i]);
        Text1[index]->setAccessibleName(u"%1, octeto %2"_s.arg(rowName).arg(i + 1));
    }
}

// Both pages open with the same block: local address, antenna band, and the
// transmitting and receiving stations' octet boxes, left to right.
Form1::AddressBlock Form1::buildAddressBlock(QWidget* page, const AddressBlockNames& names)
{
    QGroupBox* block = frame(page, names.block, twips(120, 120, 9015, 1695));

    QGroupBox* local = frame(block, names.localFrame, twips(120, 120, 2775, 735), u"IP Local"_s);
    Text1[names.localBox] = textBox(local, u"Text1(%1)"_s.arg(names.localBox), twips(120, 240, 2535, 375), u"192"_s,
                                    Centred | ReadOnly | Fixedsys);
    Text1[names.localBox]->setAccessibleName(u"IP Local"_s);

    QGroupBox* band = frame(block, names.bandFrame, twips(120, 840, 2775, 735));
    band->setEnabled(false);
    auto* combo = new QComboBox(band);
    combo->setObjectName(names.combo);
    combo->setGeometry(twips(120, 240, 2535, 345));
    combo->setFont(fixedsys());
    combo->setEditable(true);
    combo->setEditText(u"Antena 2.4 o 5Ghz"_s);
    combo->setAccessibleName(u"Antena 2.4 o 5Ghz"_s);

    QGroupBox* sender = frame(block, names.senderFrame, twips(3000, 120, 2535, 735), u"IP Emisor"_s);
    QGroupBox* receiver = frame(block, names.receiverFrame, twips(3000, 840, 2535, 735), u"IP Receptor"_s);
    addOctetRow(sender, names.senderBoxes, u"IP Emisor"_s);
    addOctetRow(receiver, names.receiverBoxes, u"IP Receptor"_s);

    auto* image = new ClickableImage(block, names.image, twips(5640, 480, 3240, 780), logoPicture());
    image->setAccessibleName(u"Orienzo, sitio web"_s);
    return {combo, image};
}
