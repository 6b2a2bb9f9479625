#pragma once

#include <QString>

class QWidget;

namespace platform {

// The program's message box: prompt, title, one OK button and the warning
// icon. It is shown modal and returns at once; nothing waits for it.
void showMessage(QWidget* parent, const QString& prompt, const QString& title);

} // namespace platform
