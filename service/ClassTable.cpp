#include "ClassTable.h"

#include "ClassFactory.h"
#include "ElapsedTime.h"
#include "ProductIds.h"

namespace {

HRESULT GetElapsedTimeClassObject(REFIID riid, void** object)
{
    return CClassFactory::Create(CElapsedTime::CreateInstance, riid, object);
}

} // namespace

ClassTableRow g_classTable[] = {
    {&kClsidElapsedTime, CElapsedTime::UpdateRegistry, GetElapsedTimeClassObject,
     CElapsedTime::CreateInstance, 0},
    {NULL, NULL, NULL, NULL, 0},
};
