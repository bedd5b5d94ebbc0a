#pragma once
#include <cstdint>
#include <string>

// Window-system colours, 0x00BBGGRR.
inline constexpr int32_t clRed = 255;
inline constexpr int32_t clGreen = 32768;
inline constexpr int32_t clYellow = 65535;
inline constexpr int32_t clLime = 65280;
inline constexpr int32_t clOlive = 32896;
inline constexpr int32_t clBlue = 16711680;
inline constexpr int32_t clNone = 536870911;

// Tray icon value meaning the application's own icon rather than a frame.
inline constexpr int32_t ApplicationIcon = -1;

// What a label shows.
struct TLabelState {
  std::string Caption;
};

// What a rectangle shape shows.
struct TShapeState {
  int32_t BrushColor = clGreen;
  bool Visible = true;
};

// What a menu item shows.
struct TMenuItemState {
  bool Enabled = true;
  bool Checked = false;
};

// What a bar gauge shows; Progress stays within MinValue..MaxValue.
struct TGaugeState {
  int32_t MinValue = 0;
  int32_t MaxValue = 100;
  int32_t Progress = 0;
  int32_t ForeColor = clNone;
  int32_t BackColor = clGreen;
  // Set Progress, clamped into MinValue..MaxValue.
  void SetProgress(int32_t Value) { Progress = Value < MinValue ? MinValue : Value > MaxValue ? MaxValue : Value; }
  // Set MaxValue and clamp Progress again.
  void SetMaxValue(int32_t Value)
  {
    MaxValue = Value;
    SetProgress(Progress);
  }
};

// The banner window's elements that the accounting writes.
struct TForm1Display {
  int32_t Color = clNone;
  TLabelState Label1{"?"};
  TLabelState Label2{"0"};
  TLabelState Label8{"Déconnecté"};
  TShapeState Shape1{clGreen, true};
  TShapeState Shape2{clYellow, false};
  TGaugeState Gauge1{0, 10, 0, clNone, clGreen};
  TMenuItemState Dcrocher1;
  TMenuItemState Raccrocher1;
  // Frame of the connected animation shown as the window and tray icon, or ApplicationIcon.
  int32_t TrayIcon = ApplicationIcon;
};

// The connection-state window's labels.
struct TForm2Display {
  TLabelState Label1{"Indicateur"};
  TLabelState Label2{"Label2"};
};

// The enlarged gauge window.
struct TForm3Display {
  TGaugeState Gauge1{0, 100, 0, clYellow, clBlue};
};

// Every display record the core writes; the windows render them.
struct TDisplay {
  TForm1Display Form1;
  TForm2Display Form2;
  TForm3Display Form3;
};
