#include "callbackobject.h"

CallbackObject &CallbackObject::instance()
{
    static CallbackObject object;
    return object;
}
