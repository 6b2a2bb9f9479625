#include "platform/web_page.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void openWebPage(const QString& path)
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("http://" ORIENZO_SITE_HOST) + path));
}

} // namespace platform
