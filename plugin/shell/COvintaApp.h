// The module's application object. The module is an extension of its host:
// it runs no application of its own, so the framework defaults serve.
#pragma once

#include "afxwin.h"

class COvintaApp : public CWinApp {
public:
    COvintaApp() = default;
    ~COvintaApp() override = default;
};
