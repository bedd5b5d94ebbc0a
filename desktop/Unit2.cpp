#include "Unit2.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include "TGridModel.h"
#include "WindowHelpers.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TDesktopServices& Services) : QWidget(nullptr, Qt::Window), FServices(Services)
{
  Form2 = this;
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Etat des connexions"));
  setFont(FormFont());
  // The client area of a 667 x 243 outer window with a caption and a sizeable frame.
  resize(659, 216);
  move(198, 114);

  FModel = new TGridModel(Services.Monitor.sgmib, this);
  sgmib = new QTableView(this);
  sgmib->setObjectName(QStringLiteral("sgmib"));
  sgmib->setGeometry(0, 0, 659, 185);
  sgmib->setModel(FModel);
  sgmib->verticalHeader()->hide();
  sgmib->horizontalHeader()->setDefaultSectionSize(64);
  sgmib->horizontalHeader()->setMinimumSectionSize(8);
  sgmib->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  sgmib->horizontalHeader()->setStretchLastSection(false);
  sgmib->verticalHeader()->setDefaultSectionSize(24);
  sgmib->setShowGrid(true);
  sgmib->setSelectionMode(QAbstractItemView::ExtendedSelection);
  sgmib->setSelectionBehavior(QAbstractItemView::SelectItems);
  sgmib->setEditTriggers(QAbstractItemView::NoEditTriggers);

  Label1 = new QLabel(QStringLiteral("Indicateur"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->move(8, 192);
  Label1->adjustSize();
  Label2 = new QLabel(QStringLiteral("Label2"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->move(232, 192);
  Label2->adjustSize();
  FLabel1 = "Indicateur";
  FLabel2 = "Label2";

  FormCreate();
}

TForm2::~TForm2()
{
  if (Form2 == this)
    Form2 = nullptr;
}

void TForm2::FormCreate()
{
  WriteGridHeaders(FServices.Monitor.sgmib);
  FModel->Refresh();
}

void TForm2::Render()
{
  const TForm2Display& Shown = FServices.Display.Form2;
  if (Shown.Label1.Caption != FLabel1) {
    FLabel1 = Shown.Label1.Caption;
    Label1->setText(ToQString(FLabel1));
    Label1->adjustSize();
  }
  if (Shown.Label2.Caption != FLabel2) {
    FLabel2 = Shown.Label2.Caption;
    Label2->setText(ToQString(FLabel2));
    Label2->adjustSize();
  }
  if (isVisible())
    FModel->Refresh();
}

void TForm2::showEvent(QShowEvent* Event)
{
  FModel->Refresh();
  QWidget::showEvent(Event);
}
