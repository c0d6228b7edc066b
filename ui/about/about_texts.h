// frmAbout's texts. The blanks are the program's own: two before "tener" and
// before the quoted words, six after "Arterial", one before some commas.
#pragma once

#include <string>

namespace pulvar::about {

inline constexpr char kDescription[] =
    "Hipertension Arterial      Esta enfermedad es muy comun y se puede padecer aun sin  tener sintomas. "
    "Despues de muchos anos , esta enfermedad produce danos en la Vision , rinones y aumenta el riesgo de el "
    "Infarto del Miocardio y los Accidentes Cerebro-Vasculares (stroke). Sin tener una causa conocida en la "
    "mayoria de casos,debemos tomarnos regularmente la prueba de la  \"Presion Sanguinea\" por una persona "
    "entrenada o con un tensiometro digital.";

// What a click on the icon puts back: the description without its quotes.
inline constexpr char kDescriptionUnquoted[] =
    "Hipertension Arterial      Esta enfermedad es muy comun y se puede padecer aun sin  tener sintomas. "
    "Despues de muchos anos , esta enfermedad produce danos en la Vision , rinones y aumenta el riesgo de el "
    "Infarto del Miocardio y los Accidentes Cerebro-Vasculares (stroke). Sin tener una causa conocida en la "
    "mayoria de casos,debemos tomarnos regularmente la prueba de la  Presion Sanguinea por una persona "
    "entrenada o con un tensiometro digital.";

// The language the program was first written in; no full stop after it, and
// two blanks before the next sentence.
inline constexpr char kDisclaimer[] =
    "Advertencia: Este programa ha sido migrado del Lenguaje Visual Basic  Por lo tanto pueden haber errores "
    "en la ejecuciòn del programa. La pròxima versiòn serà completamente nuevo còdigo y guardarà datos.";

// The captions the form is drawn with, until Form_Load puts the real ones.
inline constexpr char kTitlePlaceholder[] = "Título de la aplicación";
inline constexpr char kVersionPlaceholder[] = "Versión";

inline constexpr char kCaptionPrefix[] = "Acerca de ";
inline constexpr char kVersionPrefix[] = "Versión ";
inline constexpr char kOk[] = "Aceptar";
inline constexpr char kSysInfo[] = "&Info. del sistema...";

// "Autor: Dr. <name>. <registration> c. electrònico: <e-mail>"
std::string CreditLine();
// The author's web site.
std::string SiteAddress();
// The donation page for the author's account, the at-sign of the e-mail
// written %40. It has no question mark: the service reads it as a path.
std::string DonationAddress();

}  // namespace pulvar::about
