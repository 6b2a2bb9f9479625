#include "main_window/controls.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace controls {

namespace {
constexpr int TwipsPerPixel = 15;

template <typename Control>
Control* place(Control* control, const QString& name, QRect where)
{
    control->setObjectName(name);
    control->setGeometry(where);
    return control;
}
} // namespace

int twipsToPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

QRect twips(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QFont fixedsys()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({u"DejaVu Sans Mono"_s, font.family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(9);
    return font;
}

QGroupBox* frame(QWidget* parent, const QString& name, QRect where, const QString& caption)
{
    auto* box = place(new QGroupBox(caption, parent), name, where);
    if (!caption.isEmpty())
        box->setFont(fixedsys());
    return box;
}

QLineEdit* textBox(QWidget* parent, const QString& name, QRect where, const QString& text, int style)
{
    auto* box = place(new QLineEdit(text, parent), name, where);
    if (style & Centred)
        box->setAlignment(Qt::AlignCenter);
    if (style & ReadOnly)
        box->setReadOnly(true);
    if (style & Fixedsys)
        box->setFont(fixedsys());
    box->setTextMargins(0, 0, 0, 0);
    return box;
}

QLineEdit* octetBox(QWidget* parent, const QString& name, int left)
{
    QLineEdit* box = textBox(parent, name, twips(left, 240, 495, 375), u"0"_s, Centred | Fixedsys);
    box->setMaxLength(3);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, QRect where, const QString& caption)
{
    auto* button = place(new QPushButton(caption, parent), name, where);
    button->setFont(fixedsys());
    button->setAutoDefault(true);
    return button;
}

QProgressBar* progressBar(QWidget* parent, const QString& name, QRect where, int maximum)
{
    auto* bar = place(new QProgressBar(parent), name, where);
    bar->setRange(0, maximum);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QListWidget* list(QWidget* parent, const QString& name, QRect where)
{
    return place(new QListWidget(parent), name, where);
}

QLabel* label(QWidget* parent, const QString& name, QRect where, const QString& caption)
{
    auto* text = place(new QLabel(caption, parent), name, where);
    text->setAlignment(Qt::AlignCenter);
    text->setFont(fixedsys());
    return text;
}

void setBarValue(QProgressBar* bar, int value)
{
    bar->setValue(value);
    bar->update();
}

void addLineAndSelect(QListWidget* list, const QString& line)
{
    list->addItem(line);
    list->setCurrentRow(list->count() - 1);
}

} // namespace controls
