#include "main_window/menu_bar_toggle.h"

MenuBarToggle::MenuBarToggle(QWidget* bar, int height) : QToolButton(bar), m_height(height)
{
    setCheckable(true);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setFocusPolicy(Qt::StrongFocus);
    setIconSize(QSize(height, height) * 2 / 3);
}

QSize MenuBarToggle::sizeHint() const
{
    return {QToolButton::sizeHint().width(), m_height};
}
