// The GUI test program's QApplication.
#include "gui_environment.h"
