#pragma once

#include <QLabel>

// A picture that reacts to a click, as the logos do.
class ClickableImage : public QLabel {
    Q_OBJECT
public:
    ClickableImage(QWidget* parent, const QString& name, QRect place, const QPixmap& picture);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
