// Compiled for Windows, never linked or run (scripts/check-windows-compile.sh).
// A Windows back-end includes the system's headers before ours; every macro and
// renamed function they bring must leave the portable core and the platform
// interfaces intact. The included list names every header of the core.

// <windows.h> comes first: the other two need what it defines.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "portable_core_headers.h"
