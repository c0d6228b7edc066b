// Form1, the main window: every control, where it sits and what it starts with.
#pragma once

#include <array>

#include "res/resource.h"
#include "ui/layout.h"

namespace pulvar::form1 {

// Also the Win32 control ids.
enum class Ctl : int {
    None = 0,
    Frame1 = 1001, Frame2, Text1, Text2, Text3, Text4,
    Command1, Command2, Command3, Command4, Command5, Command6,
    Command7, Command8, Command9, Command10, Command11, Command12,
    Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8,
    Label9, Label10, Label11, Label12, Label13,
    Picture1, Picture2, Picture3, Picture4, Picture5,
    Slider1, ProgressBar1,
};

inline constexpr int kClientWidthTwips = 9300;
inline constexpr int kClientHeightTwips = 5400;
inline constexpr unsigned kTimer1IntervalMs = 1000;
inline constexpr int kSliderLineSize = 1;  // the slider's arrow keys
inline constexpr int kSliderPageSize = 25;

constexpr int id(Ctl c) { return static_cast<int>(c); }

namespace detail {
using K = Kind;
using F = FontId;
using B = Border;
constexpr int W = 0;  // directly on the window
constexpr int F1 = id(Ctl::Frame1);
constexpr int F2 = id(Ctl::Frame2);
constexpr int P1 = id(Ctl::Picture1);
constexpr const char* kNumbersOnly = "Solo Nùmeros";
}  // namespace detail

// Each entry box and the caption a screen reader announces for it.
struct CaptionFor {
    Ctl label;
    Ctl box;
};
inline constexpr CaptionFor kEntryCaptions[] = {
    {Ctl::Label1, Ctl::Text1}, {Ctl::Label2, Ctl::Text2}, {Ctl::Label3, Ctl::Text3}, {Ctl::Label4, Ctl::Text4}};

// Picture buttons whose image's black is ink, drawn in the scheme's button
// text colour: the plus sign would vanish on a dark face.
inline constexpr Ctl kInkImages[] = {Ctl::Command6};

// In tab order. The controls are made in this order too, but for the frames,
// made last, and what the picture box holds, made first: none of them takes
// the focus.
inline constexpr std::array<ControlRow, 38> kLayout = [] {
    using namespace detail;
    return std::array<ControlRow, 38>{{
        {id(Ctl::Frame1), K::Frame, W, {240, 240, 5055, 4215}, "Datos Personales", F::Sans975, nullptr, 0, false, 0, B::None},
        {id(Ctl::Text1), K::TextBox, F1, {1200, 480, 3615, 375}, "", F::Sans12BoldName, nullptr, 1, false, 0, B::None},
        {id(Ctl::Text2), K::TextBox, F1, {2160, 960, 855, 420}, "", F::Sans12Bold, kNumbersOnly, 2, false, 0, B::None},
        {id(Ctl::Text3), K::TextBox, F1, {2880, 2160, 1215, 375}, "", F::Sans12Bold, kNumbersOnly, 3, false, 0, B::None},
        {id(Ctl::Text4), K::TextBox, F1, {2880, 2760, 1215, 375}, "", F::Sans12Bold, kNumbersOnly, 4, false, 0, B::None},
        {id(Ctl::Command1), K::Button, F1, {3240, 3600, 1455, 375}, "Ver Resultados", F::Default, nullptr, 5, false, 0, B::None},
        {id(Ctl::Command3), K::Button, F2, {360, 4320, 975, 375}, "Imprimir ", F::Default, nullptr, 6, false, 0, B::None},
        {id(Ctl::Label1), K::Label, F1, {240, 600, 1095, 375}, "Nombre ", F::Sans975, nullptr, 7, false, 0, B::None},
        {id(Ctl::Label2), K::Label, F1, {240, 1080, 2055, 375}, "Frecuencia Cardiaca", F::Sans975, nullptr, 8, false, 0, B::None},
        {id(Ctl::Label3), K::Label, F1, {240, 2280, 2535, 375}, "Presiòn Sistòlica ( Màxima )", F::Sans975, nullptr, 9, false, 0, B::None},
        {id(Ctl::Label4), K::Label, F1, {240, 2880, 2535, 255}, "Presiòn Diastòlica ( Mìnima )", F::Sans975, nullptr, 10, false, 0, B::None},
        {id(Ctl::Label5), K::Label, F1, {3120, 1080, 1815, 375}, "Latidos Por Minuto", F::Sans975, nullptr, 11, false, 0, B::None},
        {id(Ctl::Frame2), K::Frame, W, {5400, 240, 3735, 4935}, "Diagnòstico", F::Sans975, nullptr, 12, false, 0, B::None},
        {id(Ctl::Command2), K::PictureButton, F1, {360, 3480, 495, 495}, "", F::Default, "Acerca de...", 13, false, IMG_QUESTION, B::None},
        {id(Ctl::Label6), K::Label, F2, {960, 360, 2655, 375}, "", F::Sans12BoldName, nullptr, 14, false, 0, B::None},
        {id(Ctl::Label7), K::Label, F2, {120, 960, 3495, 495}, "", F::Sans975Bold, nullptr, 15, false, 0, B::None},
        {id(Ctl::Label8), K::Label, F2, {120, 1800, 3495, 1695}, "", F::Sans975Bold, nullptr, 16, false, 0, B::None},
        {id(Ctl::Command4), K::Button, F2, {2400, 4320, 975, 375}, "Cerrar", F::Default, nullptr, 17, false, 0, B::None},
        {id(Ctl::Picture1), K::PictureBox, F2, {360, 3480, 3015, 735}, "", F::Default, nullptr, 18, false, 0, B::Flat},
        {id(Ctl::ProgressBar1), K::ProgressBar, P1, {120, 240, 2775, 255}, "", F::Default, nullptr, 19, false, 0, B::None},
        {id(Ctl::Label9), K::Label, F1, {1080, 3480, 1935, 495}, "", F::Sans18Bold, "Cuente el pulso en 15 segundos y multipìquelo por cuatro", 20, false, 0, B::None},
        {id(Ctl::Slider1), K::Slider, F1, {1680, 1560, 2295, 375}, "", F::Default, nullptr, 21, true, 0, B::None},
        {id(Ctl::Picture2), K::PictureBox, F1, {4200, 1440, 480, 480}, "", F::Default, nullptr, 22, true, IMG_CLOCK_FACE, B::None},
        {id(Ctl::Command5), K::Button, F2, {1440, 4320, 855, 375}, "Gràficos", F::Default, nullptr, 23, false, 0, B::None},
        {id(Ctl::Command6), K::PictureButton, F1, {4320, 2760, 495, 495}, "", F::Default, "Agregar los datos a el registro", 24, false, IMG_PLUS, B::None},
        {id(Ctl::Picture3), K::PictureBox, F1, {1200, 3480, 615, 495}, "", F::Default, nullptr, 25, true, IMG_LAMP_AMBER, B::Sunken},
        {id(Ctl::Picture4), K::PictureBox, F1, {1800, 3480, 495, 495}, "", F::Default, nullptr, 26, true, IMG_LAMP_GREEN, B::Sunken},
        {id(Ctl::Command7), K::PictureButton, W, {240, 4680, 495, 495}, "", F::Default, "Abrir Archivo", 27, false, IMG_FOLDER_BMP, B::None},
        {id(Ctl::Command8), K::PictureButton, W, {960, 4680, 495, 495}, "", F::Default, "Guardar / Guardar como", 28, false, IMG_FLOPPY_BMP, B::None},
        {id(Ctl::Label10), K::Label, F2, {120, 360, 615, 375}, "Sr./Sra.", F::Sans975, nullptr, 29, false, 0, B::None},
        {id(Ctl::Label11), K::Label, F2, {120, 720, 1215, 255}, "Su Pulso es:", F::Sans975, nullptr, 30, false, 0, B::None},
        {id(Ctl::Label12), K::Label, F2, {120, 1560, 2175, 255}, "Su Presiòn Sanguinea es:", F::Sans975, nullptr, 31, false, 0, B::None},
        {id(Ctl::Command9), K::PictureButton, W, {1680, 4680, 495, 495}, "", F::Default, "Calendario", 32, false, IMG_CALENDAR_BMP, B::None},
        {id(Ctl::Command10), K::PictureButton, W, {2400, 4680, 495, 495}, "", F::Default, "Instrucciones para tomar la Tensiòn Arterial", 33, false, IMG_QUESTION_BMP, B::None},
        {id(Ctl::Picture5), K::PictureBox, F1, {2520, 3480, 495, 495}, "", F::Default, nullptr, 34, true, IMG_LAMP_RED, B::Sunken},
        {id(Ctl::Label13), K::LabelCentred, F1, {720, 1560, 975, 375}, "", F::Sans12Bold, "Click para pasar dato al campo respectivo", 35, true, 0, B::None},
        {id(Ctl::Command11), K::PictureButton, F1, {4320, 2160, 495, 495}, "", F::Default, "Borrar los Datos", 36, false, IMG_ERASER, B::None},
        {id(Ctl::Command12), K::PictureButton, F1, {120, 1560, 375, 375}, "", F::Default, "Ayuda a contar los latidos del corazòn", 37, false, IMG_ALARM_CLOCK, B::None},
    }};
}();

}  // namespace pulvar::form1
