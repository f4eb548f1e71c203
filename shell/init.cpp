// CreationFenetre: opens the webcam view window beside the game window.
#include "platform/view_window.h"
#include "shell/shell.h"

static const int VIEW_WIDTH = 1200;
static const int VIEW_HEIGHT = 272;

ViewWindow* CreationFenetre() { return createViewWindow(VIEW_WIDTH, VIEW_HEIGHT, "Vantorix webcam"); }
