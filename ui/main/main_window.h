// Form1, the main window: entries, results, picker, clock and hints.
#pragma once

#include <windows.h>

#include <string>

#include "core/reading.h"
#include "platform/seams.h"
#include "ui/controls_win.h"
#include "ui/main/form1_layout.h"

namespace pulvar {

// The texts Form1 shows in message boxes and in its title.
inline constexpr char kInputMessage[] = "Por favor introduzca datos numèricos y reales.";
inline constexpr char kHintAnalysis[] = "Anàlisis de la Presiòn Sanguinea y el Pulso.";  // H1
inline constexpr char kHintPicker[] = "Ayuda a contar los latidos del corazòn";          // H2
inline constexpr char kHintAdd[] = "Agregar datos al registro.";                         // H3
inline constexpr char kCloseQuestion[] = "Cerrar el Programa?";
inline constexpr char kCloseTitle[] = "Cerrar la Aplicaciòn ";

class MainWindow {
public:
    explicit MainWindow(Services& services);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window with all its controls; Form_Load has run when it returns.
    bool Create(int showCommand);
    HWND Hwnd() const { return hwnd_; }
    HWND Control(form1::Ctl c) const { return controls_[form1::id(c)]; }
    const ControlSet& Controls() const { return controls_; }
    const Reading& CurrentReading() const { return reading_; }
    HICON StandardIcon() const { return appIconBig_.get(); }

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
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp);
    void onCommand(int id, int code);
    void onControlMouseMove(int id);
    void onControlClick(int id);
    void onMouseMove(POINT pt);
    BOOL onSetCursor(HWND over);
    void onDpiChanged(int dpi, RECT suggested);

    void ShowResults();
    void SetWindowIcon(HICON big, HICON small);
    std::string Text(form1::Ctl c) const;
    void SetText(form1::Ctl c, const std::string& text);
    void EmptyAndFocus(form1::Ctl c);
    void SetShown(form1::Ctl c, bool shown);
    bool IsShown(form1::Ctl c) const;

    Services& services_;
    HWND hwnd_ = nullptr;
    ControlSet controls_;
    Reading reading_;
    Icon appIconBig_;
    Icon appIconSmall_;
    Cursor sliderCursor_;
    HWND lastFocus_ = nullptr;
    bool printing_ = false;  // inside Command3_Click
};

}  // namespace pulvar
