#include "model/window_handles.h"

platform::MainWindow* mainWindow = nullptr;
std::atomic<platform::Dialog*> panelWindow{nullptr};
