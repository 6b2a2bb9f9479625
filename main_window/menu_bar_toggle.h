#pragma once

#include <QToolButton>

// A switch in a corner of the menu bar, no taller than the bar's own items,
// so that the bar keeps its height and nothing below it moves.
class MenuBarToggle : public QToolButton {
    Q_OBJECT
public:
    MenuBarToggle(QWidget* bar, int height);

    QSize sizeHint() const override;

private:
    int m_height;
};
