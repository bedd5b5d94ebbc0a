#pragma once
#include <QWidget>

#include "TDesktopServices.h"

class QLabel;
class QTableView;
class TGridModel;

// The connection-state window "Etat des connexions": the grid sgmib and two labels.
class TForm2 : public QWidget {
  Q_OBJECT
public:
  // Build the window hidden and write the grid's header row.
  explicit TForm2(TDesktopServices& Services);
  // Clear the application-wide reference.
  ~TForm2() override;

  // Write the header row of the grid.
  void FormCreate();
  // Show the labels' texts and, while shown, the grid's changes.
  void Render();

  QTableView* sgmib;
  QLabel* Label1;
  QLabel* Label2;

protected:
  // Bring the grid up to date when the window appears.
  void showEvent(QShowEvent* Event) override;

private:
  TDesktopServices& FServices;
  TGridModel* FModel;
  std::string FLabel1;
  std::string FLabel2;
};

// The connection-state window, set once when it is built.
extern TForm2* Form2;
