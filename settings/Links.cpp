#include "Links.h"

#include "Pictures.h"

#include <QDesktopServices>
#include <QUrl>

namespace vorni {

void OpenWebPage()
{
    // Whether anything could open it is not reported: the game carries on.
    QDesktopServices::openUrl(QUrl(makerWebAddress()));
}

void OpenEmail()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + makerEmailAddress()));
}

} // namespace vorni
