#pragma once

#include <QGroupBox>
#include <QPixmap>

// A frame that draws its border and caption once and then copies them.
// Drawing a frame scales the style's border picture over its whole inside,
// and a frame is drawn again behind every control in it that changes, which
// made each sample cost far more processor time than the sample itself.
class DrawnOnceFrame : public QGroupBox {
public:
    DrawnOnceFrame(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap drawing_;
};
