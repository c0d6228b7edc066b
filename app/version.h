// Pulvar's version, kept as plain #defines so the resource compiler can read it too.
#pragma once

#define PULVAR_VERSION_MAJOR 1
#define PULVAR_VERSION_MINOR 0
#define PULVAR_VERSION_REVISION 4

// The executable's version resource writes the version this way.
#define PULVAR_FILE_VERSION_TEXT "1.00.0004"
#define PULVAR_APP_TITLE "PULVAR"
#define PULVAR_EXE_NAME "Pulvar"
