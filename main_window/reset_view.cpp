#include "main_window/form1.h"

#include "main_window/controls.h"
#include "main_window/cue_timer.h"
#include "main_window/shape.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>

using namespace Qt::StringLiterals;

void Form1::disableCueTimer()
{
    Timer1->setEnabled(false);
}

void Form1::resetGuidedAddressBoxes()
{
    for (int index : {8, 6, 5, 4, 2, 3, 1, 0})
        Text1[index]->setText(u"0"_s);
}

void Form1::clearSums()
{
    for (int row = 0; row < 4; ++row)
        writeText10(row, QString());
}

void Form1::clearDynamicChart()
{
    for (QLineEdit* line : {Text12, Text8, Text7, Text13})
        line->clear();
    writeText10(4, QString());
}

void Form1::resetBars()
{
    for (QProgressBar* bar : {ProgressBar3, ProgressBar4, ProgressBar5, ProgressBar6, ProgressBar7})
        controls::setBarValue(bar, bar->minimum());
}

void Form1::clearCorrections()
{
    for (QLineEdit* box : {Text14, Text5, Text6})
        box->clear();
}

void Form1::restartLogs(const QString& localAddress)
{
    List1->clear();
    List1->addItem(u"Iniciando variables..."_s);
    List1->addItem(u"Encontrada IP local "_s + localAddress);
    List2->clear();
}

void Form1::hideIndicators()
{
    for (Shape* shape : {Shape6[0], Shape6[1], Shape6[2], Shape6[3], Shape1})
        shape->setBackStyle(Shape::Transparent);
}

void Form1::enableStartButtons()
{
    showButtonsFor(Activity::Idle);
}
