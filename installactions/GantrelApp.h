// The library's application object: one instance lives while the library is loaded.
#pragma once

#include "framework/window/CWinApp.h"

class CGantrelApp : public CWinApp
{
public:
    CGantrelApp();
    ~CGantrelApp() override;
};
