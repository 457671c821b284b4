// The screen-saver program: its one application object and its entry.
#include "saver/SaverApp.h"
#include "saver/SaverFramework.h"

SaverApp theSaverApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SaverStartup();
}
