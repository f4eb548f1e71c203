// The process entry: starts the fight and the backdrop, then hands over to the main loop.
#include "../platform/view_window.h"
#include "../scenery/backgrnd.h"
#include "globals.h"
#include "shell.h"

int main() {
    initWindowThreads();
    world.init();
    createBackground();
    main2();
    return 0;
}
