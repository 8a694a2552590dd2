#pragma once
// Frame composition: one complete picture of the main window, presented with a buffer swap.
namespace platform {
class MainWindow;
}

// Draws and presents one frame. The paint handler skips the call while frameBusy is set.
void composeFrame(platform::MainWindow& window);
