#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

// Builders for the windows' controls, placed in twips (15 to the pixel at
// 96 dpi; Qt scales the pixels on high-density screens).
namespace controls {

QRect twips(int left, int top, int width, int height);
int twipsToPixels(int twips);

// The fixed-pitch font most controls use; the character charts and the
// legend's aligned "=" depend on its fixed pitch.
QFont fixedsys();

enum TextBoxStyle {
    Plain = 0,
    Centred = 1,
    ReadOnly = 2,
    Fixedsys = 4,
};

QGroupBox* frame(QWidget* parent, const QString& name, QRect place, const QString& caption = {});
QLineEdit* textBox(QWidget* parent, const QString& name, QRect place, const QString& text, int style);
QLineEdit* octetBox(QWidget* parent, const QString& name, int left);
QPushButton* button(QWidget* parent, const QString& name, QRect place, const QString& caption);
QProgressBar* progressBar(QWidget* parent, const QString& name, QRect place, int maximum);
QListWidget* list(QWidget* parent, const QString& name, QRect place);
QLabel* label(QWidget* parent, const QString& name, QRect place, const QString& caption);

// Sets a bar's value and makes sure it is drawn: setValue alone leaves a bar
// unpainted when its neighbouring box, which overlaps it by a pixel, is
// rewritten at the same time.
void setBarValue(QProgressBar* bar, int value);

// Appends a line and makes it current, which scrolls it into view.
void addLineAndSelect(QListWidget* list, const QString& line);

} // namespace controls
