// Root of the framework's window and command classes: runtime class information, so that code
// can ask an object for its class (IsKindOf) and create a class known only by its name.
#pragma once

#include <windows.h>

class CObject;

// A place in one of the framework's lists, walked with GetFirst...Position and GetNext...; null
// after the last element.
typedef struct __POSITION* POSITION;

struct CRuntimeClass
{
    const char* m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)(); // null for classes that cannot be created by name
    const CRuntimeClass* m_pBaseClass;
    const CRuntimeClass* m_pNextClass; // every class of the program, for FromName

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    // The class registered under that name, or null.
    static const CRuntimeClass* FromName(const char* lpszClassName);
    static CObject* CreateObject(const char* lpszClassName);
};

// Links a class into the list that FromName searches; one static instance per class.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject
{
public:
    virtual ~CObject() {}
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static CRuntimeClass classCObject;

protected:
    CObject() {}
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, (int)sizeof(class_name), pfnNew, RUNTIME_CLASS(base_class_name), nullptr}; \
    static AFX_CLASSINIT _init_##class_name(&class_name::class##class_name); \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)
