// Form1, the main window: entries, results, picker, clock and hints.
#pragma once

#include <windows.h>

#include <string>

#include "core/reading.h"
#include "platform/seams.h"
#include "ui/about/about_window.h"
#include "ui/controls/owners.h"
#include "ui/main/form1_layout.h"
#include "ui/window.h"

namespace pulvar {

// The texts Form1 shows in message boxes and in its title.
inline constexpr char kInputMessage[] = "Por favor introduzca datos numèricos y reales.";
inline constexpr char kHintAnalysis[] = "Anàlisis de la Presiòn Sanguinea y el Pulso.";  // H1
inline constexpr char kHintPicker[] = "Ayuda a contar los latidos del corazòn";          // H2
inline constexpr char kHintAdd[] = "Agregar datos al registro.";                         // H3
inline constexpr char kCloseQuestion[] = "Cerrar el Programa?";
inline constexpr char kCloseTitle[] = "Cerrar la Aplicaciòn ";
// Asked, under kCloseTitle, when a report has not reached the queue a short
// while after the user asked to close.
inline constexpr char kPrinterSilentQuestion[] =
    "La impresora no responde. Si cierra el programa ahora, el reporte no se imprimirà. "
    "Desea cerrarlo de todas formas?";
// How long that short while is, and the timer that measures it.
inline constexpr unsigned kCloseWaitMs = 3000;
inline constexpr UINT_PTR kCloseWaitTimer = 2;

class MainWindow : public Window {
public:
    explicit MainWindow(Services& services);
    ~MainWindow() override;

    // Creates the window with all its controls; Form_Load has run when it returns.
    bool Create(int showCommand);
    HWND Control(form1::Ctl c) const { return controls_[form1::id(c)]; }
    const Reading& CurrentReading() const { return reading_; }
    // The About window, which goes with this one.
    AboutSlot& About() { return about_; }

    // Handlers, named after the control and event they belong to.
    void Form_Load();
    void Form_MouseMove();
    void Form_QueryUnload();
    void Frame1_MouseMove();
    void Frame2_MouseMove();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command6_Click() {}
    void Command6_MouseMove();
    void Command11_Click();
    void Command12_Click();
    void Command12_MouseMove();
    void Label13_Click();
    void Slider1_Change();
    void Text2_Click() { EmptyAndFocus(form1::Ctl::Text2); }
    void Text3_Click() { EmptyAndFocus(form1::Ctl::Text3); }
    void Text4_Click() { EmptyAndFocus(form1::Ctl::Text4); }
    void Timer1_Timer();

private:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onScaleChanged() override;
    void onCreate() override;
    void onCommand(int id, int code) override;
    void onControlMouseMove(int id) override;
    void onControlClick(int id) override;
    void onMouseMove(POINT pt);
    HCURSOR CursorOver(HWND control) const override;

    void AskToAbandonReport();
    void ReportEndedWhileAsking();
    void ShowResults();
    std::string Text(form1::Ctl c) const;
    void SetText(form1::Ctl c, const std::string& text);
    void EmptyAndFocus(form1::Ctl c);
    void SetShown(form1::Ctl c, bool shown);
    bool IsShown(form1::Ctl c) const;

    Services& services_;
    Reading reading_;
    mutable Cursor sliderCursor_;  // made when first shown
    AboutSlot about_;
    bool printing_ = false;          // inside Command3_Click
    bool closeAfterPrinting_ = false;  // asked to close while a report printed
    bool asking_ = false;              // inside AskToAbandonReport's question
    bool endedWhileAsking_ = false;    // the report ended while it was up
};

}  // namespace pulvar
