#include "helpwindows.h"

#include "aboutform.h"
#include "browserwindow.h"
#include "paths.h"
#include "scriptrecord.h"
#include "statichelp.h"
#include "windowregistry.h"

namespace {

void open(const QString &name)
{
    Bring_To_Front(Windows().window(name));
}

} // namespace

void Register_Help_Windows()
{
    Windows().registerFactory(QStringLiteral("Browser"), [] { return new BrowserWindow; });
    Windows().registerFactory(QStringLiteral("AboutForm"), [] { return new AboutForm; });
    Windows().registerFactory(QStringLiteral("Help1"), [] { return Create_Keyboard_Help(); });
    Windows().registerFactory(QStringLiteral("FootSize"), [] { return Create_Foot_Sizes(); });
}

QString Help_Page_Path()
{
    return Paths::file(QStringLiteral("Help1.Htm"));
}

void Show_Help_Browser()
{
    Job().BrowserPage = Help_Page_Path();
    Show_Browser();
}

void Show_Browser()
{
    open(QStringLiteral("Browser"));
}
void Show_About()
{
    open(QStringLiteral("AboutForm"));
}
void Show_Keyboard_Help()
{
    open(QStringLiteral("Help1"));
}
void Show_Foot_Sizes()
{
    open(QStringLiteral("FootSize"));
}
