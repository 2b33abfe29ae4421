#include "ordersummarytext.h"

void Drop_Leading_None(QString &options)
{
    if (options.left(4) == QLatin1String("None") && options.size() > 5)
        options.remove(0, 5);
}

QString Summary_Lines(QString list)
{
    return list.replace(u';', QLatin1String("\r\n"));
}
