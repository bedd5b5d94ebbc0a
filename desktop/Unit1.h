#pragma once
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "PiconeBarreTache.h"
#include "TDesktopServices.h"
#include "TQtTrayShell.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class TGauge;
class TShape;

// Distance by which the banner tucks itself away: the Top of the handle origine.
inline constexpr int HandleTop = 48;
// Height of the banner window.
inline constexpr int BannerHeight = 740;
// Tooltip of the notification-area icon.
inline constexpr const char* TrayHint = "Tavrelo - compteur de temps de connexion";

// The main banner window: a skinned, borderless, stay-on-top window tucked
// into the top edge of the screen, drifting to the right, with the popup
// menu of every command.  The skin is the window itself: it paints the skin
// picture, takes the region as its shape, tucks on pointer movement and
// drags the window.
class TForm1 : public QWidget, public TTrayForm {
  Q_OBJECT
public:
  // Build the banner over Services: load its design, then run FormCreate; it stays hidden.
  TForm1(TDesktopServices& Services, TTrayApplication& Application);
  // Clear the application-wide reference.
  ~TForm1() override;

  // Prepare the accounting, rebuild the grid, start the tick and reload the counter.
  void FormCreate();
  // Reload the counter (the banner's own click, raised by the program only).
  void FormClick();
  // The accounting tick, then the display.
  void Timer1Timer();
  // The marquee: cycle Gauge1, move one pixel right, wrap, hide the taskbar entry.
  void Timer2Timer();
  // Reveal the banner (left click on the handle).
  void origineClick();
  // Show the connection-state window when Ctrl is held (any press on the handle).
  void origineMouseDown(bool Ctrl);
  // Tuck the banner away (pointer over the bare skin).
  void CoolForm1MouseMove();
  // "Masquer": hide the banner and set the mark, or remove the mark and show it.
  void Rduite1Click();
  // Refuse every close request.
  void FormClose(void* Sender, TCloseAction& Action);
  // Set the window state back to normal.
  void FormResize();
  // Show the connection-state window.
  void Voirledtaildesconnexions1Click();
  // Show the enlarged gauge window.
  void VoirJaugeAgrandie1Click();
  // Show the about box.
  void VersionInfo1Click();
  // Show the help window.
  void Unpetitcoupdemain1Click();
  // Show the about message.
  void Aproposde1Click();

  // Render the banner's display record, skipping what did not change.
  void Render();

  // Answer whether the banner is shown.
  bool Visible() const override { return isVisible(); }
  // Show or hide the banner.
  void SetVisible(bool Value) override { setVisible(Value); }

  // Answer the primary screen's width in pixels.
  int ScreenWidth() const;
  // Answer the region the window's shape was made from.
  const QRegion& Region() const { return FRegion; }

  TGauge* Gauge1;
  QLabel* Label3;
  QLabel* Label2;
  QLabel* Label7;
  QWidget* origine;
  QLabel* Label1;
  QLabel* Label8;
  TShape* Shape1;
  TShape* Shape2;
  QTimer* Timer1;
  QTimer* Timer2;
  QMenu* PopupMenu1;
  QAction* Voirledtaildesconnexions1;
  QAction* VoirJaugeAgrandie1;
  QAction* Rinitialiserlecompteur1;
  QMenu* JourdeRAZ1;
  QAction* Changer1;
  QAction* Voir1;
  QAction* Fixerleforfait1;
  QAction* Rduite1;
  QAction* Aproposde1;
  QAction* VersionInfo1;
  QAction* Unpetitcoupdemain1;
  QAction* Dcrocher1;
  QAction* Raccrocher1;
  QAction* Quitter1;
  std::array<TIcon, 3> ImageList1;
  std::unique_ptr<TPiconeBarreTache> PiconeBarreTache1;

protected:
  // Paint the skin picture at the top-left corner.
  void paintEvent(QPaintEvent* Event) override;
  // Start dragging the window on a left press over the skin.
  void mousePressEvent(QMouseEvent* Event) override;
  // Follow the pointer while dragging, else tuck.
  void mouseMoveEvent(QMouseEvent* Event) override;
  // End a drag.
  void mouseReleaseEvent(QMouseEvent* Event) override;
  // Open PopupMenu1 at the pointer.
  void contextMenuEvent(QContextMenuEvent* Event) override;
  // Pass close requests to the close handler and keep the window when refused.
  void closeEvent(QCloseEvent* Event) override;
  // Run FormResize.
  void resizeEvent(QResizeEvent* Event) override;
  // Run FormResize on a change of the window state.
  void changeEvent(QEvent* Event) override;
  // Bring the activity gauge up to date when the bar comes onto a screen.
  void moveEvent(QMoveEvent* Event) override;
  // Take the handle's presses and keep the pointer off the skin under labels and shapes.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  // Load the stored design: skin, region, elements, timers, menu, icons, tray icon.
  void LoadDesign();
  // Build the popup menu with its fourteen items.
  void BuildMenu();
  // Run Handler inside the error boundary; its display is rendered afterwards.
  void Guard(const std::function<void()>& Handler);
  // Move the banner to Top, keeping Left.
  void SetTop(int Top);
  // Answer whether the bar, rows 0 to 47, lies on a screen: tucked, it is above them all.
  bool BarOnScreen() const;
  // Show the activity gauge's record when it changed and the bar is on a screen.
  void RenderGauge();
  // Show a label's caption when it changed.
  void RenderLabel(QLabel* Label, const std::string& Caption, std::string& Shown, bool AutoSize);

  TDesktopServices& FServices;
  TTrayApplication& FApplication;
  QPixmap FSkin;
  QRegion FRegion;
  std::unique_ptr<TQtPopupMenu> FTrayMenu;
  bool FDragging = false;
  QPoint FDragOffset;
  bool FOriginePressed = false;
  std::string FShownLabel1;
  std::string FShownLabel2;
  std::string FShownLabel8;
  int32_t FShownTrayIcon = ApplicationIcon;
};

// The main banner window, set once when it is built.
extern TForm1* Form1;
