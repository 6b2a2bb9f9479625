#include "platform/web_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <string_view>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// Where the package installs the pages, seen from the installed program, and
// else the build tree's copies, for a program run from there.
QString shippedPage(const QString& file)
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString installed =
        QDir::cleanPath(program.filePath(QString::fromUtf8(ORIENZO_HELP_FROM_PROGRAM) + u'/' + file));
    return QFileInfo::exists(installed) ? installed : QString::fromUtf8(ORIENZO_HELP_BUILD_DIR) + u'/' + file;
}

QUrl addressOf(const WebPage& page)
{
    if constexpr (std::string_view(ORIENZO_SITE_HOST).empty())
        return QUrl::fromLocalFile(shippedPage(page.file));
    else
        return QUrl(u"http://"_s + QString::fromUtf8(ORIENZO_SITE_HOST) + page.sitePath);
}

} // namespace

void openWebPage(const WebPage& page)
{
    QDesktopServices::openUrl(addressOf(page));
}

} // namespace platform
