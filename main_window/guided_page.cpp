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

using namespace controls;

namespace {

// The controls of the four guided rows, top row first.
QProgressBar* Form1::* const SumBars[] = {&Form1::ProgressBar4, &Form1::ProgressBar5, &Form1::ProgressBar6,
                                          &Form1::ProgressBar7};
struct RowLabel {
    QLineEdit* Form1::*box;
    const char* name;
};
const RowLabel RowLabels[] = {{&Form1::Text2, "Text2"}, {&Form1::Text3, "Text3"}, {&Form1::Text4, "Text4"},
                              {&Form1::Text9, "Text9"}};

} // namespace

void Form1::buildGuidedPage()
{
    Frame15 = frame(centralWidget(), QStringLiteral("Frame15"), twips(240, 360, 9255, 7935));
    const AddressBlockNames names{
        QStringLiteral("Frame4"), QStringLiteral("Frame6"), QStringLiteral("Frame7"), QStringLiteral("Frame5"),
        QStringLiteral("Frame3"), QStringLiteral("Combo1"), QStringLiteral("Image1"),
        7, {8, 6, 5, 4}, {3, 2, 1, 0}};
    const AddressBlock block = buildAddressBlock(Frame15, names);
    Combo1 = block.combo;
    Image1 = block.image;
    buildGuidedResultsBlock(Frame15);
    buildGuidedCorrectionBlock(Frame15);
}

void Form1::buildGuidedResultsBlock(QWidget* page)
{
    QGroupBox* results = frame(page, QStringLiteral("Frame2"), twips(120, 1800, 9015, 2655));
    QGroupBox* log = frame(results, QStringLiteral("Frame10"), twips(120, 120, 4935, 2295));
    List1 = list(log, QStringLiteral("List1"), twips(120, 240, 4695, 1815));
    List1->setAccessibleName(QStringLiteral("Registro"));

    QGroupBox* rows = frame(results, QStringLiteral("Frame9"), twips(5160, 120, 3735, 2055));
    Text11 = textBox(rows, QStringLiteral("Text11"), twips(120, 240, 2535, 285),
                     QString(10, u' ') + u'|', ReadOnly | Fixedsys);
    Text11->setAccessibleName(QStringLiteral("Mitad de la escala"));

    // One row per guided orientation: its sum bar, sum box and label.
    for (const GuidedOrientation& orientation : guidedOrientations()) {
        const int row = orientation.row;
        const int top = 600 + 360 * row;
        const QString& label = orientation.rowLabel;
        QProgressBar*& bar = this->*SumBars[row];
        bar = progressBar(rows, QStringLiteral("ProgressBar%1").arg(row + 4), twips(120, top, 2535, 255), 30);
        Text10[row] = textBox(rows, QStringLiteral("Text10(%1)").arg(row), twips(2640, top, 615, 285), {}, Fixedsys);
        QLineEdit*& labelBox = this->*RowLabels[row].box;
        labelBox = textBox(rows, QString::fromLatin1(RowLabels[row].name), twips(3240, top, 375, 285), label,
                           ReadOnly | Fixedsys);
        Text10[row]->setAccessibleName(QStringLiteral("Total ") + label);
        bar->setAccessibleName(QStringLiteral("Barra ") + label);
        labelBox->setAccessibleName(label);
    }
    vbcolour::setBackColor(Text10[0], vbcolour::White);

    Command3 = button(results, QStringLiteral("Command3"), twips(5160, 2160, 3735, 255), QStringLiteral("VER LEYENDA"));
}

void Form1::buildGuidedCorrectionBlock(QWidget* page)
{
    QGroupBox* correction = frame(page, QStringLiteral("Frame1"), twips(120, 4560, 9015, 3135));

    QGroupBox* indicator = frame(correction, QStringLiteral("Frame14"), twips(120, 240, 2175, 2055));
    using Kind = Shape::Kind;
    Shape6[0] = new Shape(indicator, QStringLiteral("Shape6(0)"), twips(720, 240, 735, 495), Kind::RoundedSquare,
                          vbcolour::Green, Shape::Transparent);
    Shape6[1] = new Shape(indicator, QStringLiteral("Shape6(1)"), twips(1320, 720, 615, 495), Kind::RoundedSquare,
                          vbcolour::Red, Shape::Transparent);
    Shape6[2] = new Shape(indicator, QStringLiteral("Shape6(2)"), twips(120, 720, 735, 495), Kind::RoundedSquare,
                          vbcolour::Red, Shape::Transparent);
    Shape6[3] = new Shape(indicator, QStringLiteral("Shape6(3)"), twips(720, 1320, 735, 495), Kind::RoundedSquare,
                          vbcolour::Red, Shape::Transparent);
    Shape5 = new Shape(indicator, QStringLiteral("Shape5"), twips(840, 840, 495, 375), Kind::Circle,
                       vbcolour::Grey, Shape::Opaque);

    const quint32 captionColour = 0x00000080;
    QGroupBox* vertical = frame(correction, QStringLiteral("Frame8"), twips(2520, 600, 3615, 615), QStringLiteral("Correccion Y"));
    QGroupBox* horizontal = frame(correction, QStringLiteral("Frame11"), twips(2520, 1320, 3615, 615), QStringLiteral("Correccion X"));
    for (QGroupBox* box : {vertical, horizontal}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, vbcolour::toQColor(captionColour));
        box->setPalette(palette);
    }
    Text14 = textBox(vertical, QStringLiteral("Text14"), twips(120, 240, 3375, 285), {}, Centred | ReadOnly | Fixedsys);
    Text5 = textBox(horizontal, QStringLiteral("Text5"), twips(120, 240, 3375, 285), {}, Centred | ReadOnly | Fixedsys);
    Text14->setAccessibleName(QStringLiteral("Correccion Y"));
    Text5->setAccessibleName(QStringLiteral("Correccion X"));

    QGroupBox* cue = frame(correction, QStringLiteral("Frame13"), twips(2520, 2040, 3615, 615));
    Text6 = textBox(cue, QStringLiteral("Text6"), twips(120, 240, 3375, 285), {}, Centred | ReadOnly | Fixedsys);
    vbcolour::setBackColor(Text6, vbcolour::White);
    Text6->setAccessibleName(QStringLiteral("Orientacion en medida"));

    QGroupBox* total = frame(correction, QStringLiteral("Frame12"), twips(120, 2400, 2175, 615), QStringLiteral("Total"));
    ProgressBar3 = progressBar(total, QStringLiteral("ProgressBar3"), twips(120, 240, 1935, 255), 4);
    ProgressBar3->setAccessibleName(QStringLiteral("Total"));

    Command1 = button(correction, QStringLiteral("Command1"), twips(6480, 360, 2415, 495), QStringLiteral("CALCULAR"));
    Command2 = button(correction, QStringLiteral("Command2"), twips(6480, 960, 2415, 495), QStringLiteral("BORRAR DATOS"));
    Command2->setEnabled(false);
    Command5 = button(correction, QStringLiteral("Command5"), twips(6480, 1680, 2415, 495), QStringLiteral("AYUDA"));
    Command4 = button(correction, QStringLiteral("Command4"), twips(6480, 2400, 2415, 495), QStringLiteral("SALIR"));
}

QProgressBar* Form1::sumBar(int row) const
{
    return this->*SumBars[row];
}
