; Pulvar's own texts in the installer, in Spanish. The standard pages take
; theirs from NSIS's Spanish language file. This file is UTF-8.

LangString PulvarWelcome ${LANG_SPANISH} "Este asistente instalará Pulvar ${VERSION}, el programa que analiza su frecuencia cardiaca y su presión arterial.$\r$\n$\r$\nPulvar se instala solo para su usuario y no necesita permisos de administrador.$\r$\n$\r$\n$(^ClickNext)"
LangString PulvarRunNow ${LANG_SPANISH} "Abrir Pulvar ahora"
LangString PulvarIsRunning ${LANG_SPANISH} "Pulvar está abierto. Ciérrelo y pulse Reintentar para continuar."
LangString PulvarShortcutComment ${LANG_SPANISH} "Analiza la frecuencia cardiaca y la presión arterial"
; The version resource takes plain text, not language strings.
!define PULVAR_SETUP_DESCRIPTION "Instalador de Pulvar"
