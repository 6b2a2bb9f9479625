#pragma once

#include <QObject>
#include <QTimer>

// The text cursor blinks for a while after the last key press or click and
// then stays lit, as desktops do, so that a program left open on a laptop
// sleeps until the user comes back to it.
class CursorBlinkTimeout : public QObject {
public:
    explicit CursorBlinkTimeout(QObject* parent);
    ~CursorBlinkTimeout() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void blinkAgain();

    int m_flashTime;
    QTimer m_stillLit;
};
