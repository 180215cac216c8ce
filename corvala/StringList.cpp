#include <cstdlib>

#include "Corvala.h"
#include "RequestItem.h"

void a_EmptyStringList(STRINGLIST* list)
{
    if (!list)
        return;
    for (char* text : *list)
        std::free(text);
    list->clear();
}

void a_EmptyRequestList(REQUESTLIST* requests)
{
    if (!requests)
        return;
    for (REQUESTITEM* item : *requests)
        delete item;
    requests->clear();
}
