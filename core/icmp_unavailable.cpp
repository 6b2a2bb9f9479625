#include "core/icmp_unavailable.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

// The errors that opening an ICMP socket, or running the echo helper, really
// give, said in the program's language rather than the C library's.
QString reasonOf(int openError)
{
    switch (openError) {
    case EPERM:
    case EACCES: return u"el sistema no permite a este usuario abrir sockets ICMP"_s;
    case EAFNOSUPPORT:
    case EPROTONOSUPPORT: return u"el sistema no admite sockets ICMP para IPv4"_s;
    case EMFILE: return u"el programa ya tiene abiertos todos los archivos que se le permiten"_s;
    case ENFILE: return u"el sistema ya tiene abiertos todos los archivos que admite"_s;
    case ENOBUFS:
    case ENOMEM: return u"no queda memoria libre en el sistema"_s;
    case ENOENT: return u"falta el programa auxiliar de eco"_s;
    case EPROTO: return u"el programa auxiliar de eco terminó sin responder"_s;
    default: return u"error del sistema número %1"_s.arg(openError);
    }
}

} // namespace

QString icmpUnavailableText(int openError, const QString& helper)
{
    return u"No se pueden enviar solicitudes de eco ICMP en este sistema: no se pudo abrir ningún socket ICMP "
           "(%1).\n"
           "Para permitirlo, elija una de estas soluciones:\n"
           "- permitir los sockets de ping sin privilegios:\n"
           "    sudo sysctl -w net.ipv4.ping_group_range=\"0 2147483647\"\n"
           "  (vale hasta el próximo arranque; para que dure, escriba "
           "net.ipv4.ping_group_range = 0 2147483647 en un archivo de /etc/sysctl.d/)\n"
           "- o instalar el paquete orienzo-wireless, que da a su programa auxiliar de eco, y solo a él, "
           "la capacidad de abrir sockets en bruto;\n"
           "- o darle esa capacidad al programa auxiliar de eco de este programa:\n"
           "    sudo setcap cap_net_raw=p '%2'"_s.arg(reasonOf(openError), helper);
}
