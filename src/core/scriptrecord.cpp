#include "scriptrecord.h"

ScriptRecord &Job()
{
    static ScriptRecord record;
    return record;
}
