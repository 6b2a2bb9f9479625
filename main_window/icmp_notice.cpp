#include "main_window/icmp_notice.h"

#include "platform/message_box.h"

void tellIcmpUnavailable(QWidget* parent, const QString& reason)
{
    platform::showMessage(parent, reason, QStringLiteral("No se puede enviar ICMP"));
}
