// The application object: initialises the libraries, then runs the start-up, which
// hands over to a running copy or opens the store and runs the main window until the
// user exits. No message loop runs afterwards: the process ends.
#pragma once
#include "framework/CWinApp.h"

class CFavorApp : public fw::CWinApp {
public:
    CFavorApp();
    bool InitInstance() override;  // always false
};
