#include "platform/message_box.h"

#include <QMessageBox>

namespace platform {

void showMessage(QWidget* parent, const QString& prompt, const QString& title)
{
    auto* box = new QMessageBox(QMessageBox::Warning, title, prompt, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

} // namespace platform
