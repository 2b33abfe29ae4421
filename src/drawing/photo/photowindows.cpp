#include "photowindows.h"

#include "brighten.h"
#include "graphicform2.h"
#include "windowregistry.h"

void Register_Photo_Windows()
{
    Windows().registerFactory(QStringLiteral("Brighten"), [] { return new Brighten; });
    Windows().registerFactory(QStringLiteral("GraphicForm2"), [] { return new GraphicForm2; });
}
