/* The one id header of the program: dialogs, controls, commands, icons, bitmaps.
   windres reads it too, so it holds only #defines and C comments. */
#pragma once

/* icons and bitmaps */
#define IDR_MAINFRAME                   128

