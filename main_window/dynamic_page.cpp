#include "main_window/form1.h"

#include "main_window/address_block_names.h"
#include "main_window/controls.h"
#include "main_window/shape.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

using namespace Qt::StringLiterals;

using namespace controls;

void Form1::buildDynamicPage()
{
    Frame16 = frame(centralWidget(), u"Frame16"_s, twips(240, 360, 9255, 6015));
    const AddressBlockNames names{u"Frame19"_s,     u"Frame20"_s,    u"Frame21"_s, u"Frame23"_s,
                                  u"Frame22"_s,     u"Combo2"_s,     u"Image2"_s,  9,
                                  {17, 16, 15, 14}, {10, 11, 12, 13}};
    const AddressBlock block = buildAddressBlock(Frame16, names);
    Combo2 = block.combo;
    Image2 = block.image;
    buildDynamicChartBlock(Frame16);
    buildDynamicSpeedBlock(Frame16);

    Command6 = button(Frame16, u"Command6"_s, twips(360, 5040, 2535, 495), u"INICIAR"_s);
    Command7 = button(Frame16, u"Command7"_s, twips(3360, 5040, 2655, 495), u"DETENER"_s);
    Command8 = button(Frame16, u"Command8"_s, twips(6480, 5040, 2415, 495), u"AYUDA"_s);
}

void Form1::buildDynamicChartBlock(QWidget* page)
{
    QGroupBox* indicator = frame(page, u"Frame25"_s, twips(360, 1920, 1815, 1575));
    Shape1 = new Shape(indicator, u"Shape1"_s, twips(240, 240, 1335, 1095), Shape::Kind::Circle, 0x00400040,
                       Shape::Transparent);
    Shape1->setAccessibleName(u"Indicador"_s);

    // The five chart lines, top to bottom; each pass adds one column.
    QGroupBox* chart = frame(page, u"Frame18"_s, twips(2400, 1920, 2175, 1575));
    QLineEdit** lines[] = {&Text12, &Text8, &Text7, &Text13, &Text10[4]};
    const char* lineNames[] = {"Text12", "Text8", "Text7", "Text13", "Text10(4)"};
    for (int row = 0; row < 5; ++row) {
        *lines[row] = textBox(chart, QString::fromLatin1(lineNames[row]), twips(120, 240 + 240 * row, 1935, 240), {},
                              ReadOnly | Fixedsys);
        (*lines[row])->setFrame(false);
        // A line that fills its own background repaints alone as a pass adds
        // a column; else the frame behind it is drawn again too, a quarter of
        // what a dynamic run costs the processor.
        (*lines[row])->setAutoFillBackground(true);
        (*lines[row])->setAccessibleName(u"Grafico, linea %1"_s.arg(row + 1));
    }

    QGroupBox* log = frame(page, u"Frame17"_s, twips(4920, 1920, 3855, 1575));
    List2 = list(log, u"List2"_s, twips(120, 240, 3615, 1230));
    List2->setAccessibleName(u"Registro"_s);
    List2->setUniformItemSizes(true); // a long run's log stays quick to extend
    // So, as the log grows, does its scroll bar.
    List2->verticalScrollBar()->setAutoFillBackground(true);
}

void Form1::buildDynamicSpeedBlock(QWidget* page)
{
    QGroupBox* speed = frame(page, u"Frame24"_s, twips(120, 3720, 9015, 855), u"Velocidad"_s);
    Label1 = label(speed, u"Label1"_s, twips(120, 360, 255, 375), u"+"_s);
    Slider1 = new QSlider(Qt::Horizontal, speed);
    Slider1->setObjectName(u"Slider1"_s);
    Slider1->setGeometry(twips(480, 240, 8055, 495));
    Slider1->setRange(500, 2500);
    Slider1->setSingleStep(500);
    Slider1->setPageStep(500);
    Slider1->setTickInterval(500);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setValue(500);
    Slider1->setAccessibleName(u"Velocidad"_s);
    Label2 = label(speed, u"Label2"_s, twips(8640, 360, 255, 375), u"-"_s);
}
