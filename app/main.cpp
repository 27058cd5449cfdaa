#include "app/CFavorApp.h"
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CFavorApp app;
    return app.Run(instance);
}
