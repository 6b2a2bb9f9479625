#pragma once

#include <QWidget>

class Form1;
class QListWidget;

// The legend of the guided page's values: a fixed list, shown beside the
// main window, which stays usable.
class Form3 : public QWidget {
    Q_OBJECT
public:
    Form3();

    QListWidget* List1;

private:
    void Form_Load();
};

// "VER LEYENDA": shows the legend, loading it afresh if it was closed.
void Command3_Click(Form1& form);
