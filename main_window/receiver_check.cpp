#include "main_window/receiver_check.h"

#include "platform/message_box.h"

bool receiverAddressGiven(QWidget* parent, const QString& address)
{
    if (address != QLatin1String("0.0.0.0"))
        return true;
    platform::showMessage(parent, QStringLiteral("Debe especificar como minimo la IP del equipo Receptor"),
                          QStringLiteral("Error"));
    return false;
}
