#include "main_window/receiver_check.h"

#include "platform/message_box.h"

using namespace Qt::StringLiterals;

bool receiverAddressGiven(QWidget* parent, const QString& address)
{
    if (address != u"0.0.0.0"_s)
        return true;
    platform::showMessage(parent, u"Debe especificar como minimo la IP del equipo Receptor"_s, u"Error"_s);
    return false;
}
