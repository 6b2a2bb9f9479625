#pragma once

#include <QWidget>

// A drawn shape of the direction indicators: always outlined; filled with
// its colour only while opaque (BackStyle 1).
class Shape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int BackStyle READ backStyle WRITE setBackStyle)
    Q_PROPERTY(quint32 BackColor READ backColor WRITE setBackColor)
public:
    enum class Kind { Rectangle, RoundedSquare, Circle };
    static constexpr int Transparent = 0;
    static constexpr int Opaque = 1;

    Shape(QWidget* parent, const QString& name, QRect place, Kind kind, quint32 colour, int backStyle);

    int backStyle() const { return m_backStyle; }
    void setBackStyle(int style);
    quint32 backColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    bool isOpaque() const { return m_backStyle == Opaque; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    quint32 m_backColor;
    int m_backStyle;
};
