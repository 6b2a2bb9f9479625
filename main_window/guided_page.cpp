#include "main_window/form1.h"

#include "core/guided_orientation.h"
#include "main_window/address_block_names.h"
#include "main_window/controls.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

using namespace controls;

void Form1::buildGuidedPage()
{
    Frame15 = frame(centralWidget(), u"Frame15"_s, twips(240, 360, 9255, 7935));
    const AddressBlockNames names{u"Frame4"_s, u"Frame6"_s, u"Frame7"_s, u"Frame5"_s,  u"Frame3"_s,
                                  u"Combo1"_s, u"Image1"_s, 7,           {8, 6, 5, 4}, {3, 2, 1, 0}};
    const AddressBlock block = buildAddressBlock(Frame15, names);
    Combo1 = block.combo;
    Image1 = block.image;
    buildGuidedResultsBlock(Frame15);
    buildGuidedCorrectionBlock(Frame15);
}

void Form1::buildGuidedResultsBlock(QWidget* page)
{
    QGroupBox* results = frame(page, u"Frame2"_s, twips(120, 1800, 9015, 2655));
    QGroupBox* log = frame(results, u"Frame10"_s, twips(120, 120, 4935, 2295));
    List1 = list(log, u"List1"_s, twips(120, 240, 4695, 1815));
    List1->setAccessibleName(u"Registro"_s);

    QGroupBox* rows = frame(results, u"Frame9"_s, twips(5160, 120, 3735, 2055));
    Text11 = textBox(rows, u"Text11"_s, twips(120, 240, 2535, 285), QString(10, u' ') + u'|', ReadOnly | Fixedsys);
    Text11->setAccessibleName(u"Mitad de la escala"_s);

    // One row per guided orientation: its sum bar, sum box and label, top row first.
    QProgressBar** bars[] = {&ProgressBar4, &ProgressBar5, &ProgressBar6, &ProgressBar7};
    QLineEdit** labels[] = {&Text2, &Text3, &Text4, &Text9};
    const char* labelNames[] = {"Text2", "Text3", "Text4", "Text9"};
    for (const GuidedOrientation& orientation : guidedOrientations()) {
        const int row = orientation.row;
        const int top = 600 + 360 * row;
        const QString& label = orientation.rowLabel;
        QProgressBar*& bar = *bars[row];
        bar = progressBar(rows, u"ProgressBar%1"_s.arg(row + 4), twips(120, top, 2535, 255), 30);
        Text10[row] = textBox(rows, u"Text10(%1)"_s.arg(row), twips(2640, top, 615, 285), {}, Fixedsys);
        QLineEdit*& labelBox = *labels[row];
        labelBox =
            textBox(rows, QString::fromLatin1(labelNames[row]), twips(3240, top, 375, 285), label, ReadOnly | Fixedsys);
        Text10[row]->setAccessibleName(u"Total "_s + label);
        bar->setAccessibleName(u"Barra "_s + label);
        labelBox->setAccessibleName(label);
    }
    vbcolour::setBackColor(Text10[0], vbcolour::White);

    Command3 = button(results, u"Command3"_s, twips(5160, 2160, 3735, 255), u"VER LEYENDA"_s);
}

void Form1::buildGuidedCorrectionBlock(QWidget* page)
{
    QGroupBox* correction = frame(page, u"Frame1"_s, twips(120, 4560, 9015, 3135));

    QGroupBox* indicator = frame(correction, u"Frame14"_s, twips(120, 240, 2175, 2055));
    using Kind = Shape::Kind;
    Shape6[0] = new Shape(indicator, u"Shape6(0)"_s, twips(720, 240, 735, 495), Kind::RoundedSquare, vbcolour::Green,
                          Shape::Transparent);
    Shape6[1] = new Shape(indicator, u"Shape6(1)"_s, twips(1320, 720, 615, 495), Kind::RoundedSquare, vbcolour::Red,
                          Shape::Transparent);
    Shape6[2] = new Shape(indicator, u"Shape6(2)"_s, twips(120, 720, 735, 495), Kind::RoundedSquare, vbcolour::Red,
                          Shape::Transparent);
    Shape6[3] = new Shape(indicator, u"Shape6(3)"_s, twips(720, 1320, 735, 495), Kind::RoundedSquare, vbcolour::Red,
                          Shape::Transparent);
    Shape5 = new Shape(indicator, u"Shape5"_s, twips(840, 840, 495, 375), Kind::Circle, vbcolour::Grey, Shape::Opaque);

    const quint32 captionColour = 0x00000080;
    QGroupBox* vertical = frame(correction, u"Frame8"_s, twips(2520, 600, 3615, 615), u"Correccion Y"_s);
    QGroupBox* horizontal = frame(correction, u"Frame11"_s, twips(2520, 1320, 3615, 615), u"Correccion X"_s);
    for (QGroupBox* box : {vertical, horizontal}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, vbcolour::toQColor(captionColour));
        box->setPalette(palette);
    }
    Text14 = textBox(vertical, u"Text14"_s, twips(120, 240, 3375, 285), {}, Centred | ReadOnly | Fixedsys);
    Text5 = textBox(horizontal, u"Text5"_s, twips(120, 240, 3375, 285), {}, Centred | ReadOnly | Fixedsys);
    Text14->setAccessibleName(u"Correccion Y"_s);
    Text5->setAccessibleName(u"Correccion X"_s);

    QGroupBox* cue = frame(correction, u"Frame13"_s, twips(2520, 2040, 3615, 615));
    Text6 = textBox(cue, u"Text6"_s, twips(120, 240, 3375, 285), {}, Centred | ReadOnly | Fixedsys);
    vbcolour::setBackColor(Text6, vbcolour::White);
    Text6->setAccessibleName(u"Orientacion en medida"_s);

    QGroupBox* total = frame(correction, u"Frame12"_s, twips(120, 2400, 2175, 615), u"Total"_s);
    ProgressBar3 = progressBar(total, u"ProgressBar3"_s, twips(120, 240, 1935, 255), 4);
    ProgressBar3->setAccessibleName(u"Total"_s);

    Command1 = button(correction, u"Command1"_s, twips(6480, 360, 2415, 495), u"CALCULAR"_s);
    Command2 = button(correction, u"Command2"_s, twips(6480, 960, 2415, 495), u"BORRAR DATOS"_s);
    Command5 = button(correction, u"Command5"_s, twips(6480, 1680, 2415, 495), u"AYUDA"_s);
    Command4 = button(correction, u"Command4"_s, twips(6480, 2400, 2415, 495), u"SALIR"_s);
}

QProgressBar* Form1::sumBar(int row) const
{
    QProgressBar* const bars[] = {ProgressBar4, ProgressBar5, ProgressBar6, ProgressBar7};
    return bars[row];
}
