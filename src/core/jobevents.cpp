#include "jobevents.h"

JobEvents &JobEvents::instance()
{
    static JobEvents events;
    return events;
}
