#pragma once

#include <QWidget>

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
