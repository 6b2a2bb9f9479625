#include "main_window/icmp_notice.h"

#include "platform/message_box.h"

using namespace Qt::StringLiterals;

void IcmpNotice::tellOnce(QWidget* parent, const QString& reason)
{
    if (m_told)
        return;
    m_told = true;
    platform::showMessage(parent, reason, u"No se puede enviar ICMP"_s);
}
