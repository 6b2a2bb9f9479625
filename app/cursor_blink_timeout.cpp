#include "app/cursor_blink_timeout.h"

#include <QApplication>
#include <QEvent>

namespace {
constexpr int BlinkingMs = 10'000;
} // namespace

CursorBlinkTimeout::CursorBlinkTimeout(QObject* parent) : QObject(parent), m_flashTime(QApplication::cursorFlashTime())
{
    m_stillLit.setSingleShot(true);
    m_stillLit.setInterval(BlinkingMs);
    connect(&m_stillLit, &QTimer::timeout, this, [] { QApplication::setCursorFlashTime(0); });
    qApp->installEventFilter(this);
    m_stillLit.start();
}

CursorBlinkTimeout::~CursorBlinkTimeout()
{
    QApplication::setCursorFlashTime(m_flashTime);
}

bool CursorBlinkTimeout::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)
        blinkAgain();
    return false;
}

void CursorBlinkTimeout::blinkAgain()
{
    if (QApplication::cursorFlashTime() != m_flashTime)
        QApplication::setCursorFlashTime(m_flashTime);
    m_stillLit.start();
}
